#include "registry.h"

#include <algorithm>
#include <memory>
#include <optional>

#include "error.h"
#include "messages.h"
#include "reg_key.h"

namespace tw {
namespace {

const char kCreateRefused[] = "Erzeugung von Schlüssel %s misslungen";
const char kWriteRefused[] = "Fehler beim Setzen der Daten für '%s'";
const char kReadFailed[] = "Fehler beim Holen der Daten für '%s'";
const char kNoCreate[] = "Ich will aber nichts erzeugen!";

// The one shared accessor: which root the current helper works on and which rights it asks
// for when writing. Closing a key never flushes it (lazy write).
struct Accessor {
  RegistryApi* api = nullptr;
  RegRoot root = HKCU;
  std::uint32_t access = kKeyAllAccess;
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

// Selects the root on the accessor and returns it, or null when there is no accessor.
Accessor* Select(RegRoot root) {
  if (!g_accessor) return nullptr;
  g_accessor->root = root;
  return g_accessor.get();
}

// Records a failed call of a write on the accessor's root; returns the code.
long Note(Accessor& a, long rc) {
  if (rc != kErrorSuccess) a.failures.push_back(RegFailure{a.root, rc});
  return rc;
}

// kErrorSuccess when the key is there; a key that refuses even probing is there as well, and
// gives its refusal.
long Probe(Accessor& a, const std::string& path) {
  RegKey key(*a.api);
  return key.Open(a.root, path, kKeyProbe);
}

bool KeyExists(Accessor& a, const std::string& path) { return Probe(a, path) == kErrorSuccess; }

// Opens read-only with the weakest rights Windows grants.
bool OpenReadOnly(Accessor& a, const std::string& path, RegKey& key) {
  for (std::uint32_t access : {kKeyRead, kKeyProbe, kKeyQueryValue}) {
    if (key.Open(a.root, path, access) == kErrorSuccess) return true;
  }
  return false;
}

// The stored bytes of a value of exactly the wanted type, read within its stored size; nullopt
// when the reader has to return its default. A value that cannot be read after it was found
// raises.
std::optional<Bytes> ReadTyped(RegRoot root, const std::string& rawPath, const std::string& name,
                               bool create, std::uint32_t wanted) {
  if (create) ShowMessage(kNoCreate);
  Accessor* a = Select(root);
  if (a == nullptr) return std::nullopt;
  const std::string path = Relative(rawPath);
  RegKey key(*a->api);
  if (!KeyExists(*a, path) || !OpenReadOnly(*a, path, key)) return std::nullopt;
  std::uint32_t type = kRegNone;
  std::uint32_t size = 0;
  if (a->api->QueryValue(key.get(), name, &type, nullptr, &size) != kErrorSuccess ||
      type != wanted) {
    return std::nullopt;
  }
  Bytes data(size);
  std::uint32_t got = size;
  if (a->api->QueryValue(key.get(), name, &type, size ? data.data() : nullptr, &got) !=
          kErrorSuccess ||
      type != wanted) {
    throw Error(FormatMessage1(kReadFailed, name));
  }
  data.resize(std::min(got, size));
  return data;
}

// Opens the key for writing, creating missing levels first. False when the key exists but
// refuses write access.
bool OpenForWrite(RegRoot root, const std::string& rawPath, RegKey& key) {
  Accessor* a = Select(root);
  if (a == nullptr) return false;
  a->access = kKeyAllAccess;
  const std::string path = Relative(rawPath);
  if (Probe(*a, path) == kErrorFileNotFound) {
    RegKey created(*a->api);
    if (Note(*a, created.Create(a->root, path, a->access)) != kErrorSuccess) {
      throw Error(FormatMessage1(kCreateRefused, path));
    }
  }
  return Note(*a, key.Create(a->root, path, a->access)) == kErrorSuccess;
}

bool WriteValue(RegRoot root, const std::string& path, const std::string& name, std::uint32_t type,
                const std::uint8_t* data, std::size_t size) {
  if (!g_accessor) return false;
  RegKey key(*g_accessor->api);
  if (!OpenForWrite(root, path, key)) return false;
  if (Note(*g_accessor, key.api().SetValue(key.get(), name, type, data,
                                           static_cast<std::uint32_t>(size))) != kErrorSuccess) {
    throw Error(FormatMessage1(kWriteRefused, name));
  }
  return true;
}

bool WriteText(RegRoot root, const std::string& path, const std::string& name, std::uint32_t type,
               const std::string& value) {
  return WriteValue(root, path, name, type, reinterpret_cast<const std::uint8_t*>(value.c_str()),
                    value.size() + 1);
}

// A subkey of a tree to delete: the open key above it and its exact name.
struct TreeEntry {
  RegHandle parent;
  std::u16string name;
};

// Opens every key below key with the rights to delete it, parents before their subkeys, and
// keeps them open in keys. Stops at the first key that refuses and returns its code.
long OpenTree(Accessor& a, RegHandle key, std::vector<RegKey>& keys,
              std::vector<TreeEntry>& entries) {
  RegKeyInfo info;
  if (const long rc = Note(a, a.api->QueryInfoKeyW(key, &info))) return rc;
  std::vector<char16_t> buffer(info.maxSubKeyLen + 1);
  for (std::uint32_t i = 0; i < info.subKeys; ++i) {
    auto len = static_cast<std::uint32_t>(buffer.size());
    if (const long rc = Note(a, a.api->EnumKeyW(key, i, buffer.data(), &len))) return rc;
    std::u16string name(buffer.data(), len);
    RegKey sub(*a.api);
    if (const long rc = Note(a, sub.Open(key, name, kTreeAccess))) return rc;
    const RegHandle opened = sub.get();
    keys.push_back(std::move(sub));
    entries.push_back(TreeEntry{key, std::move(name)});
    if (const long rc = OpenTree(a, opened, keys, entries)) return rc;
  }
  return kErrorSuccess;
}

// Deletes the key at path with its whole subtree. XP has no transactions: every key of the
// tree is opened for deleting first, and nothing is deleted unless all of them opened.
bool DeleteTree(Accessor& a, const std::string& path) {
  std::vector<RegKey> keys;
  std::vector<TreeEntry> entries;
  {
    RegKey top(*a.api);
    if (Note(a, top.Open(a.root, path, kTreeAccess)) != kErrorSuccess) return false;
    const RegHandle handle = top.get();
    keys.push_back(std::move(top));
    if (OpenTree(a, handle, keys, entries) != kErrorSuccess) return false;
  }
  for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
    if (Note(a, a.api->DeleteKeyW(it->parent, it->name)) != kErrorSuccess) return false;
  }
  return Note(a, a.api->DeleteKey(a.root, path)) == kErrorSuccess;
}

}  // namespace

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
  const Bytes& d = *data;
  return static_cast<std::int32_t>(std::uint32_t(d[0]) | std::uint32_t(d[1]) << 8 |
                                   std::uint32_t(d[2]) << 16 | std::uint32_t(d[3]) << 24);
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
  Accessor* a = Select(root);
  return a != nullptr && KeyExists(*a, Relative(path));
}

bool RegKeyHasSubKeys(RegRoot root, const std::string& path) {
  Accessor* a = Select(root);
  if (a == nullptr) return false;
  RegKey key(*a->api);
  std::uint32_t count = 0;
  return OpenReadOnly(*a, Relative(path), key) &&
         a->api->QueryInfoKey(key.get(), &count, nullptr, nullptr) == kErrorSuccess && count > 0;
}

bool RegValuePresent(RegRoot root, const std::string& path, const std::string& name) {
  Accessor* a = Select(root);
  if (a == nullptr) return false;
  RegKey key(*a->api);
  std::uint32_t size = 0;
  return OpenReadOnly(*a, Relative(path), key) &&
         a->api->QueryValue(key.get(), name, nullptr, nullptr, &size) == kErrorSuccess;
}

bool WriteRegInteger(RegRoot root, const std::string& path, const std::string& name,
                     std::int32_t value) {
  const auto v = static_cast<std::uint32_t>(value);
  const std::uint8_t data[4] = {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8),
                                static_cast<std::uint8_t>(v >> 16),
                                static_cast<std::uint8_t>(v >> 24)};
  return WriteValue(root, path, name, kRegDword, data, sizeof data);
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
  Accessor* a = Select(root);
  if (a == nullptr) return false;
  a->access = kKeyAllAccess;
  const std::string path = Relative(rawPath);
  // An existing key needs no write rights to be there afterwards (a machine-wide key for a user
  // without administrator rights).
  if (KeyExists(*a, path)) return true;
  RegKey key(*a->api);
  if (Note(*a, key.Create(a->root, path, a->access)) != kErrorSuccess) {
    throw Error(FormatMessage1(kCreateRefused, path));
  }
  return true;
}

bool RemoveRegKey(RegRoot root, const std::string& path) {
  Accessor* a = Select(root);
  if (a == nullptr) return false;
  a->access = kKeyAllAccess;
  return DeleteTree(*a, Relative(path));
}

bool RemoveRegValue(RegRoot root, const std::string& path, const std::string& name) {
  Accessor* a = Select(root);
  if (a == nullptr) return false;
  a->access = kKeyAllAccess;
  RegKey key(*a->api);
  return Note(*a, key.Open(a->root, Relative(path), a->access)) == kErrorSuccess &&
         Note(*a, a->api->DeleteValue(key.get(), name)) == kErrorSuccess;
}

}  // namespace tw
