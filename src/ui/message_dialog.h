#pragma once

// The program's message box: German captions and buttons whatever the system language, the
// system's icons. Installed as the handler of MessageDlg.

#include <string>

#include "system/messages.h"

namespace tw::ui {

// Caption of a box of this type: "Bestätigen", "Informationen", "Fehler", or the
// application's title for a plain message.
std::string MessageCaption(MsgType type);

// Shows the box modally over the program's active window and returns the button pressed.
// Escape and the close button answer Cancel when the box has "Abbrechen", otherwise No when it
// has "&Nein", otherwise OK. A check box, when given, sits below the text; its state is written
// back whatever button closes the box.
MsgResult ShowMessageDialog(const std::string& text, MsgType type, unsigned buttons,
                            MsgCheckBox* check = nullptr);

}  // namespace tw::ui
