// Pictures of the program's windows for people to look at (scripts/screenshots.sh). Runs only
// when TRIMMWERK_SCREENSHOTS names a folder.

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "documented_counts.h"
#include "flows/import_selection.h"
#include "flows/settings_apply.h"
#include "message_script.h"
#include "system/winversion.h"
#include "ui/backup_menu.h"
#include "ui/message_dialog.h"
#include "ui/pages.h"
#include "ui/search_window.h"
#include "ui/unitinfo.h"
#include "ui/unitmain.h"
#include "ui/unitprogress.h"
#include "ui_support.h"
#include "window_doubles.h"

namespace tw::ui::test {
namespace {

// The window as the screen shows it, frame included, as a 24-bit BMP file. Without refresh the
// screen is taken as it is, with no message handled first.
// A rectangle of the screen as a 24-bit BMP file.
void SaveScreen(const RECT& r, const std::string& path) {
  const int w = r.right - r.left;
  const int h = r.bottom - r.top;
  BITMAPINFOHEADER bi{};
  bi.biSize = sizeof bi;
  bi.biWidth = w;
  bi.biHeight = h;
  bi.biPlanes = 1;
  bi.biBitCount = 24;
  bi.biCompression = BI_RGB;
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  HBITMAP dib = CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&bi), DIB_RGB_COLORS, &bits,
                                 nullptr, 0);
  HDC dc = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(dc, dib);
  BitBlt(dc, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
  GdiFlush();
  const DWORD stride = ((static_cast<DWORD>(w) * 3 + 3) / 4) * 4;
  bi.biSizeImage = stride * static_cast<DWORD>(h);
  BITMAPFILEHEADER bf{};
  bf.bfType = 0x4D42;
  bf.bfOffBits = sizeof bf + sizeof bi;
  bf.bfSize = bf.bfOffBits + bi.biSizeImage;
  if (FILE* f = std::fopen(path.c_str(), "wb")) {
    std::fwrite(&bf, sizeof bf, 1, f);
    std::fwrite(&bi, sizeof bi, 1, f);
    std::fwrite(bits, 1, bi.biSizeImage, f);
    std::fclose(f);
  } else {
    ADD_FAILURE() << "cannot write " << path;
  }
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(dib);
  ReleaseDC(nullptr, screen);
}

void SaveWindow(HWND hwnd, const std::string& path, bool refresh = true) {
  if (refresh) {
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    Pump(150);
  }
  RECT r;
  GetWindowRect(hwnd, &r);
  SaveScreen(r, path);
}

TEST(Screenshots, EveryPageThePanelAndTheDialogs) {
  const char* dir = std::getenv("TRIMMWERK_SCREENSHOTS");
  if (!dir) GTEST_SKIP() << "TRIMMWERK_SCREENSHOTS names the folder for the pictures";
  const std::string base = std::string(dir) + "\\" + (IsWindowsXP() ? "xp" : "vista") + "-";
  tw::test::MessageScript script;
  TfrmMain form;
  form.Create();
  TfrmInfo info;
  info.Create(form.handle());
  SetWindowPos(form.handle(), nullptr, 20, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  form.Show();
  SetForegroundWindow(form.handle());
  Pump(300);

  Controls& c = form.controls();
  Control& pageSet = c.Get(IsWindowsXP() ? kPagesXP.pageSet : kPagesVista.pageSet);
  const auto pages = c.Pages(pageSet);
  for (std::size_t i = 0; i < pages.size(); ++i) {
    c.SelectPage(pageSet, static_cast<int>(i));
    char name[16];
    std::snprintf(name, sizeof name, "page%zu-", i + 1);
    SaveWindow(form.handle(), base + name + pages[i]->name + ".bmp");
  }
  c.SelectPage(pageSet, 0);
  form.ShowTweakText(20060501);
  SaveWindow(form.handle(), base + "panel-open.bmp");
  form.CollapseInfoPanel();
  SaveWindow(form.handle(), base + "panel-closed.bmp");
  form.ExpandInfoPanel();
  // The overview text, and a long text scrolled to its end.
  form.ShowTweakText(1);
  SaveWindow(form.handle(), base + "panel-text-1.bmp");
  form.ShowTweakText(20060540);
  SendMessageA(c.Get("reTweakInfo").hwnd, WM_VSCROLL, SB_BOTTOM, 0);
  SaveWindow(form.handle(), base + "panel-long-text-scrolled.bmp");

  After(300, [&] {
    SaveWindow(info.handle(), base + "info.bmp");
    PostMessageA(info.handle(), WM_COMMAND, IDOK, 0);
  });
  info.ShowModal();
  Pump(300);  // the main window repaints where the info window was

  // The progress window halfway through an apply run, painted while the run handles no message.
  {
    const int writes = IsWindowsXP() ? kWritesXP : kWritesVista;
    const std::string half = ProgressText(writes / 2, writes);
    RegistrySpy spy;
    SystemStub system;
    bool taken = false;
    spy.onChange = [&] {
      if (taken || !frmProgress || WindowText(frmProgress->labProgress()) != half) return;
      taken = true;
      SaveWindow(frmProgress->handle(), base + "progress.bmp", false);
      SaveWindow(form.handle(), base + "progress-over-main.bmp", false);
    };
    // Every box turned over, so every write of the run is made.
    for (const WriteStep& w : WriteSequence(IsWindowsXP() ? Layout::XP : Layout::Vista)) {
      if (!WritesBoxes(w.arg)) continue;
      for (const char* name : StepControls(w)) c.SetChecked(name, !c.Checked(name));
    }
    Messages answers;
    answers.answers = {MsgResult::Yes, MsgResult::Ok, MsgResult::No};
    form.butApplyClick(c.Get("butApply"));
    EXPECT_TRUE(taken);
  }

  // The system menu with the backup entries, and the undo question naming the run's changes.
  After(400, [&] {
    HWND menu = FindWindowA("#32768", nullptr);
    RECT r, m;
    GetWindowRect(form.handle(), &r);
    if (menu && GetWindowRect(menu, &m)) UnionRect(&r, &r, &m);
    SaveScreen(r, base + "system-menu.bmp");
    EndMenu();
  });
  SendMessageA(form.handle(), WM_SYSCOMMAND, SC_KEYMENU, ' ');
  Pump(200);
  form.OpenSearch();
  SetWindowTextA(form.searchWindow()->Get("edQuery"), "ordner");
  SaveWindow(form.searchWindow()->handle(), base + "search.bmp");
  form.searchWindow()->Hide();
  {
    const MessageHandler script =
        SetMessageHandler([](const std::string& text, MsgType type, unsigned buttons, auto) {
          return ShowMessageDialog(text, type, buttons);
        });
    After(300, [&] {
      HWND box = GetActiveWindow();
      SaveWindow(box, base + "undo-question.bmp");
      PostMessageA(box, WM_COMMAND, IDCANCEL, 0);  // "&Nein" for a question, "OK" for a report
    });
    SendMessageA(form.handle(), WM_SYSCOMMAND, kCmdUndo, 0);
    SetMessageHandler(script);
  }
  // The undo report: Explorer's key refuses, so the settings kept there do not come back.
  {
    DenyAllKey locked("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced");
    EXPECT_TRUE(locked.locked());
    bool reported = false;
    const MessageHandler script =
        SetMessageHandler([&](const std::string& text, MsgType type, unsigned buttons, auto) {
          if (type != MsgType::Error) return MsgResult::Yes;  // the question, answered
          reported = true;
          After(300, [&] {
            HWND box = GetActiveWindow();
            SaveWindow(box, base + "undo-report.bmp");
            PostMessageA(box, WM_COMMAND, IDOK, 0);
          });
          return ShowMessageDialog(text, type, buttons);
        });
    SendMessageA(form.handle(), WM_SYSCOMMAND, kCmdUndo, 0);
    SetMessageHandler(script);
    EXPECT_TRUE(reported);
  }

  // The box after an import: a file that turns one setting on and holds a foreign value.
  {
    const std::string text =
        "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\"
        "Explorer\\Advanced]\r\n\"HideFileExt\"=dword:00000000\r\n\"Fremd\"=dword:00000001\r\n";
    const MessageHandler script =
        SetMessageHandler([&](const std::string& message, MsgType type, unsigned buttons, auto) {
          After(300, [&] {
            HWND box = GetActiveWindow();
            SaveWindow(box, base + "import-report.bmp");
            PostMessageA(box, WM_COMMAND, IDOK, 0);
          });
          return ShowMessageDialog(message, type, buttons);
        });
    ImportWindow import{form.controls(), form.loadedControls(), form.StandardViewShown,
                        IsWindowsXP() ? Layout::XP : Layout::Vista,
                        [&](const std::string& name) { return form.SettingCaption(name); }};
    ImportSelection(import, {{"Auswahl.reg", Bytes(text.begin(), text.end())}});
    SetMessageHandler(script);
    form.StandardViewShown = false;
  }

  After(300, [&] {
    HWND box = GetActiveWindow();
    SaveWindow(box, base + "message.bmp");
    PostMessageA(box, WM_COMMAND, IDNO, 0);
  });
  MsgCheckBox point{"Vorher einen Wiederherstellungspunkt erstellen", true};
  ShowMessageDialog(ConfirmationText({"Dateiendungen anzeigen: ein"}), MsgType::Confirmation,
                    kMbYes | kMbNo, &point);
}

}  // namespace
}  // namespace tw::ui::test
