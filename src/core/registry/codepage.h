#pragma once

// The program's ANSI code page (Windows-1252, that of a German Windows) against UTF-16, the way
// Windows converts between the ...A and ...W registry calls.

#include <string>

namespace tw {

// Every byte has a UTF-16 unit (the five bytes cp1252 leaves unassigned map to U+0081 and so
// on, as Windows maps them), so text survives a round trip unchanged.
std::u16string AnsiToWide(const std::string& text);
// Units outside cp1252 become '?'.
std::string WideToAnsi(const std::u16string& text);

// Names as the registry compares them: case-insensitive (upper case of ASCII, Latin-1, Latin
// Extended-A, Greek and Cyrillic).
std::u16string FoldName(const std::u16string& name);

}  // namespace tw
