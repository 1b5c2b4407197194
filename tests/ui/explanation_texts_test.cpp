// The explanation texts in the exe's resources: each is a well-formed cp1252 RTF document
// whose first line is the caption of its control, with the manual steps naming the registry
// keys the catalogue really uses, and RichEdit loads each without error.

#include <gtest/gtest.h>
#include <richedit.h>
#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "catalogue/catalogue.h"
#include "documented_counts.h"
#include "ui/pages.h"

namespace tw {
namespace {

// Texts whose heading is not a control caption: the overview, two texts without a control,
// and the program-folder button, whose own caption ("Durchsuchen...") names no setting.
const std::map<int, std::string> kFixedHeadings = {
    {1, "Tavo Empfehlungen"},
    {20070421, "Drucker im Startmenü ausblenden"},
    {20070428, "Verwaltung im Startmenü anzeigen"},
    {20060834, "Installationspfad für Programme"},
};

std::string TrimRight(std::string s) {
  while (!s.empty() && s.back() == ' ') s.pop_back();
  return s;
}

// The heading a text must carry: the caption of the one captioned control with that tweak ID,
// or the caption of its group where the ID belongs to several controls or to uncaptioned ones.
std::string HeadingIn(const ui::PageTable& layout, int id) {
  std::vector<std::string> captioned;
  std::string group;
  for (std::size_t i = 0; i < layout.count; ++i) {
    const ui::ControlDef& c = layout.rows[i];
    if (c.tweakId != id || !c.caption || !ui::ShowsCaption(c.kind)) continue;
    if (c.kind == ui::Kind::Group) {
      group = c.caption;
    } else {
      captioned.push_back(c.caption);
    }
  }
  if (captioned.size() == 1) return TrimRight(captioned[0]);
  return group;
}

std::map<int, std::string> ExpectedHeadings() {
  std::map<int, std::string> headings = kFixedHeadings;
  for (const ui::PageTable* layout : {&ui::kPagesXP, &ui::kPagesVista}) {
    for (std::size_t i = 0; i < layout->count; ++i) {
      const int id = layout->rows[i].tweakId;
      if (id == 0 || headings.count(id)) continue;
      const std::string heading = HeadingIn(*layout, id);
      if (!heading.empty()) headings[id] = heading;
    }
  }
  return headings;
}

std::string LoadText(int id) {
  const std::string name = "TEXT_" + std::to_string(id);
  HRSRC res = FindResourceA(nullptr, name.c_str(), MAKEINTRESOURCEA(10));  // RT_RCDATA
  if (res == nullptr) return "";
  HGLOBAL data = LoadResource(nullptr, res);
  const DWORD size = SizeofResource(nullptr, res);
  return std::string(static_cast<const char*>(LockResource(data)), size);
}

// Plain text of an RTF document: groups, control words and destinations ({\fonttbl}, {\*...})
// dropped, \par as a line break, \'xx decoded. Sets ok to false on malformed input.
std::string PlainText(const std::string& rtf, bool& ok, std::string& problem) {
  static const std::set<unsigned> kUndefined = {0x81, 0x8D, 0x8F, 0x90, 0x9D};
  std::string out;
  std::vector<bool> skip;  // per open group: is its text dropped?
  ok = true;
  for (std::size_t i = 0; i < rtf.size(); ++i) {
    const unsigned char c = rtf[i];
    if (c >= 0x80) {
      ok = false;
      problem = "byte above 0x7F at " + std::to_string(i);
      return out;
    }
    if (c == '{') {
      skip.push_back(!skip.empty() && skip.back());
      continue;
    }
    if (skip.empty()) {
      ok = false;
      problem = "text outside the document's group";
      return out;
    }
    if (c == '}') {
      skip.pop_back();
      if (skip.empty()) {
        if (rtf.find_first_not_of("\r\n \t\0", i + 1) != std::string::npos) {
          ok = false;
          problem = "text after the document's closing brace";
        }
        return out;
      }
      continue;
    }
    if (c == '\r' || c == '\n') continue;
    if (c != '\\') {
      if (!skip.back()) out += static_cast<char>(c);
      continue;
    }
    const char next = i + 1 < rtf.size() ? rtf[i + 1] : '\0';
    if (next == '\\' || next == '{' || next == '}') {
      if (!skip.back()) out += next;
      ++i;
    } else if (next == '\'') {
      const std::string hex = rtf.substr(i + 2, 2);
      const unsigned value = std::stoul(hex, nullptr, 16);
      if (hex.size() != 2 || kUndefined.count(value)) {
        ok = false;
        problem = "\\'" + hex + " is no cp1252 character";
      }
      if (!skip.back()) out += static_cast<char>(value);
      i += 3;
    } else if (next == '*') {
      skip.back() = true;
      ++i;
    } else {
      std::size_t j = i + 1;
      while (j < rtf.size() && std::isalpha(static_cast<unsigned char>(rtf[j]))) ++j;
      const std::string word = rtf.substr(i + 1, j - i - 1);
      while (j < rtf.size() && (std::isdigit(static_cast<unsigned char>(rtf[j])) || rtf[j] == '-'))
        ++j;
      if (j < rtf.size() && rtf[j] == ' ') ++j;
      if (word == "fonttbl" || word == "colortbl" || word == "stylesheet" || word == "info") {
        skip.back() = true;
      } else if ((word == "par" || word == "line") && !skip.back()) {
        out += '\n';
      } else if (word == "tab" && !skip.back()) {
        out += '\t';
      }
      i = j - 1;
    }
  }
  ok = false;
  problem = "unbalanced braces";
  return out;
}

std::string FirstLine(const std::string& text) {
  return TrimRight(text.substr(0, text.find('\n')));
}

// Catalogue key paths by tweak ID (the getter's and every setter's).
std::map<int, std::set<std::string>> CatalogueKeys() {
  std::map<int, std::set<std::string>> keys;
  for (const TweakInfo& t : CatalogueTweaks()) {
    for (const RegLocation& l : t.locations) keys[static_cast<int>(t.id)].insert(l.key);
  }
  return keys;
}

TEST(ExplanationTexts, EveryTextIsWellFormedAndHeadedByItsCaption) {
  const auto headings = ExpectedHeadings();
  EXPECT_EQ(headings.size(), static_cast<std::size_t>(kExplanationTexts));
  const auto keys = CatalogueKeys();
  for (const auto& [id, heading] : headings) {
    SCOPED_TRACE("TEXT_" + std::to_string(id));
    const std::string rtf = LoadText(id);
    ASSERT_FALSE(rtf.empty()) << "resource missing";
    EXPECT_EQ(0u, rtf.find("{\\rtf1\\ansi\\ansicpg1252"));
    EXPECT_NE(std::string::npos, rtf.find("Tahoma"));
    EXPECT_NE(std::string::npos, rtf.find("\\fs16"));
    bool ok = false;
    std::string problem;
    const std::string text = PlainText(rtf, ok, problem);
    EXPECT_TRUE(ok) << problem;
    EXPECT_EQ(heading, FirstLine(text));
    EXPECT_NE(std::string::npos, text.find("So geht"));
    auto k = keys.find(id);
    if (k == keys.end()) continue;
    for (const std::string& key : k->second) {
      EXPECT_NE(std::string::npos, text.find(key)) << "key path not named: " << key;
    }
  }
}

TEST(ExplanationTexts, EveryTweakOfTheCatalogueHasAText) {
  const auto headings = ExpectedHeadings();
  for (const TweakInfo& t : CatalogueTweaks()) {
    EXPECT_TRUE(headings.count(static_cast<int>(t.id))) << t.id << " " << t.name;
  }
}

struct StreamSource {
  const std::string* data;
  std::size_t pos;
};

DWORD CALLBACK ReadChunk(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* read) {
  auto* src = reinterpret_cast<StreamSource*>(cookie);
  const std::size_t n = std::min<std::size_t>(size, src->data->size() - src->pos);
  std::memcpy(buffer, src->data->data() + src->pos, n);
  src->pos += n;
  *read = static_cast<LONG>(n);
  return 0;
}

TEST(ExplanationTexts, RichEditLoadsEachTextAndShowsItsHeading) {
  HMODULE riched = LoadLibraryA("riched20.dll");
  ASSERT_NE(nullptr, riched);
  HWND edit = CreateWindowExA(0, RICHEDIT_CLASSA, "", WS_POPUP | ES_MULTILINE | ES_READONLY, 0, 0,
                              224, 418, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(nullptr, edit);
  for (const auto& [id, heading] : ExpectedHeadings()) {
    SCOPED_TRACE("TEXT_" + std::to_string(id));
    const std::string rtf = LoadText(id);
    StreamSource src{&rtf, 0};
    EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&src), 0, &ReadChunk};
    SendMessageA(edit, EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&stream));
    EXPECT_EQ(0u, stream.dwError);
    std::vector<char> shown(GetWindowTextLengthA(edit) + 1);
    GetWindowTextA(edit, shown.data(), static_cast<int>(shown.size()));
    const std::string all(shown.data());
    EXPECT_EQ(heading, TrimRight(all.substr(0, all.find_first_of("\r\n"))));
    EXPECT_GT(all.size(), heading.size() + 200) << "the body did not load";
  }
  DestroyWindow(edit);
  FreeLibrary(riched);
}

}  // namespace
}  // namespace tw
