#include "catalogue/tweak_access.h"

#include <algorithm>
#include <stdexcept>

#include "catalogue/computed_tweaks.h"

namespace tw {
namespace {

const ComputedTweak* FindComputed(const std::string& name) {
  const auto& all = ComputedTweaks();
  const auto it = std::find_if(all.begin(), all.end(),
                               [&](const ComputedTweak& c) { return c.info.name == name; });
  return it == all.end() ? nullptr : &*it;
}

template <class Access>
Access Find(const std::string& name, Access ComputedTweak::*access, const char* what) {
  if (const TweakRow* row = FindTweakRow(name)) return row;
  const ComputedTweak* computed = FindComputed(name);
  if (computed == nullptr || std::holds_alternative<std::monostate>(computed->*access)) {
    throw std::logic_error("no " + std::string(what) + " for the tweak " + name);
  }
  return computed->*access;
}

}  // namespace

Getter TweakGetter(const TweakRef& tweak) {
  Getter getter = Find(tweak.name, &ComputedTweak::get, "getter");
  auto* named = std::get_if<NamedGetter>(&getter);
  if ((named != nullptr) != (tweak.argument != nullptr)) {
    throw std::logic_error("the getter of " + std::string(tweak.name) + " and its argument");
  }
  if (named) named->argument = tweak.argument;
  return getter;
}
Setter TweakSetter(const std::string& name) { return Find(name, &ComputedTweak::set, "setter"); }

}  // namespace tw
