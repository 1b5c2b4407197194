// Windows XP has no GetTickCount64, but the thread library of the -posix toolchain imports it,
// and one missing import keeps the whole exe from starting. This object is linked directly into
// the exe (not through an archive), so its import slot is defined before the linker would take
// the one from kernel32: the thread library then calls the function below, which uses the real
// GetTickCount64 where Windows has it and counts GetTickCount's wrap-arounds elsewhere.

#include <windows.h>

namespace {

ULONGLONG WINAPI TickCount64() {
  using Fn = ULONGLONG(WINAPI*)();
  static const Fn native = reinterpret_cast<Fn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetTickCount64")));
  if (native != nullptr) return native();
  // Called often enough by the waits that use it that a wrap is never missed.
  static volatile LONG lastLow = 0;
  static volatile LONG wraps = 0;
  const DWORD now = GetTickCount();
  const DWORD last = static_cast<DWORD>(InterlockedExchange(&lastLow, static_cast<LONG>(now)));
  if (now < last) InterlockedIncrement(&wraps);
  return (static_cast<ULONGLONG>(static_cast<DWORD>(wraps)) << 32) | now;
}

}  // namespace

#ifdef _WIN64
extern "C" void* xp_compat_tick_count_64 __asm__("__imp_GetTickCount64");
#else
extern "C" void* xp_compat_tick_count_64 __asm__("__imp__GetTickCount64@0");
#endif
void* xp_compat_tick_count_64 = reinterpret_cast<void*>(&TickCount64);
