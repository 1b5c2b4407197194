// The Windows standard view in the real window, and closing: the question while standard values
// are shown, and the window's own settings saved on the way out.

#include <gtest/gtest.h>
#include <windows.h>

#include <map>
#include <string>

#include "flows/settings_apply.h"
#include "ui_support.h"
#include "window_doubles.h"

namespace tw::ui::test {
namespace {

constexpr char kCloseQuestion[] =
    "Hiermit wird das Programm beendet.\rEinstellungen, die nicht übernommen wurden, gehen "
    "verloren.\r\rMöchten Sie dennoch schließen?";

class StandardView : public LiveWindow {
 protected:
  // Every control of the sequence away from its standard value.
  void AwayFromStandard() {
    for (const WriteStep& w : WriteSequence(layout)) {
      for (const char* name : StepControls(w)) {
        if (WritesBoxes(w.arg)) c().SetChecked(name, true);
        if (w.arg == Arg::Position) c().SetPosition(name, 1);
        if (w.arg == Arg::ColourPair) c().SetItemIndex(name, 3);
        if (w.arg == Arg::LabelText) c().SetText(name, "X:\\Anderswo");
      }
    }
    if (!xp) c().SetEnabled("but20060541", false);
  }
  // The standard of every control of the sequence: unchecked but for the listed boxes.
  std::vector<std::pair<std::string, std::string>> Standard() {
    const std::map<std::string, std::string> other =
        xp ? std::map<std::string, std::string>{{"cboxFastWindowsShutdown", "1"},
                                                {"cboxHidePlayerID", "1"},  // left as they were
                                                {"cboxDeactivateWindowsAuth", "1"},
                                                {"trackStartmenuDelay", "400"},
                                                {"tbarBitBucket", "10"},
                                                {"combxTextColor", "7"},
                                                {"combxBackgroundColor", "0"},
                                                {"labProgramDir", "C:\\Programme"}}
           : std::map<std::string, std::string>{{"cb20060515", "1"},
                                                {"cb20061019", "1"},
                                                {"tb20060528", "400"},
                                                {"combx20060817a", "7"},
                                                {"combx20060817b", "0"}};
    auto shown = Showing();
    for (auto& [name, value] : shown) {
      const auto it = other.find(name);
      value = it == other.end() ? "0" : it->second;
    }
    return shown;
  }
};

TEST_F(StandardView, SetsEveryControlOfTheLayoutAndWritesNothing) {
  AwayFromStandard();
  const std::string hidden = xp ? "cb20060501" : "cboxBalloonTips";  // the other layout's
  c().SetChecked(hidden, true);
  form->StandardViewShown = false;
  RegistrySpy spy;
  Click("sbutXPStandard");

  EXPECT_EQ(Showing(), Standard());
  EXPECT_EQ(spy.calls, 0) << "nothing read or written";
  EXPECT_TRUE(messages.asked.empty());
  EXPECT_TRUE(form->StandardViewShown);
  EXPECT_TRUE(c().Checked("sbutXPStandard"));
  EXPECT_FALSE(c().Checked("sbutCurrentSettings"));
  EXPECT_TRUE(c().Checked(hidden)) << "the hidden layout is not touched";
  if (xp) {
    EXPECT_EQ(c().Text("labStartmenuDelayValue"), "400 ms");
    EXPECT_EQ(c().Text("labBitBucketSizeValue"), "10 %");
  } else {
    EXPECT_EQ(c().Text("lab20060528b"), "400 ms");
    EXPECT_TRUE(c().Enabled("but20060541"));
  }

  // A second click releases the button and still sets the standard.
  AwayFromStandard();
  form->StandardViewShown = false;
  Click("sbutXPStandard");
  EXPECT_EQ(Showing(), Standard());
  EXPECT_TRUE(form->StandardViewShown);
  EXPECT_FALSE(c().Checked("sbutXPStandard"));
  EXPECT_EQ(spy.calls, 0);
  EXPECT_TRUE(errors.empty());
}

// "&Nein" keeps the window as it was; "&Ja" closes it and saves the three values.
TEST_F(StandardView, ClosingAsksWhileTheStandardIsShown) {
  Click("sbutXPStandard");
  const auto standard = Showing();
  messages.answers = {MsgResult::No};
  Click("butCancel");
  ASSERT_EQ(messages.asked.size(), 1u);
  EXPECT_EQ(messages.asked[0], (Asked{kCloseQuestion, MsgType::Confirmation, kMbYes | kMbNo}));
  ASSERT_TRUE(IsWindow(form->handle()));
  EXPECT_TRUE(form->StandardViewShown);
  EXPECT_EQ(Showing(), standard);
  EXPECT_EQ(ReadValue(HKCU, kOwnKey, "left").type, kRegNone) << "nothing saved";

  RECT frame;
  GetWindowRect(form->handle(), &frame);
  messages.answers = {MsgResult::Yes};
  PostMessageA(form->handle(), WM_CLOSE, 0, 0);  // as Alt+F4 and the close box do
  Pump(100);
  EXPECT_EQ(messages.asked.size(), 2u);
  EXPECT_FALSE(IsWindow(form->handle()));
  for (const auto& [name, number] :
       {std::pair<const char*, long>{"left", frame.left}, {"top", frame.top}, {"collapsed", 0}}) {
    const StoredValue v = ReadValue(HKCU, kOwnKey, name);
    EXPECT_EQ(v.type, kRegDword) << name;
    EXPECT_EQ(v.number, number) << name;
  }
}

// After the current settings are shown again, closing asks nothing; the closed panel is saved.
TEST_F(StandardView, WithoutTheStandardClosingAsksNothing) {
  Click("sbutXPStandard");
  Click("sbutCurrentSettings");
  EXPECT_FALSE(form->StandardViewShown);
  Click("bbCollapse");
  ASSERT_EQ(form->ClientWidth(), 496);
  Click("butCancel");
  EXPECT_TRUE(messages.asked.empty());
  EXPECT_FALSE(IsWindow(form->handle()));
  EXPECT_EQ(ReadValue(HKCU, kOwnKey, "collapsed").number, 1);
}

}  // namespace
}  // namespace tw::ui::test
