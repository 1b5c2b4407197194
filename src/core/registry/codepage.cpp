#include "registry/codepage.h"

#include "registry/registry_api.h"

namespace tw {
namespace {

// U+0080..U+009F in cp1252; bytes without a character keep their C1 code point.
constexpr char16_t kHigh[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char16_t Cp1252ByteToUtf16(unsigned char c) { return c >= 0x80 && c < 0xA0 ? kHigh[c - 0x80] : c; }

char Utf16ToCp1252Byte(char16_t u) {
  if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) return static_cast<char>(u);
  for (int i = 0; i < 32; ++i) {
    if (kHigh[i] == u) return static_cast<char>(0x80 + i);
  }
  return '?';
}

}  // namespace

std::u16string AnsiToWide(const std::string& text) {
  std::u16string out;
  out.reserve(text.size());
  for (char c : text) out += Cp1252ByteToUtf16(static_cast<unsigned char>(c));
  return out;
}

std::string WideToAnsi(const std::u16string& text) {
  std::string out;
  out.reserve(text.size());
  for (char16_t u : text) out += Utf16ToCp1252Byte(u);
  return out;
}

std::vector<std::uint8_t> Utf16Bytes(const std::u16string& text) {
  std::vector<std::uint8_t> out;
  for (char16_t u : text) {
    out.push_back(static_cast<std::uint8_t>(u));
    out.push_back(static_cast<std::uint8_t>(u >> 8));
  }
  return out;
}

bool IsTextType(std::uint32_t type) {
  return type == kRegSz || type == kRegExpandSz || type == kRegMultiSz;
}

std::vector<std::uint8_t> AnsiDataToWide(std::uint32_t type, const std::uint8_t* data,
                                         std::uint32_t size) {
  if (!IsTextType(type)) return std::vector<std::uint8_t>(data, data + size);
  return Utf16Bytes(AnsiToWide(std::string(data, data + size)));
}

std::vector<std::uint8_t> WideDataToAnsi(std::uint32_t type,
                                         const std::vector<std::uint8_t>& data) {
  if (!IsTextType(type)) return data;
  std::u16string wide;
  for (std::size_t i = 0; i + 1 < data.size(); i += 2)
    wide += static_cast<char16_t>(data[i] | data[i + 1] << 8);
  const std::string ansi = WideToAnsi(wide);
  return std::vector<std::uint8_t>(ansi.begin(), ansi.end());
}

namespace {

// Upper case as the registry compares names: ASCII, Latin-1, Latin Extended-A, Greek and
// Cyrillic, which covers the names tests use.
char16_t Upcase(char16_t c) {
  if (c >= u'a' && c <= u'z') return c - 0x20;
  if (c < 0xE0) return c;
  if (c <= 0xFE) return c == 0xF7 ? c : c - 0x20;
  if (c == 0xFF) return 0x178;
  if ((c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177)) return c & ~1;
  if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) return c & 1 ? c : c - 1;
  if (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2) return c - 0x20;
  if (c >= 0x430 && c <= 0x44F) return c - 0x20;
  if (c >= 0x450 && c <= 0x45F) return c - 0x50;
  return c;
}

}  // namespace

std::u16string FoldName(const std::u16string& s) {
  std::u16string out(s);
  for (char16_t& c : out) c = Upcase(c);
  return out;
}

}  // namespace tw
