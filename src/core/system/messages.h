#pragma once

// Every German question and report of the program goes through MessageDlg. The window layer
// installs the real dialog; tests install a scripted one that records what was asked.

#include <functional>
#include <string>
#include <vector>

namespace tw {

enum class MsgType { Plain, Confirmation, Information, Error };

// Button set, a combination of these bits. kMbDefaultNo makes "&Nein" the default button (the
// first button is otherwise).
enum MsgButtons : unsigned { kMbYes = 1, kMbNo = 2, kMbCancel = 4, kMbOk = 8, kMbDefaultNo = 16 };

enum class MsgResult { Yes, No, Cancel, Ok };

// A check box below a box's text: its caption, its state when the box opens and, after the
// answer, the state the user left it in.
struct MsgCheckBox {
  std::string caption;
  bool checked = false;
};

// check is nullptr for a box without a check box.
using MessageHandler = std::function<MsgResult(const std::string& text, MsgType type,
                                               unsigned buttons, MsgCheckBox* check)>;

// Installs the handler and returns the previous one. Without a handler MessageDlg answers
// Cancel, so no question goes on unanswered.
MessageHandler SetMessageHandler(MessageHandler handler);

MsgResult MessageDlg(const std::string& text, MsgType type, unsigned buttons,
                     MsgCheckBox* check = nullptr);

// A plain box with "OK" and no icon.
void ShowMessage(const std::string& text);

// The lines of a list inside a message, each after "\r": all of them up to 15; of a longer
// list the first 14 and "… und N weitere".
std::string ListLines(const std::vector<std::string>& lines);

}  // namespace tw
