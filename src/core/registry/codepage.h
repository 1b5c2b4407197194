#pragma once

// The program's ANSI code page (Windows-1252, that of a German Windows) against UTF-16, the way
// Windows converts between the ...A and ...W registry calls.

#include <cstdint>
#include <string>
#include <vector>

namespace tw {

// Every byte has a UTF-16 unit (the five bytes cp1252 leaves unassigned map to U+0081 and so
// on, as Windows maps them), so text survives a round trip unchanged.
std::u16string AnsiToWide(const std::string& text);
// Units outside cp1252 become '?'.
std::string WideToAnsi(const std::u16string& text);
// The little-endian bytes of the text, as the registry and a REGEDIT5 file store it.
std::vector<std::uint8_t> Utf16Bytes(const std::u16string& text);

// REG_SZ, REG_EXPAND_SZ and REG_MULTI_SZ: the types whose data the ANSI calls convert.
bool IsTextType(std::uint32_t type);
// An ANSI call's data as the wide calls store it (text in UTF-16), and back, as advapi32
// converts them; other types pass unchanged. An odd last byte of stored text is not part of any
// unit and is dropped, as Windows does.
std::vector<std::uint8_t> AnsiDataToWide(std::uint32_t type, const std::uint8_t* data,
                                         std::uint32_t size);
std::vector<std::uint8_t> WideDataToAnsi(std::uint32_t type, const std::vector<std::uint8_t>& data);

// Names as the registry compares them: case-insensitive (upper case of ASCII, Latin-1, Latin
// Extended-A, Greek and Cyrillic).
std::u16string FoldName(const std::u16string& name);

}  // namespace tw
