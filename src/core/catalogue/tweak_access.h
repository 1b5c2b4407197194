#pragma once

// A tweak by its name, as the read orders and write sequences name it: its getter and setter
// come from its catalogue row, or from the table of computed tweaks.

#include <string>
#include <variant>

#include "catalogue/catalogue_row.h"

namespace tw {

// A tweak and, where one tweak stands for several controls, which of them: a search option's
// value name, a search provider's name.
struct TweakRef {
  TweakRef(const char* tweak, const char* which = nullptr) : name(tweak), argument(which) {}
  const char* name;
  const char* argument;
};

// A getter of one of several values of its tweak, and which one it reads.
struct NamedGetter {
  bool (*get)(const std::string&);
  const char* argument;
  bool operator==(const NamedGetter& o) const {
    return get == o.get && std::string(argument ? argument : "") == (o.argument ? o.argument : "");
  }
};

// How a tweak reads: the conditions of its row (or the row's number), or a computed getter.
using Getter = std::variant<std::monostate, const TweakRow*, bool (*)(), int (*)(),
                            std::string (*)(), NamedGetter>;

// How a tweak writes: the steps of its row, or a computed setter by what it takes: the negated
// box, a number, two list indexes, five box states, a text, or a search provider (whether to
// remove it, its name, its address).
using Setter =
    std::variant<std::monostate, const TweakRow*, bool (*)(bool), bool (*)(int), bool (*)(int, int),
                 bool (*)(int, int, int, int, int), bool (*)(const std::string&),
                 bool (*)(bool, const std::string&, const std::string&)>;

// The getter of a row or computed tweak (a named getter with the reference's argument) and its
// setter; std::logic_error when it has none.
Getter TweakGetter(const TweakRef& tweak);
Setter TweakSetter(const std::string& name);

// One visitor out of several lambdas, for std::visit.
template <class... F>
struct Overloaded : F... {
  using F::operator()...;
};
template <class... F>
Overloaded(F...) -> Overloaded<F...>;

}  // namespace tw
