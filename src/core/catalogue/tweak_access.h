#pragma once

// A tweak by its name, as the read orders and write sequences name it: its getter and setter
// come from its catalogue row, or from the table of computed tweaks.

#include <string>

#include "catalogue/tweak_calls.h"

namespace tw {

// A tweak and, where one tweak stands for several controls, which of them: a search option's
// value name, a search provider's name.
struct TweakRef {
  TweakRef(const char* tweak, const char* which = nullptr) : name(tweak), argument(which) {}
  const char* name;
  const char* argument;
};

// The getter of a row or computed tweak (a named getter with the reference's argument) and its
// setter; std::logic_error when it has none.
Getter TweakGetter(const TweakRef& tweak);
Setter TweakSetter(const std::string& name);

}  // namespace tw
