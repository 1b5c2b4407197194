#include "registry/reg_file.h"

#include <cstdio>
#include <optional>

#include "registry/codepage.h"
#include "system/error.h"

namespace tw {

int HexDigit(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

namespace {

const char16_t kHeader[] = u"Windows Registry Editor Version 5.00";
// Files of Windows 95 to NT 4 (and any regedit asked for them): ANSI text.
const char16_t kAnsiHeader[] = u"REGEDIT4";
const char kBadLine[] = "Die Registrierungsdatei ist ungültig. Zeile %s";
// regedit breaks hex data before this column, each further line indented by two blanks.
constexpr std::size_t kHexColumns = 76;
// How much of a bad line an error quotes.
constexpr std::size_t kQuotedColumns = 80;
// What regedit cannot create: a key more levels below its root, a key name longer.
constexpr std::size_t kMaxKeyDepth = 512;
constexpr std::size_t kMaxKeyName = 255;
constexpr std::size_t kMaxValueName = 16383;

struct RootNameRow {
  RegRoot root;
  const char16_t* name;
};
const RootNameRow kRoots[] = {
    {HKCR, u"HKEY_CLASSES_ROOT"}, {HKCU, u"HKEY_CURRENT_USER"},   {HKLM, u"HKEY_LOCAL_MACHINE"},
    {HKU, u"HKEY_USERS"},         {HKCC, u"HKEY_CURRENT_CONFIG"},
};

std::u16string Ascii(const std::string& text) { return std::u16string(text.begin(), text.end()); }

std::u16string Quoted(const std::u16string& text) {
  std::u16string out = u"\"";
  for (char16_t c : text) {
    if (c == u'\\' || c == u'"') out += u'\\';
    out += c;
  }
  return out + u"\"";
}

// Only a string that reads back as the same bytes may be written in quotes: one terminating
// zero, and no unit below U+0020 (a line break would split the line).
bool RoundTripsAsString(const RegFileValue& v) {
  if (v.type != kRegSz || v.data.size() < 2 || v.data.size() % 2 != 0) return false;
  for (std::size_t i = 0; i + 2 < v.data.size(); i += 2) {
    if (v.data[i + 1] == 0 && v.data[i] < 0x20) return false;
  }
  return v.data[v.data.size() - 2] == 0 && v.data.back() == 0;
}

// A comment on one line: control characters become blanks.
std::u16string CommentLine(const std::u16string& text) {
  std::u16string out = text;
  for (char16_t& c : out) {
    if (c < u' ') c = u' ';
  }
  return out;
}

std::u16string DataText(const RegFileValue& v, std::size_t column) {
  if (v.remove) return u"-";
  if (RoundTripsAsString(v)) {
    std::u16string text;
    for (std::size_t i = 0; i + 2 < v.data.size(); i += 2)
      text += static_cast<char16_t>(v.data[i] | v.data[i + 1] << 8);
    return Quoted(text);
  }
  char buffer[16];
  if (v.type == kRegDword && v.data.size() == 4) {
    const std::uint32_t n = DwordValue(v.data.data());
    std::snprintf(buffer, sizeof buffer, "%08x", static_cast<unsigned>(n));
    return u"dword:" + Ascii(buffer);
  }
  if (v.type == kRegBinary) {
    std::snprintf(buffer, sizeof buffer, "hex:");
  } else {
    std::snprintf(buffer, sizeof buffer, "hex(%x):", static_cast<unsigned>(v.type));
  }
  std::u16string out = Ascii(buffer);
  column += out.size();
  for (std::size_t i = 0; i < v.data.size(); ++i) {
    std::snprintf(buffer, sizeof buffer, "%02x", v.data[i]);
    out += Ascii(buffer);
    column += 2;
    if (i + 1 == v.data.size()) break;
    out += u',';
    ++column;
    if (column >= kHexColumns) {
      out += u"\\\r\n  ";
      column = 2;
    }
  }
  return out;
}

// The start of a bad line, for an error box: a line may be megabytes long.
std::u16string Quote(const std::u16string& text) {
  if (text.size() <= kQuotedColumns) return text;
  std::size_t end = kQuotedColumns;
  if (text[end - 1] >= 0xD800 && text[end - 1] <= 0xDBFF) --end;  // not half a pair
  return text.substr(0, end) + u"\u2026";
}

[[noreturn]] void Refuse(std::size_t line, const std::u16string& text) {
  throw Error(FormatMessage1(kBadLine, std::to_string(line) + ": " + WideToAnsi(Quote(text))));
}

// A cursor over one logical line (continuations joined).
struct Cursor {
  const std::u16string& text;
  std::size_t at = 0;
  bool Eat(char16_t c) {
    if (at < text.size() && text[at] == c) {
      ++at;
      return true;
    }
    return false;
  }
  bool Rest(const std::u16string& prefix) {
    if (text.compare(at, prefix.size(), prefix) != 0) return false;
    at += prefix.size();
    return true;
  }
};

bool ReadQuoted(Cursor& c, std::u16string* out) {
  if (!c.Eat(u'"')) return false;
  while (c.at < c.text.size()) {
    char16_t ch = c.text[c.at++];
    if (ch == u'"') return true;
    if (ch == u'\\') {
      if (c.at == c.text.size()) return false;
      ch = c.text[c.at++];
    }
    *out += ch;
  }
  return false;
}

bool ReadHexBytes(Cursor& c, Bytes* out) {
  while (c.at < c.text.size()) {
    if (c.at + 1 >= c.text.size()) return false;
    const int hi = HexDigit(c.text[c.at]), lo = HexDigit(c.text[c.at + 1]);
    if (hi < 0 || lo < 0) return false;
    out->push_back(static_cast<std::uint8_t>(hi << 4 | lo));
    c.at += 2;
    if (c.at == c.text.size()) return true;
    if (!c.Eat(u',')) return false;
  }
  return true;  // "hex:" with no bytes, or a trailing comma
}

bool ReadData(Cursor& c, RegFileValue* v, RegFileReading reading) {
  if (c.Eat(u'-')) {
    v->remove = true;
    return c.at == c.text.size();
  }
  if (c.text.compare(c.at, 1, u"\"") == 0) {
    std::u16string s;
    if (!ReadQuoted(c, &s) || c.at != c.text.size()) return false;
    v->type = kRegSz;
    v->data = Utf16Bytes(s + u'\0');
    return true;
  }
  if (c.Rest(u"dword:")) {
    // What the program writes has eight digits; regedit takes one to eight.
    const std::size_t digits = c.text.size() - c.at;
    if (reading == RegFileReading::Lenient ? digits == 0 || digits > 8 : digits != 8) return false;
    std::uint32_t n = 0;
    for (; c.at < c.text.size(); ++c.at) {
      const int d = HexDigit(c.text[c.at]);
      if (d < 0) return false;
      n = n << 4 | static_cast<std::uint32_t>(d);
    }
    v->type = kRegDword;
    const DwordData data = DwordBytes(n);
    v->data.assign(data.begin(), data.end());
    return true;
  }
  if (c.Rest(u"hex:")) {
    v->type = kRegBinary;
    return ReadHexBytes(c, &v->data);
  }
  if (c.Rest(u"hex(")) {
    std::uint32_t type = 0;
    std::size_t digits = 0;
    for (int d; c.at < c.text.size() && (d = HexDigit(c.text[c.at])) >= 0; ++c.at, ++digits)
      type = type << 4 | static_cast<std::uint32_t>(d);
    if (digits == 0 || digits > 8 || !c.Rest(u"):")) return false;
    v->type = type;
    return ReadHexBytes(c, &v->data);
  }
  return false;
}

// UTF-8 as UTF-16, or nothing when the bytes are no valid UTF-8 (overlong forms, surrogates
// and stray continuation bytes included).
std::optional<std::u16string> FromUtf8(const Bytes& b, std::size_t from) {
  std::u16string out;
  for (std::size_t i = from; i < b.size();) {
    const std::uint8_t lead = b[i];
    std::size_t n = lead < 0x80             ? 0
                    : (lead & 0xE0) == 0xC0 ? 1
                    : (lead & 0xF0) == 0xE0 ? 2
                    : (lead & 0xF8) == 0xF0 ? 3
                                            : 4;
    if (n == 4 || i + n >= b.size() + (n == 0)) return std::nullopt;
    std::uint32_t cp = n == 0 ? lead : lead & (0x3F >> n);
    for (std::size_t k = 1; k <= n; ++k) {
      if ((b[i + k] & 0xC0) != 0x80) return std::nullopt;
      cp = cp << 6 | (b[i + k] & 0x3F);
    }
    static const std::uint32_t kLeast[] = {0, 0x80, 0x800, 0x10000};
    if (cp < kLeast[n] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return std::nullopt;
    if (cp >= 0x10000) {
      out += static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
      out += static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
    } else {
      out += static_cast<char16_t>(cp);
    }
    i += n + 1;
  }
  return out;
}

// The file's text: UTF-16LE after FF FE (what regedit writes), UTF-8 after EF BB BF; without a
// byte-order mark UTF-8 when it is valid UTF-8, otherwise the ANSI code page.
std::optional<std::u16string> DecodeText(const Bytes& b) {
  if (b.size() >= 2 && b[0] == 0xFF && b[1] == 0xFE) {
    if (b.size() % 2 != 0) return std::nullopt;
    std::u16string text;
    for (std::size_t i = 2; i + 1 < b.size(); i += 2)
      text += static_cast<char16_t>(b[i] | b[i + 1] << 8);
    return text;
  }
  if (b.size() >= 3 && b[0] == 0xEF && b[1] == 0xBB && b[2] == 0xBF) return FromUtf8(b, 3);
  if (auto utf8 = FromUtf8(b, 0)) return utf8;
  return AnsiToWide(std::string(b.begin(), b.end()));
}

// The ANSI bytes of a REGEDIT4 file's hex(2) and hex(7) data as the UTF-16 the registry keeps.
Bytes Widened(const Bytes& ansi) {
  return Utf16Bytes(AnsiToWide(std::string(ansi.begin(), ansi.end())));
}

std::u16string Trim(const std::u16string& s) {
  std::size_t b = 0, e = s.size();
  while (b < e && (s[b] == u' ' || s[b] == u'\t')) ++b;
  while (e > b && (s[e - 1] == u' ' || s[e - 1] == u'\t')) --e;
  return s.substr(b, e - b);
}

// The lines of a text, without their line ends (CR LF or LF).
std::vector<std::u16string> Lines(const std::u16string& text) {
  std::vector<std::u16string> lines;
  for (std::size_t start = 0; start <= text.size();) {
    std::size_t end = text.find(u'\n', start);
    if (end == std::u16string::npos) end = text.size();
    std::u16string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == u'\r') line.pop_back();
    lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

// A key regedit can create: at most kMaxKeyDepth levels of names no longer than kMaxKeyName.
bool CreatablePath(const std::u16string& path) {
  std::size_t levels = 0;
  for (std::size_t from = 0;; ++levels) {
    std::size_t slash = path.find(u'\\', from);
    if (slash == std::u16string::npos) slash = path.size();
    if (slash - from > kMaxKeyName || levels == kMaxKeyDepth) return false;
    if (slash == path.size()) return true;
    from = slash + 1;
  }
}

// A key line, "[root\path]" or "[-root\path]", trimmed; nothing when it names no key below a
// root of the table, or (read leniently) one that regedit cannot create.
std::optional<RegFileKey> KeyLine(const std::u16string& line, std::size_t number,
                                  RegFileReading reading) {
  const std::size_t close = line.rfind(u']');
  if (close == std::u16string::npos || close + 1 != line.size()) return std::nullopt;
  RegFileKey k;
  k.line = number;
  std::u16string full = line.substr(1, close - 1);
  if (!full.empty() && full[0] == u'-') {
    k.remove = true;
    full.erase(0, 1);
  }
  const std::size_t slash = full.find(u'\\');
  k.root = RootFromName(full.substr(0, slash));
  if (k.root == 0 || slash == std::u16string::npos || slash + 1 == full.size()) return std::nullopt;
  k.path = full.substr(slash + 1);
  if (reading == RegFileReading::Lenient && !CreatablePath(k.path)) return std::nullopt;
  return k;
}

// A value line, its data continued over the following lines (advancing i) where hex data ends
// in a backslash; nothing when it does not parse.
std::optional<RegFileValue> ValueLine(const std::vector<std::u16string>& lines, std::size_t& i,
                                      RegFileReading reading, bool ansi) {
  std::u16string line = Trim(lines[i]);
  Cursor c{line};
  RegFileValue v;
  v.line = i + 1;
  if (!c.Eat(u'@') && !ReadQuoted(c, &v.name)) return std::nullopt;
  if (!c.Eat(u'=')) return std::nullopt;
  // Only hex data goes on in the next line, after a trailing backslash. Read leniently, a key
  // line is never taken for data: the value is bad, the key still counts.
  if (line.compare(c.at, 3, u"hex") == 0) {
    while (line.back() == u'\\' && i + 1 < lines.size()) {
      const std::u16string next = Trim(lines[i + 1]);
      if (reading == RegFileReading::Lenient && !next.empty() && next[0] == u'[') break;
      line.pop_back();
      line += next;
      ++i;
    }
  }
  if (!ReadData(c, &v, reading)) return std::nullopt;
  if (reading == RegFileReading::Lenient && v.name.size() > kMaxValueName) return std::nullopt;
  if (ansi && (v.type == kRegExpandSz || v.type == kRegMultiSz) && !v.remove)
    v.data = Widened(v.data);
  return v;
}

}  // namespace

std::u16string RootName(RegRoot root) {
  for (const RootNameRow& r : kRoots) {
    if (r.root == root) return r.name;
  }
  return u"";
}

RegRoot RootFromName(const std::u16string& name) {
  for (const RootNameRow& r : kRoots) {
    if (r.name == name) return r.root;
  }
  return 0;
}

Bytes FormatRegFile(const RegFile& file) {
  std::u16string text = kHeader;
  text += u"\r\n\r\n";
  for (const std::u16string& comment : file.comments)
    text += u"; " + CommentLine(comment) + u"\r\n";
  if (!file.comments.empty()) text += u"\r\n";
  for (const RegFileKey& key : file.keys) {
    text += key.remove ? u"[-" : u"[";
    text += RootName(key.root) + u"\\" + key.path + u"]\r\n";
    for (const RegFileValue& v : key.values) {
      const std::u16string name = v.name.empty() ? u"@" : Quoted(v.name);
      text += name + u"=" + DataText(v, name.size() + 1) + u"\r\n";
    }
    text += u"\r\n";
  }
  return Utf16Bytes(u"\uFEFF" + text);  // byte order mark FF FE
}

RegFile ParseRegFile(const Bytes& bytes, RegFileReading reading) {
  const std::optional<std::u16string> decoded = DecodeText(bytes);
  if (!decoded) Refuse(1, u"");

  const std::vector<std::u16string> lines = Lines(*decoded);
  const bool ansi = !lines.empty() && lines[0] == kAnsiHeader;
  if (lines.empty() || (lines[0] != kHeader && !ansi)) Refuse(1, lines.empty() ? u"" : lines[0]);

  const bool lenient = reading == RegFileReading::Lenient;
  RegFile file;
  RegFileKey* key = nullptr;
  for (std::size_t i = 1; i < lines.size(); ++i) {
    const std::size_t number = i + 1;
    const std::u16string line = Trim(lines[i]);
    if (line.empty()) continue;
    if (line[0] == u';') {
      if (file.keys.empty()) file.comments.push_back(Trim(line.substr(1)));
      continue;
    }
    if (lenient && line[0] == u'#') continue;
    // Read leniently, a line that does not parse is left out, as regedit leaves it; so are the
    // values of a key that is not read, or is removed.
    if (line[0] == u'[') {
      std::optional<RegFileKey> k = KeyLine(line, number, reading);
      if (!k) {
        if (!lenient) Refuse(number, line);
        file.skipped.push_back(number);
        key = nullptr;
        continue;
      }
      file.keys.push_back(std::move(*k));
      key = file.keys.back().remove ? nullptr : &file.keys.back();
      continue;
    }
    std::optional<RegFileValue> v;
    if (key) v = ValueLine(lines, i, reading, ansi);
    if (!v) {
      if (!lenient) Refuse(number, line);
      file.skipped.push_back(number);
      continue;
    }
    key->values.push_back(std::move(*v));
  }
  return file;
}

std::vector<std::u16string> LeadingComments(const Bytes& start) {
  std::vector<std::u16string> comments;
  if (start.size() < 2 || start[0] != 0xFF || start[1] != 0xFE) return comments;
  std::u16string text;
  for (std::size_t i = 2; i + 1 < start.size(); i += 2)
    text += static_cast<char16_t>(start[i] | start[i + 1] << 8);
  bool header = true;
  for (std::size_t from = 0, end; (end = text.find(u'\n', from)) != std::u16string::npos;
       from = end + 1) {
    std::u16string line = text.substr(from, end - from);
    if (!line.empty() && line.back() == u'\r') line.pop_back();
    if (header) {
      if (line != kHeader) break;
      header = false;
      continue;
    }
    line = Trim(line);
    if (line.empty()) continue;
    if (line[0] != u';') break;
    comments.push_back(Trim(line.substr(1)));
  }
  return comments;
}

}  // namespace tw
