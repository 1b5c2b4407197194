#include "ui/message_dialog.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "ui/form.h"
#include "ui_support.h"

namespace tw::ui::test {
namespace {

struct Seen {
  std::string caption;
  std::string text;
  std::vector<std::string> buttons;
  bool icon = false;
  std::string defaultButton;  // the one Enter presses, holding the focus
};

// Reads the box that is open now and answers it: a button by its caption, or Escape.
void AnswerBox(Seen& seen, const std::string& press) {
  HWND box = GetActiveWindow();
  seen.caption = WindowText(box);
  for (HWND h : ChildrenOfClass(box, "Button")) {
    seen.buttons.push_back(WindowText(h));
    if ((GetWindowLongA(h, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON && GetFocus() == h)
      seen.defaultButton = WindowText(h);
  }
  for (HWND h : ChildrenOfClass(box, "Static")) {
    if ((GetWindowLongA(h, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
      seen.icon = SendMessageA(h, STM_GETICON, 0, 0) != 0;
    } else {
      seen.text = WindowText(h);
    }
  }
  if (press == "Escape") {
    SendMessageA(box, WM_COMMAND, IDCANCEL, 0);  // what the dialog manager makes of Escape
    return;
  }
  for (HWND h : ChildrenOfClass(box, "Button")) {
    if (WindowText(h) == press) SendMessageA(h, BM_CLICK, 0, 0);
  }
}

TEST(MessageDialog, GermanCaptionsButtonsAndAnswers) {
  struct Case {
    MsgType type;
    unsigned buttons;
    const char* press;
    MsgResult result;
    const char* caption;
    std::vector<std::string> shown;
  };
  const Case cases[] = {
      {MsgType::Confirmation,
       kMbYes | kMbNo,
       "&Nein",
       MsgResult::No,
       "Bestätigen",
       {"&Ja", "&Nein"}},
      {MsgType::Confirmation,
       kMbYes | kMbNo,
       "&Ja",
       MsgResult::Yes,
       "Bestätigen",
       {"&Ja", "&Nein"}},
      {MsgType::Confirmation,
       kMbYes | kMbNo,
       "Escape",
       MsgResult::No,
       "Bestätigen",
       {"&Ja", "&Nein"}},
      {MsgType::Confirmation,
       kMbYes | kMbNo | kMbCancel,
       "Abbrechen",
       MsgResult::Cancel,
       "Bestätigen",
       {"&Ja", "&Nein", "Abbrechen"}},
      {MsgType::Confirmation,
       kMbYes | kMbNo | kMbCancel,
       "Escape",
       MsgResult::Cancel,
       "Bestätigen",
       {"&Ja", "&Nein", "Abbrechen"}},
      {MsgType::Information, kMbOk, "OK", MsgResult::Ok, "Informationen", {"OK"}},
      {MsgType::Error, kMbOk, "Escape", MsgResult::Ok, "Fehler", {"OK"}},
      {MsgType::Plain, kMbOk, "OK", MsgResult::Ok, "Tavo Trimmwerk 3.0.1", {"OK"}},
  };
  const std::string text = "Erste Zeile mit Umlauten: äöüß\rZweite Zeile";
  for (const Case& c : cases) {
    Seen seen;
    After(100, [&] { AnswerBox(seen, c.press); });
    EXPECT_EQ(ShowMessageDialog(text, c.type, c.buttons), c.result) << c.press;
    EXPECT_EQ(seen.caption, c.caption);
    EXPECT_EQ(seen.text, text);
    EXPECT_EQ(seen.buttons, c.shown);
    EXPECT_EQ(seen.icon, c.type != MsgType::Plain) << c.caption;
  }
}

TEST(MessageDialog, AQuestionMayMakeNoTheDefault) {
  for (unsigned extra : {0u, static_cast<unsigned>(kMbDefaultNo)}) {
    Seen seen;
    After(100, [&] { AnswerBox(seen, "&Nein"); });
    EXPECT_EQ(ShowMessageDialog("Ohne Sicherung fortfahren?", MsgType::Confirmation,
                                kMbYes | kMbNo | extra),
              MsgResult::No);
    EXPECT_EQ(seen.buttons, (std::vector<std::string>{"&Ja", "&Nein"}));
    EXPECT_EQ(seen.defaultButton, extra ? "&Nein" : "&Ja");
  }
}

}  // namespace
}  // namespace tw::ui::test
