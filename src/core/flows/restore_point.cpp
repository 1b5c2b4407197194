#include "flows/restore_point.h"

#include <cstdio>

#include "flows/texts.h"
#include "system/error.h"

namespace tw {
namespace {

using namespace text;

// The Win32 codes SRSetRestorePointW reports in its status, and what they mean to the user.
struct Cause {
  std::uint32_t status;
  const char* text;
};
const Cause kCauses[] = {
    {1058, kRestorePointOff},      // ERROR_SERVICE_DISABLED
    {5, kRestorePointNoAdmin},     // ERROR_ACCESS_DENIED
    {10, kRestorePointSafeMode},   // ERROR_BAD_ENVIRONMENT
    {112, kRestorePointDiskFull},  // ERROR_DISK_FULL
    {0, kRestorePointNoCause},     // a failure without a code
};

// The description's room in RESTOREPOINTINFO, without the terminating zero.
constexpr std::size_t kDescriptionMost = 63;

// The user's choice, kept until the program ends: nothing may be stored under its own key.
bool lastChoice = false;

bool Call(std::uint32_t event, std::uint32_t type, std::int64_t sequence,
          const std::string& description, RestorePointStatus& status) {
  SystemApi* system = SystemBackend();
  return system && system->SetRestorePoint({event, type, sequence, description}, status);
}

}  // namespace

bool RestorePointOffered() {
  SystemApi* system = SystemBackend();
  return system && system->RestorePointAvailable();
}

MsgResult AskBeforeChange(const std::string& text, unsigned buttons, bool& wanted) {
  wanted = false;
  if (!RestorePointOffered()) return MessageDlg(text, MsgType::Confirmation, buttons);
  MsgCheckBox box{kRestorePointBox, lastChoice};
  const MsgResult answer = MessageDlg(text, MsgType::Confirmation, buttons, &box);
  // A choice counts when the question was answered, whatever the answer.
  lastChoice = box.checked;
  wanted = box.checked;
  return answer;
}

std::string RestorePointDescription(const std::string& what) {
  return ("Trimmwerk: " + what).substr(0, kDescriptionMost);
}

std::string ApplyPointDescription(const LocalTime& t) {
  char when[32];
  std::snprintf(when, sizeof when, "%02d.%02d.%04d %02d:%02d", t.day, t.month, t.year, t.hour,
                t.minute);
  return RestorePointDescription(kRestorePointApply + std::string(when));
}

std::string RestorePointCause(std::uint32_t status) {
  for (const Cause& c : kCauses) {
    if (c.status == status) return c.text;
  }
  return FormatMessage1(kRestorePointError, std::to_string(status));
}

RestorePoint::~RestorePoint() { Withdraw(); }

bool RestorePoint::Begin(const std::string& description) {
  RestorePointStatus status;
  // A FALSE result is a failure, whatever the status says.
  if (Call(kBeginSystemChange, kModifySettings, 0, description, status)) {
    begun_ = true;
    sequence_ = status.sequence;
    description_ = description;
    return true;
  }
  const std::string question = std::string(kRestorePointFailed) + "\r" +
                               RestorePointCause(status.status) + "\r\r" + kWithoutRestorePoint;
  return MessageDlg(question, MsgType::Confirmation, kMbYes | kMbNo | kMbDefaultNo) ==
         MsgResult::Yes;
}

std::string RestorePoint::Finish(bool wrote) {
  if (!begun_) return "";
  if (!wrote) {
    Withdraw();
    return "";
  }
  begun_ = false;
  RestorePointStatus status;
  if (!Call(kEndSystemChange, kModifySettings, sequence_, description_, status))
    return std::string(kRestorePointNotEnded) + " " + RestorePointCause(status.status);
  return FormatMessage1(kRestorePointMade, description_) + kRestorePointNumber +
         std::to_string(sequence_) + ").";
}

void RestorePoint::Withdraw() {
  if (!begun_) return;
  begun_ = false;
  RestorePointStatus status;
  Call(kEndSystemChange, kCancelledOperation, sequence_, description_, status);
}

}  // namespace tw
