#pragma once

// Answers the program's message boxes from a script and records what was asked.

#include <deque>
#include <string>
#include <vector>

#include "messages.h"

namespace tw::test {

struct AskedMessage {
  std::string text;
  MsgType type;
  unsigned buttons;
};

class MessageScript {
 public:
  MessageScript() {
    previous_ = SetMessageHandler([this](const std::string& text, MsgType type, unsigned buttons) {
      asked.push_back({text, type, buttons});
      if (answers.empty()) return (buttons & kMbOk) ? MsgResult::Ok : MsgResult::Cancel;
      const MsgResult r = answers.front();
      answers.pop_front();
      return r;
    });
  }
  ~MessageScript() { SetMessageHandler(previous_); }
  MessageScript(const MessageScript&) = delete;
  MessageScript& operator=(const MessageScript&) = delete;

  std::deque<MsgResult> answers;
  std::vector<AskedMessage> asked;

 private:
  MessageHandler previous_;
};

}  // namespace tw::test
