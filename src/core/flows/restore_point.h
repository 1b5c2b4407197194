#pragma once

// A System Restore point before a change, when the user asks for one: offered as a check box in
// the question that starts the change, made before the first write, ended after the change, and
// withdrawn when nothing was written.

#include <cstdint>
#include <string>

#include "system/messages.h"
#include "system/system_api.h"

namespace tw {

// Whether a point can be made here (srclient.dll with its entry point, administrator rights).
bool RestorePointOffered();

// Asks a confirmation; where a point can be made, with the restore point check box, which
// shows the user's last choice of this program run. wanted: whether the user asked for a point
// (false without the box).
MsgResult AskBeforeChange(const std::string& text, unsigned buttons, bool& wanted);

// "Trimmwerk: " and what, cut to the 63 characters a point's description keeps.
std::string RestorePointDescription(const std::string& what);
// "Trimmwerk: Übernahme vom 10.12.2026 09:05".
std::string ApplyPointDescription(const LocalTime& t);
// Why the call failed, from its status (a Win32 error code).
std::string RestorePointCause(std::uint32_t status);

// A point around one change. Destroyed without Finish (the user declined later, an error ended
// the change), it withdraws the point.
class RestorePoint {
 public:
  RestorePoint() = default;
  ~RestorePoint();
  RestorePoint(const RestorePoint&) = delete;
  RestorePoint& operator=(const RestorePoint&) = delete;

  // Begins the point. When that fails, names the cause and asks whether to go on without one
  // ("&Nein" is the default); false when the change must not start.
  bool Begin(const std::string& description);
  // After the change: ends the point when something was written, otherwise withdraws it. The
  // report's line on the point; "" when none was begun or it was withdrawn.
  std::string Finish(bool wrote);

 private:
  void Withdraw();
  bool begun_ = false;
  std::int64_t sequence_ = 0;
  std::string description_;
};

}  // namespace tw
