#pragma once

// The counts the program's documentation gives for its two layouts. The tests assert them from
// here only, so a new setting changes its tables and this one place.

namespace tw {

inline constexpr int kExplanationTexts = 99;  // one per tweak ID on a page
inline constexpr int kWritesXP = 85;          // setter calls of an apply run
inline constexpr int kWritesVista = 56;
inline constexpr int kReadsXP = 95;  // getter calls of a load
inline constexpr int kReadsVista = 57;

}  // namespace tw
