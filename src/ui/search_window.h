#pragma once

// The window "Einstellung finden": a field, the settings of the shown layout whose words match
// it as "Seite › Einstellung", their count, a filter for the settings that differ from the
// Windows standard, and "Anzeigen", which brings the chosen setting to the front in the main
// window. Owned by the main window; closing or showing a match only hides it, so that it comes
// back as it was.

#include <windows.h>

#include <string>

#include "flows/search.h"
#include "ui/controls.h"
#include "ui/form.h"
#include "ui/gdi.h"

namespace tw::ui {

// The settings of the main window's shown layout, one per tweak ID, in page and row order,
// with the plain text of their explanations.
SearchIndex BuildSearchIndex(Controls& controls);

// The system-menu entry "Einstellung finden...", before the undo entry.
constexpr UINT kCmdFind = 0x0100;
void InstallFindEntry(HWND window);

class TfrmSearch : public Form {
 public:
  // Over the main window and its controls.
  TfrmSearch(Form& main, Controls& controls);
  ~TfrmSearch() override;

  // Shows the window (made, and the index built, the first time) with the focus in the field,
  // or in the list when a match was shown from it.
  void Open();
  // The window's parts: edQuery, lbMatches, labCount, cbNonStandard, butShow, butClose.
  HWND Get(const std::string& name) const;
  const SearchIndex& index() const { return index_; }
  // The listed matches as "Seite › Einstellung".
  std::vector<std::string> ListedCaptions() const;
  // Fills the list for the field and the filter; the first match is selected, or with
  // keepSelection the one selected before if it is still listed.
  void Refresh(bool keepSelection = false);
  // Shows the selected match in the main window and steps back behind it.
  void ShowSelected();

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void BuildControls();

  Form& main_;
  Controls& controls_;
  Font font_;
  SearchIndex index_;
  std::vector<std::size_t> listed_;  // index entries, in the list's order
  bool showedMatch_ = false;         // the last step was "Anzeigen"
};

}  // namespace tw::ui
