// The manifest the built exe carries: on Vista it asks for the highest level the user has, so
// the registry is not virtualised, in the asm.v2 form that XP reads without complaint.

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {

std::string ManifestOfExe() {
  char path[MAX_PATH];
  GetFullPathNameA(TRIMMWERK_EXE, MAX_PATH, path, nullptr);
  HMODULE exe = LoadLibraryExA(path, nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (!exe) return "";
  std::string text;
  if (HRSRC res = FindResourceA(exe, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24))) {
    const DWORD size = SizeofResource(exe, res);
    if (const void* data = LockResource(LoadResource(exe, res)))
      text.assign(static_cast<const char*>(data), size);
  }
  FreeLibrary(exe);
  return text;
}

TEST(Manifest, DeclaresTheHighestAvailableExecutionLevel) {
  const std::string manifest = ManifestOfExe();
  ASSERT_FALSE(manifest.empty()) << "no manifest resource 1 in " << TRIMMWERK_EXE;
  const auto trust = manifest.find("<trustInfo xmlns=\"urn:schemas-microsoft-com:asm.v2\">");
  const auto level =
      manifest.find("<requestedExecutionLevel level=\"highestAvailable\" uiAccess=\"false\"/>");
  ASSERT_NE(trust, std::string::npos);
  ASSERT_NE(level, std::string::npos);
  EXPECT_LT(trust, level);
  EXPECT_LT(level, manifest.find("</trustInfo>"));
  EXPECT_NE(manifest.find("Microsoft.Windows.Common-Controls"), std::string::npos);
}

}  // namespace
