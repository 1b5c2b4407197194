// Version naming over records that Wine cannot produce, and the system helpers' fallbacks.

#include "system/winversion.h"

#include <gtest/gtest.h>

#include "fake_system.h"
#include "registry/registry.h"
#include "system/system_helpers.h"
#include "test_machine.h"

namespace tw {
namespace {

using test::FakeSystem;

class WinVersion : public ::testing::Test {
 protected:
  void SetUp() override {
    test::ResetMachine();
    SetSystemBackend(&sys_);
  }
  void TearDown() override { SetSystemBackend(nullptr); }
  FakeSystem sys_;
};

constexpr std::uint8_t kWs = 1, kDc = 2, kSrv = 3;

TEST_F(WinVersion, NamesFollowPlatformEditionSuiteAndServicePack) {
  struct Case {
    std::uint32_t major, minor, build, platform;
    const char* csd;
    std::uint8_t product;
    std::uint16_t suite;
    const char* name;
  };
  const Case cases[] = {
      {5, 1, 2600, 2, "Service Pack 2", kWs, 0x100,
       "Microsoft Windows XP Professional Service Pack 2 (Build 2600)"},
      {5, 1, 2600, 2, "Service Pack 3", kWs, 0x300,
       "Microsoft Windows XP Home Edition Service Pack 3 (Build 2600)"},
      {6, 0, 6000, 2, "", kWs, 0x100, "Microsoft Windows Vista  (Build 6000)"},
      {6, 0, 6001, 2, "Service Pack 1", kSrv, 0x110,
       "Microsoft Windows Vista Server 6.0 Service Pack 1 (Build 6001)"},
      {6, 0, 6001, 2, "Service Pack 1", kSrv, 0x2,
       "Microsoft Windows Vista Server 6.0, Enterprise Edition Service Pack 1 (Build 6001)"},
      // XP Professional x64 reports 5.2: a workstation without an edition.
      {5, 2, 3790, 2, "Service Pack 2", kWs, 0x100,
       "Microsoft Windows Server 2003 Service Pack 2 (Build 3790)"},
      {5, 2, 3790, 2, "", kSrv, 0x400, "Microsoft Windows Server 2003 Web Edition  (Build 3790)"},
      {5, 2, 3790, 2, "", kSrv, 0x410,
       "Microsoft Windows Server 2003 Standard Edition  (Build 3790)"},
      {5, 2, 3790, 2, "", kSrv, 0x82,
       "Microsoft Windows Server 2003 Datacenter Edition  (Build 3790)"},
      {5, 2, 3790, 2, "", kSrv, 0x2,
       "Microsoft Windows Server 2003 Enterprise Edition  (Build 3790)"},
      {5, 0, 2195, 2, "Service Pack 4", kSrv, 0x80,
       "Microsoft Windows 2000 Datacenter Server Service Pack 4 (Build 2195)"},
      {5, 0, 2195, 2, "Service Pack 4", kSrv, 0x2,
       "Microsoft Windows 2000 Advanced Server Service Pack 4 (Build 2195)"},
      {5, 0, 2195, 2, "Service Pack 4", kSrv, 0,
       "Microsoft Windows 2000 Server Service Pack 4 (Build 2195)"},
      {5, 0, 2195, 2, "Service Pack 4", kWs, 0,
       "Microsoft Windows 2000 Service Pack 4 (Build 2195)"},
      {5, 0, 2195, 2, "Service Pack 4", kDc, 0x80,
       "Microsoft Windows 2000 Service Pack 4 (Build 2195)"},
      {4, 0, 1381, 2, "Service Pack 5", kWs, 0,
       "Microsoft Windows NT Workstation 4.0 Service Pack 5 (Build 1381)"},
      {4, 0, 1381, 2, "Service Pack 5", kSrv, 0x2,
       "Microsoft Windows NT Server 4.0, Enterprise Edition Service Pack 5 (Build 1381)"},
      {6, 1, 7601, 2, "Service Pack 1", kWs, 0x100,
       "Microsoft Windows NT Service Pack 1 (Build 7601)"},
      {10, 0, 19045, 2, "", kWs, 0x100, "Microsoft Windows NT  (Build 19045)"},
      {10, 0, 17763, 2, "", kSrv, 0x2,
       "Microsoft Windows NT Server 10.0, Enterprise Edition  (Build 17763)"},
      {5, 1, 0x0A280A28, 2, "", kWs, 0, "Microsoft Windows XP Professional  (Build 2600)"},
      {4, 0, 950, 1, " B", 0, 0, "Microsoft Windows 95 OSR2"},
      {4, 0, 950, 1, " C", 0, 0, "Microsoft Windows 95 OSR2"},
      {4, 0, 950, 1, "", 0, 0, "Microsoft Windows 95"},
      {4, 10, 2222, 1, " A", 0, 0, "Microsoft Windows 98 SE"},
      {4, 10, 1998, 1, "", 0, 0, "Microsoft Windows 98"},
      {4, 90, 3000, 1, " ", 0, 0, "Microsoft Windows Millennium Edition"},
      {4, 20, 0, 1, "", 0, 0, ""},
      {3, 10, 0, 0, "", 0, 0, "Microsoft Win32s"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    sys_.SetVersion(c.major, c.minor, c.build, c.platform, c.csd, c.product, c.suite);
    EXPECT_EQ(c.name, GetWindowsVersionName());
  }
}

TEST_F(WinVersion, ServicePack6aNeedsTheHotfixKey) {
  sys_.SetVersion(4, 0, 1381, 2, "service pack 6", kWs, 0);
  EXPECT_EQ("Microsoft Windows NT Workstation 4.0 service pack 6 (Build 1381)",
            GetWindowsVersionName());
  sys_.hotfixes.insert("Q246009");
  EXPECT_EQ("Microsoft Windows NT Workstation 4.0 Service Pack 6a (Build 1381)",
            GetWindowsVersionName());
  // Only NT 4.0 gets the "a".
  sys_.SetVersion(5, 0, 2195, 2, "Service Pack 6", kWs, 0);
  EXPECT_EQ("Microsoft Windows 2000 Service Pack 6 (Build 2195)", GetWindowsVersionName());
  EXPECT_EQ(0u, test::MemoryMachine()->OpenHandles());
}

TEST_F(WinVersion, ABasicRecordHasNoEditionAndAFailedQueryNoName) {
  sys_.extendedWorks = false;
  EXPECT_EQ("Microsoft Windows XP Service Pack 2 (Build 2600)", GetWindowsVersionName());
  EXPECT_TRUE(IsWindowsXP());
  sys_.basicWorks = false;
  EXPECT_EQ("", GetWindowsVersionName());
  EXPECT_EQ(-1, GetWindowsMajorVersion());
  EXPECT_EQ(-1, GetWindowsMinorVersion());
  EXPECT_FALSE(IsWindowsXPOrVista());
  OsVersionInfo v;
  EXPECT_FALSE(QueryWindowsVersion(v));
  EXPECT_EQ(0u, v.size);
}

TEST_F(WinVersion, OnlyFivePointOneAndSixPointZeroAreSupported) {
  struct Case {
    std::uint32_t major, minor;
    bool xp, vista;
  };
  const Case cases[] = {{5, 1, true, false},   {6, 0, false, true},    {5, 0, false, false},
                        {5, 2, false, false},  {6, 1, false, false},   {6, 2, false, false},
                        {10, 0, false, false}, {0x105, 1, true, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.major << "." << c.minor);
    sys_.SetVersion(c.major, c.minor, 1, 2, "", kWs, 0);
    EXPECT_EQ(c.xp, IsWindowsXP());
    EXPECT_EQ(c.vista, IsWindowsVista());
    EXPECT_EQ(c.xp || c.vista, IsWindowsXPOrVista());
  }
}

TEST_F(WinVersion, UserAndComputerNamesAreCutAndTrimmed) {
  sys_.userName = " Anna \t";
  sys_.computerName = "\x01PC-1 ";
  EXPECT_EQ("Anna", GetCurrentUserName());
  EXPECT_EQ("PC-1", GetLocalComputerName());
  sys_.userName = std::string(300, 'x');  // does not fit: the call fails
  EXPECT_EQ("", GetCurrentUserName());
}

TEST_F(WinVersion, SystemHelpersFallBackSilently) {
  EXPECT_EQ("C:\\Programme\\Messenger\\msmsgs.exe",
            ExpandEnvVars("  %programfiles%\\Messenger\\msmsgs.exe\r\n"));
  EXPECT_EQ("plain text", ExpandEnvVars(" plain text "));
  sys_.environment["huge"] = std::string(1100, 'h');
  EXPECT_EQ("%huge%", ExpandEnvVars("%huge%"));
  sys_.expandFails = true;
  EXPECT_EQ(" %windir% ", ExpandEnvVars(" %windir% "));

  EXPECT_EQ("C:\\WINDOWS\\", GetWindowsFolder());
  sys_.windowsDir = "D:\\";
  EXPECT_EQ("D:\\", GetWindowsFolder());

  SetSystemBackend(nullptr);
  EXPECT_EQ("", GetProgramVersion());
  EXPECT_FALSE(ExitWindowsPrivileged(kEwxReboot));
  EXPECT_FALSE(ShellRunAndWait("x", "y"));
  EXPECT_EQ("", GetCurrentUserName());
  EXPECT_FALSE(IsWindowsXP());
}

}  // namespace
}  // namespace tw
