#include "window_doubles.h"

#include <cstring>

#include "flows/settings_apply.h"
#include "registry/codepage.h"
#include "registry/reg_key.h"
#include "registry/registry.h"
#include "system/error.h"
#include "system/winversion.h"
#include "ui/app.h"
#include "ui_support.h"

namespace tw::ui::test {

RegistrySpy::RegistrySpy() : ForwardingRegistry(Machine()), installed_(*this) {}

RegistrySpy::~RegistrySpy() = default;

bool RegistrySpy::Hklm(RegHandle key) const { return key == HKLM || hklm_.count(key) > 0; }

long RegistrySpy::Changing(RegHandle key) {
  ++changes;
  if (onChange) onChange();
  return refuseHklm && Hklm(key) ? kErrorAccessDenied : kErrorSuccess;
}

void RegistrySpy::Opened(RegHandle parent, RegHandle key) {
  if (Hklm(parent)) hklm_.insert(key);
}

long RegistrySpy::SetValue(RegHandle key, const std::string& name, std::uint32_t type,
                           const std::uint8_t* data, std::uint32_t size) {
  if (refuseValue.empty() || name != refuseValue)
    return ForwardingRegistry::SetValue(key, name, type, data, size);
  Calling();
  Changing(key);
  return kErrorAccessDenied;
}

SystemStub::SystemStub() : inner_(*SystemBackend()) { SetSystemBackend(this); }

SystemStub::~SystemStub() { SetSystemBackend(&inner_); }

bool SystemStub::RunAndWait(const std::string& file, const std::string& parameters) {
  runs.push_back({file, parameters});
  if (whileRunning) whileRunning();
  return true;
}

bool SystemStub::BrowseForFolder(const std::string& caption, const std::wstring&,
                                 std::string& folder, std::uintptr_t owner, bool, bool, bool) {
  folderCaption = caption;
  folderOwner = owner;
  if (!folderChosen) return false;
  folder = *folderChosen;
  return true;
}

bool SystemStub::RequestExitWindows(std::uint32_t flags) {
  exitRequests.push_back(flags);
  return true;
}

void LiveWindow::SetUp() {
  ASSERT_TRUE(IsWindowsXPOrVista());
  xp = IsWindowsXP();
  layout = xp ? Layout::XP : Layout::Vista;
  for (const char* value : {"left", "top", "collapsed"}) DeleteValue(HKCU, kOwnKey, value);
  form = std::make_unique<TfrmMain>();
  form->Create();
  // Errors still reach the window's own hook; the test sees them too.
  SetExceptionHook([this](std::exception_ptr e) {
    try {
      std::rethrow_exception(e);
    } catch (const std::exception& x) {
      errors.push_back(x.what());
    } catch (...) {
      errors.push_back("?");
    }
    form->appeventsException(e);
  });
  form->Show();
  SetForegroundWindow(form->handle());
  Pump(100);
}

void LiveWindow::TearDown() {
  form.reset();
  SetExceptionHook(nullptr);
  Pump(20);
}

void LiveWindow::ShowPageOf(const std::string& name) {
  Control* p = &c().Get(name);
  while (p && p->kind != Kind::Page) p = p->parent;
  if (!p) return;  // outside the pages
  const auto pages = c().Pages(*p->parent);
  for (std::size_t i = 0; i < pages.size(); ++i) {
    if (pages[i] == p) c().SelectPage(*p->parent, static_cast<int>(i));
  }
  Pump(30);
}

void LiveWindow::Click(const std::string& name) {
  ShowPageOf(name);
  ClickAt(CentreOf(H(name)));
}

std::vector<std::pair<std::string, std::string>> LiveWindow::Showing() {
  std::vector<std::pair<std::string, std::string>> shown;
  for (const WriteStep& w : WriteSequence(layout)) {
    for (const char* name : StepControls(w)) {
      const std::string value = WritesBoxes(w.arg)         ? std::to_string(c().Checked(name))
                                : w.arg == Arg::Position   ? std::to_string(c().Position(name))
                                : w.arg == Arg::ColourPair ? std::to_string(c().ItemIndex(name))
                                                           : c().Text(name);
      shown.emplace_back(name, value);
    }
  }
  return shown;
}

namespace {
struct ClassSearch {
  const std::string* name;
  HWND found;
};
BOOL CALLBACK MatchClass(HWND hwnd, LPARAM param) {
  auto* s = reinterpret_cast<ClassSearch*>(param);
  char cls[64] = {};
  GetClassNameA(hwnd, cls, sizeof cls);
  if (*s->name != cls) return TRUE;
  s->found = hwnd;
  return FALSE;
}
}  // namespace

HWND ThreadWindow(const std::string& className) {
  ClassSearch search{&className, nullptr};
  EnumThreadWindows(GetCurrentThreadId(), MatchClass, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

StoredValue ReadValue(RegRoot root, const std::string& key, const std::string& name) {
  StoredValue v;
  RegKey k(Machine());
  if (k.Open(root, key, kKeyRead) != kErrorSuccess) return v;
  std::uint8_t data[4] = {};
  std::uint32_t size = sizeof data;
  if (Machine().QueryValue(k.get(), name, &v.type, data, &size) == kErrorMoreData) {
    size = 0;
    Machine().QueryValue(k.get(), name, &v.type, nullptr, &size);
  } else if (v.type == kRegDword) {
    std::memcpy(&v.number, data, sizeof v.number);
  }
  return v;
}

int SubKeyCount(RegRoot root, const std::string& key) {
  RegKey k(Machine());
  if (k.Open(root, key, kKeyRead) != kErrorSuccess) return -1;
  std::uint32_t count = 0;
  Machine().QueryInfoKey(k.get(), &count, nullptr, nullptr);
  return static_cast<int>(count);
}

void CreateKeyWith(RegRoot root, const std::string& key, const std::vector<std::string>& subKeys) {
  for (const std::string& sub : subKeys) {
    RegKey k(Machine());
    ASSERT_EQ(k.Create(root, key + "\\" + sub, kKeyAllAccess), kErrorSuccess) << key;
  }
  RegKey k(Machine());
  ASSERT_EQ(k.Create(root, key, kKeyAllAccess), kErrorSuccess) << key;
}

namespace {
// By exact (wide) names, so a subkey named outside cp1252 goes too.
void DeleteKeyTreeW(RegRoot root, const std::u16string& key) {
  {
    RegKey k(Machine());
    if (k.Open(root, key, kKeyAllAccess) != kErrorSuccess) return;
    char16_t name[256];
    std::uint32_t length = 256;
    while (length = 256, Machine().EnumKeyW(k.get(), 0, name, &length) == kErrorSuccess)
      DeleteKeyTreeW(root, key + u"\\" + std::u16string(name, length));
  }
  const std::size_t cut = key.rfind(u'\\');
  RegKey parent(Machine());
  ASSERT_EQ(
      parent.Open(root, cut == std::u16string::npos ? u"" : key.substr(0, cut), kKeyAllAccess),
      kErrorSuccess);
  EXPECT_EQ(Machine().DeleteKeyW(parent.get(), key.substr(cut + 1)), kErrorSuccess)
      << WideToAnsi(key);
}
}  // namespace

void DeleteKeyTree(RegRoot root, const std::string& key) { DeleteKeyTreeW(root, AnsiToWide(key)); }

}  // namespace tw::ui::test
