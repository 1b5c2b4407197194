#include "system/messages.h"

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

MsgResult MessageDlg(const std::string& text, MsgType type, unsigned buttons, MsgCheckBox* check) {
  const MessageHandler& h = Handler();
  return h ? h(text, type, buttons, check) : MsgResult::Cancel;
}

void ShowMessage(const std::string& text) { MessageDlg(text, MsgType::Plain, kMbOk); }

std::string ListLines(const std::vector<std::string>& lines) {
  constexpr std::size_t kAtMost = 15;
  const std::size_t listed = lines.size() > kAtMost ? kAtMost - 1 : lines.size();
  std::string text;
  for (std::size_t i = 0; i < listed; ++i) text += "\r" + lines[i];
  if (listed < lines.size())
    text += "\r… und " + std::to_string(lines.size() - listed) + " weitere";
  return text;
}

}  // namespace tw
