#pragma once

// The information window: program name and version, the publisher's credits and the facts of
// the machine at program start (Windows version, user, computer).

#include <windows.h>

#include <string>
#include <vector>

#include "form.h"

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
  // controls are made when the window is first shown (or its list is asked for).
  void Create(HWND owner);
  HWND list();

  void FormCreate();

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void BuildControls();

  HFONT font_ = nullptr;
  HFONT boldFont_ = nullptr;
  HBITMAP logo_ = nullptr;
  HICON icon_ = nullptr;
  HWND list_ = nullptr;
  std::vector<std::string> values_;  // of the rows, read at creation
};

extern TfrmInfo* frmInfo;

}  // namespace tw::ui
