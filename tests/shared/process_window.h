#pragma once

// Finds a top-level window of another process, for the tests and timings that start the
// program as a user does.

#include <windows.h>

#include <functional>

namespace tw::test {

struct ProcessWindowSearch {
  DWORD processId;
  const std::function<bool(HWND)>* match;
  HWND found;
};

inline BOOL CALLBACK MatchProcessWindow(HWND hwnd, LPARAM param) {
  auto* s = reinterpret_cast<ProcessWindowSearch*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid != s->processId || !(*s->match)(hwnd)) return TRUE;
  s->found = hwnd;
  return FALSE;
}

// The first top-level window of the process, in z-order, that match accepts; nullptr when none
// does.
inline HWND FindProcessWindow(DWORD processId, const std::function<bool(HWND)>& match) {
  ProcessWindowSearch search{processId, &match, nullptr};
  EnumWindows(MatchProcessWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace tw::test
