#pragma once

// What the fuzz targets share: libFuzzer's entry point, which the replay (replay_main.cpp)
// calls as well, a reader that turns fuzz bytes into values, and the report of a broken
// property. Texts here are places and bytes, printed as ASCII, never the program's messages.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "registry/registry.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace tw::fuzz {

// Printable ASCII as it is, every other unit as \uXXXX.
inline std::string Show(const std::u16string& text) {
  std::string out;
  for (char16_t c : text) {
    if (c >= 0x20 && c < 0x7F) {
      out += static_cast<char>(c);
    } else {
      char buffer[8];
      std::snprintf(buffer, sizeof buffer, "\\u%04X", static_cast<unsigned>(c));
      out += buffer;
    }
  }
  return out;
}

inline std::string ShowBytes(const Bytes& bytes) {
  std::string out;
  char buffer[4];
  for (std::uint8_t b : bytes) {
    std::snprintf(buffer, sizeof buffer, "%02x ", b);
    out += buffer;
  }
  if (!out.empty()) out.pop_back();
  return "[" + out + "]";
}

// A broken property: says what broke and stops, so that libFuzzer keeps the input and the
// replay fails.
[[noreturn]] inline void Fail(const char* target, const std::string& what) {
  std::fprintf(stderr, "%s: property broken: %s\n", target, what.c_str());
  std::abort();
}

// Reads values off the fuzz bytes; past their end everything reads as zero.
class Input {
 public:
  Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  std::uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
  Bytes Take(std::size_t n) {
    Bytes out;
    while (n-- > 0 && at_ < size_) out.push_back(data_[at_++]);
    return out;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

}  // namespace tw::fuzz
