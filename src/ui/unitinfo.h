#pragma once

// The information window: program name and version, the publisher's credits and the facts of
// the machine at program start (Windows version, user, computer).

#include <windows.h>

#include <string>
#include <vector>

#include "ui/form.h"
#include "ui/gdi.h"

namespace tw::ui {

struct InfoRow {
  const char* caption;
  std::string (*value)();
};
// The rows of the list, in order.
const std::vector<InfoRow>& InfoRows();

class TfrmInfo : public Form {
 public:
  TfrmInfo();
  ~TfrmInfo() override;

  // Creates the hidden window, owned by owner; FormCreate reads the values of the list. The
  // controls are made when the window is first shown (or one of them is asked for).
  void Create(HWND owner);
  // The window of the named control: imgControlPanel, labProgramName, imgLogo, lvSystemInfo or
  // bbOK. Error for any other name.
  HWND Get(const std::string& name);
  HWND list() { return Get("lvSystemInfo"); }

  void FormCreate();

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void BuildControls();
  void FillList(HWND list);

  // What the controls show; the destructor destroys the window before these go.
  Font font_;
  Font boldFont_;
  Bitmap logo_;
  Icon icon_;
  std::vector<HWND> controls_;       // in the order of the window's control table
  std::vector<std::string> values_;  // of the rows, read at creation
};

extern TfrmInfo* frmInfo;

}  // namespace tw::ui
