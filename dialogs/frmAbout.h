#pragma once
#include <array>

#include "lock/ProgramForm.h"
#include "lock/controls/Graphics.h"
#include "lock/controls/Label.h"

namespace dorbolt {

// A push button drawn on a face of its own colour, with its caption in the window's font.
class FacedButton : public WindowedControl {
 public:
  FacedButton(Form& form, const Place& place, std::wstring_view caption, COLORREF face);
  bool OnDrawItem(const DRAWITEMSTRUCT& item) override;
  void Click() { ::SendMessageW(Window(), BM_CLICK, 0, 0); }

 private:
  COLORREF face_;
};

// An icon at its own size on white, in a sunken frame two pixels wide that fits it closely.
class FramedIcon : public Control {
 public:
  FramedIcon(Form& form, POINT topLeftTwips, int iconId, int size);
  void Paint(HDC dc) override;

 private:
  POINT topLeft_;
  HICON icon_;  // shared resource icon
  int size_;
};

struct frmAboutControls {
  explicit frmAboutControls(Form& form);
  FacedButton cmdOK;  // first: it has the focus
  FramedIcon picIcon;
  Image Image3;  // the banner, stretched
  Label lblVersion;
  Label lblDescription;
  std::array<Rule, 2> Line1;  // 0: white under 1: grey, an etched line
};

// The About box, opened from the lock notice and the unlock prompt. Enter, Esc, OK and the
// close button all close it; it reads and writes nothing.
class frmAbout : public ProgramForm<frmAboutControls> {
 public:
  static constexpr wchar_t kVersion[] = L"Version 1.0 - By Talvorn";
  static constexpr wchar_t kDescription[] =
      L"Protect your PC from those unauthorized people! With Dorbolt, with one double click "
      L"from the System Tray, the computer is locked, and only YOU can then unlock it!";

  explicit frmAbout(Forms& forms) : ProgramForm(forms, L"frmAbout") {}

 protected:
  FormDesign Design() const override;
  void OnLoad() override;
  void OnCommand(int id, int code) override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
};

}  // namespace dorbolt
