#pragma once

// Registry files in regedit's own format ("Windows Registry Editor Version 5.00", UTF-16LE with
// a byte-order mark, CRLF), so that both the program and `regedit /s` can read what the program
// writes: backups before an apply run and exported selections.

#include <cstdint>
#include <string>
#include <vector>

#include "registry/registry.h"

namespace tw {

struct RegFileValue {
  std::u16string name;  // "" is the key's default value ("@")
  bool remove = false;  // "name"=-
  std::uint32_t type = kRegNone;
  Bytes data;            // exactly the stored bytes
  std::size_t line = 0;  // where ParseRegFile found it
};

struct RegFileKey {
  RegRoot root = HKCU;
  std::u16string path;  // relative to the root, no leading backslash
  bool remove = false;  // [-key]: the key with its whole subtree; no values follow
  std::vector<RegFileValue> values;
  std::size_t line = 0;
};

struct RegFile {
  std::vector<std::u16string> comments;  // "; " lines after the header line
  std::vector<RegFileKey> keys;
  std::vector<std::size_t> skipped;  // read leniently: the lines left out, in order
};

// Strict reads what the program writes and refuses a file at its first line that does not
// parse. Lenient reads as regedit does: it leaves such a line out and reads on.
enum class RegFileReading { Strict, Lenient };

// The file's bytes. A value is written as a quoted string only when that reads back exactly
// (REG_SZ of even length ending in its only zero unit, no unit below U+0020), as dword: only
// when it is a REG_DWORD of 4 bytes, and as hex(n): (hex: for REG_BINARY) otherwise. Control
// characters in comments are written as blanks, so that each comment stays one line.
Bytes FormatRegFile(const RegFile& file);

// Reads a file that FormatRegFile or regedit wrote: "Windows Registry Editor Version 5.00" or
// "REGEDIT4", in UTF-16LE or UTF-8 with their byte-order marks, or without one in UTF-8 or the
// ANSI code page (REGEDIT4's hex(2) and hex(7) data are ANSI, and come back as UTF-16).
// HKEY_USERS and HKEY_CURRENT_CONFIG keys are read as well. A trailing backslash carries on
// into the next line only within hex data. A file with no header, or not text, is refused at
// line 1 in either reading; read strictly, so is any line that does not parse (the error quotes
// at most 80 characters of it). Read leniently, such a line is skipped, and so are the values of
// a key line that was skipped or removes its key; "#" lines are comments, dword: takes 1 to 8
// digits, and a key more than 512 levels deep or with a name over 255 characters is skipped.
RegFile ParseRegFile(const Bytes& file, RegFileReading reading = RegFileReading::Strict);

// The comments at the top of a file, as ParseRegFile gives them, from its first bytes alone:
// nothing when they do not start with the header, and a line cut off at the end left out.
std::vector<std::u16string> LeadingComments(const Bytes& start);

// "HKEY_CURRENT_USER" and so on; the root of such a name, or 0.
std::u16string RootName(RegRoot root);
RegRoot RootFromName(const std::u16string& name);

// The value of a hexadecimal digit, or -1.
int HexDigit(char16_t c);

}  // namespace tw
