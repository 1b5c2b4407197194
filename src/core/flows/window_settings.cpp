#include "flows/window_settings.h"

#include <cstdint>
#include <limits>
#include <optional>

#include "flows/texts.h"
#include "registry/reg_key.h"
#include "registry/registry.h"
#include "system/messages.h"

namespace tw {
namespace {

using namespace text;

std::optional<std::int32_t> ReadDword(const RegKey& key, const char* name) {
  std::uint32_t type = kRegNone;
  std::uint8_t data[4] = {};
  std::uint32_t size = sizeof data;
  if (key.api().QueryValue(key.get(), name, &type, data, &size) != kErrorSuccess ||
      type != kRegDword || size != sizeof data) {
    return std::nullopt;
  }
  return static_cast<std::int32_t>(DwordValue(data));
}

void WriteDword(RegKey& key, const char* name, std::int32_t value) {
  const DwordData data = DwordBytes(static_cast<std::uint32_t>(value));
  key.api().SetValue(key.get(), name, kRegDword, data.data(), data.size());
}

}  // namespace

void LoadWindowSettings(WindowPlacement& window) {
  RegistryApi* api = RegistryBackend();
  if (!api) return;
  RegKey key(*api);
  if (key.Open(HKCU, kProgramKey, kKeyRead) != kErrorSuccess) return;

  const ScreenRect frame = window.Frame();
  const std::optional<std::int32_t> left = ReadDword(key, "left");
  const std::optional<std::int32_t> top = ReadDword(key, "top");
  if (left || top) {
    // In 64 bits: a stored left of 0x7FFFFFFF plus the width does not fit an int.
    const std::int64_t x = left.value_or(frame.left);
    const std::int64_t y = top.value_or(frame.top);
    const std::int64_t right = x + (std::int64_t{frame.right} - frame.left);
    const std::int64_t bottom = y + window.TitleBarHeight();
    auto fits = [](std::int64_t v) {
      return v >= std::numeric_limits<int>::min() && v <= std::numeric_limits<int>::max();
    };
    if (fits(right) && fits(bottom)) {
      const ScreenRect titleBar = {static_cast<int>(x), static_cast<int>(y),
                                   static_cast<int>(right), static_cast<int>(bottom)};
      if (window.OnOneWorkArea(titleBar)) window.MoveTo(titleBar.left, titleBar.top);
    }
  }
  if (ReadDword(key, "collapsed").value_or(0) != 0) window.CollapseInfoPanel();
}

void SaveWindowSettings(const WindowPlacement& window) {
  RegistryApi* api = RegistryBackend();
  if (!api) return;
  RegKey key(*api);
  if (key.Create(HKCU, kProgramKey, kKeyAllAccess) != kErrorSuccess) return;
  const ScreenRect frame = window.Frame();
  WriteDword(key, "left", frame.left);
  WriteDword(key, "top", frame.top);
  WriteDword(key, "collapsed", window.ClientWidth() == window.CollapsedClientWidth() ? 1 : 0);
}

bool FormCloseQuery(bool standardViewShown) {
  return !standardViewShown ||
         MessageDlg(kClose, MsgType::Confirmation, kMbYes | kMbNo) == MsgResult::Yes;
}

void appeventsException(std::exception_ptr) {}

}  // namespace tw
