// Fuzz target: a backup file is data that any program of the user can write, and undo runs it
// with the user's rights. Whatever the file says, a restore may change only what a setter of
// the apply run writes: the input is a backup file, checked against a machine that holds every
// catalogue key (catalogue_machine.h) and restored when the check lets it through. Afterwards
// every sentinel holds its bytes, every difference to the machine before is at a place the
// catalogue allows, no key is left open, and undoing the same file again (its mark failed)
// changes nothing more.

#include <algorithm>
#include <map>
#include <memory>
#include <optional>

#include "catalogue_machine.h"
#include "flows/backup_entries.h"
#include "forwarding_registry.h"
#include "fuzz_support.h"
#include "system/error.h"

namespace {

using namespace tw;

const char kTarget[] = "backup_restore";

struct KeyState {
  RegPath key;                                                              // as stored
  std::map<std::u16string, std::pair<std::u16string, StoredValue>> values;  // by folded name
};
using Machine = std::map<std::pair<RegRoot, std::u16string>, KeyState>;  // by folded path

// Passes every call on and counts those that may change the registry: a machine that saw none
// needs no check and no fresh seeding.
class WriteCounter : public test::ForwardingRegistry {
 public:
  using ForwardingRegistry::ForwardingRegistry;
  std::size_t writes = 0;

 protected:
  long Changing(RegHandle) override {
    ++writes;
    return kErrorSuccess;
  }
};

std::optional<StoredValue> Read(RegistryApi& api, RegHandle key, const std::u16string& name) {
  std::uint32_t type = 0, size = 0;
  if (api.QueryValueW(key, name, &type, nullptr, &size) != kErrorSuccess) return std::nullopt;
  StoredValue v{type, Bytes(size)};
  if (api.QueryValueW(key, name, &type, v.data.data(), &size) != kErrorSuccess) std::abort();
  v.data.resize(size);
  return v;
}

// Every key and value under the key, read through the registry's own calls.
void Dump(RegistryApi& api, const RegPath& key, Machine& out) {
  RegKey k(api);
  RegKeyInfo info;
  if (k.Open(key.root, key.path, kKeyRead) != kErrorSuccess ||
      api.QueryInfoKeyW(k.get(), &info) != kErrorSuccess)
    fuzz::Fail(kTarget, "a key listed by its parent does not open: " + fuzz::Show(key.path));
  KeyState& state = out[{key.root, FoldName(key.path)}];
  state.key = key;
  EachValueName(api, k.get(), info, [&](const std::u16string& name) {
    state.values[FoldName(name)] = {name, *Read(api, k.get(), name)};
  });
  std::vector<std::u16string> subs;
  EachSubKeyName(api, k.get(), info, [&](const std::u16string& sub) { subs.push_back(sub); });
  for (const std::u16string& s : subs)
    Dump(api, {key.root, key.path.empty() ? s : key.path + u"\\" + s}, out);
}

Machine DumpAll(RegistryApi& api) {
  Machine all;
  for (RegRoot root : {HKCR, HKCU, HKLM}) Dump(api, {root, u""}, all);
  return all;
}

std::string Place(const RegPath& key, const std::u16string* value = nullptr) {
  std::string text = fuzz::Show(RootName(key.root) + u"\\" + key.path);
  if (value) text += " value \"" + fuzz::Show(*value) + "\"";
  return text;
}

void CheckSentinels(RegistryApi& api, const std::vector<fuzz::Sentinel>& sentinels,
                    const std::string& how) {
  for (const fuzz::Sentinel& s : sentinels) {
    RegKey k(api);
    std::optional<StoredValue> now;
    if (k.Open(s.key.root, s.key.path, kKeyRead) == kErrorSuccess) now = Read(api, k.get(), s.name);
    if (!now || !(*now == s.value))
      fuzz::Fail(kTarget, "sentinel " + std::string(now ? "changed" : "gone") + ": " +
                              Place(s.key, &s.name) + how);
  }
}

// Every difference between the machine before and after is one the catalogue allows.
void CheckChanges(const Machine& before, const Machine& after, const std::string& how) {
  for (const auto& [id, was] : before) {
    const auto now = after.find(id);
    if (now == after.end()) {
      if (!fuzz::InWrittenWholeKey(was.key))
        fuzz::Fail(kTarget, "key removed: " + Place(was.key) + how);
      continue;
    }
    for (const auto& [folded, value] : was.values) {
      const auto v = now->second.values.find(folded);
      if ((v == now->second.values.end() || !(v->second.second == value.second)) &&
          !fuzz::MayChangeValue(was.key, value.first))
        fuzz::Fail(kTarget, std::string(v == now->second.values.end() ? "value removed: "
                                                                      : "value changed: ") +
                                Place(was.key, &value.first) + how);
    }
  }
  for (const auto& [id, is] : after) {
    const auto was = before.find(id);
    if (was == before.end() && !fuzz::MayCreateKey(is.key))
      fuzz::Fail(kTarget, "key created: " + Place(is.key) + how);
    for (const auto& [folded, value] : is.values) {
      const bool added = was == before.end() || !was->second.values.count(folded);
      if (added && !fuzz::MayChangeValue(is.key, value.first))
        fuzz::Fail(kTarget, "value added: " + Place(is.key, &value.first) + how);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  RegFile file;
  try {
    file = ParseRegFile(Bytes(data, data + size));
  } catch (const Error&) {
    return 0;
  }
  // One seeded machine, seeded again only after an input wrote to it.
  static std::unique_ptr<MemoryRegistry> machine;
  static std::vector<fuzz::Sentinel> sentinels;
  static Machine before;
  if (!machine) {
    machine = std::make_unique<MemoryRegistry>();
    sentinels = fuzz::SeedCatalogueMachine(*machine);
    before = DumpAll(*machine);
  }
  WriteCounter counted(*machine);
  const std::size_t refused = FirstForeignLine(file, counted);
  std::string how = " (the check refused the file at line " + std::to_string(refused) + ")";
  if (refused == 0) {
    RestoreBackup(file.keys, counted);
    how = " (the check let the file through, restored)";
  }
  if (machine->OpenHandles() != 0)
    fuzz::Fail(kTarget, std::to_string(machine->OpenHandles()) + " registry keys left open" + how);
  if (counted.writes == 0) return 0;
  CheckSentinels(*machine, sentinels, how);
  const Machine once = DumpAll(*machine);
  CheckChanges(before, once, how);
  if (refused == 0 && FirstForeignLine(file, *machine) == 0) {
    RestoreBackup(file.keys, *machine);
    const Machine twice = DumpAll(*machine);
    if (!std::equal(once.begin(), once.end(), twice.begin(), twice.end(), [](auto& a, auto& b) {
          return a.first == b.first && a.second.values == b.second.values;
        }))
      fuzz::Fail(kTarget, "restoring the file again changed the machine" + how);
  }
  machine = std::make_unique<MemoryRegistry>();
  fuzz::SeedCatalogueMachine(*machine);
  return 0;
}
