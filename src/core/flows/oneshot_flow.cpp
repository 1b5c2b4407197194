#include "flows/oneshot_flow.h"

#include "catalogue/computed_tweaks.h"
#include "flows/restore_point.h"
#include "flows/setting_names.h"
#include "flows/texts.h"
#include "registry/registry.h"
#include "system/error.h"
#include "system/messages.h"
#include "system/system_helpers.h"

namespace tw {
namespace {

using namespace text;

const std::array<ConfirmedAction, 4> kConfirmedActions = {{
    {"butDeleteBrowserextensions", "Möchten Sie die Browsererweiterungen wirklich entfernen?",
     DeleteBrowserExtensions, "Browsererweiterungen wurden entfernt!",
     "Browsererweiterungen wurden nicht entfernt!", HasBrowserExtensions, true},
    {"butDeleteBHO", "Möchten Sie die Browser Helper-Objekte wirklich entfernen?",
     DeleteBrowserHelperObjects, "Browser Helper-Objekte wurden entfernt!",
     "Browser Helper-Objekte wurden nicht entfernt!", HasBrowserHelperObjects, true},
    {"butDeleteToolbars", "Möchten Sie die Toolbars wirklich entfernen?", DeleteToolbars,
     "Toolbars wurden entfernt!", "Toolbars wurden nicht entfernt!", HasToolbars, true},
    {"butPatchWindowsUpdate", "Möchten Sie den Windows Update-Fehler wirklich korrigieren?",
     PatchWindowsUpdate, "Windows Update-Fehler wurde korrigiert!",
     "Windows Update-Fehler wurde nicht korrigiert!", NeedsWindowsUpdatePatch, false},
}};

const char kMessengerButton[] = "butDeinstallMessenger";

void Report(bool done, const char* doneText, const char* notDoneText,
            const std::string& pointLine = "") {
  const std::string extra = pointLine.empty() ? "" : "\r\r" + pointLine;
  if (done) {
    MessageDlg(doneText + extra, MsgType::Information, kMbOk);
  } else {
    MessageDlg(notDoneText + extra, MsgType::Error, kMbOk);
  }
}

}  // namespace

const std::array<ConfirmedAction, 4>& ConfirmedActions() { return kConfirmedActions; }

void ConfirmedActionClick(ControlSurface& controls, const std::string& sender) {
  const ConfirmedAction* row = nullptr;
  for (const ConfirmedAction& a : kConfirmedActions) {
    if (sender == a.button) row = &a;
  }
  if (!row) throw Error("Keine Aktion für " + sender);
  const std::string question = std::string(row->question) + "\r" + kFinal;
  const unsigned buttons = kMbYes | kMbNo | kMbCancel;
  bool wantPoint = false;
  const MsgResult answer = row->restorePoint ? AskBeforeChange(question, buttons, wantPoint)
                                             : MessageDlg(question, MsgType::Confirmation, buttons);
  if (answer != MsgResult::Yes) return;
  // Withdrawn on every way out that does not end it.
  RestorePoint point;
  const std::string caption =
      MessageCaption([&](const std::string& name) { return controls.Text(name); }, sender);
  if (wantPoint && !point.Begin(RestorePointDescription(caption))) return;
  RegistryBatch batch;
  if (!batch.opened()) return;
  const bool done = row->action();
  // A removal that reports failure may still have removed a part: the point stays.
  Report(done, row->done, row->notDone, point.Finish(true));
  controls.SetEnabled(sender, row->needed());
}

void butDeinstallMessengerClick(ControlSurface& controls, const InputBlocker& block) {
  // Declared first, released last: the batch closes while the window is still blocked.
  const std::unique_ptr<InputBlock> blocked = block();
  RegistryBatch batch;
  if (!batch.opened()) return;
  DeinstallMessenger();  // the uninstaller reports its own failures
  controls.SetEnabled(kMessengerButton, GetDeinstallMessenger());
}

void butUseGoogleSearchClick() {
  RegistryBatch batch;
  if (!batch.opened()) return;
  Report(UseGoogleSearch(), kGoogleDone, kGoogleNotDone);
}

void butSearchProgramDirClick(ControlSurface& controls, std::uintptr_t owner) {
  std::string folder;  // empty: the dialog preselects nothing
  if (!SelectFolderDialog(kChooseProgramDir, L"Desktop", folder, owner, false, false, true)) return;
  // A virtual folder (Control Panel, ...) has no path; an empty one must never be applied.
  if (!folder.empty()) controls.SetText("labProgramDir", folder);
}

}  // namespace tw
