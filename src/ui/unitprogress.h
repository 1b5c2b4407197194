#pragma once

// The progress window of an apply run: a bar and one line that counts the settings written.
// Each run creates one, drives it without passing through the message loop and destroys it.

#include <windows.h>

#include "flows/run.h"
#include "ui/form.h"
#include "ui/gdi.h"

namespace tw::ui {

// Whether the user may close the progress window: false from its creation until the run has
// made its last write.
extern bool ProgressCanClose;

class TfrmProgress : public Form, public Progress {
 public:
  // Creates the hidden window over parent with the bar at 0 of maximum. While the window
  // exists, parent takes no input, so no second run can start from the run's message boxes.
  TfrmProgress(HWND parent, int maximum);
  ~TfrmProgress() override;

  HWND pbarMain() const { return pbarMain_; }
  HWND labProgress() const { return labProgress_; }

  // Progress. Every change is painted at once: the run does not pump messages.
  void Show() override;
  void StepProgress() override;
  void ShowStep(const std::string& text) override;
  void AllowClose() override;
  void Fill() override;

  void FormCreate();
  bool FormCloseQuery() const;

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void BuildControls();
  void PaintNow();
  int Maximum() const;

  HWND parent_;
  Font font_;  // outlives the window: the destructor destroys that first
  HWND pbarMain_ = nullptr;
  HWND labProgress_ = nullptr;
};

// The window of the run in progress; nullptr between runs.
extern TfrmProgress* frmProgress;

}  // namespace tw::ui
