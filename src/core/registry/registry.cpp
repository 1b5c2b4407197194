#include "registry/registry.h"

#include <algorithm>
#include <memory>
#include <optional>

#include "registry/codepage.h"
#include "registry/reg_key.h"
#include "system/error.h"
#include "system/messages.h"

namespace tw {
namespace {

const char kCreateRefused[] = "Erzeugung von Schlüssel %s misslungen";
const char kWriteRefused[] = "Fehler beim Setzen der Daten für '%s'";
const char kReadFailed[] = "Fehler beim Holen der Daten für '%s'";
const char kNoCreate[] = "Ich will aber nichts erzeugen!";

// The one shared accessor of a batch: the backend and the failures recorded so far. Closing a
// key never flushes it (lazy write).
struct Accessor {
  RegistryApi* api = nullptr;
  std::vector<RegFailure> failures;
};

// Deleting a tree needs to open every key of it with these rights first.
constexpr std::uint32_t kDelete = 0x10000;
constexpr std::uint32_t kTreeAccess = kDelete | kKeyEnumerateSubKeys | kKeyQueryValue;

RegistryApi* g_backend = nullptr;
std::unique_ptr<Accessor> g_accessor;

std::string Relative(const std::string& path) {
  return !path.empty() && path[0] == '\\' ? path.substr(1) : path;
}

// The root one helper call works on, inside the open batch.
struct Selected {
  Accessor& accessor;
  RegRoot root;
  RegistryApi& api() const { return *accessor.api; }
};

// The open batch with the root of this call, or nullopt when there is no batch.
std::optional<Selected> Select(RegRoot root) {
  if (!g_accessor) return std::nullopt;
  return Selected{*g_accessor, root};
}

// Records a failed call of a write on the call's root; returns the code.
long Note(const Selected& s, long rc) {
  if (rc != kErrorSuccess) s.accessor.failures.push_back(RegFailure{s.root, rc});
  return rc;
}

// kErrorSuccess when the key is there; a key that refuses even probing is there as well, and
// gives its refusal.
long Probe(const Selected& s, const std::string& path) {
  RegKey key(s.api());
  return key.Open(s.root, path, kKeyProbe);
}

bool KeyExists(const Selected& s, const std::string& path) {
  return Probe(s, path) == kErrorSuccess;
}

// Opens read-only with the weakest rights Windows grants.
bool OpenReadOnly(const Selected& s, const std::string& path, RegKey& key) {
  for (std::uint32_t access : {kKeyRead, kKeyProbe, kKeyQueryValue}) {
    if (key.Open(s.root, path, access) == kErrorSuccess) return true;
  }
  return false;
}

// The stored bytes of a value of exactly the wanted type, read within its stored size; nullopt
// when the reader has to return its default. A value that cannot be read after it was found
// raises.
std::optional<Bytes> ReadTyped(RegRoot root, const std::string& rawPath, const std::string& name,
                               bool create, std::uint32_t wanted) {
  if (create) ShowMessage(kNoCreate);
  const auto s = Select(root);
  if (!s) return std::nullopt;
  const std::string path = Relative(rawPath);
  RegKey key(s->api());
  if (!KeyExists(*s, path) || !OpenReadOnly(*s, path, key)) return std::nullopt;
  std::uint32_t type = kRegNone;
  std::uint32_t size = 0;
  if (s->api().QueryValue(key.get(), name, &type, nullptr, &size) != kErrorSuccess ||
      type != wanted) {
    return std::nullopt;
  }
  Bytes data(size);
  std::uint32_t got = size;
  if (s->api().QueryValue(key.get(), name, &type, size ? data.data() : nullptr, &got) !=
          kErrorSuccess ||
      type != wanted) {
    throw Error(FormatMessage1(kReadFailed, name));
  }
  data.resize(std::min(got, size));
  return data;
}

// Opens the key for writing, creating missing levels first. False when the key exists but
// refuses write access.
bool OpenForWrite(const Selected& s, const std::string& rawPath, RegKey& key) {
  const std::string path = Relative(rawPath);
  if (Probe(s, path) == kErrorFileNotFound) {
    RegKey created(s.api());
    if (Note(s, created.Create(s.root, path, kKeyAllAccess)) != kErrorSuccess) {
      throw Error(FormatMessage1(kCreateRefused, path));
    }
  }
  return Note(s, key.Create(s.root, path, kKeyAllAccess)) == kErrorSuccess;
}

bool WriteValue(RegRoot root, const std::string& path, const std::string& name, std::uint32_t type,
                const std::uint8_t* data, std::size_t size) {
  const auto s = Select(root);
  if (!s) return false;
  RegKey key(s->api());
  if (!OpenForWrite(*s, path, key)) return false;
  if (Note(*s, s->api().SetValue(key.get(), name, type, data, static_cast<std::uint32_t>(size))) !=
      kErrorSuccess) {
    throw Error(FormatMessage1(kWriteRefused, name));
  }
  return true;
}

bool WriteText(RegRoot root, const std::string& path, const std::string& name, std::uint32_t type,
               const std::string& value) {
  return WriteValue(root, path, name, type, reinterpret_cast<const std::uint8_t*>(value.c_str()),
                    value.size() + 1);
}

bool DeleteTree(const Selected& s, const std::string& path) {
  return Note(s, DeleteRegTree(s.api(), s.root, AnsiToWide(path))) == kErrorSuccess;
}

// A subkey of a tree to delete: the open key above it and its exact name.
struct TreeEntry {
  RegHandle parent;
  std::u16string name;
};

// Opens every key below key with the rights to delete it, parents before their subkeys, and
// keeps them open in keys. Stops at the first key that refuses and returns its code.
long OpenTree(RegistryApi& api, RegHandle key, std::vector<RegKey>& keys,
              std::vector<TreeEntry>& entries) {
  RegKeyInfo info;
  if (const long rc = api.QueryInfoKeyW(key, &info)) return rc;
  std::vector<char16_t> buffer(info.maxSubKeyLen + 1);
  for (std::uint32_t i = 0; i < info.subKeys; ++i) {
    auto len = static_cast<std::uint32_t>(buffer.size());
    if (const long rc = api.EnumKeyW(key, i, buffer.data(), &len)) return rc;
    std::u16string name(buffer.data(), len);
    RegKey sub(api);
    if (const long rc = sub.Open(key, name, kTreeAccess)) return rc;
    const RegHandle opened = sub.get();
    keys.push_back(std::move(sub));
    entries.push_back(TreeEntry{key, std::move(name)});
    if (const long rc = OpenTree(api, opened, keys, entries)) return rc;
  }
  return kErrorSuccess;
}

}  // namespace

long DeleteRegTree(RegistryApi& api, RegRoot root, const std::u16string& path) {
  std::vector<RegKey> keys;
  std::vector<TreeEntry> entries;
  {
    RegKey top(api);
    if (const long rc = top.Open(root, path, kTreeAccess)) return rc;
    const RegHandle handle = top.get();
    keys.push_back(std::move(top));
    if (const long rc = OpenTree(api, handle, keys, entries)) return rc;
  }
  for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
    if (const long rc = api.DeleteKeyW(it->parent, it->name)) return rc;
  }
  return api.DeleteKeyW(root, path);
}

void EachValueName(RegistryApi& api, RegHandle key, const RegKeyInfo& info,
                   const NameVisitor& each) {
  std::u16string name(info.maxValueNameLen + 1, u'\0');
  for (std::uint32_t i = 0;; ++i) {
    auto len = static_cast<std::uint32_t>(name.size());
    if (api.EnumValueW(key, i, &name[0], &len, nullptr, nullptr, nullptr) != kErrorSuccess) return;
    each(name.substr(0, len));
  }
}

void EachSubKeyName(RegistryApi& api, RegHandle key, const RegKeyInfo& info,
                    const NameVisitor& each) {
  std::u16string name(info.maxSubKeyLen + 1, u'\0');
  for (std::uint32_t i = 0;; ++i) {
    auto len = static_cast<std::uint32_t>(name.size());
    if (api.EnumKeyW(key, i, &name[0], &len) != kErrorSuccess) return;
    each(name.substr(0, len));
  }
}

void SetRegistryBackend(RegistryApi* api) { g_backend = api; }
RegistryApi* RegistryBackend() { return g_backend; }

bool OpenRegistryAccess() {
  g_accessor.reset();
  if (g_backend == nullptr) return false;
  g_accessor = std::make_unique<Accessor>();
  g_accessor->api = g_backend;
  return true;
}

bool CloseRegistryAccess() {
  g_accessor.reset();
  return true;
}

bool RegistryAccessOpen() { return g_accessor != nullptr; }

std::size_t RegistryFailureCount() { return g_accessor ? g_accessor->failures.size() : 0; }

std::vector<RegFailure> RegistryFailuresSince(std::size_t first) {
  if (!g_accessor || first >= g_accessor->failures.size()) return {};
  return std::vector<RegFailure>(g_accessor->failures.begin() + first, g_accessor->failures.end());
}

std::int32_t ReadRegInteger(RegRoot root, const std::string& path, const std::string& name,
                            bool create, std::int32_t def) {
  const auto data = ReadTyped(root, path, name, create, kRegDword);
  if (!data || data->size() != 4) return def;
  return static_cast<std::int32_t>(DwordValue(data->data()));
}

std::string ReadRegString(RegRoot root, const std::string& path, const std::string& name,
                          bool create, const std::string& def) {
  const auto data = ReadTyped(root, path, name, create, kRegSz);
  if (!data) return def;
  const std::string text(data->begin(), data->end());
  return text.substr(0, text.find('\0'));
}

Bytes ReadRegBinary(RegRoot root, const std::string& path, const std::string& name, bool create,
                    const Bytes& def) {
  return ReadTyped(root, path, name, create, kRegBinary).value_or(def);
}

bool RegKeyPresent(RegRoot root, const std::string& path) {
  const auto s = Select(root);
  return s && KeyExists(*s, Relative(path));
}

bool RegKeyHasSubKeys(RegRoot root, const std::string& path) {
  const auto s = Select(root);
  if (!s) return false;
  RegKey key(s->api());
  std::uint32_t count = 0;
  return OpenReadOnly(*s, Relative(path), key) &&
         s->api().QueryInfoKey(key.get(), &count, nullptr, nullptr) == kErrorSuccess && count > 0;
}

bool RegValuePresent(RegRoot root, const std::string& path, const std::string& name) {
  const auto s = Select(root);
  if (!s) return false;
  RegKey key(s->api());
  std::uint32_t size = 0;
  return OpenReadOnly(*s, Relative(path), key) &&
         s->api().QueryValue(key.get(), name, nullptr, nullptr, &size) == kErrorSuccess;
}

bool WriteRegInteger(RegRoot root, const std::string& path, const std::string& name,
                     std::int32_t value) {
  const DwordData data = DwordBytes(static_cast<std::uint32_t>(value));
  return WriteValue(root, path, name, kRegDword, data.data(), data.size());
}

bool WriteRegString(RegRoot root, const std::string& path, const std::string& name,
                    const std::string& value) {
  return WriteText(root, path, name, kRegSz, value);
}

bool WriteRegExpandString(RegRoot root, const std::string& path, const std::string& name,
                          const std::string& value) {
  return WriteText(root, path, name, kRegExpandSz, value);
}

bool WriteRegBinary(RegRoot root, const std::string& path, const std::string& name,
                    const Bytes& data) {
  return WriteValue(root, path, name, kRegBinary, data.data(), data.size());
}

bool MakeRegKey(RegRoot root, const std::string& rawPath) {
  const auto s = Select(root);
  if (!s) return false;
  const std::string path = Relative(rawPath);
  // An existing key needs no write rights to be there afterwards (a machine-wide key for a user
  // without administrator rights).
  if (KeyExists(*s, path)) return true;
  RegKey key(s->api());
  if (Note(*s, key.Create(s->root, path, kKeyAllAccess)) != kErrorSuccess) {
    throw Error(FormatMessage1(kCreateRefused, path));
  }
  return true;
}

bool RemoveRegKey(RegRoot root, const std::string& path) {
  const auto s = Select(root);
  return s && DeleteTree(*s, Relative(path));
}

bool RemoveRegValue(RegRoot root, const std::string& path, const std::string& name) {
  const auto s = Select(root);
  if (!s) return false;
  RegKey key(s->api());
  return Note(*s, key.Open(s->root, Relative(path), kKeyAllAccess)) == kErrorSuccess &&
         Note(*s, s->api().DeleteValue(key.get(), name)) == kErrorSuccess;
}

}  // namespace tw
