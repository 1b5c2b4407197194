// Timings of the program on the machine it runs on (scripts/bench.sh runs it under Wine):
//   start-up: from process creation to the end of the main window's creation, all settings
//     loaded; the median of several starts of this program in the start-up role;
//   apply: a whole apply run in the shown main window with scripted answers, once with one box
//     changed and once with every box changed (the run writes only what changed, then
//     reloads), and the reload alone; medians of several runs;
//   backup: the backup of a run that changes every box, its file's size, and its restore;
//   search: the search window's first opening (its index built) and a keystroke in its field
//     until the list shows the matches;
//   the load and apply sequences on the in-memory registry and plain controls.
// Usage: trimmwerk_bench [runs]. Prints one line per figure, in milliseconds.

#include <windows.h>
// Needs <windows.h> first.
#include <commctrl.h>
#include <ole2.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "apply_fakes.h"
#include "bench_timing.h"
#include "flows/backup_flow.h"
#include "flows/import_selection.h"
#include "flows/settings_apply.h"
#include "message_script.h"
#include "registry/registry.h"
#include "support/memory_registry.h"
#include "system/winversion.h"
#include "ui/app.h"
#include "ui/backup_menu.h"
#include "ui/message_dialog.h"
#include "ui/pages.h"
#include "ui/search_window.h"
#include "ui/unitmain.h"
#include "win32/win32_backup_store.h"
#include "win32/win32_registry.h"
#include "win32/win32_system.h"

namespace {

constexpr char kStartupRole[] = "--startup";
constexpr char kDone[] = "Vorgang erfolgreich abgeschlossen!";
constexpr char kAsk[] = "Möchten Sie die Einstellungen jetzt vornehmen?";

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// Turns the first check box of the write sequence, or every one, to its other state.
void FlipBoxes(tw::ControlSurface& controls, tw::Layout layout, bool all) {
  for (const tw::WriteStep& w : tw::WriteSequence(layout)) {
    if (!tw::WritesBoxes(w.arg)) continue;
    for (const char* name : tw::StepControls(w)) {
      controls.SetChecked(name, !controls.Checked(name));
      if (!all) return;
    }
  }
}

std::vector<double> Times(int runs, const std::function<void()>& work,
                          const std::function<void()>& between = nullptr) {
  std::vector<double> ms;
  for (int i = 0; i < runs; ++i) {
    const double start = NowMs();
    work();
    ms.push_back(NowMs() - start);
    if (between) between();
  }
  return ms;
}

void Report(const char* what, const std::vector<double>& ms) {
  std::printf("%-58s %9.3f ms  (median of %zu; min %.3f, max %.3f)\n", what, Median(ms), ms.size(),
              *std::min_element(ms.begin(), ms.end()), *std::max_element(ms.begin(), ms.end()));
}

// What the program's entry sets up before it creates the main window.
struct Program {
  tw::Win32Registry registry;
  tw::RegistryBackendScope onRegistry{registry};
  tw::Win32System system;
  Program() {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_USEREX_CLASSES | ICC_TAB_CLASSES |
                                             ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    OleInitialize(nullptr);
    tw::ui::SetApplicationTitle("Tavo Trimmwerk 3.0.1");
    tw::SetSystemBackend(&system);
  }
  ~Program() {
    tw::SetSystemBackend(nullptr);
    OleUninitialize();
  }
};

std::uint64_t FileTimeUnits(const FILETIME& t) {
  return (static_cast<std::uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
}

// The start-up role: the exit code is the time from process creation to the created main
// window in microseconds.
int StartupRole() {
  Program program;
  tw::SetMessageHandler(tw::ui::ShowMessageDialog);
  tw::ui::TfrmMain form;
  form.Create();
  FILETIME created, exited, kernel, user, now;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  GetSystemTimeAsFileTime(&now);
  return static_cast<int>((FileTimeUnits(now) - FileTimeUnits(created)) / 10);
}

std::vector<double> StartupTimes(int runs) {
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::vector<double> ms;
  for (int i = 0; i < runs; ++i) {
    std::string line = std::string("\"") + self + "\" " + kStartupRole;
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(self, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        &pi)) {
      std::printf("start-up: the program could not be started\n");
      return {};
    }
    WaitForSingleObject(pi.hProcess, 60000);
    DWORD code = 0;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    if (code == 0 || code > 60u * 1000 * 1000) {
      std::printf("start-up: run %d failed (exit code %lu)\n", i + 1,
                  static_cast<unsigned long>(code));
      return {};
    }
    ms.push_back(code / 1000.0);
  }
  return ms;
}

// Apply runs in the real window: every question is answered Yes, every other box OK or No, so
// Windows is never restarted.
void WindowTimes(int runs, tw::Layout layout) {
  Program program;
  int reports = 0, successes = 0;
  tw::SetMessageHandler([&](const std::string& text, tw::MsgType type, unsigned buttons, auto) {
    const bool done = text.rfind(kDone, 0) == 0;  // a second line names the backup
    if (done) ++successes;
    if (type == tw::MsgType::Error || done) ++reports;
    if (EndsWith(text, kAsk)) return tw::MsgResult::Yes;
    return (buttons & tw::kMbOk) ? tw::MsgResult::Ok : tw::MsgResult::No;
  });
  tw::ui::TfrmMain form;
  form.Create();
  form.Show();
  tw::ui::ProcessMessages();
  for (bool all : {false, true}) {
    reports = successes = 0;
    FlipBoxes(form.controls(), layout, all);
    const std::vector<double> apply = Times(
        runs, [&] { form.butApplyClick(form.controls().Get("butApply")); },
        [&] {
          tw::ui::ProcessMessages();
          FlipBoxes(form.controls(), layout, all);
        });
    if (reports != runs) {
      std::printf("apply: %d of %d runs did not report\n", runs - reports, runs);
      return;
    }
    Report(all ? "apply run in the window, every box changed (reload included)"
               : "apply run in the window, one box changed (reload included)",
           apply);
    if (successes != runs)
      std::printf("  (%d of %d runs reported settings not applied)\n", runs - successes, runs);
  }
  Report("reload of the window (current settings)",
         Times(runs, [&] { form.LoadCurrentSettings(); }));
  tw::SetMessageHandler(nullptr);
}

// The backup of a run that changes every box: its writes run against an overlay, the file is
// written and flushed; then the restore of all its entries (the values it finds are written
// again, so the machine stays as it is). Reports the file's size too.
void BackupTimes(int runs, tw::Layout layout) {
  Program program;
  tw::ui::TfrmMain form;
  form.Create();
  FlipBoxes(form.controls(), layout, true);
  const auto writes = [&] {
    for (const tw::WriteStep& step : tw::WriteSequence(layout)) {
      try {
        tw::MakeWrite(step, tw::StepShown(form.controls(), step));
      } catch (const tw::Error&) {
      }
    }
  };
  tw::Win32BackupStore store(tw::Win32BackupStore().folder() + L"\\Bench");
  std::vector<tw::RegFileKey> entries;
  std::size_t bytes = 0, values = 0;
  Report("backup of a run of every setting (overlay, file flushed)", Times(runs, [&] {
           entries = tw::PlanBackup(*tw::RegistryBackend(), writes);
           tw::BackupHeader header;
           header.time = tw::LocalRunTime();
           header.utc = tw::UtcRunTime();
           const tw::SavedBackup saved = tw::SaveBackup(store, header, entries);
           if (auto data = store.Read(saved.name)) bytes = data->size();
           store.Remove(saved.name);
         }));
  for (const tw::RegFileKey& k : entries) values += k.values.size();
  std::printf("  backup file of that run: %zu bytes, %zu keys, %zu values\n", bytes, entries.size(),
              values);
  Report("restore of that backup (every entry written)",
         Times(runs, [&] { tw::RestoreEntries(entries, *tw::RegistryBackend()); }));
}

// Lets the window handle its messages for that long.
void PumpFor(double ms) {
  for (const double start = NowMs(); NowMs() - start < ms;) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    tw::ui::ProcessMessages();
  }
}

// The first switch to each page of the shown layout until the window has painted it, in fresh
// windows: either the switch makes the page's windows (made on demand: at once after the
// window appeared, while Wine still maps it, or after 300 ms, sooner than a user clicks a
// tab), or the window has made them while it waited for input after start-up. Reports all
// switches and the slowest page.
void FirstSwitchTimes(int runs, tw::Layout layout, bool madeWhenIdle, double clickAfterMs = 0) {
  Program program;
  tw::SetMessageHandler(tw::ui::ShowMessageDialog);
  std::vector<double> all;
  std::vector<std::vector<double>> perPage;
  std::vector<std::string> names;
  for (int i = 0; i < runs; ++i) {
    tw::ui::TfrmMain form;
    form.MakePagesWhenIdle = madeWhenIdle;
    form.Create();
    form.Show();
    tw::ui::ProcessMessages();
    tw::ui::Controls& c = form.controls();
    tw::ui::Control& pageSet =
        c.Get(layout == tw::Layout::XP ? tw::ui::kPagesXP.pageSet : tw::ui::kPagesVista.pageSet);
    const auto pages = c.Pages(pageSet);
    const auto allMade = [&] {
      return std::all_of(pages.begin(), pages.end(), [](auto* p) { return p->Made(); });
    };
    for (const double start = NowMs(); madeWhenIdle && !allMade() && NowMs() - start < 5000;) {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
      tw::ui::ProcessMessages();
    }
    PumpFor(clickAfterMs);
    perPage.resize(pages.size());
    names.resize(pages.size());
    for (std::size_t page = 1; page < pages.size(); ++page) {
      const double start = NowMs();
      c.SelectPage(pageSet, static_cast<int>(page));
      UpdateWindow(form.handle());
      tw::ui::ProcessMessages();
      const double ms = NowMs() - start;
      all.push_back(ms);
      perPage[page].push_back(ms);
      names[page] = pages[page]->name;
    }
  }
  tw::SetMessageHandler(nullptr);
  const std::string how = madeWhenIdle       ? "made while idle"
                          : clickAfterMs > 0 ? "made on demand, 300 ms after start-up"
                                             : "made on demand";
  Report(("first switch to a page (" + how + "), all pages").c_str(), all);
  std::size_t slowest = 1;
  for (std::size_t page = 1; page < perPage.size(); ++page) {
    if (Median(perPage[page]) > Median(perPage[slowest])) slowest = page;
  }
  Report(("first switch to the slowest page (" + how + "), " + names[slowest]).c_str(),
         perPage[slowest]);
}

// "dateiendung" typed into the search field and erased, each key until the list has painted.
void SearchTimes(int runs) {
  Program program;
  tw::ui::TfrmMain form;
  form.MakePagesWhenIdle = false;
  form.Create();
  form.Show();
  tw::ui::ProcessMessages();
  const double start = NowMs();
  form.OpenSearch();
  tw::ui::ProcessMessages();
  Report("search window opened the first time (index built)", {NowMs() - start});
  HWND field = form.searchWindow()->Get("edQuery");
  HWND list = form.searchWindow()->Get("lbMatches");
  const std::string word = "dateiendung";
  std::vector<double> ms;
  for (int i = 0; i < runs; ++i) {
    for (char c : word + std::string(word.size(), '\b')) {
      const double at = NowMs();
      SendMessageA(field, WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>(c)), 0);
      UpdateWindow(list);
      ms.push_back(NowMs() - at);
    }
  }
  Report("keystroke in the search field to the updated list", ms);
}

// The sequences alone: the in-memory registry and plain controls.
void MemoryTimes(int runs, tw::Layout layout) {
  tw::MemoryRegistry machine;
  tw::RegistryBackendScope onMachine(machine);
  tw::test::FakeSurface surface;
  tw::test::DeclareLayout(surface, layout);
  tw::test::MessageScript messages;
  tw::test::ProgressLog log;
  bool standardViewShown = false;
  tw::LoadedControls loaded;
  tw::ApplyWindow window{
      surface, standardViewShown, loaded,
      [&](int maximum) { return std::make_unique<tw::test::FakeProgress>(log, maximum, messages); },
      [](const std::string& name) { return name; }};
  const auto apply = [&] {
    messages.answers = {tw::MsgResult::Yes, tw::MsgResult::Ok, tw::MsgResult::No};
    tw::ApplySettings(window, layout);
  };
  apply();  // no load remembered: writes everything, the keys exist from here on
  const std::string reads = std::to_string(tw::ReadOrder(layout).size());
  Report(("in-memory load sequence (" + reads + " getters)").c_str(),
         Times(runs, [&] { tw::LoadSettings(surface, tw::ReadOrder(layout)); }));
  for (bool all : {false, true}) {
    FlipBoxes(surface, layout, all);
    Report(all ? "in-memory apply run, every box changed (reload included)"
               : "in-memory apply run, one box changed (reload included)",
           Times(runs, apply, [&] { FlipBoxes(surface, layout, all); }));
  }
}

// Hostile files read by the import over the in-memory registry, timed once each: 100,000 new
// keys (4 MB); the removal of HKLM\SOFTWARE when it holds 100,000 keys; both in one file; and
// 4 MB of key lines each 512 levels deep.
void HostileImports(tw::Layout layout) {
  const auto time = [&](const char* what, tw::MemoryRegistry& machine, const std::string& text) {
    tw::RegistryBackendScope onMachine(machine);
    tw::test::FakeSurface surface;
    tw::test::DeclareLayout(surface, layout);
    tw::test::MessageScript messages;
    messages.answers = {tw::MsgResult::Ok};
    tw::LoadedControls loaded;
    bool shown = false;
    tw::ImportWindow window{surface, loaded, shown, layout,
                            [](const std::string& name) { return name; }};
    const tw::Bytes bytes(text.begin(), text.end());
    const double start = NowMs();
    tw::ImportSelection(window, {{"Feindlich.reg", bytes}});
    const double ms = NowMs() - start;
    std::printf("%-58s %9.3f ms  (%zu bytes)\n", what, ms, bytes.size());
  };
  std::string keys;
  for (int i = 0; i < 100000; ++i)
    keys += "\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\N\\K" + std::to_string(i) + "]";
  const std::string removal = "\r\n\r\n[-HKEY_LOCAL_MACHINE\\SOFTWARE]\r\n";
  const struct {
    const char* what;
    bool fullMachine;
    std::string text;
  } files[] = {
      {"import: 100,000 keys", false, "REGEDIT4\r\n" + keys},
      {"import: [-HKLM\\SOFTWARE] over 100,000 keys", true, "REGEDIT4\r\n" + removal},
      {"import: 100,000 keys, then [-HKLM\\SOFTWARE] over 100,000", true,
       "REGEDIT4\r\n" + keys + removal},
  };
  for (const auto& f : files) {
    tw::MemoryRegistry machine;
    for (int i = 0; f.fullMachine && i < 100000; ++i)
      machine.PutKey(tw::HKLM, "SOFTWARE\\Vorhanden\\G" + std::to_string(i / 1000) + "\\K" +
                                   std::to_string(i));
    time(f.what, machine, f.text);
  }
  {
    tw::MemoryRegistry machine;
    std::string deep = "[HKEY_CURRENT_USER";
    for (int level = 0; level < 511; ++level) deep += "\\a";
    std::string text = "REGEDIT4\r\n";
    for (int i = 0; text.size() < 4000000; ++i)
      text += "\r\n" + deep + "\\" + std::to_string(i) + "]";
    time("import: 4 MB of key lines 512 levels deep", machine, text);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && std::string(argv[1]) == kStartupRole) return StartupRole();
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
  tw::Layout layout;
  {
    Program program;
    if (!tw::IsWindowsXPOrVista()) {
      std::printf("neither Windows XP nor Vista\n");
      return 1;
    }
    layout = tw::IsWindowsXP() ? tw::Layout::XP : tw::Layout::Vista;
  }
  const std::vector<double> startup = StartupTimes(runs);
  if (startup.empty()) return 1;
  Report("start-up to the main window with its settings loaded", startup);
  WindowTimes(runs, layout);
  BackupTimes(runs, layout);
  FirstSwitchTimes(runs, layout, false);
  FirstSwitchTimes(runs, layout, false, 300);
  FirstSwitchTimes(runs, layout, true);
  SearchTimes(runs);
  MemoryTimes(runs * 30, layout);
  HostileImports(layout);
  return 0;
}
