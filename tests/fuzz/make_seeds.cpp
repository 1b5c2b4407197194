// Writes the seed corpus of the fuzz targets: fuzz_seeds <tests/fuzz folder>. Replaces the
// files named seed-* in corpus/backup_restore and corpus/reg_roundtrip; files added there by
// hand (cases the fuzzer found) stay.
// - backup_restore: backups of apply-like runs made by the program's own code (the writes run
//   against an overlay, the real writes, the entries cut to what changed), over the fuzz
//   target's machine and over an empty one; and hand-made files: other headers and encodings,
//   continuation lines, removals of shared keys, places outside what the apply run writes.
// - reg_roundtrip: some of those backups, and files built by the target's layout (values of
//   every type the writer emits, texts that did not read back once).

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <stdexcept>

#include "catalogue/computed_tweaks.h"
#include "catalogue/tweak_access.h"
#include "catalogue_machine.h"
#include "flows/backup_entries.h"
#include "flows/backup_flow.h"
#include "reg_file_input.h"
#include "registry/registry.h"
#include "system/error.h"

namespace fs = std::filesystem;
using namespace tw;

namespace {

void Write(const fs::path& file, const Bytes& bytes) {
  std::ofstream out(file, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + file.string());
}

// Runs one setter of the tweak with the box checked or unchecked, as the apply run does.
void RunSetter(const std::string& name, bool unchecked) {
  const Setter setter = TweakSetter(name);
  std::visit(Overloaded{
                 [](std::monostate) {},
                 [&](const TweakRow* row) { WriteTweak(*row, unchecked); },
                 [&](bool (*f)(bool)) { f(unchecked); },
                 [&](bool (*f)(int)) { f(unchecked ? 5 : 100); },
                 [&](bool (*f)(int, int)) { unchecked ? f(7, 0) : f(14, 1); },
                 [&](bool (*f)(int, int, int, int, int)) {
                   const int on = unchecked ? 0 : 1;
                   f(on, on, 1 - on, on, 1 - on);
                 },
                 [&](bool (*f)(const std::string&)) { f(unchecked ? "C:\\Programme" : "D:\\P"); },
                 [&](bool (*f)(bool, const std::string&, const std::string&)) {
                   for (const SearchProvider& p : kSearchProviders) f(unchecked, p.name, p.address);
                 },
             },
             setter);
}

void RunAll(RegistryApi& api, const std::vector<std::string>& tweaks, bool unchecked) {
  RegistryBackendScope onApi(api);
  RegistryBatch batch;
  for (const std::string& t : tweaks) {
    try {
      RunSetter(t, unchecked);
    } catch (const Error&) {
    }
  }
}

// The backup a run of these setters writes on the machine, with the header a real one has.
Bytes BackupOfRun(MemoryRegistry& machine, const std::vector<std::string>& tweaks, bool unchecked) {
  OverlayRegistry overlay(machine);
  RunAll(overlay, tweaks, unchecked);
  std::vector<RegFileKey> entries = BackupEntries(overlay, machine);
  RunAll(machine, tweaks, unchecked);
  DropUnchanged(entries, machine);
  // The header names a few of the settings, to keep the seeds small.
  std::vector<SettingChange> settings;
  for (const std::string& t : std::vector<std::string>(
           tweaks.begin(), tweaks.begin() + std::min<std::size_t>(3, tweaks.size())))
    settings.push_back(
        {t, t + (unchecked ? ": ein" : ": aus"), t + (unchecked ? ": aus" : ": ein")});
  BackupHeader header{{2007, 3, 14, 9, 26, 53},
                      RunTime{2007, 3, 14, 8, 26, 53},
                      "Windows XP",
                      "PC-KUECHE",
                      settings};
  RegFile file;
  file.comments = HeaderComments(header);
  file.keys = entries;
  return FormatRegFile(file);
}

Bytes Utf16File(const std::u16string& text) {
  Bytes out = {0xFF, 0xFE};
  const Bytes body = fuzz::Utf16Bytes(text);
  out.insert(out.end(), body.begin(), body.end());
  return out;
}

const std::u16string kHead = u"Windows Registry Editor Version 5.00\r\n\r\n";

struct EdgeFile {
  const char* name;
  Bytes bytes;
};

std::vector<EdgeFile> EdgeFiles() {
  const std::string regedit4 =
      "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Console]\r\n\"QuickEdit\"=dword:00000001\r\n";
  const std::string utf8 =
      "\xEF\xBB\xBFWindows Registry Editor Version 5.00\r\n\r\n"
      "[HKEY_CURRENT_USER\\Control Panel\\Desktop]\r\n\"MenuShowDelay\"=\"\xC3\xA4\"\r\n";
  return {
      {"regedit4-ansi", Bytes(regedit4.begin(), regedit4.end())},
      {"utf8-bom", Bytes(utf8.begin(), utf8.end())},
      {"utf16-without-bom", fuzz::Utf16Bytes(kHead + u"[HKEY_CURRENT_USER\\Console]\r\n")},
      {"header-only", Utf16File(kHead)},
      {"continuation-lines",
       Utf16File(kHead +
                 u"[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer"
                 u"\\Streams]\r\n\"Settings\"=hex:08,00,00,00,04,00,00,00,01,00,00,00,00,77,\\\r\n"
                 u"  7e,13,73,35,cf,11,ae,69,08,00,2b,2e,12,62,04,00,00,00,01,00,00,00,43,00,\\\r\n"
                 u"  00,00\r\n")},
      {"remove-console", Utf16File(kHead + u"[-HKEY_CURRENT_USER\\Console]\r\n")},
      {"remove-explorer-advanced",
       Utf16File(kHead +
                 u"[-HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer"
                 u"\\Advanced]\r\n")},
      {"remove-tested-key",
       Utf16File(kHead + u"[-HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control"
                         u"\\StorageDevicePolicies]\r\n")},
      {"remove-oneshot-key",
       Utf16File(kHead + u"[-HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Internet Explorer\\Toolbar]"
                         u"\r\n")},
      {"oneshot-value",
       Utf16File(kHead + u"[HKEY_CURRENT_USER\\Software\\Microsoft\\Internet Explorer\\SearchURL]"
                         u"\r\n\"provider\"=\"gogl\"\r\n")},
      {"sentinel-value",
       Utf16File(kHead + u"[HKEY_CURRENT_USER\\Console]\r\n\"TrimmwerkFuzzSentinel\"=-\r\n")},
      {"line-after-refused-removal",
       Utf16File(kHead + u"[-HKEY_CURRENT_USER\\Console]\r\n\r\n[HKEY_CURRENT_USER\\Console\\x]\r\n"
                         u"\"a\"=\"b\"\r\n")},
      {"verb-through-machine-classes",
       Utf16File(kHead +
                 u"[-HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\Directory\\shell\\Command Prompt "
                 u"Here]\r\n\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\Directory\\shell\\Command "
                 u"Prompt Here\\command]\r\n@=\"cmd.exe /k cd %1\"\r\n\r\n"
                 u"[HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\Directory\\shell\\Command Prompt Here]"
                 u"\r\n@=\"Kommandozeile\"\r\n")},
      {"trailing-backslash",
       Utf16File(kHead + u"[-HKEY_CLASSES_ROOT\\Directory\\shell\\Command Prompt Here\\]\r\n")},
      {"comment-hex-continuation",
       Utf16File(kHead + u"; a=hex\\\r\n[-HKEY_CURRENT_USER\\Console]\r\n")},
      {"value-other-case",
       Utf16File(kHead +
                 u"[hkey_current_user\\CONTROL PANEL\\desktop]\r\n\"menushowdelay\"=\"0\"\r\n")},
  };
}

RegFileValue Sz(const std::u16string& name, const std::u16string& text,
                std::uint32_t type = kRegSz) {
  return {name, false, type, fuzz::Utf16Bytes(text + u'\0')};
}

// A file's comments and keys.
struct BuiltFile {
  const char* name;
  struct {
    std::vector<std::u16string> comments;
    std::vector<RegFileKey> keys;
  } file;
};

const std::u16string kT = u"Software\\T";

// Files of the target's layout.
std::vector<BuiltFile> RoundTripFiles() {
  return {
      {"types",
       {{u"Trimmwerk-Sicherung"},
        {{HKCU,
          kT,
          false,
          {Sz(u"", u"C:\\Programme"),
           Sz(u"q\"", u"\"q\""),
           {u"n", false, kRegDword, {1, 2, 0, 0x80}},
           {u"d", false, kRegDword, {1, 0}}}},
         {HKLM,
          kT,
          false,
          {Sz(u"e", u"%SystemRoot%", kRegExpandSz),
           {u"m", false, kRegMultiSz, fuzz::Utf16Bytes(std::u16string(u"a\0b\0\0", 5))},
           {u"b", false, kRegBinary, Bytes(60, 0xAB)},
           {u"t", false, 11, {1, 2, 3, 4, 5, 6, 7, 8}},
           {u"gone", true, kRegNone, {}}}}}}},
      {"removals",
       {{},
        {{HKCR, u"Directory\\shell\\Command Prompt Here", true, {}},
         {HKLM, u"SOFTWARE\\Policies", true, {}}}}},
      {"outside-cp1252", {{u"Ω"}, {{HKCU, u"Software\\Ж", false, {Sz(u"Ω", u"Привет €")}}}}},
      {"string-without-terminator", {{}, {{HKLM, kT, false, {{u"s", false, kRegSz, {'a', 0}}}}}}},
      {"sz-tab-and-controls",
       {{}, {{HKCU, kT, false, {Sz(u"s", u"a\tb"), Sz(u"c", u"\x01\x1b\x1f")}}}}},
      {"sz-inner-nul", {{}, {{HKCU, kT, false, {Sz(u"s", std::u16string(u"a\0b", 3))}}}}},
      // Line breaks in a string and a comment that looks like hex data going on; the writer
      // once wrote them so that the reader refused the file or joined the next line.
      {"sz-crlf", {{}, {{HKCU, kT, false, {Sz(u"s", u"a\r\nb")}}}}},
      {"sz-lf", {{}, {{HKCU, kT, false, {Sz(u"s", u"a\nb")}}}}},
      {"comment-hex-continuation", {{u"a=hex\\"}, {{HKCU, kT, false, {}}}}},
      {"comment-hex-continuation-then-comment", {{u"a=hex\\", u"b"}, {}}},
  };
}

void ClearSeeds(const fs::path& dir) {
  fs::create_directories(dir);
  for (const fs::directory_entry& e : fs::directory_iterator(dir)) {
    if (e.path().filename().string().rfind("seed-", 0) == 0) fs::remove(e.path());
  }
}

void WriteBuilt(const fs::path& dir, const BuiltFile& b) {
  fuzz::InputWriter writer;
  RegFile file;
  file.comments = b.file.comments;
  file.keys = b.file.keys;
  const Bytes bytes = writer.File(file);
  fuzz::Input in(bytes.data(), bytes.size());
  const std::string difference = fuzz::Difference(file, fuzz::ReadRegFile(in));
  if (!difference.empty())
    throw std::logic_error(std::string("the layout does not hold ") + b.name + ": " + difference);
  Write(dir / (std::string("seed-") + b.name), bytes);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: fuzz_seeds <tests/fuzz folder>\n");
    return 2;
  }
  const fs::path root = argv[1];
  const fs::path restore = root / "corpus/backup_restore",
                 roundTrip = root / "corpus/reg_roundtrip";
  for (const fs::path& d : {restore, roundTrip}) ClearSeeds(d);

  std::vector<std::string> tweaks;
  for (const TweakInfo& t : CatalogueTweaks()) {
    try {
      if (!std::holds_alternative<std::monostate>(TweakSetter(t.name))) tweaks.push_back(t.name);
    } catch (const std::logic_error&) {
    }
  }
  // Groups of tweaks: over the target's machine each group one way (checked and unchecked in
  // turn), over an empty machine (where the runs create keys) both ways.
  const std::size_t groups = 12, emptyGroups = 4;
  char name[64];
  for (std::size_t g = 0; g < groups; ++g) {
    for (bool unchecked : {g % 2 == 1}) {
      std::vector<std::string> group;
      for (std::size_t i = g; i < tweaks.size(); i += groups) group.push_back(tweaks[i]);
      MemoryRegistry machine;
      fuzz::SeedCatalogueMachine(machine);
      const Bytes backup = BackupOfRun(machine, group, unchecked);
      std::snprintf(name, sizeof name, "seed-run-%02zu-%s.reg", g, unchecked ? "off" : "on");
      Write(restore / name, backup);
      if (g % 4 == 0) Write(roundTrip / name, backup);
    }
  }
  for (std::size_t g = 0; g < emptyGroups; ++g) {
    for (bool unchecked : {false, true}) {
      std::vector<std::string> group;
      for (std::size_t i = g; i < tweaks.size(); i += emptyGroups) group.push_back(tweaks[i]);
      MemoryRegistry machine;
      std::snprintf(name, sizeof name, "seed-empty-%02zu-%s.reg", g, unchecked ? "off" : "on");
      Write(restore / name, BackupOfRun(machine, group, unchecked));
    }
  }
  for (const EdgeFile& e : EdgeFiles()) Write(restore / (std::string("seed-") + e.name), e.bytes);
  for (const BuiltFile& b : RoundTripFiles()) WriteBuilt(roundTrip, b);
  std::printf("seeds written under %s\n", root.c_str());
  return 0;
}
