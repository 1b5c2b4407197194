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
  RegistryApi* api;
  RegRoot root = HKCU;
  std::uint32_t access = kKeyAllAccess;
};

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

bool KeyExists(Accessor& a, const std::string& path) {
  RegKey key(*a.api);
  return key.Open(a.root, path, kKeyProbe) == kErrorSuccess;
}

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
  if (!KeyExists(*a, path)) {
    RegKey created(*a->api);
    if (created.Create(a->root, path, a->access) != kErrorSuccess) {
      throw Error(FormatMessage1(kCreateRefused, path));
    }
  }
  return key.Create(a->root, path, a->access) == kErrorSuccess;
}

bool WriteValue(RegRoot root, const std::string& path, const std::string& name, std::uint32_t type,
                const std::uint8_t* data, std::size_t size) {
  if (!g_accessor) return false;
  RegKey key(*g_accessor->api);
  if (!OpenForWrite(root, path, key)) return false;
  if (key.api().SetValue(key.get(), name, type, data, static_cast<std::uint32_t>(size)) !=
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

// Deletes parent\name after its subkeys, last first. Subkeys that cannot be enumerated stay,
// and then the final delete fails.
bool DeleteTree(RegistryApi& api, RegHandle parent, const std::string& name) {
  {
    RegKey key(api);
    if (key.Open(parent, name, kKeyAllAccess) == kErrorSuccess) {
      std::uint32_t count = 0;
      std::uint32_t longest = 0;
      if (api.QueryInfoKey(key.get(), &count, &longest, nullptr) == kErrorSuccess) {
        std::vector<char> buffer(longest + 1);
        for (std::uint32_t i = count; i-- > 0;) {
          std::uint32_t len = longest + 1;
          if (api.EnumKey(key.get(), i, buffer.data(), &len) == kErrorSuccess) {
            DeleteTree(api, key.get(), std::string(buffer.data(), len));
          }
        }
      }
    }
  }
  return api.DeleteKey(parent, name) == kErrorSuccess;
}

}  // namespace

void SetRegistryBackend(RegistryApi* api) { g_backend = api; }
RegistryApi* RegistryBackend() { return g_backend; }

bool OpenRegistryAccess() {
  g_accessor.reset();
  if (g_backend == nullptr) return false;
  g_accessor = std::make_unique<Accessor>(Accessor{g_backend});
  return true;
}

bool CloseRegistryAccess() {
  g_accessor.reset();
  return true;
}

bool RegistryAccessOpen() { return g_accessor != nullptr; }

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
  if (key.Create(a->root, path, a->access) != kErrorSuccess) {
    throw Error(FormatMessage1(kCreateRefused, path));
  }
  return true;
}

bool RemoveRegKey(RegRoot root, const std::string& path) {
  Accessor* a = Select(root);
  if (a == nullptr) return false;
  a->access = kKeyAllAccess;
  return DeleteTree(*a->api, a->root, Relative(path));
}

bool RemoveRegValue(RegRoot root, const std::string& path, const std::string& name) {
  Accessor* a = Select(root);
  if (a == nullptr) return false;
  a->access = kKeyAllAccess;
  RegKey key(*a->api);
  return key.Open(a->root, Relative(path), a->access) == kErrorSuccess &&
         a->api->DeleteValue(key.get(), name) == kErrorSuccess;
}

}  // namespace tw
