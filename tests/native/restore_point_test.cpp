// The restore point before an apply run: offered only where one can be made, made first,
// ended or withdrawn on every way out, and a failure asked about.

#include "restore_point.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "flow_window.h"

namespace tw::test {
namespace {

const char kBox[] = "Vorher einen Wiederherstellungspunkt erstellen";
const char kBegin[] = "begin Trimmwerk: Übernahme vom 08.12.2026 07:05";
const char kMade[] =
    "\r\rWiederherstellungspunkt „Trimmwerk: Übernahme vom 08.12.2026 07:05“ wurde erstellt "
    "(Nummer 7).";
const char kFailed[] = "Der Wiederherstellungspunkt konnte nicht erstellt werden:\r";
const char kAsk[] = "\r\rOhne Wiederherstellungspunkt fortfahren?";

class RestorePointRun : public FlowWindow {};

TEST_F(RestorePointRun, OutcomesCallInOrderAndSay) {
  enum Fault { kNone, kRefused, kError, kNoBackup };
  struct Row {
    const char* name;
    bool offered;
    std::vector<std::pair<bool, std::uint32_t>> pointAnswers;
    Fault fault;
    std::deque<MsgResult> answers;
    std::vector<std::string> calls;
    std::string failure;  // the cause named in the question, "" when none is asked
    std::string report;   // the end of the run's report, "" when there is none
    bool written;
  };
  const std::string done = "Vorgang erfolgreich abgeschlossen!";
  const std::vector<Row> rows = {
      {"success",
       true,
       {},
       kNone,
       {MsgResult::Yes, MsgResult::Ok, MsgResult::No},
       {kBegin, "end 7"},
       "",
       kMade,
       true},
      {"switched off",
       true,
       {{false, 1058}},
       kNone,
       {MsgResult::Yes, MsgResult::Yes},
       {kBegin},
       "Die Systemwiederherstellung ist ausgeschaltet.",
       "",
       true},
      {"access denied",
       true,
       {{false, 5}},
       kNone,
       {MsgResult::Yes, MsgResult::Yes},
       {kBegin},
       "Dazu sind Administratorrechte nötig.",
       "",
       true},
      {"other error",
       true,
       {{false, 1359}},
       kNone,
       {MsgResult::Yes, MsgResult::Yes},
       {kBegin},
       "Die Systemwiederherstellung meldet Fehler 1359.",
       "",
       true},
      {"not offered", false, {}, kNone, {MsgResult::Yes}, {}, "", "", true},
      {"nothing written",
       true,
       {},
       kRefused,
       {MsgResult::Yes},
       {kBegin, "cancel 7"},
       "",
       "Folgende Einstellungen wurden nicht übernommen:\rcboxShowFileext",
       false},
      {"error ends the run",
       true,
       {},
       kError,
       {MsgResult::Yes},
       {kBegin, "cancel 7"},
       "",
       "",
       true},
      {"backup declined",
       true,
       {},
       kNoBackup,
       {MsgResult::Yes, MsgResult::No},
       {kBegin, "cancel 7"},
       "",
       "",
       false},
      {"declined after a failure",
       true,
       {{false, 0}},
       kNone,
       {MsgResult::Yes, MsgResult::No},
       {kBegin},
       "Windows nennt keinen Grund.",
       "",
       false},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    ResetMachine();
    store = {};
    store.unwritable = r.fault == kNoBackup;
    progress = {};
    ASSERT_TRUE(LoadSettings(surface, ReadOrder(Layout::XP)));
    loaded = RememberLoaded(surface, Layout::XP);
    surface.SetChecked("cboxShowFileext", !surface.Checked("cboxShowFileext"));
    if (r.fault == kRefused) MemoryMachine()->DenyWrite(HKCU, "");
    if (r.fault == kError) progress.onAllowClose = [] { throw std::runtime_error("Absturz"); };
    system.restorePoints = r.offered;
    system.pointCalls.clear();
    system.pointAnswers = r.pointAnswers;
    // The point comes first: no backup and no write before it.
    bool firstCallEarly = false;
    system.onPointCall = [&] {
      if (system.pointCalls.size() == 1)
        firstCallEarly = store.Names().empty() && Untouched(*MemoryMachine());
    };
    messages.asked.clear();
    messages.checks = {true};
    StoreBackups backups(store, [] { return BackupHeader{}; });
    if (r.fault == kError) {
      EXPECT_THROW(Apply(backups, r.answers), std::runtime_error);
    } else {
      Apply(backups, r.answers);
    }
    EXPECT_EQ(system.pointCalls, r.calls);
    ASSERT_FALSE(messages.asked.empty());
    EXPECT_EQ(messages.asked[0].checkBox, r.offered ? kBox : "");
    if (!r.calls.empty()) {
      EXPECT_TRUE(firstCallEarly);
      // The last choice is kept.
      if (&r != &rows[0]) {
        EXPECT_TRUE(messages.asked[0].checked);
      }
      EXPECT_EQ(progress.stepTexts,
                std::vector<std::string>{"Wiederherstellungspunkt wird erstellt…"});
    }
    if (!r.failure.empty()) {
      ASSERT_GE(messages.asked.size(), 2u);
      EXPECT_EQ(messages.asked[1], (AskedMessage{kFailed + r.failure + kAsk, MsgType::Confirmation,
                                                 kMbYes | kMbNo | kMbDefaultNo}));
    }
    const std::string& report = messages.asked[r.failure.empty() ? 1 : 2].text;
    if (!r.report.empty()) {
      EXPECT_EQ(report.substr(report.size() - r.report.size()), r.report);
    } else if (r.failure.empty() && messages.asked.size() > 1) {
      EXPECT_EQ(report.find("Wiederherstellungspunkt"), std::string::npos);
    }
    EXPECT_EQ(!Untouched(*MemoryMachine()) && r.fault != kRefused, r.written);
    EXPECT_EQ(store.Names().empty(), !r.written || r.fault == kRefused);
  }
}

TEST(RestorePointTexts, DescriptionKeepsWithinTheApisRoom) {
  EXPECT_EQ(ApplyPointDescription({2027, 1, 2, 3, 4}), "Trimmwerk: Übernahme vom 02.01.2027 03:04");
  EXPECT_EQ(RestorePointDescription(std::string(80, 'x')), "Trimmwerk: " + std::string(52, 'x'));
}

}  // namespace
}  // namespace tw::test
