#pragma once

// Registry files built from fuzz bytes, and the bytes that build a given file (for the seeds).
// The file holds what the writer can be asked to write and the format can carry:
// - comments: any units from U+0020 on (the writer turns control characters into blanks, so
//   that a comment stays one line), without blanks at either end (the reader trims them);
// - keys under HKCR, HKCU, HKLM, HKU or HKCC; a path of one to four segments, each of at least one
// unit
//   and none of backslash (the separator), NUL, CR, LF; no "]" at its end; "[-key]" with no
//   values;
// - value names of any units but NUL, CR and LF ("" is "@");
// - values: "=-", REG_SZ and REG_EXPAND_SZ of any units with their terminator, REG_MULTI_SZ,
//   REG_DWORD of four bytes, and any type (REG_SZ, REG_DWORD and others) with any bytes.
//
// The layout: counts and kinds are one byte each, taken modulo; a text is a length byte, then
// its units: a byte below 0x80 is that unit, 0xFF is followed by a unit's two bytes (low
// first), any other byte picks a unit from kUnits. Units a place cannot hold become '_'.

#include <string>
#include <vector>

#include "fuzz_support.h"
#include "registry/reg_file.h"

namespace tw::fuzz {

// Units that reach the writer's and the reader's special cases.
inline constexpr char16_t kUnits[] = {
    u'\r',  u'\n',  u'\t',  u'\0',  u'\\',  u'"',   u'[',   u']',   u';',   u'=',
    u'@',   u'-',   u' ',   0x00A0, 0x00E4, 0x00DF, 0x20AC, 0x03A9, 0x0416, 0xD800,
    0xDC00, 0xFEFF, 0xFFFE, 0xFFFF, 0x2028, 0x0085, 0x0130, 0x017F, 0x212A, 0x0081,
};

inline std::u16string ReadText(Input& in, const std::u16string& excluded) {
  std::u16string text;
  for (std::size_t n = in.Byte(); n > 0; --n) {
    const std::uint8_t b = in.Byte();
    char16_t c;
    if (b < 0x80) {
      c = b;
    } else if (b == 0xFF) {
      const std::uint8_t lo = in.Byte();
      c = static_cast<char16_t>(lo | in.Byte() << 8);
    } else {
      c = kUnits[(b - 0x80) % (sizeof kUnits / sizeof kUnits[0])];
    }
    text += excluded.find(c) == std::u16string::npos ? c : u'_';
  }
  return text;
}

inline Bytes Utf16Bytes(const std::u16string& text) {
  Bytes out;
  for (char16_t c : text) {
    out.push_back(static_cast<std::uint8_t>(c & 0xFF));
    out.push_back(static_cast<std::uint8_t>(c >> 8));
  }
  return out;
}

inline const std::u16string kControls = [] {
  std::u16string all;
  for (char16_t c = 0; c < u' '; ++c) all += c;
  return all;
}();
inline const std::u16string kNameExcluded(u"\0\r\n", 3);
inline const std::u16string kSegmentExcluded(u"\\\0\r\n", 4);
inline constexpr RegRoot kFileRoots[] = {HKCR, HKCU, HKLM, HKU, HKCC};
// The types of the raw form (kind 6); the last takes its number from four bytes.
inline constexpr std::uint32_t kRawTypes[] = {kRegSz,      kRegDword, kRegExpandSz,
                                              kRegMultiSz, kRegNone,  11 /* REG_QWORD */};
constexpr std::size_t kRawTypeCount = sizeof kRawTypes / sizeof kRawTypes[0] + 1;

inline std::u16string TrimBlanks(std::u16string s) {
  while (!s.empty() && (s.back() == u' ' || s.back() == u'\t')) s.pop_back();
  std::size_t b = 0;
  while (b < s.size() && (s[b] == u' ' || s[b] == u'\t')) ++b;
  return s.substr(b);
}

// A comment as the writer writes it and the reader reads it back.
inline std::u16string CommentAsWritten(std::u16string text) {
  for (char16_t& c : text) {
    if (c < u' ') c = u' ';
  }
  return TrimBlanks(text);
}

inline RegFileValue ReadValue(Input& in) {
  RegFileValue v;
  const int kind = in.Byte() % 7;
  v.name = ReadText(in, kNameExcluded);
  switch (kind) {
    case 0:
      v.remove = true;
      break;
    case 1:
    case 2:
      v.type = kind == 1 ? kRegSz : kRegExpandSz;
      v.data = Utf16Bytes(ReadText(in, u"") + u'\0');
      break;
    case 3: {
      v.type = kRegMultiSz;
      std::u16string all;
      for (int n = in.Byte() % 4; n > 0; --n) all += ReadText(in, std::u16string(1, u'\0')) + u'\0';
      v.data = Utf16Bytes(all + u'\0');
      break;
    }
    case 4:
      v.type = kRegDword;
      v.data = in.Take(4);
      v.data.resize(4);
      break;
    case 5:
      v.type = kRegBinary;
      v.data = in.Take(in.Byte());
      break;
    default: {
      const std::size_t t = in.Byte() % kRawTypeCount;
      if (t < kRawTypeCount - 1) {
        v.type = kRawTypes[t];
      } else {
        Bytes n = in.Take(4);
        n.resize(4);
        v.type = DwordValue(n.data());
      }
      v.data = in.Take(in.Byte());
    }
  }
  return v;
}

inline RegFile ReadRegFile(Input& in) {
  RegFile file;
  for (int n = in.Byte() % 4; n > 0; --n)
    file.comments.push_back(TrimBlanks(ReadText(in, kControls)));
  for (int n = in.Byte() % 8; n > 0; --n) {
    RegFileKey key;
    const std::uint8_t flags = in.Byte();
    key.root = kFileRoots[(flags & 7) % 5];
    key.remove = (flags & 8) != 0;
    for (int segments = 1 + in.Byte() % 4; segments > 0; --segments) {
      std::u16string segment = ReadText(in, kSegmentExcluded);
      if (segment.empty()) segment = u"_";
      key.path += (key.path.empty() ? u"" : u"\\") + segment;
    }
    if (key.path.back() == u']') key.path += u'_';
    if (!key.remove) {
      for (int values = in.Byte() % 8; values > 0; --values) key.values.push_back(ReadValue(in));
    }
    file.keys.push_back(key);
  }
  return file;
}

// The bytes ReadRegFile turns into file, for a file within the limits above (and texts, data
// and counts that fit the layout: up to 255 units or bytes, 3 comments, 7 keys, 7 values).
class InputWriter {
 public:
  void Byte(std::size_t b) { out_.push_back(static_cast<std::uint8_t>(b)); }
  void Text(const std::u16string& text) {
    Byte(text.size());
    for (char16_t c : text) {
      if (c < 0x80) {
        Byte(c);
      } else {
        Byte(0xFF);
        Byte(c & 0xFF);
        Byte(c >> 8);
      }
    }
  }
  void Value(const RegFileValue& v) {
    std::size_t t = 0;
    while (t < kRawTypeCount - 1 && kRawTypes[t] != v.type) ++t;
    Byte(v.remove ? 0 : v.type == kRegBinary ? 5 : 6);
    Text(v.name);
    if (v.remove) return;
    if (v.type != kRegBinary) {
      Byte(t);
      if (t == kRawTypeCount - 1) {
        for (std::uint8_t b : DwordBytes(v.type)) Byte(b);
      }
    }
    Byte(v.data.size());
    out_.insert(out_.end(), v.data.begin(), v.data.end());
  }
  Bytes File(const RegFile& file) {
    Byte(file.comments.size());
    for (const std::u16string& c : file.comments) Text(c);
    Byte(file.keys.size());
    for (const RegFileKey& k : file.keys) {
      std::size_t root = 0;
      while (root < 4 && kFileRoots[root] != k.root) ++root;
      Byte(root | (k.remove ? 8 : 0));
      std::vector<std::u16string> segments{u""};
      for (char16_t c : k.path) {
        if (c == u'\\') {
          segments.emplace_back();
        } else {
          segments.back() += c;
        }
      }
      Byte(segments.size() - 1);
      for (const std::u16string& s : segments) Text(s);
      if (!k.remove) {
        Byte(k.values.size());
        for (const RegFileValue& v : k.values) Value(v);
      }
    }
    return out_;
  }

 private:
  Bytes out_;
};

// The first difference between two files, line numbers aside, or "" when they are the same.
inline std::string Difference(const RegFile& a, const RegFile& b) {
  if (a.comments.size() != b.comments.size())
    return "comments: " + std::to_string(a.comments.size()) + " written, " +
           std::to_string(b.comments.size()) + " read";
  for (std::size_t i = 0; i < a.comments.size(); ++i) {
    if (a.comments[i] != b.comments[i])
      return "comment " + std::to_string(i) + ": wrote \"" + Show(a.comments[i]) + "\", read \"" +
             Show(b.comments[i]) + "\"";
  }
  if (a.keys.size() != b.keys.size())
    return "keys: " + std::to_string(a.keys.size()) + " written, " + std::to_string(b.keys.size()) +
           " read";
  for (std::size_t i = 0; i < a.keys.size(); ++i) {
    const RegFileKey &x = a.keys[i], &y = b.keys[i];
    const std::string key = "key " + std::to_string(i) + " \"" + Show(x.path) + "\"";
    if (x.root != y.root || x.path != y.path || x.remove != y.remove)
      return key + ": read as \"" + Show(y.path) + "\"" + (y.remove ? " (removal)" : "") +
             " root " + Show(RootName(y.root));
    if (x.values.size() != y.values.size())
      return key + ": " + std::to_string(x.values.size()) + " values written, " +
             std::to_string(y.values.size()) + " read";
    for (std::size_t j = 0; j < x.values.size(); ++j) {
      const RegFileValue &v = x.values[j], &w = y.values[j];
      if (v.name != w.name || v.remove != w.remove || v.type != w.type || v.data != w.data)
        return key + " value \"" + Show(v.name) + "\" type " + std::to_string(v.type) + " " +
               (v.remove ? "-" : ShowBytes(v.data)) + ": read as \"" + Show(w.name) + "\" type " +
               std::to_string(w.type) + " " + (w.remove ? "-" : ShowBytes(w.data));
    }
  }
  return "";
}

}  // namespace tw::fuzz
