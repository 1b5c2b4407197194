// A selection travels whole: whatever state machines A and B are in, every setting that A's
// export names shows on B as it showed on A, after the import and after `regedit /s`.

#include <gtest/gtest.h>

#include <random>

#include "apply_fakes.h"
#include "catalogue_machine.h"
#include "fake_system.h"
#include "flows/export_selection.h"
#include "flows/import_selection.h"
#include "flows/standard_view.h"

namespace tw::test {
namespace {

constexpr int kPairs = 200;
// Every place of the layout's settings at random: absent, as either state of its setting writes
// it (Windows' default, the tweak's value), another value, or with the model's foreign content.
void RandomMachine(RegistryApi& m, Layout layout, unsigned seed) {
  std::mt19937 rng(seed);
  {
    RegistryBackendScope on(m);
    FakeSurface s;
    DeclareLayout(s, layout);
    RegistryBatch batch;
    for (const WriteStep& step : WriteSequence(layout)) {
      if (!WritesBoxes(step.arg) || rng() % 3 == 0) continue;
      for (const char* c : StepControls(step)) s.SetChecked(c, rng() % 2);
      MakeWrite(step, StepShown(s, step));
    }
  }
  for (const TweakInfo& t : CatalogueTweaks()) {
    const auto& writes = WriteSequence(layout);
    if (std::none_of(writes.begin(), writes.end(), [&](auto& w) { return t.name == w.tweak.name; }))
      continue;
    for (const RegLocation& l : t.locations) {
      const RegPath key{l.root, AnsiToWide(l.key)};
      const unsigned what = rng() % 5;
      RegKey k(m);
      if (what == 0 && l.wholeKey) DeleteRegTree(m, key.root, key.path);
      if (what > 1 || (what == 0 && l.wholeKey) ||
          k.Create(key.root, key.path, kKeyAllAccess) != kErrorSuccess)
        continue;
      const std::u16string name = l.wholeKey ? u"Fremd" : AnsiToWide(l.value);
      const std::uint8_t other[4] = {'x'};  // "x" or 120
      if (what == 0) m.DeleteValueW(k.get(), name);
      if (what == 1) m.SetValueW(k.get(), name, rng() % 2 ? kRegSz : kRegDword, other, 4);
    }
  }
}

FakeSurface Shown(RegistryApi& machine, Layout layout) {
  FakeSurface s;
  DeclareLayout(s, layout);
  RegistryBackendScope on(machine);
  LoadSettings(s, ReadOrder(layout));
  return s;
}

// The controls an export names: every checked box, and the controls of any other setting that
// shows something else than the Windows standard view.
std::vector<const char*> Exported(const FakeSurface& a, Layout layout) {
  std::vector<const char*> out;
  for (const WriteStep& step : WriteSequence(layout)) {
    const std::vector<const char*> controls = StepControls(step);
    if (WritesBoxes(step.arg)) {
      std::copy_if(controls.begin(), controls.end(), std::back_inserter(out),
                   [&](const char* c) { return a.Checked(c); });
      continue;
    }
    bool standard = true;
    for (const StandardValue& v : StandardValues(layout).values) {
      for (const char* c : controls) {
        if (std::string(v.control) != c) continue;
        if (v.what == Standard::Position) standard = standard && a.Position(c) == v.value;
        if (v.what == Standard::Item) standard = standard && a.ItemIndex(c) == v.value;
        if (v.what == Standard::Text) standard = standard && v.text && a.Text(c) == v.text;
      }
    }
    if (!standard) out.insert(out.end(), controls.begin(), controls.end());
  }
  return out;
}

TEST(SelectionRoundTrip, EveryExportedSettingShowsOnBAsOnAThroughImportAndRegedit) {
  for (Layout layout : {Layout::XP, Layout::Vista}) {
    FakeSystem system;
    if (layout == Layout::Vista) system.SetVersion(6, 0, 6002, 2, "Service Pack 2", 1, 0x100);
    SetSystemBackend(&system);
    std::map<std::string, int> caught;  // control -> pairs where it did not arrive
    MemoryRegistry seeded;
    fuzz::SeedCatalogueMachine(seeded);
    for (int pair = 0; pair < kPairs; ++pair) {
      const unsigned seed = 2026 * 1000 + pair * 2 + (layout == Layout::Vista ? 1 : 0);
      MemoryRegistry a(seeded), b(seeded);
      RandomMachine(a, layout, seed);
      RandomMachine(b, layout, seed + 7919);
      FakeSurface onA = Shown(a, layout);
      std::mt19937 pick(seed);
      for (const WriteStep& step : WriteSequence(layout)) {
        if (!WritesBoxes(step.arg)) continue;
        for (const char* c : StepControls(step)) onA.SetChecked(c, pick() % 2);
      }
      const std::vector<ExportFile> files = ExportSelection(
          a, onA, layout, [](const std::string& n) { return n; }, {2026, 12, 9, 8, 0, 0}, "A");
      auto imported = std::make_unique<OverlayRegistry>(b);
      for (const ExportFile& f : files)
        RestoreEntries(OverlayEntries(ParseRegFile(f.data)), *imported);
      const FakeSurface viaImport = Shown(*imported, layout);
      imported.reset();
      for (const ExportFile& f : files) RestoreEntries(ParseRegFile(f.data).keys, b);  // regedit /s
      const FakeSurface viaRegedit = Shown(b, layout);
      const auto same = [](const FakeSurface& x, const FakeSurface& y, const char* c) {
        return x.Checked(c) == y.Checked(c) && x.Position(c) == y.Position(c) &&
               x.ItemIndex(c) == y.ItemIndex(c) && x.Text(c) == y.Text(c);
      };
      for (const char* c : Exported(onA, layout)) {
        const bool arrived = same(onA, viaImport, c) && same(onA, viaRegedit, c);
        if (!arrived && caught[c]++ == 0)
          ADD_FAILURE() << c << " (pair " << pair << ", seed " << seed << ")";
      }
    }
    SetSystemBackend(nullptr);
  }
}

}  // namespace
}  // namespace tw::test
