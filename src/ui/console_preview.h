#pragma once

// The console colours of the main window: each layout has a text colour list and a background
// colour list, whose rows show swatches of the user's sixteen console colours, and a paint box
// that previews console text in the two colours chosen.

#include <windows.h>

#include <string>

#include "catalogue/console_palette.h"
#include "ui/controls.h"
#include "ui/gdi.h"

namespace tw::ui {

// The colour lists of a layout and their preview box, by control name.
struct ColourGroup {
  const char* textList;
  const char* backgroundList;
  const char* preview;
};
// The XP layout's group and its Vista twin.
extern const ColourGroup kColourGroups[2];
// The group whose preview box is named; nullptr for any other control.
const ColourGroup* ColourGroupOfPreview(const std::string& name);

class ConsolePreview {
 public:
  // The palette is read when the swatches are drawn and whenever a preview is painted.
  explicit ConsolePreview(const ConsolePalette& palette);

  // The image list of the swatches that the colour lists are made with; without images until
  // BuildSwatches.
  HIMAGELIST ilColors() const { return ilColors_.get(); }
  // Draws the palette's sixteen swatches and gives the lists made so far their rows; lists of
  // pages not made yet get theirs through FillList when they are made.
  void BuildSwatches(Controls& controls);
  // The sixteen rows of a colour list whose window is made, once the swatches exist.
  void FillList(Control& list) const;
  // Selects light grey text on black in every group, as a fresh console shows.
  void SelectDefaultColours(Controls& controls) const;
  // Paints the preview box of the group with the colours its lists have selected.
  void Paint(HDC dc, const Controls& controls, const ColourGroup& group) const;

 private:
  const ConsolePalette& palette_;
  Font font_;
  ImageList ilColors_;
  bool built_ = false;  // the swatches are in the image list
};

}  // namespace tw::ui
