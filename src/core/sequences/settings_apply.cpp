#include "settings_apply.h"

#include <algorithm>
#include <optional>

#include "error.h"
#include "messages.h"
#include "registry.h"
#include "system_helpers.h"
#include "winversion.h"

namespace tw {
namespace {

WriteStep Box(const char* box, bool (*set)(bool)) {
  WriteStep s{Arg::NegatedCheck, {box}, {}};
  s.set.flag = set;
  return s;
}
WriteStep Slider(const char* slider, bool (*set)(int), const char* unit,
                 const char* reportAs = nullptr) {
  WriteStep s{Arg::Position, {slider}, {}};
  s.set.number = set;
  s.reportAs = reportAs;
  s.unit = unit;
  return s;
}
WriteStep Colours(const char* text, const char* background) {
  WriteStep s{Arg::ColourPair, {text, background}, {}};
  s.set.pair = SetConsoleColors;
  return s;
}
WriteStep SearchOptions() {
  WriteStep s{Arg::SearchOptions,
              {"cboxSearchSystemDirs", "cboxSearchHidden", "cboxIncludeSubfolders",
               "cboxCaseSensitive", "cboxSearchSlowFiles"},
              {}};
  s.set.options = SetSearchOptions;
  return s;
}
WriteStep ProgramDir() {
  WriteStep s{Arg::LabelText, {"labProgramDir"}, {}};
  s.set.text = SetProgramDir;
  s.reportAs = "Label1";  // the label shows the folder; its heading names the setting
  return s;
}
WriteStep Provider(const char* box, const SearchProvider& provider) {
  WriteStep s{Arg::SearchProvider, {box}, {}};
  s.set.provider = SetSearchProvider;
  s.provider = &provider;
  return s;
}

// clang-format off
const std::vector<WriteStep> kWriteXP = {
    Box("cboxBalloonTips", SetBalloonTips),
    Box("cboxIncreasePerformance", SetIncreasePerformance),
    Box("cboxDeactivatePreview", SetDeactivatePreview),
    Box("cboxDeactivateAutorun", SetDeactivateAutorun),
    Box("cboxMuteBeepTone", SetMuteBeepTone),
    Box("cboxStopErrorreporting", SetStopErrorreporting),
    Box("cboxSpeedupNetwork", SetSpeedupNetwork),
    Box("cboxFastLogin", SetFastLogin),
    Box("cboxKillProcess", SetKillProcess),
    Box("cboxLowDiskSpace", SetLowDiskSpace),
    Box("cboxStopDesktopCleaning", SetStopDesktopCleaning),
    Box("cboxFastWindowsShutdown", SetFastWindowsShutdown),
    Box("cboxShowFileext", SetShowFileext),
    Box("cboxShowAllFiles", SetShowAllFiles),
    Box("cboxShowSystemFiles", SetShowSystemFiles),
    Box("cboxStopWebsearch", SetStopWebsearch),
    Box("cboxIncreaseSystemPerformance", SetIncreaseSystemPerformance),
    Box("cboxDeactivatePersonalMenus", SetDeactivatePersonalMenus),
    Slider("trackStartmenuDelay", SetStartmenuDelay, " ms", "labStartmenuDelayCaption"),
    Box("cboxDontGroupTaskbaritems", SetDontGroupTaskbaritems),
    Box("cboxDisableRemoteDesktop", SetDisableRemoteDesktop),
    Box("cboxDisableAutoUpdate", SetDisableAutoUpdate),
    Box("cboxDeleteAdminShare", SetDeleteAdminShare),
    Box("cboxStopSecurityCenter", SetStopSecurityCenter),
    Box("cboxSavePrivacy", SetSavePrivacy),
    Box("cboxEliminateDownloadlimit", SetEliminateDownloadlimit),
    Box("cboxStopIEErrorreporting", SetStopIEErrorreporting),
    Box("cboxDisableActiveX", SetDisableActiveX),
    Box("cboxStopVBScript", SetStopVBScript),
    Box("cboxStopWhispering", SetStopWhispering),
    Box("cboxDontLoadMetadata", SetDontLoadMetadata),
    Box("cboxDontLoadLicenses", SetDontLoadLicenses),
    Box("cboxDontLoadCodecs", SetDontLoadCodecs),
    Box("cboxStopAutoUpdate", SetStopAutoUpdate),
    Box("cboxControlPanel", SetControlPanel),
    Box("cboxServices", SetServices),
    Box("cboxDevices", SetDevices),
    Box("cboxRegEdit", SetRegEdit),
    Box("cboxSystemRestore", SetSystemRestore),
    Box("cboxSoftware", SetSoftware),
    Box("cboxMsconfig", SetMsconfig),
    Box("cboxNotepadReg", SetNotepadReg),
    Box("cboxUnknownFiles", SetUnknownFiles),
    Box("cboxEasyCopying", SetEasyCopying),
    Box("cboxEasyMoving", SetEasyMoving),
    Box("cboxFolderInNewWindow", SetFolderInNewWindow),
    Box("cboxOpenConsole", SetOpenConsole),
    Box("cboxLogoff", SetLogoff),
    Box("cboxRestart", SetRestart),
    Box("cboxShutdown", SetShutdown),
    Colours("combxTextColor", "combxBackgroundColor"),
    Box("cboxCmdQuickEdit", SetCmdQuickEdit),
    Box("cboxDetailView", SetDetailView),
    Box("cboxStatusAndAddressbar", SetStatusAndAddressbar),
    Box("cboxKillTheDog", SetKillTheDog),
    SearchOptions(),
    Box("cboxStopHighlighting", SetStopHighlighting),
    Box("cboxFullStopErrorReporting", SetFullStopErrorReporting),
    Box("cboxActivateMemSharing", SetActivateMemSharing),
    Slider("tbarBitBucket", SetBitBucket, " %"),
    Box("cboxNukeOnDelete", SetNukeOnDelete),
    Box("cboxNetworkMenu", SetNetworkMenu),
    Box("cboxControlPanelMenu", SetControlPanelMenu),
    Box("cboxMyComputerMenu", SetMyComputerMenu),
    ProgramDir(),
    Box("cboxHidePlayerID", SetHidePlayerID),
    Box("cboxDeactivateWindowsAuth", SetDeactivateWindowsAuth),
    Box("cbHideCommonFiles", SetHideCommonFiles),
    Box("cbSearchUnknownFiles", SetSearchUnknownFiles),
    Box("cbExpandIconCache", SetExpandIconCache),
    Box("cbExpandTaskSwitch", SetExpandTaskSwitch),
    Box("cbLockNumlock", SetLockNumlock),
    Box("cbHideShortCutArrow", SetHideShortCutArrow),
    Box("cbFixedEntries", SetFixedEntries),
    Box("cbHideDocuments", SetHideDocuments),
    Box("cbHideMyFiles", SetHideMyFiles),
    Box("cbHideMyPictures", SetHideMyPictures),
    Box("cbHideMyMusic", SetHideMyMusic),
    Box("cbHideHelpDesk", SetHideHelpDesk),
    Box("cbHideProgramAccess", SetHideProgramAccess),
    Box("cbDenyUSBWriteAccess", SetDenyUSBWriteAccess),
    Box("cbDisallowNusrmgr", SetDisallowNusrmgr),
    Box("cbDisallowAppwiz", SetDisallowAppwiz),
    Box("cbDisallowSecCenter", SetDisallowSecCenter),
    Box("cbDontLogPrograms", SetDontLogPrograms),
};

const std::vector<WriteStep> kWriteVista = {
    Box("cb20060501", SetBalloonTips),
    Box("cb20060502", SetIncreasePerformance),
    Box("cb20060505", SetDeactivateAutorun),
    Box("cb20060506", SetMuteBeepTone),
    Box("cb20060510", SetFastLogin),
    Box("cb20060512", SetKillProcess),
    Box("cb20060513", SetLowDiskSpace),
    Box("cb20060515", SetFastWindowsShutdown),
    Box("cb20060517", SetShowFileext),
    Box("cb20060518", SetShowAllFiles),
    Box("cb20060523", SetIncreaseSystemPerformance),
    Slider("tb20060528", SetStartmenuDelay, " ms"),
    Box("cb20060533", SetDeleteAdminShare),
    Box("cb20060534", SetStopSecurityCenter),
    Box("cb20060540", SetDisableActiveX),
    Box("cb20060546", SetStopWhispering),
    Box("cb20060547", SetDontLoadMetadata),
    Box("cb20060548", SetDontLoadLicenses),
    Box("cb20060549", SetDontLoadCodecs),
    Box("cb20060550", SetStopAutoUpdate),
    Box("cb20060801", SetControlPanel),
    Box("cb20060802", SetServices),
    Box("cb20060803", SetDevices),
    Box("cb20060804", SetRegEdit),
    Box("cb20060805", SetSystemRestore),
    Box("cb20060806", SetSoftware),
    Box("cb20060807", SetMsconfig),
    Box("cb20060808", SetNotepadReg),
    Box("cb20060809", SetUnknownFiles),
    Box("cb20060810", SetEasyCopying),
    Box("cb20060811", SetEasyMoving),
    Box("cb20060812", SetFolderInNewWindow),
    Box("cb20060813", SetOpenConsole),
    Box("cb20060814", SetLogoff),
    Box("cb20060815", SetRestart),
    Box("cb20060816", SetShutdown),
    Colours("combx20060817a", "combx20060817b"),
    Box("cb20060818", SetCmdQuickEdit),
    Box("cb20061019", SetHidePlayerID),
    Box("cb20061021", SetDeactivateWindowsAuth),
    Box("cb20070408", SetHideCommonFiles),
    Box("cb20070432", SetDisableUAC),
    Box("cb20070434", SetDisableNtfsTimestamps),
    Box("cb20070409", SetLockNumlock),
    Box("cb20070410", SetHideShortCutArrow),
    Box("cb20070440", SetAeroSlowMotion),
    Box("cb20070420", SetFixedEntries),
    Box("cb20070423", SetHideMyFiles),
    Box("cb20070424", SetHideMyPictures),
    Box("cb20070425", SetHideMyMusic),
    Box("cb20070412", SetDenyUSBWriteAccess),
    Box("cb20070419", SetDontLogPrograms),
    Box("cb20070439", SetDisableMailSplash),
    Provider("cb20070438a", kSearchProviders[0]),
    Provider("cb20070438b", kSearchProviders[1]),
    Provider("cb20070438c", kSearchProviders[2]),
};
// clang-format on

const char kConfirmApply[] = "Möchten Sie die Einstellungen jetzt vornehmen?";
const char kChanges[] = "Folgende Einstellungen werden geändert:";
const char kNothingChanged[] = "Es wurden keine Einstellungen geändert.";
const char kDone[] = "Vorgang erfolgreich abgeschlossen!";
const char kUndoHint[] =
    "Die bisherigen Werte wurden gesichert; \"Letzte Übernahme rückgängig machen\" im "
    "Systemmenü (Alt+Leertaste) stellt sie wieder her.";
const char kRestart[] =
    "Einige der Änderungen erfordern eventuell einen Neustart.\rMöchten Sie Windows neu starten?";
const char kNoRegistry[] =
    "Die Registrierung konnte nicht geöffnet werden.\rDie Einstellungen wurden nicht übernommen.";
const char kNotApplied[] = "Folgende Einstellungen wurden nicht übernommen:";
const char kAdminHint[] = "Systemweite Einstellungen erfordern Administratorrechte.";
// More unapplied settings than this are cut short with "und n weitere".
constexpr std::size_t kListedAtMost = 15;

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
  const std::string caption = Plain(window.caption(name));
  return caption.empty() ? name : caption;
}

// The controls a changed write is named by: the search-option boxes that changed (all of them
// without a remembered load), otherwise the one control.
std::vector<const char*> ChangedNames(const WriteStep& step, const StepState* before,
                                      const StepState& asked) {
  if (step.arg == Arg::SearchOptions && before == nullptr) return StepControls(step);
  return Named(step, before ? *before : asked, asked);
}

// The lines of the confirmation for one changed write.
std::vector<std::string> ChangeLines(const ApplyWindow& window, const WriteStep& step,
                                     const StepState* before, const StepState& asked) {
  const std::vector<const char*> controls = StepControls(step);
  std::vector<std::string> lines;
  switch (step.arg) {
    case Arg::NegatedCheck:
    case Arg::SearchProvider:
    case Arg::SearchOptions:
      for (const char* name : ChangedNames(step, before, asked)) {
        const auto at = std::find_if(controls.begin(), controls.end(),
                                     [&](const char* c) { return std::string(c) == name; });
        const bool on = asked.numbers[at - controls.begin()] != 0;
        lines.push_back(CaptionOf(window, name) + ": " + (on ? "ein" : "aus"));
      }
      break;
    case Arg::Position:
      lines.push_back(CaptionOf(window, ChangedNames(step, before, asked)[0]) + ": " +
                      std::to_string(asked.numbers[0]) + (step.unit ? step.unit : ""));
      break;
    case Arg::LabelText:
      lines.push_back(CaptionOf(window, ChangedNames(step, before, asked)[0]) + ": " + asked.text);
      break;
    case Arg::ColourPair:
      lines.push_back(CaptionOf(window, controls[0]) + ": Text " +
                      std::to_string(asked.numbers[0]) + ", Hintergrund " +
                      std::to_string(asked.numbers[1]));
      break;
  }
  return lines;
}

void AddOnce(std::vector<std::string>& captions, const std::string& caption) {
  if (std::find(captions.begin(), captions.end(), caption) == captions.end())
    captions.push_back(caption);
}

}  // namespace

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
  switch (step.arg) {
    case Arg::NegatedCheck:
      return step.set.flag(n[0] == 0);
    case Arg::Position:
      return step.set.number(n[0]);
    case Arg::ColourPair:
      return step.set.pair(n[0], n[1]);
    case Arg::SearchOptions:
      return step.set.options(n[0], n[1], n[2], n[3], n[4]);
    case Arg::LabelText:
      return step.set.text(s.text);
    case Arg::SearchProvider:
      return step.set.provider(n[0] == 0, step.provider->name, step.provider->address);
  }
  return false;
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

void LoadAndRemember(ControlSurface& controls, LoadedControls& loaded) {
  if (!IsWindowsXPOrVista()) return;
  const Layout layout = IsWindowsXP() ? Layout::XP : Layout::Vista;
  // A reading that could not open the registry changed no control: the user's changes since
  // the last load stay changes.
  if (LoadSettings(controls, ReadOrder(layout)) || loaded.steps.empty())
    loaded = RememberLoaded(controls, layout);
}

std::string NotAppliedReport(const std::vector<std::string>& captions, bool adminHint) {
  std::string text = kNotApplied;
  const std::size_t listed = captions.size() > kListedAtMost ? kListedAtMost - 1 : captions.size();
  for (std::size_t i = 0; i < listed; ++i) text += "\r" + captions[i];
  if (listed < captions.size())
    text += "\rund " + std::to_string(captions.size() - listed) + " weitere";
  return adminHint ? text + "\r\r" + kAdminHint : text;
}

std::string ConfirmationText(const std::vector<std::string>& changes) {
  std::string text = kChanges;
  const std::size_t listed = std::min(changes.size(), kListedAtMost);
  for (std::size_t i = 0; i < listed; ++i) text += "\r" + changes[i];
  if (listed < changes.size())
    text += "\r… und " + std::to_string(changes.size() - listed) + " weitere";
  return text + "\r\r" + kConfirmApply;
}

std::string ProgressText(int position, int maximum) {
  return "Einstellung " + std::to_string(position) + "/" + std::to_string(maximum);
}

void ApplySettings(ApplyWindow& window, Layout layout) {
  ControlSurface& controls = window.controls;
  const std::vector<WriteStep>& sequence = WriteSequence(layout);
  // The writes use what the controls show now; nothing can change them during the run. Without
  // a remembered load of this layout every write counts as changed.
  const std::vector<StepState> loaded =
      window.loaded.layout == layout && window.loaded.steps.size() == sequence.size()
          ? window.loaded.steps
          : std::vector<StepState>{};
  auto before = [&](std::size_t i) { return loaded.empty() ? nullptr : &loaded[i]; };
  std::vector<StepState> asked;
  std::vector<bool> changed;
  std::vector<std::string> changes;
  for (std::size_t i = 0; i < sequence.size(); ++i) {
    asked.push_back(StepShown(controls, sequence[i]));
    changed.push_back(loaded.empty() || asked[i] != loaded[i]);
    if (!changed[i]) continue;
    for (std::string& line : ChangeLines(window, sequence[i], before(i), asked[i]))
      changes.push_back(std::move(line));
  }
  if (std::none_of(changed.begin(), changed.end(), [](bool c) { return c; })) {
    window.standardViewShown = false;  // closing loses nothing
    MessageDlg(kNothingChanged, MsgType::Information, kMbOk);
    return;
  }
  if (MessageDlg(ConfirmationText(changes), MsgType::Confirmation, kMbYes | kMbNo) !=
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
  const bool backedUp = window.backups && window.backups->After();
  progress->Fill();
  if (!wrote || !reloaded) {
    // Nothing was written, or nothing of it can be confirmed; no restart is offered.
    MessageDlg(kNoRegistry, MsgType::Error, kMbOk);
    return;
  }
  std::vector<std::string> missed;
  for (std::size_t i = 0; i < sequence.size(); ++i) {
    if (!changed[i]) continue;
    const std::vector<const char*> names =
        failed[i] ? ChangedNames(sequence[i], before(i), asked[i])
                  : Unapplied(sequence[i], asked[i], StepShown(controls, sequence[i]));
    for (const char* name : names) AddOnce(missed, CaptionOf(window, name));
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

void ApplySettingsXP(ApplyWindow& window) { ApplySettings(window, Layout::XP); }
void ApplySettingsVista(ApplyWindow& window) { ApplySettings(window, Layout::Vista); }

void butApplyClick(ApplyWindow& window) {
  if (IsWindowsXP()) ApplySettingsXP(window);
  if (IsWindowsVista()) ApplySettingsVista(window);
}

}  // namespace tw
