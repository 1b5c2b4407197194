#include "registry/reg_place.h"

#include <cstdio>

#include "registry/codepage.h"
#include "registry/reg_key.h"

namespace tw {
namespace {

const std::u16string kCurrentControlSet = u"SYSTEM\\CURRENTCONTROLSET";

std::u16string Tidy(const std::u16string& path) {
  if (path.empty() ||
      (path.front() != u'\\' && path.back() != u'\\' && path.find(u"\\\\") == std::u16string::npos))
    return path;
  std::u16string out;
  for (char16_t c : path) {
    if (c == u'\\' && (out.empty() || out.back() == u'\\')) continue;
    out += c;
  }
  if (!out.empty() && out.back() == u'\\') out.pop_back();
  return out;
}

}  // namespace

unsigned CurrentControlSetNumber(RegistryApi& api) {
  RegKey k(api);
  if (k.Open(HKLM, u"SYSTEM\\Select", kKeyQueryValue) != kErrorSuccess) return 1;
  std::uint32_t type = 0, size = 4;
  std::uint8_t data[4] = {};
  if (api.QueryValueW(k.get(), u"Current", &type, data, &size) != kErrorSuccess ||
      type != kRegDword || size != 4)
    return 1;
  const std::uint32_t n = DwordValue(data);
  return n >= 1 && n <= 999 ? n : 1;
}

bool NamesCurrentControlSet(const RegPath& p) {
  if (p.root != HKLM || p.path.size() < kCurrentControlSet.size()) return false;
  const std::u16string folded = FoldName(Tidy(p.path));
  return folded.compare(0, kCurrentControlSet.size(), kCurrentControlSet) == 0 &&
         (folded.size() == kCurrentControlSet.size() || folded[kCurrentControlSet.size()] == u'\\');
}

RegPath CanonicalKey(const RegPath& p, unsigned controlSet) {
  const std::u16string path = Tidy(p.path);
  if (p.root == HKCR)
    return {HKLM, path.empty() ? u"SOFTWARE\\Classes" : u"SOFTWARE\\Classes\\" + path};
  if (!NamesCurrentControlSet({p.root, path})) return {p.root, path};
  char number[16];
  std::snprintf(number, sizeof number, "%03u", controlSet);
  return {HKLM,
          u"SYSTEM\\ControlSet" + AnsiToWide(number) + path.substr(kCurrentControlSet.size())};
}

bool KeyAtOrBelow(const std::u16string& folded, const std::u16string& foldedParent) {
  const std::size_t n = foldedParent.size();
  return folded == foldedParent ||
         (folded.size() > n && folded.compare(0, n, foldedParent) == 0 && folded[n] == u'\\');
}

bool Under(const RegPath& p, const RegPath& parent) {
  const RegPath a = CanonicalKey(p), b = CanonicalKey(parent);
  return a.root == b.root && KeyAtOrBelow(FoldName(a.path), FoldName(b.path));
}

bool SameKey(const RegPath& a, const RegPath& b) {
  const RegPath x = CanonicalKey(a), y = CanonicalKey(b);
  return x.root == y.root && FoldName(x.path) == FoldName(y.path);
}

}  // namespace tw
