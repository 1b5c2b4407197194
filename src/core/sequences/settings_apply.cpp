#include "settings_apply.h"

#include <algorithm>
#include <optional>
#include <stdexcept>

#include "codepage.h"
#include "console_palette.h"
#include "error.h"
#include "messages.h"
#include "registry.h"
#include "system_helpers.h"
#include "winversion.h"

namespace tw {
namespace {

WriteStep Box(const char* box, const char* tweak) { return {Arg::NegatedCheck, {box}, tweak}; }
WriteStep Slider(const char* slider, const char* tweak, const char* unit,
                 const char* reportAs = nullptr) {
  return {Arg::Position, {slider}, tweak, reportAs, unit};
}
WriteStep Colours(const char* text, const char* background) {
  return {Arg::ColourPair, {text, background}, "ConsoleColors"};
}
WriteStep SearchOptions() {
  return {Arg::SearchOptions,
          {"cboxSearchSystemDirs", "cboxSearchHidden", "cboxIncludeSubfolders", "cboxCaseSensitive",
           "cboxSearchSlowFiles"},
          "SearchOptions"};
}
WriteStep ProgramDir() {
  // The label shows the folder; its heading names the setting.
  return {Arg::LabelText, {"labProgramDir"}, "ProgramDir", "Label1"};
}
WriteStep Provider(const char* box, const SearchProvider& provider) {
  return {Arg::SearchProvider, {box}, {"SearchProvider", provider.name}};
}

const SearchProvider& ProviderNamed(const std::string& name) {
  for (const SearchProvider& p : kSearchProviders) {
    if (name == p.name) return p;
  }
  throw std::logic_error("no search provider " + name);
}

// clang-format off
const std::vector<WriteStep> kWriteXP = {
    Box("cboxBalloonTips", "BalloonTips"),
    Box("cboxIncreasePerformance", "IncreasePerformance"),
    Box("cboxDeactivatePreview", "DeactivatePreview"),
    Box("cboxDeactivateAutorun", "DeactivateAutorun"),
    Box("cboxMuteBeepTone", "MuteBeepTone"),
    Box("cboxStopErrorreporting", "StopErrorreporting"),
    Box("cboxSpeedupNetwork", "SpeedupNetwork"),
    Box("cboxFastLogin", "FastLogin"),
    Box("cboxKillProcess", "KillProcess"),
    Box("cboxLowDiskSpace", "LowDiskSpace"),
    Box("cboxStopDesktopCleaning", "StopDesktopCleaning"),
    Box("cboxFastWindowsShutdown", "FastWindowsShutdown"),
    Box("cboxShowFileext", "ShowFileext"),
    Box("cboxShowAllFiles", "ShowAllFiles"),
    Box("cboxShowSystemFiles", "ShowSystemFiles"),
    Box("cboxStopWebsearch", "StopWebsearch"),
    Box("cboxIncreaseSystemPerformance", "IncreaseSystemPerformance"),
    Box("cboxDeactivatePersonalMenus", "DeactivatePersonalMenus"),
    Slider("trackStartmenuDelay", "StartmenuDelay", " ms", "labStartmenuDelayCaption"),
    Box("cboxDontGroupTaskbaritems", "DontGroupTaskbaritems"),
    Box("cboxDisableRemoteDesktop", "DisableRemoteDesktop"),
    Box("cboxDisableAutoUpdate", "DisableAutoUpdate"),
    Box("cboxDeleteAdminShare", "DeleteAdminShare"),
    Box("cboxStopSecurityCenter", "StopSecurityCenter"),
    Box("cboxSavePrivacy", "SavePrivacy"),
    Box("cboxEliminateDownloadlimit", "EliminateDownloadlimit"),
    Box("cboxStopIEErrorreporting", "StopIEErrorreporting"),
    Box("cboxDisableActiveX", "DisableActiveX"),
    Box("cboxStopVBScript", "StopVBScript"),
    Box("cboxStopWhispering", "StopWhispering"),
    Box("cboxDontLoadMetadata", "DontLoadMetadata"),
    Box("cboxDontLoadLicenses", "DontLoadLicenses"),
    Box("cboxDontLoadCodecs", "DontLoadCodecs"),
    Box("cboxStopAutoUpdate", "StopAutoUpdate"),
    Box("cboxControlPanel", "ControlPanel"),
    Box("cboxServices", "Services"),
    Box("cboxDevices", "Devices"),
    Box("cboxRegEdit", "RegEdit"),
    Box("cboxSystemRestore", "SystemRestore"),
    Box("cboxSoftware", "Software"),
    Box("cboxMsconfig", "Msconfig"),
    Box("cboxNotepadReg", "NotepadReg"),
    Box("cboxUnknownFiles", "UnknownFiles"),
    Box("cboxEasyCopying", "EasyCopying"),
    Box("cboxEasyMoving", "EasyMoving"),
    Box("cboxFolderInNewWindow", "FolderInNewWindow"),
    Box("cboxOpenConsole", "OpenConsole"),
    Box("cboxLogoff", "Logoff"),
    Box("cboxRestart", "Restart"),
    Box("cboxShutdown", "Shutdown"),
    Colours("combxTextColor", "combxBackgroundColor"),
    Box("cboxCmdQuickEdit", "CmdQuickEdit"),
    Box("cboxDetailView", "DetailView"),
    Box("cboxStatusAndAddressbar", "StatusAndAddressbar"),
    Box("cboxKillTheDog", "KillTheDog"),
    SearchOptions(),
    Box("cboxStopHighlighting", "StopHighlighting"),
    Box("cboxFullStopErrorReporting", "FullStopErrorReporting"),
    Box("cboxActivateMemSharing", "ActivateMemSharing"),
    Slider("tbarBitBucket", "BitBucket", " %"),
    Box("cboxNukeOnDelete", "NukeOnDelete"),
    Box("cboxNetworkMenu", "NetworkMenu"),
    Box("cboxControlPanelMenu", "ControlPanelMenu"),
    Box("cboxMyComputerMenu", "MyComputerMenu"),
    ProgramDir(),
    Box("cboxHidePlayerID", "HidePlayerID"),
    Box("cboxDeactivateWindowsAuth", "DeactivateWindowsAuth"),
    Box("cbHideCommonFiles", "HideCommonFiles"),
    Box("cbSearchUnknownFiles", "SearchUnknownFiles"),
    Box("cbExpandIconCache", "ExpandIconCache"),
    Box("cbExpandTaskSwitch", "ExpandTaskSwitch"),
    Box("cbLockNumlock", "LockNumlock"),
    Box("cbHideShortCutArrow", "HideShortCutArrow"),
    Box("cbFixedEntries", "FixedEntries"),
    Box("cbHideDocuments", "HideDocuments"),
    Box("cbHideMyFiles", "HideMyFiles"),
    Box("cbHideMyPictures", "HideMyPictures"),
    Box("cbHideMyMusic", "HideMyMusic"),
    Box("cbHideHelpDesk", "HideHelpDesk"),
    Box("cbHideProgramAccess", "HideProgramAccess"),
    Box("cbDenyUSBWriteAccess", "DenyUSBWriteAccess"),
    Box("cbDisallowNusrmgr", "DisallowNusrmgr"),
    Box("cbDisallowAppwiz", "DisallowAppwiz"),
    Box("cbDisallowSecCenter", "DisallowSecCenter"),
    Box("cbDontLogPrograms", "DontLogPrograms"),
};

const std::vector<WriteStep> kWriteVista = {
    Box("cb20060501", "BalloonTips"),
    Box("cb20060502", "IncreasePerformance"),
    Box("cb20060505", "DeactivateAutorun"),
    Box("cb20060506", "MuteBeepTone"),
    Box("cb20060510", "FastLogin"),
    Box("cb20060512", "KillProcess"),
    Box("cb20060513", "LowDiskSpace"),
    Box("cb20060515", "FastWindowsShutdown"),
    Box("cb20060517", "ShowFileext"),
    Box("cb20060518", "ShowAllFiles"),
    Box("cb20060523", "IncreaseSystemPerformance"),
    Slider("tb20060528", "StartmenuDelay", " ms"),
    Box("cb20060533", "DeleteAdminShare"),
    Box("cb20060534", "StopSecurityCenter"),
    Box("cb20060540", "DisableActiveX"),
    Box("cb20060546", "StopWhispering"),
    Box("cb20060547", "DontLoadMetadata"),
    Box("cb20060548", "DontLoadLicenses"),
    Box("cb20060549", "DontLoadCodecs"),
    Box("cb20060550", "StopAutoUpdate"),
    Box("cb20060801", "ControlPanel"),
    Box("cb20060802", "Services"),
    Box("cb20060803", "Devices"),
    Box("cb20060804", "RegEdit"),
    Box("cb20060805", "SystemRestore"),
    Box("cb20060806", "Software"),
    Box("cb20060807", "Msconfig"),
    Box("cb20060808", "NotepadReg"),
    Box("cb20060809", "UnknownFiles"),
    Box("cb20060810", "EasyCopying"),
    Box("cb20060811", "EasyMoving"),
    Box("cb20060812", "FolderInNewWindow"),
    Box("cb20060813", "OpenConsole"),
    Box("cb20060814", "Logoff"),
    Box("cb20060815", "Restart"),
    Box("cb20060816", "Shutdown"),
    Colours("combx20060817a", "combx20060817b"),
    Box("cb20060818", "CmdQuickEdit"),
    Box("cb20061019", "HidePlayerID"),
    Box("cb20061021", "DeactivateWindowsAuth"),
    Box("cb20070408", "HideCommonFiles"),
    Box("cb20070432", "DisableUAC"),
    Box("cb20070434", "DisableNtfsTimestamps"),
    Box("cb20070409", "LockNumlock"),
    Box("cb20070410", "HideShortCutArrow"),
    Box("cb20070440", "AeroSlowMotion"),
    Box("cb20070420", "FixedEntries"),
    Box("cb20070423", "HideMyFiles"),
    Box("cb20070424", "HideMyPictures"),
    Box("cb20070425", "HideMyMusic"),
    Box("cb20070412", "DenyUSBWriteAccess"),
    Box("cb20070419", "DontLogPrograms"),
    Box("cb20070439", "DisableMailSplash"),
    Provider("cb20070438a", kSearchProviders[0]),
    Provider("cb20070438b", kSearchProviders[1]),
    Provider("cb20070438c", kSearchProviders[2]),
};
// clang-format on

const char kConfirmApply[] = "Möchten Sie die Einstellungen jetzt vornehmen?";
const char kChanges[] = "Folgende Einstellungen werden geändert:";
const char kNothingChanged[] =
    "Sie haben keine Einstellung geändert. Es gibt nichts zu übernehmen.";
const char kDone[] = "Vorgang erfolgreich abgeschlossen!";
const char kUndoHint[] =
    "Die bisherigen Werte wurden gesichert. Im Systemmenü (Alt+Leertaste) stellt „Letzte "
    "Übernahme rückgängig machen“ sie wieder her.";
const char kRestart[] =
    "Einige der Änderungen erfordern eventuell einen Neustart.\rMöchten Sie Windows neu starten?";
const char kNoRegistry[] =
    "Die Registrierung konnte nicht geöffnet werden.\rDie Einstellungen wurden nicht übernommen.";
const char kNotReread[] =
    "Die Einstellungen wurden geschrieben, konnten aber nicht neu gelesen werden.";
const char kNotApplied[] = "Folgende Einstellungen wurden nicht übernommen:";
const char kAdminHint[] = "Systemweite Einstellungen erfordern Administratorrechte.";

// The controls that name a write to the user: the search-option boxes that differ between the
// two states, otherwise the one control (or the one it is reported as).
std::vector<const char*> Named(const WriteStep& step, const StepState& a, const StepState& b) {
  const std::vector<const char*> controls = StepControls(step);
  if (step.arg != Arg::SearchOptions) return {step.reportAs ? step.reportAs : controls[0]};
  std::vector<const char*> differ;
  for (std::size_t i = 0; i < controls.size(); ++i) {
    if (a.numbers[i] != b.numbers[i]) differ.push_back(controls[i]);
  }
  return differ;
}

// The controls of a write whose reloaded state differs from what they asked for. A colour pair
// is compared the way loading shows it (black on black reads back as 7 on 0).
std::vector<const char*> Unapplied(const WriteStep& step, const StepState& asked,
                                   const StepState& now) {
  if (step.arg == Arg::ColourPair) {
    const ColourPair want = ConsoleColourPair(asked.numbers[0] | asked.numbers[1] << 4);
    if (want.text == now.numbers[0] && want.background == now.numbers[1]) return {};
    return Named(step, asked, now);
  }
  return asked == now ? std::vector<const char*>{} : Named(step, asked, now);
}

// A caption as one line of a message: without accelerator marks, line breaks or outer blanks.
std::string Plain(const std::string& caption) {
  std::string out;
  for (std::size_t i = 0; i < caption.size(); ++i) {
    const char c = caption[i];
    if (c == '&' && i + 1 < caption.size() && caption[i + 1] != '&') continue;
    if (c == '&') ++i;
    out += (c == '\r' || c == '\n') ? ' ' : c;
  }
  return TrimBlanks(out);
}

std::string CaptionOf(const ApplyWindow& window, const char* name) {
  return MessageCaption(window.caption, name);
}

// The controls a changed write is named by: the search-option boxes that changed (all of them
// without a remembered load), otherwise the one control.
std::vector<const char*> ChangedNames(const WriteStep& step, const StepState* before,
                                      const StepState& asked) {
  if (step.arg == Arg::SearchOptions && before == nullptr) return StepControls(step);
  return Named(step, before ? *before : asked, asked);
}

// The settings one changed write changes: what the controls showed at the last load (when one
// is remembered) and what they ask for now.
std::vector<SettingChange> Changes(const std::function<std::string(const std::string&)>& captions,
                                   const WriteStep& step, const StepState* before,
                                   const StepState& asked) {
  const std::vector<const char*> controls = StepControls(step);
  std::vector<SettingChange> changes;
  for (const char* name : ChangedNames(step, before, asked)) {
    const auto at = std::find_if(controls.begin(), controls.end(),
                                 [&](const char* c) { return std::string(c) == name; });
    const std::size_t index = at == controls.end() ? 0 : at - controls.begin();
    const std::string caption = MessageCaption(captions, name);
    changes.push_back({caption, before ? caption + ": " + ShownValue(step, *before, index) : "",
                       caption + ": " + ShownValue(step, asked, index)});
  }
  return changes;
}

void AddOnce(std::vector<std::string>& captions, const std::string& caption) {
  if (std::find(captions.begin(), captions.end(), caption) == captions.end())
    captions.push_back(caption);
}

}  // namespace

std::string MessageCaption(const std::function<std::string(const std::string&)>& caption,
                           const std::string& control) {
  const std::string plain = Plain(caption(control));
  return plain.empty() ? control : plain;
}

std::string CaptionOfLocation(Layout layout,
                              const std::function<std::string(const std::string&)>& caption,
                              const TweakInfo& tweak, std::size_t location) {
  const RegLocation& at = tweak.locations[location];
  for (const WriteStep& step : WriteSequence(layout)) {
    if (tweak.name != step.tweak.name) continue;
    // A search provider's key ends in its name.
    if (step.arg == Arg::SearchProvider &&
        FoldName(AnsiToWide(at.key.substr(at.key.rfind('\\') + 1))) !=
            FoldName(AnsiToWide(step.tweak.argument)))
      continue;
    const std::vector<const char*> controls = StepControls(step);
    // The search options' locations are in the order of their boxes.
    const char* control = step.arg == Arg::SearchOptions && location < controls.size()
                              ? controls[location]
                          : step.reportAs ? step.reportAs
                                          : controls[0];
    return MessageCaption(caption, control);
  }
  return "";
}

std::string ShownValue(const WriteStep& step, const StepState& s, std::size_t control) {
  switch (step.arg) {
    case Arg::NegatedCheck:
    case Arg::SearchProvider:
    case Arg::SearchOptions:
      return s.numbers[control] != 0 ? "ein" : "aus";
    case Arg::Position:
      return std::to_string(s.numbers[0]) + (step.unit ? step.unit : "");
    case Arg::LabelText:
      return s.text;
    case Arg::ColourPair:
      // As the colour lists show them.
      return "Text " + ColourDigit(s.numbers[0]) + ", Hintergrund " + ColourDigit(s.numbers[1]);
  }
  return "";
}

StepState StepShown(const ControlSurface& c, const WriteStep& step) {
  StepState s;
  for (const char* name : StepControls(step)) {
    switch (step.arg) {
      case Arg::NegatedCheck:
      case Arg::SearchOptions:
      case Arg::SearchProvider:
        s.numbers.push_back(c.Checked(name) ? 1 : 0);
        break;
      case Arg::Position:
        s.numbers.push_back(c.Position(name));
        break;
      case Arg::ColourPair:
        s.numbers.push_back(c.ItemIndex(name));
        break;
      case Arg::LabelText:
        s.text = c.Text(name);
        break;
    }
  }
  return s;
}

bool MakeWrite(const WriteStep& step, const StepState& s) {
  const std::vector<int>& n = s.numbers;
  return std::visit(Overloaded{[](std::monostate) { return false; },
                               [&](const TweakRow* row) { return WriteTweak(*row, n[0] == 0); },
                               [&](bool (*set)(bool)) { return set(n[0] == 0); },
                               [&](bool (*set)(int)) { return set(n[0]); },
                               [&](bool (*set)(int, int)) { return set(n[0], n[1]); },
                               [&](bool (*set)(int, int, int, int, int)) {
                                 return set(n[0], n[1], n[2], n[3], n[4]);
                               },
                               [&](bool (*set)(const std::string&)) { return set(s.text); },
                               [&](bool (*set)(bool, const std::string&, const std::string&)) {
                                 const SearchProvider& p = ProviderNamed(step.tweak.argument);
                                 return set(n[0] == 0, p.name, p.address);
                               }},
                    TweakSetter(step.tweak.name));
}

const std::vector<WriteStep>& WriteSequence(Layout layout) {
  return layout == Layout::XP ? kWriteXP : kWriteVista;
}

std::vector<const char*> StepControls(const WriteStep& step) {
  std::vector<const char*> names;
  for (const char* name : step.controls) {
    if (name) names.push_back(name);
  }
  return names;
}

LoadedControls RememberLoaded(const ControlSurface& controls, Layout layout) {
  LoadedControls loaded{layout, {}};
  for (const WriteStep& step : WriteSequence(layout))
    loaded.steps.push_back(StepShown(controls, step));
  return loaded;
}

std::string NotAppliedReport(const std::string& heading, const std::vector<std::string>& captions,
                             bool adminHint) {
  const std::string text = heading + ListLines(captions);
  return adminHint ? text + "\r\r" + kAdminHint : text;
}

std::string NotAppliedReport(const std::vector<std::string>& captions, bool adminHint) {
  return NotAppliedReport(kNotApplied, captions, adminHint);
}

std::string ConfirmationText(const std::vector<std::string>& changes) {
  return kChanges + ListLines(changes) + "\r\r" + kConfirmApply;
}

std::string ProgressText(int position, int maximum) {
  return "Einstellung " + std::to_string(position) + "/" + std::to_string(maximum);
}

// What a run would write: what each write's controls ask for now, whether that differs from
// the last load, and the settings that change.
struct RunPlan {
  std::vector<StepState> loaded;  // empty without a remembered load of this layout
  std::vector<StepState> asked;
  std::vector<bool> changed;
  std::vector<SettingChange> changes;
  const StepState* before(std::size_t i) const { return loaded.empty() ? nullptr : &loaded[i]; }
};

RunPlan PlanRun(const ControlSurface& controls, const LoadedControls& loaded, Layout layout,
                const std::function<std::string(const std::string&)>& caption) {
  const std::vector<WriteStep>& sequence = WriteSequence(layout);
  RunPlan plan;
  // Without a remembered load of this layout every write counts as changed.
  if (loaded.layout == layout && loaded.steps.size() == sequence.size()) plan.loaded = loaded.steps;
  for (std::size_t i = 0; i < sequence.size(); ++i) {
    plan.asked.push_back(StepShown(controls, sequence[i]));
    plan.changed.push_back(plan.loaded.empty() || plan.asked[i] != plan.loaded[i]);
    if (!plan.changed[i]) continue;
    for (SettingChange& c : Changes(caption, sequence[i], plan.before(i), plan.asked[i]))
      plan.changes.push_back(std::move(c));
  }
  return plan;
}

void ApplySettings(ApplyWindow& window, Layout layout) {
  ControlSurface& controls = window.controls;
  const std::vector<WriteStep>& sequence = WriteSequence(layout);
  // The writes use what the controls show now; nothing can change them during the run.
  const RunPlan plan = PlanRun(controls, window.loaded, layout, window.caption);
  const std::vector<StepState>& asked = plan.asked;
  const std::vector<bool>& changed = plan.changed;
  const std::vector<SettingChange>& changes = plan.changes;
  auto before = [&](std::size_t i) { return plan.before(i); };
  std::vector<std::string> changeLines;
  for (const SettingChange& c : changes) changeLines.push_back(c.after);
  if (std::none_of(changed.begin(), changed.end(), [](bool c) { return c; })) {
    window.standardViewShown = false;  // closing loses nothing
    MessageDlg(kNothingChanged, MsgType::Information, kMbOk);
    return;
  }
  if (MessageDlg(ConfirmationText(changeLines), MsgType::Confirmation, kMbYes | kMbNo) !=
      MsgResult::Yes)
    return;
  // The backup is on disk before the first write; without one the user decides.
  if (window.backups) {
    const auto changedWrites = [&] {
      for (std::size_t i = 0; i < sequence.size(); ++i) {
        if (!changed[i]) continue;
        try {
          MakeWrite(sequence[i], asked[i]);
        } catch (const Error&) {
        }
      }
    };
    if (!window.backups->Before(changedWrites, changes)) return;
  }

  window.standardViewShown = false;
  std::unique_ptr<Progress> progress = window.createProgress(static_cast<int>(sequence.size()));
  progress->Show();

  std::vector<bool> failed(sequence.size());
  bool adminHint = false;
  bool wrote = false;
  {
    RegistryBatch batch;
    wrote = batch.opened();
    for (std::size_t i = 0; wrote && i < sequence.size(); ++i) {
      if (changed[i]) {
        const std::size_t first = RegistryFailureCount();
        bool raised = false, ok = false;
        try {
          ok = MakeWrite(sequence[i], asked[i]);
        } catch (const Error&) {
          raised = true;
        }
        bool refused = false;
        for (const RegFailure& f : RegistryFailuresSince(first)) {
          if (!f.refused()) continue;
          refused = true;
          adminHint = adminHint || f.root == HKLM || f.root == HKCR;
        }
        failed[i] = raised || (!ok && refused);
      }
      progress->StepProgress();
    }
  }

  progress->AllowClose();
  const bool reloaded = LoadSettings(controls, ReadOrder(layout));
  if (reloaded) window.loaded = RememberLoaded(controls, layout);
  std::vector<std::string> missed;
  for (std::size_t i = 0; reloaded && i < sequence.size(); ++i) {
    if (!changed[i]) continue;
    const std::vector<const char*> names =
        failed[i] ? ChangedNames(sequence[i], before(i), asked[i])
                  : Unapplied(sequence[i], asked[i], StepShown(controls, sequence[i]));
    for (const char* name : names) AddOnce(missed, CaptionOf(window, name));
  }
  // Without a reload nothing is known to have taken effect: the backup keeps every setting.
  std::vector<SettingChange> tookEffect;
  for (const SettingChange& c : changes) {
    if (!reloaded || std::find(missed.begin(), missed.end(), c.caption) == missed.end())
      tookEffect.push_back(c);
  }
  const bool backedUp = window.backups && window.backups->After(tookEffect);
  progress->Fill();
  if (!wrote || !reloaded) {
    // Nothing was written, or nothing of it can be confirmed; no restart is offered.
    MessageDlg(wrote ? kNotReread : kNoRegistry, MsgType::Error, kMbOk);
    return;
  }
  if (missed.empty()) {
    MessageDlg(backedUp ? std::string(kDone) + "\r" + kUndoHint : kDone, MsgType::Information,
               kMbOk);
  } else {
    MessageDlg(NotAppliedReport(missed, adminHint), MsgType::Error, kMbOk);
  }
  progress.reset();

  if (MessageDlg(kRestart, MsgType::Confirmation, kMbYes | kMbNo | kMbCancel) == MsgResult::Yes) {
    // Without EWX_FORCE: other programs may still ask to save their documents.
    ExitWindowsPrivileged(kEwxReboot | kEwxForceIfHung);
  }
}

std::vector<SettingChange> PendingChanges(
    const ControlSurface& controls, const LoadedControls& loaded, Layout layout,
    const std::function<std::string(const std::string&)>& caption) {
  return PlanRun(controls, loaded, layout, caption).changes;
}

void ApplySettingsXP(ApplyWindow& window) { ApplySettings(window, Layout::XP); }
void ApplySettingsVista(ApplyWindow& window) { ApplySettings(window, Layout::Vista); }

void butApplyClick(ApplyWindow& window) {
  if (IsWindowsXP()) ApplySettingsXP(window);
  if (IsWindowsVista()) ApplySettingsVista(window);
}

}  // namespace tw
