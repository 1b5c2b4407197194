#pragma once

// The registry access layer: every tweak reads and writes through these helpers, so all
// registry policy (rights requested, when keys are created, what a missing value reads as,
// which failures raise) lives here once.
//
// The helpers work only inside a batch: between OpenRegistryAccess and CloseRegistryAccess
// (or inside a RegistryBatch). Without an accessor every helper returns its failure result
// (false, or the caller's default) and touches nothing.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "registry/registry_api.h"

namespace tw {

using Bytes = std::vector<std::uint8_t>;

// The backend the helpers go through (advapi32 in the program, the in-memory registry in
// tests). Not owned. With no backend, OpenRegistryAccess fails. The program sets it through
// RegistryBackendScope.
void SetRegistryBackend(RegistryApi* api);
RegistryApi* RegistryBackend();

// Makes api the helpers' backend for the scope and puts the previous one back on every path
// out of it, an exception included. Open the batch inside the scope: an accessor keeps the
// backend it was opened with.
class RegistryBackendScope {
 public:
  explicit RegistryBackendScope(RegistryApi& api) : previous_(RegistryBackend()) {
    SetRegistryBackend(&api);
  }
  ~RegistryBackendScope() { SetRegistryBackend(previous_); }
  RegistryBackendScope(const RegistryBackendScope&) = delete;
  RegistryBackendScope& operator=(const RegistryBackendScope&) = delete;

 private:
  RegistryApi* previous_;
};

// Creates a fresh accessor, replacing one still present. True when it was created.
bool OpenRegistryAccess();
// Destroys the accessor; true when none remains.
bool CloseRegistryAccess();
bool RegistryAccessOpen();

// A call of a writer or remover that failed inside the batch: its root and Win32 code. A remove
// that finds nothing to remove leaves kErrorFileNotFound, which is no refusal.
struct RegFailure {
  RegRoot root;
  long code;
  bool refused() const { return code != kErrorFileNotFound; }
};
// How many failures the open batch has recorded, and those from the first-th on; a new batch
// starts with none.
std::size_t RegistryFailureCount();
std::vector<RegFailure> RegistryFailuresSince(std::size_t first);

// Opens an accessor for one batch of registry work and closes it on every path out of the
// scope, an exception included.
class RegistryBatch {
 public:
  RegistryBatch() : opened_(OpenRegistryAccess()) {}
  ~RegistryBatch() {
    if (opened_) CloseRegistryAccess();
  }
  RegistryBatch(const RegistryBatch&) = delete;
  RegistryBatch& operator=(const RegistryBatch&) = delete;
  bool opened() const { return opened_; }

 private:
  bool opened_;
};

// Readers. A value counts only when its type is exactly the reader's (REG_DWORD of 4 bytes,
// REG_SZ, REG_BINARY; a REG_EXPAND_SZ is not a string here); otherwise, and for a missing key
// or value, the result is the caller's default. A REG_SZ is read within its stored size and cut
// at the first zero byte, so data without a terminator or of odd length reads safely. With the
// create flag true a reader first shows "Ich will aber nichts erzeugen!"; no reader creates
// anything. A value that vanishes between probing and reading raises Error.
std::int32_t ReadRegInteger(RegRoot root, const std::string& path, const std::string& name,
                            bool create, std::int32_t def);
std::string ReadRegString(RegRoot root, const std::string& path, const std::string& name,
                          bool create, const std::string& def);
Bytes ReadRegBinary(RegRoot root, const std::string& path, const std::string& name, bool create,
                    const Bytes& def);

// Presence tests; a key that does not open reads as false.
bool RegKeyPresent(RegRoot root, const std::string& path);
bool RegKeyHasSubKeys(RegRoot root, const std::string& path);
bool RegValuePresent(RegRoot root, const std::string& path, const std::string& name);

// Writers create missing keys. False when an existing key cannot be opened for writing, or
// refuses even probing (nothing is written then); Error "Erzeugung von Schlüssel %s misslungen"
// when a missing key cannot be created, "Fehler beim Setzen der Daten für '%s'" when the value
// write is refused.
bool WriteRegInteger(RegRoot root, const std::string& path, const std::string& name,
                     std::int32_t value);
bool WriteRegString(RegRoot root, const std::string& path, const std::string& name,
                    const std::string& value);
bool WriteRegExpandString(RegRoot root, const std::string& path, const std::string& name,
                          const std::string& value);
bool WriteRegBinary(RegRoot root, const std::string& path, const std::string& name,
                    const Bytes& data);

// True when the key exists afterwards; Error when it cannot be created.
bool MakeRegKey(RegRoot root, const std::string& path);
// Deletes the key with its whole subtree, subkeys by their exact (wide) names. Every key of the
// tree is opened for deleting before anything is deleted: when one refuses, nothing is deleted
// and the result is false, as it is for a missing key.
bool RemoveRegKey(RegRoot root, const std::string& path);
// The tree removal of RemoveRegKey on any registry, outside a batch: the key at path (exact
// wide names) with its subtree, nothing of it unless every key opened for deleting first.
// kErrorSuccess, or the code of the first call that failed (kErrorFileNotFound for a missing
// key).
long DeleteRegTree(RegistryApi& api, RegRoot root, const std::u16string& path);

// Calls each with the name of every value (EachValueName: EnumValueW) or subkey (EachSubKeyName:
// EnumKeyW) of an open key, in the registry's order, as it is listed; info is the key's
// QueryInfoKeyW, for the longest name. The listing ends at the first call that fails.
using NameVisitor = std::function<void(const std::u16string& name)>;
void EachValueName(RegistryApi& api, RegHandle key, const RegKeyInfo& info,
                   const NameVisitor& each);
void EachSubKeyName(RegistryApi& api, RegHandle key, const RegKeyInfo& info,
                    const NameVisitor& each);

// Never creates the key; false when the key or the value is missing.
bool RemoveRegValue(RegRoot root, const std::string& path, const std::string& name);

}  // namespace tw
