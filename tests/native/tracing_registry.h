#pragma once

// A registry that passes every call on to another and writes each down, one line per call: its
// name, its arguments, its result and, when it succeeded, what it handed back. Two runs of the
// program that make the same registry calls give the same text.

#include <cstdio>
#include <string>

#include "registry/registry_api.h"

namespace tw::test {

class TracingRegistry : public RegistryApi {
 public:
  explicit TracingRegistry(RegistryApi& inner) : inner_(inner) {}

  std::string log;
  std::size_t calls = 0;
  // Starts a part of the log: "== name".
  void Mark(const std::string& name) { log += "== " + name + "\n"; }

  long OpenKey(RegHandle parent, const std::string& sub, std::uint32_t access,
               RegHandle* out) override {
    return Open("OpenKey", &RegistryApi::OpenKey, parent, sub, access, out);
  }
  long CreateKey(RegHandle parent, const std::string& sub, std::uint32_t access,
                 RegHandle* out) override {
    return Open("CreateKey", &RegistryApi::CreateKey, parent, sub, access, out);
  }
  long CloseKey(RegHandle key) override { return Line(inner_.CloseKey(key), "CloseKey", H(key)); }
  long QueryValue(RegHandle key, const std::string& name, std::uint32_t* type, std::uint8_t* data,
                  std::uint32_t* size) override {
    return Query("QueryValue", &RegistryApi::QueryValue, key, name, type, data, size);
  }
  long SetValue(RegHandle key, const std::string& name, std::uint32_t type,
                const std::uint8_t* data, std::uint32_t size) override {
    return Line(inner_.SetValue(key, name, type, data, size), "SetValue", H(key), Q(name), X(type),
                B(data, size));
  }
  long DeleteValue(RegHandle key, const std::string& name) override {
    return Line(inner_.DeleteValue(key, name), "DeleteValue", H(key), Q(name));
  }
  long DeleteKey(RegHandle parent, const std::string& sub) override {
    return Line(inner_.DeleteKey(parent, sub), "DeleteKey", H(parent), Q(sub));
  }
  long QueryInfoKey(RegHandle key, std::uint32_t* subKeys, std::uint32_t* maxSubKeyLen,
                    std::uint32_t* values) override {
    const long rc = inner_.QueryInfoKey(key, subKeys, maxSubKeyLen, values);
    Line(rc, "QueryInfoKey", H(key));
    return Out(rc, [&] { return N(subKeys) + " " + N(maxSubKeyLen) + " " + N(values); });
  }
  long EnumKey(RegHandle key, std::uint32_t index, char* name, std::uint32_t* nameLen) override {
    return Enum("EnumKey", &RegistryApi::EnumKey, key, index, name, nameLen);
  }
  long OpenKeyW(RegHandle parent, const std::u16string& sub, std::uint32_t access,
                RegHandle* out) override {
    return Open("OpenKeyW", &RegistryApi::OpenKeyW, parent, sub, access, out);
  }
  long CreateKeyW(RegHandle parent, const std::u16string& sub, std::uint32_t access,
                  RegHandle* out) override {
    return Open("CreateKeyW", &RegistryApi::CreateKeyW, parent, sub, access, out);
  }
  long DeleteKeyW(RegHandle parent, const std::u16string& sub) override {
    return Line(inner_.DeleteKeyW(parent, sub), "DeleteKeyW", H(parent), Q(sub));
  }
  long QueryInfoKeyW(RegHandle key, RegKeyInfo* i) override {
    const long rc = inner_.QueryInfoKeyW(key, i);
    Line(rc, "QueryInfoKeyW", H(key));
    return Out(rc, [&] {
      return X(i->subKeys) + " " + X(i->maxSubKeyLen) + " " + X(i->values) + " " +
             X(i->maxValueNameLen) + " " + X(i->maxValueLen);
    });
  }
  long EnumKeyW(RegHandle key, std::uint32_t index, char16_t* name,
                std::uint32_t* nameLen) override {
    return Enum("EnumKeyW", &RegistryApi::EnumKeyW, key, index, name, nameLen);
  }
  long EnumValueW(RegHandle key, std::uint32_t index, char16_t* name, std::uint32_t* nameLen,
                  std::uint32_t* type, std::uint8_t* data, std::uint32_t* size) override {
    const std::string in = Size(nameLen) + " " + Size(size);
    const long rc = inner_.EnumValueW(key, index, name, nameLen, type, data, size);
    Line(rc, "EnumValueW", H(key), X(index), in);
    Out(rc, [&] { return Q(std::u16string(name, *nameLen)); });
    return Got(rc, type, data, size);
  }
  long QueryValueW(RegHandle key, const std::u16string& name, std::uint32_t* type,
                   std::uint8_t* data, std::uint32_t* size) override {
    return Query("QueryValueW", &RegistryApi::QueryValueW, key, name, type, data, size);
  }
  long SetValueW(RegHandle key, const std::u16string& name, std::uint32_t type,
                 const std::uint8_t* data, std::uint32_t size) override {
    return Line(inner_.SetValueW(key, name, type, data, size), "SetValueW", H(key), Q(name),
                X(type), B(data, size));
  }
  long DeleteValueW(RegHandle key, const std::u16string& name) override {
    return Line(inner_.DeleteValueW(key, name), "DeleteValueW", H(key), Q(name));
  }

 private:
  static std::string X(std::uint64_t n) {
    char text[24];
    std::snprintf(text, sizeof text, "%llx", static_cast<unsigned long long>(n));
    return text;
  }
  static std::string H(RegHandle h) { return "#" + X(h); }
  static std::string N(const std::uint32_t* n) { return n ? X(*n) : "-"; }
  static std::string Size(const std::uint32_t* n) { return "[" + N(n) + "]"; }
  // A name or text in quotes; a wide one as L"..." with \u escapes outside printable ASCII.
  static std::string Q(const std::string& s) { return "\"" + s + "\""; }
  static std::string Q(const std::u16string& s) {
    std::string out = "L\"";
    for (char16_t c : s) out += c >= 0x20 && c < 0x7F ? std::string(1, char(c)) : "\\u" + X(c);
    return out + "\"";
  }
  static std::string B(const std::uint8_t* data, std::uint32_t size) {
    std::string out = "<";
    for (std::uint32_t i = 0; data && i < size; ++i) out += (i ? " " : "") + X(data[i]);
    return out + ">";
  }

  template <class... Args>
  long Line(long rc, const char* call, const Args&... args) {
    ++calls;
    log += call;
    ((log += " " + args), ...);
    log += " = " + std::to_string(rc) + "\n";
    return rc;
  }
  // Adds what the call handed back to its line, when it succeeded.
  template <class What>
  long Out(long rc, What what) {
    if (rc == kErrorSuccess) log.insert(log.size() - 1, " -> " + what());
    return rc;
  }
  // The calls that come in an ANSI and a wide form, by the type of their names.
  template <typename Name>
  long Open(const char* call,
            long (RegistryApi::*open)(RegHandle, const Name&, std::uint32_t, RegHandle*),
            RegHandle parent, const Name& sub, std::uint32_t access, RegHandle* out) {
    const long rc = (inner_.*open)(parent, sub, access, out);
    Line(rc, call, H(parent), Q(sub), X(access));
    return Opened(rc, out);
  }
  template <typename Name>
  long Query(const char* call,
             long (RegistryApi::*query)(RegHandle, const Name&, std::uint32_t*, std::uint8_t*,
                                        std::uint32_t*),
             RegHandle key, const Name& name, std::uint32_t* type, std::uint8_t* data,
             std::uint32_t* size) {
    const std::string in = Size(size);
    const long rc = (inner_.*query)(key, name, type, data, size);
    Line(rc, call, H(key), Q(name), in);
    return Got(rc, type, data, size);
  }
  template <typename Char>
  long Enum(const char* call,
            long (RegistryApi::*enumerate)(RegHandle, std::uint32_t, Char*, std::uint32_t*),
            RegHandle key, std::uint32_t index, Char* name, std::uint32_t* nameLen) {
    const std::string in = Size(nameLen);
    const long rc = (inner_.*enumerate)(key, index, name, nameLen);
    Line(rc, call, H(key), X(index), in);
    return Out(rc, [&] { return Q(std::basic_string<Char>(name, *nameLen)); });
  }
  long Opened(long rc, const RegHandle* out) {
    return Out(rc, [&] { return H(*out); });
  }
  // A value's type, size and, when the buffer took them, its bytes; the size alone for
  // kErrorMoreData.
  long Got(long rc, const std::uint32_t* type, const std::uint8_t* data,
           const std::uint32_t* size) {
    if (rc != kErrorSuccess && rc != kErrorMoreData) return rc;
    const bool filled = rc == kErrorSuccess && data && size;
    Out(kErrorSuccess,
        [&] { return N(type) + " " + N(size) + (filled ? " " + B(data, *size) : ""); });
    return rc;
  }

  RegistryApi& inner_;
};

}  // namespace tw::test
