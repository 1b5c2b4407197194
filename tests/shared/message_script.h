#pragma once

// Answers the program's message boxes from a script and records what was asked.

#include <deque>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "system/messages.h"

namespace tw::test {

struct AskedMessage {
  std::string text;
  MsgType type;
  unsigned buttons;
  std::string checkBox = "";  // the check box's caption, "" for none
  bool operator==(const AskedMessage& o) const {
    return text == o.text && type == o.type && buttons == o.buttons && checkBox == o.checkBox;
  }
};
inline std::ostream& operator<<(std::ostream& out, const AskedMessage& m) {
  return out << "\"" << m.text << "\" (type " << static_cast<int>(m.type) << ", buttons 0x"
             << std::hex << m.buttons << std::dec << ") " << m.checkBox;
}

class MessageScript {
 public:
  MessageScript() {
    previous_ = SetMessageHandler(
        [this](const std::string& text, MsgType type, unsigned buttons, MsgCheckBox* check) {
          asked.push_back({text, type, buttons, check ? check->caption : ""});
          if (onAsk) onAsk(asked.back());
          if (check && !checks.empty()) check->checked = checks.front(), checks.pop_front();
          if (answers.empty()) return (buttons & kMbOk) ? MsgResult::Ok : MsgResult::Cancel;
          const MsgResult r = answers.front();
          answers.pop_front();
          return r;
        });
  }
  ~MessageScript() { SetMessageHandler(previous_); }
  MessageScript(const MessageScript&) = delete;
  MessageScript& operator=(const MessageScript&) = delete;

  // Answered in turn; when none is left, OK where offered, else Cancel.
  std::deque<MsgResult> answers;
  // The state each check box is left in, in turn; when none is left, as shown.
  std::deque<bool> checks;
  std::vector<AskedMessage> asked;
  // Sees each box before it is answered.
  std::function<void(const AskedMessage&)> onAsk;

 private:
  MessageHandler previous_;
};

}  // namespace tw::test
