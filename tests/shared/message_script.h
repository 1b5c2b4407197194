#pragma once

// Answers the program's message boxes from a script and records what was asked.

#include <deque>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "messages.h"

namespace tw::test {

struct AskedMessage {
  std::string text;
  MsgType type;
  unsigned buttons;
  bool operator==(const AskedMessage& o) const {
    return text == o.text && type == o.type && buttons == o.buttons;
  }
};
inline std::ostream& operator<<(std::ostream& out, const AskedMessage& m) {
  return out << "\"" << m.text << "\" (type " << static_cast<int>(m.type) << ", buttons 0x"
             << std::hex << m.buttons << std::dec << ")";
}

class MessageScript {
 public:
  MessageScript() {
    previous_ = SetMessageHandler([this](const std::string& text, MsgType type, unsigned buttons) {
      asked.push_back({text, type, buttons});
      if (onAsk) onAsk(asked.back());
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
  std::vector<AskedMessage> asked;
  // Sees each box before it is answered.
  std::function<void(const AskedMessage&)> onAsk;

 private:
  MessageHandler previous_;
};

}  // namespace tw::test
