// Registry files as regedit writes and reads them: each value type in the form regedit uses,
// read back to the same bytes, and files that must be refused with the line that is wrong.

#include "registry/reg_file.h"

#include <gtest/gtest.h>

#include "system/error.h"

namespace tw {
namespace {

Bytes Utf16(const std::u16string& s, bool terminator) {
  Bytes b;
  for (char16_t c : s) {
    b.push_back(static_cast<std::uint8_t>(c & 0xFF));
    b.push_back(static_cast<std::uint8_t>(c >> 8));
  }
  if (terminator) b.insert(b.end(), {0, 0});
  return b;
}

std::u16string Text(const Bytes& file) {
  std::u16string s;
  for (std::size_t i = 2; i + 1 < file.size(); i += 2)
    s += static_cast<char16_t>(file[i] | file[i + 1] << 8);
  return s;
}

// The lines of a file holding one value under HKCU\Software\T.
std::u16string OneValue(const RegFileValue& v) {
  RegFile f;
  f.keys.push_back({HKCU, u"Software\\T", false, {v}});
  return Text(FormatRegFile(f));
}

struct ValueCase {
  const char* what;
  RegFileValue value;
  const char16_t* line;  // as regedit writes it
};

const ValueCase kValues[] = {
    {"string with its terminator",
     {u"ProgramFilesDir", false, kRegSz, Utf16(u"C:\\Programme", true)},
     u"\"ProgramFilesDir\"=\"C:\\\\Programme\""},
    {"default value", {u"", false, kRegSz, Utf16(u"x", true)}, u"@=\"x\""},
    {"quote in name and data",
     {u"a\"b", false, kRegSz, Utf16(u"\"q\"", true)},
     u"\"a\\\"b\"=\"\\\"q\\\"\""},
    {"text outside cp1252", {u"Ω", false, kRegSz, Utf16(u"Привет", true)}, u"\"Ω\"=\"Привет\""},
    {"4-byte dword", {u"n", false, kRegDword, {0x01, 0x02, 0x00, 0x80}}, u"\"n\"=dword:80000201"},
    {"string without terminator",
     {u"s", false, kRegSz, Utf16(u"ab", false)},
     u"\"s\"=hex(1):61,00,62,00"},
    {"string of odd length", {u"s", false, kRegSz, {0x61, 0x00, 0x00}}, u"\"s\"=hex(1):61,00,00"},
    {"string with an embedded zero",
     {u"s", false, kRegSz, {0x61, 0, 0, 0, 0x62, 0, 0, 0}},
     u"\"s\"=hex(1):61,00,00,00,62,00,00,00"},
    {"string starting with a zero unit",
     {u"s", false, kRegSz, Utf16(std::u16string(u"\0x", 2), true)},
     u"\"s\"=hex(1):00,00,78,00,00,00"},
    {"string with CR/LF",
     {u"s", false, kRegSz, Utf16(u"a\r\nb", true)},
     u"\"s\"=hex(1):61,00,0d,00,0a,00,62,00,00,00"},
    {"string with a tab",
     {u"s", false, kRegSz, Utf16(u"a\tb", true)},
     u"\"s\"=hex(1):61,00,09,00,62,00,00,00"},
    {"omega with a line feed",
     {u"s", false, kRegSz, Utf16(u"Ω\n", true)},
     u"\"s\"=hex(1):a9,03,0a,00,00,00"},
    {"omega alone", {u"s", false, kRegSz, Utf16(u"Ω", true)}, u"\"s\"=\"Ω\""},
    {"two lines of text, wrapped as hex",
     {u"Text", false, kRegSz, Utf16(u"Zeile 1\r\nZeile 2", true)},
     u"\"Text\"=hex(1):5a,00,65,00,69,00,6c,00,65,00,20,00,31,00,0d,00,0a,00,5a,00,65,\\\r\n"
     u"  00,69,00,6c,00,65,00,20,00,32,00,00,00"},
    {"empty string value", {u"s", false, kRegSz, {}}, u"\"s\"=hex(1):"},
    {"dword of 2 bytes", {u"d", false, kRegDword, {0x01, 0x00}}, u"\"d\"=hex(4):01,00"},
    {"expandable string",
     {u"e", false, kRegExpandSz, Utf16(u"%a%", true)},
     u"\"e\"=hex(2):25,00,61,00,25,00,00,00"},
    {"multi-string",
     {u"m", false, kRegMultiSz, Utf16(std::u16string(u"a\0b\0", 4), true)},
     u"\"m\"=hex(7):61,00,00,00,62,00,00,00,00,00"},
    {"binary", {u"b", false, kRegBinary, {0xde, 0xad}}, u"\"b\"=hex:de,ad"},
    {"empty binary", {u"b", false, kRegBinary, {}}, u"\"b\"=hex:"},
    {"type without a name", {u"t", false, 0x0b, {0x01}}, u"\"t\"=hex(b):01"},
    {"absent before", {u"gone", true, kRegNone, {}}, u"\"gone\"=-"},
};

TEST(RegFile, EachValueIsWrittenAsRegeditWritesItAndReadsBackExactly) {
  for (const ValueCase& c : kValues) {
    SCOPED_TRACE(c.what);
    const std::u16string text = OneValue(c.value);
    EXPECT_EQ(text, std::u16string(u"Windows Registry Editor Version 5.00\r\n\r\n"
                                   u"[HKEY_CURRENT_USER\\Software\\T]\r\n") +
                        c.line + u"\r\n\r\n");
    RegFile f;
    f.keys.push_back({HKCU, u"Software\\T", false, {c.value}});
    const RegFile back = ParseRegFile(FormatRegFile(f));
    ASSERT_EQ(back.keys.size(), 1u);
    ASSERT_EQ(back.keys[0].values.size(), 1u);
    const RegFileValue& v = back.keys[0].values[0];
    EXPECT_EQ(v.name, c.value.name);
    EXPECT_EQ(v.remove, c.value.remove);
    if (!c.value.remove) {
      EXPECT_EQ(v.type, c.value.type);
      EXPECT_EQ(v.data, c.value.data);
    }
  }
}

TEST(RegFile, FileStartsWithByteOrderMarkAndKeepsCommentsKeysAndRemovals) {
  RegFile f;
  f.comments = {u"Tavo Trimmwerk 3.0.1", u"Computer: PC-1"};
  f.keys.push_back({HKLM, u"SOFTWARE\\Neu", true, {}});
  f.keys.push_back({HKCR,
                    u"Directory\\shell\\Kommandozeile öffnen",
                    false,
                    {{u"", false, kRegSz, Utf16(u"Kommandozeile öffnen", true)}}});
  const Bytes bytes = FormatRegFile(f);
  ASSERT_GE(bytes.size(), 2u);
  EXPECT_EQ(bytes[0], 0xFF);
  EXPECT_EQ(bytes[1], 0xFE);
  EXPECT_EQ(Text(bytes),
            u"Windows Registry Editor Version 5.00\r\n\r\n"
            u"; Tavo Trimmwerk 3.0.1\r\n; Computer: PC-1\r\n\r\n"
            u"[-HKEY_LOCAL_MACHINE\\SOFTWARE\\Neu]\r\n\r\n"
            u"[HKEY_CLASSES_ROOT\\Directory\\shell\\Kommandozeile öffnen]\r\n"
            u"@=\"Kommandozeile öffnen\"\r\n\r\n");
  const RegFile back = ParseRegFile(bytes);
  EXPECT_EQ(back.comments, f.comments);
  ASSERT_EQ(back.keys.size(), 2u);
  EXPECT_TRUE(back.keys[0].remove);
  EXPECT_EQ(back.keys[0].root, HKLM);
  EXPECT_EQ(back.keys[1].root, HKCR);
  EXPECT_EQ(back.keys[1].path, u"Directory\\shell\\Kommandozeile öffnen");
}

TEST(RegFile, ACommentStaysOneLine) {
  RegFile f;
  f.comments = {u"Windows: X\r\nY\tZ"};
  EXPECT_EQ(Text(FormatRegFile(f)),
            u"Windows Registry Editor Version 5.00\r\n\r\n; Windows: X  Y Z\r\n\r\n");
}

TEST(RegFile, ABackslashCarriesOnOnlyWithinHexData) {
  struct Case {
    const char* what;
    std::u16string body;
    std::vector<std::u16string> comments;
    std::vector<std::u16string> keys;
    Bytes firstData;  // of the first key's first value
  };
  const Case cases[] = {
      {"a comment ending in =hex\\ before a key line",
       u"; a=hex\\\r\n[HKEY_CURRENT_USER\\T]\r\n\"a\"=dword:00000001\r\n",
       {u"a=hex\\"},
       {u"T"},
       {1, 0, 0, 0}},
      {"such a comment between keys",
       u"[HKEY_CURRENT_USER\\T]\r\n\"a\"=hex:01\r\n; b=hex:01,\\\r\n[HKEY_CURRENT_USER\\U]\r\n",
       {},
       {u"T", u"U"},
       {1}},
      {"hex data over three lines, a name holding =hex",
       u"[HKEY_CURRENT_USER\\T]\r\n\"x=hex\"=hex:01,\\\r\n  02,\\\r\n  "
       u"03\r\n[HKEY_CURRENT_USER\\U]\r\n",
       {},
       {u"T", u"U"},
       {1, 2, 3}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Bytes bytes = {0xFF, 0xFE};
    const Bytes body = Utf16(u"Windows Registry Editor Version 5.00\r\n\r\n" + c.body, false);
    bytes.insert(bytes.end(), body.begin(), body.end());
    const RegFile f = ParseRegFile(bytes);
    EXPECT_EQ(f.comments, c.comments);
    std::vector<std::u16string> keys;
    for (const RegFileKey& k : f.keys) keys.push_back(k.path);
    EXPECT_EQ(keys, c.keys);
    ASSERT_FALSE(f.keys.empty());
    ASSERT_FALSE(f.keys[0].values.empty());
    EXPECT_EQ(f.keys[0].values[0].data, c.firstData);
  }
}

TEST(RegFile, LeadingCommentsComeFromTheFilesFirstBytes) {
  const std::u16string text =
      u"Windows Registry Editor Version 5.00\r\n\r\n; Titel\r\n;  UTC: 2026-10-25T01:10:00Z\r\n"
      u"\r\n[HKEY_CURRENT_USER\\T]\r\n; danach\r\n";
  Bytes file = {0xFF, 0xFE};
  const Bytes body = Utf16(text, false);
  file.insert(file.end(), body.begin(), body.end());
  const auto first = [&](std::size_t units) {
    return Bytes(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(2 + 2 * units));
  };
  const std::size_t utcEnd = text.find(u"Z\r\n") + 3;
  struct Case {
    const char* what;
    Bytes start;
    std::vector<std::u16string> comments;
  };
  const Case cases[] = {
      {"whole file", file, {u"Titel", u"UTC: 2026-10-25T01:10:00Z"}},
      {"cut after the line", first(utcEnd), {u"Titel", u"UTC: 2026-10-25T01:10:00Z"}},
      {"cut within the line", first(utcEnd - 3), {u"Titel"}},
      {"cut within a unit", Bytes(file.begin(), file.begin() + 2 + 2 * utcEnd - 1), {u"Titel"}},
      {"no header", Utf16(u"; Titel\r\n", false), {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(LeadingComments(c.start), c.comments);
  }
  EXPECT_EQ(ParseRegFile(file).comments, cases[0].comments);
}

TEST(RegFile, LongHexDataIsWrappedAndJoinedAgain) {
  RegFileValue v{u"Settings", false, kRegBinary, {}};
  for (int i = 0; i < 300; ++i) v.data.push_back(static_cast<std::uint8_t>(i));
  const std::u16string text = OneValue(v);
  std::size_t longest = 0, start = 0, lines = 0;
  for (std::size_t end; (end = text.find(u"\r\n", start)) != std::u16string::npos; ++lines) {
    longest = std::max(longest, end - start);
    start = end + 2;
  }
  EXPECT_LE(longest, 80u);
  EXPECT_GT(lines, 10u);
  RegFile f;
  f.keys.push_back({HKCU, u"Software\\T", false, {v}});
  EXPECT_EQ(ParseRegFile(FormatRegFile(f)).keys.at(0).values.at(0).data, v.data);
}

TEST(RegFile, RefusesWhatItCannotReadNamingTheLine) {
  auto file = [](const std::u16string& text) {
    Bytes b = {0xFF, 0xFE};
    const Bytes body = Utf16(text, false);
    b.insert(b.end(), body.begin(), body.end());
    return b;
  };
  const std::u16string head = u"Windows Registry Editor Version 5.00\r\n\r\n";
  struct Bad {
    Bytes bytes;
    const char* line;
    std::vector<std::size_t> skipped;  // read leniently; {0} when refused there too
  };
  const std::u16string key = u"[HKEY_CURRENT_USER\\T]\r\n";
  std::u16string deepest = u"[HKEY_CURRENT_USER";
  for (int level = 0; level < 512; ++level) deepest += u"\\k";
  const Bad bad[] = {
      {{'R', 'E', 'G'}, "Zeile 1", {0}},
      {file(u"REGEDIT5\r\n"), "Zeile 1: REGEDIT5", {0}},
      {file(head + u"\"a\"=dword:1\r\n"), "Zeile 3", {3}},
      {file(head + key + u"\"a\"=dword:1\r\n"), "Zeile 4: \"a\"=dword:1", {}},
      {file(head + u"[HKEY_USER\\T]\r\n\"a\"=-\r\n"), "Zeile 3", {3, 4}},
      {file(head + key + u"\"a\"=hex:0g\r\n"), "Zeile 4", {4}},
      {file(head + key + u"\"a\"=\"open\r\n"), "Zeile 4", {4}},
      {file(head + key + u"\"a\"=word:1\r\n"), "Zeile 4", {4}},
      {file(head + u"[-HKEY_CURRENT_USER\\T]\r\n\"a\"=-\r\n"), "Zeile 4", {4}},
      {file(head + u"[HKEY_CURRENT_USER\\T\r\n"), "Zeile 3", {3}},
      {file(head + u"# x\r\n"), "Zeile 3", {}},
      {file(head + u"[-HKEY_LOCAL_MACHINE]\r\n"), "Zeile 3", {3}},
      // 513 levels, a name of 256 characters: beyond what regedit can create.
      {file(head + deepest + u"\\k]\r\n\"a\"=x\r\n"), "Zeile 4", {3, 4}},
      {file(head + u"[HKEY_CURRENT_USER\\" + std::u16string(256, u'n') + u"]\r\n\"a\"=x\r\n"),
       "Zeile 4",
       {3, 4}},
      {file(head + deepest + u"]\r\n[HKEY_CURRENT_USER\\" + std::u16string(255, u'n') +
            u"]\r\n\"a\"=x\r\n"),
       "Zeile 5",
       {5}},
      // Hex data that runs on into a key line, a line left over after hex data, a backslash
      // after other data: the line is named, nothing is dropped.
      {file(head + key + u"\"a\"=hex:01,\\\r\n[HKEY_CURRENT_USER\\U]\r\n"), "Zeile 4", {4}},
      {file(head + key + u"\"a\"=hex:01,\\\r\n  02\r\n  03\r\n"), "Zeile 6: 03", {6}},
      {file(head + key + u"\"a\"=dword:00000001\\\r\n  02\r\n"), "Zeile 4", {4, 5}},
      {file(head + key + u"\"a\"=\"x\"\\\r\n\"b\"=\"y\"\r\n"), "Zeile 4", {4}},
  };
  for (const Bad& b : bad) {
    SCOPED_TRACE(b.line);
    try {
      ParseRegFile(b.bytes);
      ADD_FAILURE() << "accepted";
    } catch (const Error& e) {
      EXPECT_NE(std::string(e.what()).find(b.line), std::string::npos) << e.what();
    }
    try {
      EXPECT_EQ(ParseRegFile(b.bytes, RegFileReading::Lenient).skipped, b.skipped);
    } catch (const Error& e) {
      EXPECT_EQ(b.skipped, std::vector<std::size_t>{0}) << e.what();
    }
  }
}

// Files from elsewhere: REGEDIT4 in the ANSI code page, UTF-8 with and without its mark, keys
// of every root. Strings come out as the registry keeps them, in UTF-16.
TEST(RegFile, ReadsTheFilesOfOtherEditorsAndEncodings) {
  const Bytes ueSz = {0xFC, 0x00, 'x', 0x00, 0x00, 0x00};          // "üx" as REG_SZ
  const Bytes ueExpand = {'%', 0, 'a', 0, '%', 0, 0xFC, 0, 0, 0};  // "%a%ü" as REG_EXPAND_SZ
  const Bytes ueMulti = {0xFC, 0, 0, 0, 'b', 0, 0, 0, 0, 0};       // "ü", "b" as REG_MULTI_SZ
  struct Case {
    const char* what;
    Bytes file;
    std::vector<std::pair<std::uint32_t, Bytes>> values;  // type and data of the first key's
    RegRoot root;
  };
  auto bytes = [](const std::string& s) { return Bytes(s.begin(), s.end()); };
  const Case cases[] = {
      {"REGEDIT4, ANSI",
       bytes("REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\T]\r\n\"a\"=\"\xFCx\"\r\n"
             "\"b\"=hex(2):25,61,25,fc,00\r\n\"c\"=hex(7):fc,00,62,00,00\r\n"),
       {{kRegSz, ueSz}, {kRegExpandSz, ueExpand}, {kRegMultiSz, ueMulti}},
       HKCU},
      {"5.00 in UTF-8 without a mark, LF only",
       bytes("Windows Registry Editor Version 5.00\n\n[HKEY_USERS\\S-1-5-18\\T]\n"
             "\"a\"=\"\xC3\xBCx\"\n"),
       {{kRegSz, ueSz}},
       HKU},
      {"5.00 in UTF-8 with its mark, continued hex",
       bytes("\xEF\xBB\xBFWindows Registry Editor Version 5.00\r\n\r\n"
             "[HKEY_CURRENT_CONFIG\\T]\r\n\"a\"=hex(2):25,00,61,00,25,00,\\\r\n  fc,00,00,00\r\n"),
       {{kRegExpandSz, ueExpand}},
       HKCC},
      {"5.00 in the ANSI code page",
       bytes("Windows Registry Editor Version 5.00\r\n\r\n[HKEY_LOCAL_MACHINE\\T]\r\n"
             "\"a\"=\"\xFCx\"\r\n\"b\"=-\r\n"),
       {{kRegSz, ueSz}, {kRegNone, {}}},
       HKLM},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const RegFile f = ParseRegFile(c.file);
    ASSERT_EQ(f.keys.size(), 1u);
    EXPECT_EQ(f.keys[0].root, c.root);
    ASSERT_EQ(f.keys[0].values.size(), c.values.size());
    for (std::size_t i = 0; i < c.values.size(); ++i) {
      EXPECT_EQ(f.keys[0].values[i].type, c.values[i].first) << i;
      EXPECT_EQ(f.keys[0].values[i].data, c.values[i].second) << i;
    }
  }
}

}  // namespace
}  // namespace tw
