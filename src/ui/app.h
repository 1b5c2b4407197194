#pragma once

// The application object: title, message loop, the error hook every window procedure hands
// its exceptions to, and the help-request handler.

#include <windows.h>

#include <exception>
#include <functional>
#include <string>

namespace tw::ui {

void SetApplicationTitle(const std::string& title);
const std::string& ApplicationTitle();

// Receives every exception that escapes an event handler. Without a hook they are dropped.
using ExceptionHook = std::function<void(std::exception_ptr)>;
void SetExceptionHook(ExceptionHook hook);
// Call inside a catch block at the Win32 boundary.
void HandleException();

// The application's help handler: command (8 = context pop-up, 13 = pop-up position), data,
// in-out call-help flag; returns whether the request was handled.
using HelpHandler = std::function<bool(unsigned short command, long data, bool& callHelp)>;
void SetHelpHandler(HelpHandler handler);
bool InvokeHelp(unsigned short command, long data);
constexpr unsigned short kHelpContextPopup = 8;
constexpr unsigned short kHelpSetPopupPos = 13;

// Sees every keyboard message first, before F1 and the dialog navigation; true when it took
// the message. Without a handler the keys go on as usual.
using KeyHandler = std::function<bool(const MSG&)>;
void SetKeyHandler(KeyHandler handler);

// Ends the message loop as soon as it runs; the main window is then never shown.
void Terminate();
bool Terminated();

// Runs the message loop until the main form is destroyed (at once when the application was
// asked to end).
void Run();
// Handles the messages waiting in the queue, then returns.
void ProcessMessages();
// One message through the program's keyboard handling (the key handler, F1, tab navigation)
// and dispatch.
void DispatchOne(MSG& msg);

// The module's instance handle.
HINSTANCE Instance();

}  // namespace tw::ui
