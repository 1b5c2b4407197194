// Fuzz target: a registry file chosen for import is anybody's. Whatever it holds, reading it
// and laying it over the machine in an overlay, as the import does before the window shows it,
// leaves the machine's registry byte for byte as it was, and no key open.

#include "catalogue_machine.h"
#include "flows/backup_entries.h"
#include "flows/import_selection.h"
#include "fuzz_support.h"
#include "system/error.h"

namespace {

const char kTarget[] = "import_overlay";

// Every key and value of the three roots, as one file's bytes.
tw::Bytes Everything(tw::RegistryApi& api) {
  tw::RegFile f;
  for (tw::RegRoot root : {tw::HKCR, tw::HKCU, tw::HKLM}) {
    for (tw::RegFileKey& k : tw::DumpSubtree(api, {root, u""})) f.keys.push_back(std::move(k));
  }
  return tw::FormatRegFile(f);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tw;
  RegFile file;
  try {
    file = ParseRegFile(Bytes(data, data + size), RegFileReading::Lenient);
  } catch (const Error&) {
    return 0;
  }
  static MemoryRegistry machine;
  static const Bytes before = [] {
    fuzz::SeedCatalogueMachine(machine);
    return Everything(machine);
  }();
  IgnoredEntries(file, Layout::XP);
  IgnoredEntries(file, Layout::Vista);
  {
    OverlayRegistry overlay(machine);
    RestoreEntries(OverlayEntries(file), overlay);
  }
  if (machine.OpenHandles() != 0) fuzz::Fail(kTarget, "a key of the machine was left open");
  if (Everything(machine) != before)
    fuzz::Fail(kTarget, "laying the file over changed the machine");
  return 0;
}
