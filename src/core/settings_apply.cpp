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
WriteStep Slider(const char* slider, bool (*set)(int), const char* reportAs = nullptr) {
  WriteStep s{Arg::Position, {slider}, {}};
  s.set.number = set;
  s.reportAs = reportAs;
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
    Slider("trackStartmenuDelay", SetStartmenuDelay, "labStartmenuDelayCaption"),
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
    Slider("tbarBitBucket", SetBitBucket),
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
    Slider("tb20060528", SetStartmenuDelay),
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
const char kDone[] = "Vorgang erfolgreich abgeschlossen!";
const char kRestart[] =
    "Einige der Änderungen erfordern eventuell einen Neustart.\rMöchten Sie Windows neu starten?";
const char kPartly[] = "Die Einstellungen wurden nur teilweise übernommen:";
const char kNoRegistry[] =
    "Die Registrierung konnte nicht geöffnet werden.\rDie Einstellungen wurden nicht übernommen.";
const char kNotApplied[] = "Folgende Einstellungen wurden nicht übernommen:";
const char kAdminHint[] = "Systemweite Einstellungen erfordern Administratorrechte.";
// More unapplied settings than this are cut short with "und n weitere".
constexpr std::size_t kListedAtMost = 15;

// What the controls of one write show: box states or slider position or list indexes in
// numbers, a label's text in text.
struct Shown {
  std::vector<int> numbers;
  std::string text;
};

Shown Read(const ControlSurface& c, const WriteStep& step) {
  Shown s;
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

// The setter's result is not used: what took effect is judged after the reload (removing an
// entry that was never there reports false, yet the control shows what it asked for).
void Write(const WriteStep& step, const Shown& s) {
  const std::vector<int>& n = s.numbers;
  switch (step.arg) {
    case Arg::NegatedCheck:
      step.set.flag(n[0] == 0);
      break;
    case Arg::Position:
      step.set.number(n[0]);
      break;
    case Arg::ColourPair:
      step.set.pair(n[0], n[1]);
      break;
    case Arg::SearchOptions:
      step.set.options(n[0], n[1], n[2], n[3], n[4]);
      break;
    case Arg::LabelText:
      step.set.text(s.text);
      break;
    case Arg::SearchProvider:
      step.set.provider(n[0] == 0, step.provider->name, step.provider->address);
      break;
  }
}

// The controls of a write whose reloaded state differs from what they asked for. A colour pair
// is compared the way loading shows it (black on black reads back as 7 on 0).
std::vector<const char*> Unapplied(const WriteStep& step, const Shown& asked, const Shown& now) {
  const std::vector<const char*> controls = StepControls(step);
  const char* name = step.reportAs ? step.reportAs : controls[0];
  switch (step.arg) {
    case Arg::ColourPair: {
      const ColourPair want = ConsoleColourPair(asked.numbers[0] | asked.numbers[1] << 4);
      const bool same = want.text == now.numbers[0] && want.background == now.numbers[1];
      return same ? std::vector<const char*>{} : std::vector<const char*>{name};
    }
    case Arg::SearchOptions: {
      std::vector<const char*> differ;
      for (std::size_t i = 0; i < controls.size(); ++i) {
        if (asked.numbers[i] != now.numbers[i]) differ.push_back(controls[i]);
      }
      return differ;
    }
    default:
      if (asked.numbers == now.numbers && asked.text == now.text) return {};
      return {name};
  }
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

// The captions of the settings whose controls, reloaded, show something else than they asked
// for, each once.
std::vector<std::string> NotTakenEffect(const ApplyWindow& window,
                                        const std::vector<WriteStep>& sequence,
                                        const std::vector<Shown>& asked) {
  std::vector<std::string> captions;
  for (std::size_t i = 0; i < sequence.size(); ++i) {
    const Shown now = Read(window.controls, sequence[i]);
    for (const char* name : Unapplied(sequence[i], asked[i], now)) {
      std::string caption = Plain(window.caption(name));
      if (caption.empty()) caption = name;
      if (std::find(captions.begin(), captions.end(), caption) == captions.end())
        captions.push_back(caption);
    }
  }
  return captions;
}

}  // namespace

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

std::string NotAppliedReport(const std::vector<std::string>& captions) {
  std::string text = kNotApplied;
  const std::size_t listed = captions.size() > kListedAtMost ? kListedAtMost - 1 : captions.size();
  for (std::size_t i = 0; i < listed; ++i) text += "\r" + captions[i];
  if (listed < captions.size())
    text += "\rund " + std::to_string(captions.size() - listed) + " weitere";
  return text + "\r\r" + kAdminHint;
}

std::string ProgressText(int position, int maximum) {
  return "Einstellung " + std::to_string(position) + "/" + std::to_string(maximum);
}

void ApplySettings(ApplyWindow& window, Layout layout) {
  if (MessageDlg(kConfirmApply, MsgType::Confirmation, kMbYes | kMbNo) != MsgResult::Yes) return;
  ControlSurface& controls = window.controls;
  const std::vector<WriteStep>& sequence = WriteSequence(layout);
  // The writes use what the controls show now; nothing can change them during the run.
  std::vector<Shown> asked;
  for (const WriteStep& step : sequence) asked.push_back(Read(controls, step));

  window.standardViewShown = false;
  std::unique_ptr<Progress> progress = window.createProgress(static_cast<int>(sequence.size()));
  progress->Show();

  bool wrote = false;
  std::optional<std::string> failure;
  {
    RegistryBatch batch;
    wrote = batch.opened();
    for (std::size_t i = 0; wrote && i < sequence.size(); ++i) {
      try {
        Write(sequence[i], asked[i]);
      } catch (const Error& e) {
        failure = e.what();
        break;
      }
      progress->StepProgress();
    }
  }
  if (failure) {
    progress.reset();
    LoadSettings(controls, ReadOrder(layout));
    MessageDlg(std::string(kPartly) + "\r" + *failure, MsgType::Error, kMbOk);
    return;
  }

  progress->AllowClose();
  const bool reloaded = LoadSettings(controls, ReadOrder(layout));
  progress->Fill();
  if (!wrote || !reloaded) {
    // Nothing was written, or nothing of it can be confirmed; no restart is offered.
    MessageDlg(kNoRegistry, MsgType::Error, kMbOk);
    return;
  }
  const std::vector<std::string> missed = NotTakenEffect(window, sequence, asked);
  if (missed.empty()) {
    MessageDlg(kDone, MsgType::Information, kMbOk);
  } else {
    MessageDlg(NotAppliedReport(missed), MsgType::Error, kMbOk);
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
