#pragma once

// Finding a setting by its words: the plain text of an explanation, a folded form in which case
// and umlaut spellings do not count, the index that the search window asks at every keystroke,
// and which controls now show something else than the standard view would.

#include <cstddef>
#include <set>
#include <string>
#include <vector>

#include "flows/bindings.h"
#include "flows/control_surface.h"

namespace tw {

// The text of a cp1252 RTF document without its control words, tables and hidden groups;
// paragraph and line breaks become spaces.
std::string RtfPlainText(const std::string& rtf);

// cp1252 text in lower case with ä, ö, ü and ß spelt ae, oe, ue and ss, so that "Größe",
// "groesse" and "GRÖSSE" compare equal.
std::string FoldForSearch(const std::string& text);

// One setting of the window: one tweak ID, on one page.
struct SearchEntry {
  std::string page;     // the page's tab caption
  std::string caption;  // what names the setting
  std::string control;  // the control that shows it (the first, where several do)
  int tweakId = 0;
  std::vector<std::string> controls;  // every control whose state is this setting's
  std::string text;                   // the plain text of its explanation
};

class SearchIndex {
 public:
  // Entries keep the order they are added in.
  void Add(SearchEntry entry);
  const std::vector<SearchEntry>& entries() const { return entries_; }
  // The entries in which every word of the query occurs in the caption or the text, in order;
  // a query without words finds all. Only entries in `only` when it is given.
  std::vector<std::size_t> Find(const std::string& query,
                                const std::set<std::string>* only = nullptr) const;

 private:
  std::vector<SearchEntry> entries_;
  std::vector<std::string> folded_;  // caption and text of each entry, folded
};

// The controls of the layout whose state differs from what the standard view would set them
// to; read from the standard view's own table, nothing is changed.
std::set<std::string> DifferFromStandard(const ControlSurface& controls, Layout layout);

}  // namespace tw
