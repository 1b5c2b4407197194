// Starts programs the way a user does and times each start: from process creation until a
// top-level window of that process with the expected title is visible and the process waits
// for input (WaitForInputIdle). Then the process is ended. Starts alternate between the
// programs, so that a slower moment of the machine hits both alike.
// Usage: startup_launcher RUNS TITLE EXE FLOOR_TITLE FLOOR_EXE
// Prints the median of each program, the exes, the Wine prefix and the ratio of the first to
// the second (the floor). Exit code 1 when a start fails.

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench_timing.h"
#include "process_window.h"

namespace {

constexpr DWORD kTimeoutMs = 30000;

bool TitledWindowShown(DWORD processId, const std::string& title) {
  return tw::test::FindProcessWindow(processId, [&](HWND hwnd) {
           if (!IsWindowVisible(hwnd)) return false;
           char text[256] = {};
           GetWindowTextA(hwnd, text, sizeof text);
           return title == text;
         }) != nullptr;
}

// One start in milliseconds; a negative value when the window did not appear in time.
double TimeOneStart(const std::string& exe, const std::string& title) {
  std::string line = "\"" + exe + "\"";
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  const double start = NowMs();
  if (!CreateProcessA(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                      &pi)) {
    return -1;
  }
  double ms = -1;
  while (NowMs() - start < kTimeoutMs) {
    if (TitledWindowShown(pi.dwProcessId, title)) {
      if (WaitForInputIdle(pi.hProcess, kTimeoutMs) == 0) ms = NowMs() - start;
      break;
    }
    if (WaitForSingleObject(pi.hProcess, 1) == WAIT_OBJECT_0) break;  // ended before its window
  }
  TerminateProcess(pi.hProcess, 0);
  WaitForSingleObject(pi.hProcess, kTimeoutMs);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return ms;
}

std::string FullPath(const char* path) {
  char full[MAX_PATH] = {};
  const DWORD n = GetFullPathNameA(path, MAX_PATH, full, nullptr);
  return n > 0 && n < MAX_PATH ? full : path;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 6) {
    std::fprintf(stderr, "usage: %s RUNS TITLE EXE FLOOR_TITLE FLOOR_EXE\n", argv[0]);
    return 2;
  }
  const int runs = std::max(1, std::atoi(argv[1]));
  struct Program {
    std::string title, exe;
    std::vector<double> ms;
  };
  Program programs[2] = {{argv[2], FullPath(argv[3]), {}}, {argv[4], FullPath(argv[5]), {}}};
  // A first start of each warms the file cache and Wine's own start-up; it is not counted.
  for (Program& p : programs) TimeOneStart(p.exe, p.title);
  for (int i = 0; i < runs; ++i) {
    for (Program& p : programs) {
      const double ms = TimeOneStart(p.exe, p.title);
      if (ms < 0) {
        std::printf("start-up: %s showed no window \"%s\"\n", p.exe.c_str(), p.title.c_str());
        return 1;
      }
      p.ms.push_back(ms);
    }
  }
  char prefix[MAX_PATH] = "(none)";
  GetEnvironmentVariableA("WINEPREFIX", prefix, MAX_PATH);
  std::printf("start-up until the titled window is shown and idle, prefix %s\n", prefix);
  for (const Program& p : programs) {
    std::printf("  %-60s %8.1f ms  (median of %zu; min %.1f, max %.1f)\n", p.exe.c_str(),
                Median(p.ms), p.ms.size(), *std::min_element(p.ms.begin(), p.ms.end()),
                *std::max_element(p.ms.begin(), p.ms.end()));
  }
  std::printf("  start-up ratio to the empty window: %.2f\n",
              Median(programs[0].ms) / Median(programs[1].ms));
  return 0;
}
