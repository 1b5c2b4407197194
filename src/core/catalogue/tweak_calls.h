#pragma once

// How a tweak is read and written: its row's data, or the computed getter and setter.

#include <string>
#include <variant>

#include "catalogue/catalogue_row.h"

namespace tw {

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

// One visitor out of several lambdas, for std::visit.
template <class... F>
struct Overloaded : F... {
  using F::operator()...;
};
template <class... F>
Overloaded(F...) -> Overloaded<F...>;

}  // namespace tw
