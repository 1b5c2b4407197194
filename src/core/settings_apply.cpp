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

WriteStep Check(const char* box, bool (*set)(bool)) {
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
    Check("cboxBalloonTips", SetBalloonTips),
    Check("cboxIncreasePerformance", SetIncreasePerformance),
    Check("cboxDeactivatePreview", SetDeactivatePreview),
    Check("cboxDeactivateAutorun", SetDeactivateAutorun),
    Check("cboxMuteBeepTone", SetMuteBeepTone),
    Check("cboxStopErrorreporting", SetStopErrorreporting),
    Check("cboxSpeedupNetwork", SetSpeedupNetwork),
    Check("cboxFastLogin", SetFastLogin),
    Check("cboxKillProcess", SetKillProcess),
    Check("cboxLowDiskSpace", SetLowDiskSpace),
    Check("cboxStopDesktopCleaning", SetStopDesktopCleaning),
    Check("cboxFastWindowsShutdown", SetFastWindowsShutdown),
    Check("cboxShowFileext", SetShowFileext),
    Check("cboxShowAllFiles", SetShowAllFiles),
    Check("cboxShowSystemFiles", SetShowSystemFiles),
    Check("cboxStopWebsearch", SetStopWebsearch),
    Check("cboxIncreaseSystemPerformance", SetIncreaseSystemPerformance),
    Check("cboxDeactivatePersonalMenus", SetDeactivatePersonalMenus),
    Slider("trackStartmenuDelay", SetStartmenuDelay, "labStartmenuDelayCaption"),
    Check("cboxDontGroupTaskbaritems", SetDontGroupTaskbaritems),
    Check("cboxDisableRemoteDesktop", SetDisableRemoteDesktop),
    Check("cboxDisableAutoUpdate", SetDisableAutoUpdate),
    Check("cboxDeleteAdminShare", SetDeleteAdminShare),
    Check("cboxStopSecurityCenter", SetStopSecurityCenter),
    Check("cboxSavePrivacy", SetSavePrivacy),
    Check("cboxEliminateDownloadlimit", SetEliminateDownloadlimit),
    Check("cboxStopIEErrorreporting", SetStopIEErrorreporting),
    Check("cboxDisableActiveX", SetDisableActiveX),
    Check("cboxStopVBScript", SetStopVBScript),
    Check("cboxStopWhispering", SetStopWhispering),
    Check("cboxDontLoadMetadata", SetDontLoadMetadata),
    Check("cboxDontLoadLicenses", SetDontLoadLicenses),
    Check("cboxDontLoadCodecs", SetDontLoadCodecs),
    Check("cboxStopAutoUpdate", SetStopAutoUpdate),
    Check("cboxControlPanel", SetControlPanel),
    Check("cboxServices", SetServices),
    Check("cboxDevices", SetDevices),
    Check("cboxRegEdit", SetRegEdit),
    Check("cboxSystemRestore", SetSystemRestore),
    Check("cboxSoftware", SetSoftware),
    Check("cboxMsconfig", SetMsconfig),
    Check("cboxNotepadReg", SetNotepadReg),
    Check("cboxUnknownFiles", SetUnknownFiles),
    Check("cboxEasyCopying", SetEasyCopying),
    Check("cboxEasyMoving", SetEasyMoving),
    Check("cboxFolderInNewWindow", SetFolderInNewWindow),
    Check("cboxOpenConsole", SetOpenConsole),
    Check("cboxLogoff", SetLogoff),
    Check("cboxRestart", SetRestart),
    Check("cboxShutdown", SetShutdown),
    Colours("combxTextColor", "combxBackgroundColor"),
    Check("cboxCmdQuickEdit", SetCmdQuickEdit),
    Check("cboxDetailView", SetDetailView),
    Check("cboxStatusAndAddressbar", SetStatusAndAddressbar),
    Check("cboxKillTheDog", SetKillTheDog),
    SearchOptions(),
    Check("cboxStopHighlighting", SetStopHighlighting),
    Check("cboxFullStopErrorReporting", SetFullStopErrorReporting),
    Check("cboxActivateMemSharing", SetActivateMemSharing),
    Slider("tbarBitBucket", SetBitBucket),
    Check("cboxNukeOnDelete", SetNukeOnDelete),
    Check("cboxNetworkMenu", SetNetworkMenu),
    Check("cboxControlPanelMenu", SetControlPanelMenu),
    Check("cboxMyComputerMenu", SetMyComputerMenu),
    ProgramDir(),
    Check("cboxHidePlayerID", SetHidePlayerID),
    Check("cboxDeactivateWindowsAuth", SetDeactivateWindowsAuth),
    Check("cbHideCommonFiles", SetHideCommonFiles),
    Check("cbSearchUnknownFiles", SetSearchUnknownFiles),
    Check("cbExpandIconCache", SetExpandIconCache),
    Check("cbExpandTaskSwitch", SetExpandTaskSwitch),
    Check("cbLockNumlock", SetLockNumlock),
    Check("cbHideShortCutArrow", SetHideShortCutArrow),
    Check("cbFixedEntries", SetFixedEntries),
    Check("cbHideDocuments", SetHideDocuments),
    Check("cbHideMyFiles", SetHideMyFiles),
    Check("cbHideMyPictures", SetHideMyPictures),
    Check("cbHideMyMusic", SetHideMyMusic),
    Check("cbHideHelpDesk", SetHideHelpDesk),
    Check("cbHideProgramAccess", SetHideProgramAccess),
    Check("cbDenyUSBWriteAccess", SetDenyUSBWriteAccess),
    Check("cbDisallowNusrmgr", SetDisallowNusrmgr),
    Check("cbDisallowAppwiz", SetDisallowAppwiz),
    Check("cbDisallowSecCenter", SetDisallowSecCenter),
    Check("cbDontLogPrograms", SetDontLogPrograms),
};

const std::vector<WriteStep> kWriteVista = {
    Check("cb20060501", SetBalloonTips),
    Check("cb20060502", SetIncreasePerformance),
    Check("cb20060505", SetDeactivateAutorun),
    Check("cb20060506", SetMuteBeepTone),
    Check("cb20060510", SetFastLogin),
    Check("cb20060512", SetKillProcess),
    Check("cb20060513", SetLowDiskSpace),
    Check("cb20060515", SetFastWindowsShutdown),
    Check("cb20060517", SetShowFileext),
    Check("cb20060518", SetShowAllFiles),
    Check("cb20060523", SetIncreaseSystemPerformance),
    Slider("tb20060528", SetStartmenuDelay),
    Check("cb20060533", SetDeleteAdminShare),
    Check("cb20060534", SetStopSecurityCenter),
    Check("cb20060540", SetDisableActiveX),
    Check("cb20060546", SetStopWhispering),
    Check("cb20060547", SetDontLoadMetadata),
    Check("cb20060548", SetDontLoadLicenses),
    Check("cb20060549", SetDontLoadCodecs),
    Check("cb20060550", SetStopAutoUpdate),
    Check("cb20060801", SetControlPanel),
    Check("cb20060802", SetServices),
    Check("cb20060803", SetDevices),
    Check("cb20060804", SetRegEdit),
    Check("cb20060805", SetSystemRestore),
    Check("cb20060806", SetSoftware),
    Check("cb20060807", SetMsconfig),
    Check("cb20060808", SetNotepadReg),
    Check("cb20060809", SetUnknownFiles),
    Check("cb20060810", SetEasyCopying),
    Check("cb20060811", SetEasyMoving),
    Check("cb20060812", SetFolderInNewWindow),
    Check("cb20060813", SetOpenConsole),
    Check("cb20060814", SetLogoff),
    Check("cb20060815", SetRestart),
    Check("cb20060816", SetShutdown),
    Colours("combx20060817a", "combx20060817b"),
    Check("cb20060818", SetCmdQuickEdit),
    Check("cb20061019", SetHidePlayerID),
    Check("cb20061021", SetDeactivateWindowsAuth),
    Check("cb20070408", SetHideCommonFiles),
    Check("cb20070432", SetDisableUAC),
    Check("cb20070434", SetDisableNtfsTimestamps),
    Check("cb20070409", SetLockNumlock),
    Check("cb20070410", SetHideShortCutArrow),
    Check("cb20070440", SetAeroSlowMotion),
    Check("cb20070420", SetFixedEntries),
    Check("cb20070423", SetHideMyFiles),
    Check("cb20070424", SetHideMyPictures),
    Check("cb20070425", SetHideMyMusic),
    Check("cb20070412", SetDenyUSBWriteAccess),
    Check("cb20070419", SetDontLogPrograms),
    Check("cb20070439", SetDisableMailSplash),
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
    MessageDlg(kNoRegistry, MsgType::Error, kMbOk);
    return;  // ~progress; nothing was written, so no restart either
  }
  std::vector<std::string> missed;
  for (std::size_t i = 0; i < sequence.size(); ++i) {
    for (const char* name : Unapplied(sequence[i], asked[i], Read(controls, sequence[i]))) {
      std::string caption = Plain(window.caption(name));
      if (caption.empty()) caption = name;
      if (std::find(missed.begin(), missed.end(), caption) == missed.end())
        missed.push_back(caption);
    }
  }
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
