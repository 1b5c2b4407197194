#pragma once

// Helpers for driving the program's windows in-process under Wine: the message pump, real
// mouse and keyboard input, geometry, and the machine the tests run on.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "registry/registry_api.h"
#include "test_keys.h"
#include "ui/controls.h"

namespace tw::ui::test {

using tw::test::DenyAllKey;

// Handles the waiting messages for about ms milliseconds (at least once).
void Pump(int ms = 50);
// Pumps until done() holds or ms have passed; returns done().
bool PumpUntil(const std::function<bool()>& done, int ms = 3000);

// A real mouse press and release at a screen point (button: 0 left, 1 right, 2 middle).
void ClickAt(POINT screen, int button = 0);
POINT CentreOf(HWND hwnd);
void PressKey(WORD key);

// A control's rectangle in its parent's client coordinates.
RECT RectInParent(HWND hwnd);

// The registry of the Wine prefix the tests run in.
RegistryApi& Machine();
void SetDword(RegRoot root, const std::string& key, const std::string& name, DWORD value);
void SetString(RegRoot root, const std::string& key, const std::string& name,
               const std::string& value);
void DeleteValue(RegRoot root, const std::string& key, const std::string& name);

// Runs action in ms milliseconds from inside whatever message loop is running then (a modal
// window or dialog).
void After(int ms, std::function<void()> action);

// The windows of another thread or process with this class name, visible or not.
struct FoundWindow {
  HWND hwnd = nullptr;
  bool visible = false;
};
FoundWindow FindProcessWindow(DWORD processId, const std::string& className);
// Texts of the child windows of a given class, in z-order.
std::vector<HWND> ChildrenOfClass(HWND parent, const std::string& className);

}  // namespace tw::ui::test
