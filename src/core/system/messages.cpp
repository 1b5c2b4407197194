#include "messages.h"

#include <utility>

namespace tw {
namespace {
MessageHandler& Handler() {
  static MessageHandler handler;
  return handler;
}
}  // namespace

MessageHandler SetMessageHandler(MessageHandler handler) {
  return std::exchange(Handler(), std::move(handler));
}

MsgResult MessageDlg(const std::string& text, MsgType type, unsigned buttons) {
  const MessageHandler& h = Handler();
  return h ? h(text, type, buttons) : MsgResult::Cancel;
}

void ShowMessage(const std::string& text) { MessageDlg(text, MsgType::Plain, kMbOk); }

}  // namespace tw
