#pragma once
#include "lock/ProgramForm.h"
#include "lock/controls/Graphics.h"
#include "lock/controls/TextBox.h"
#include "lock/model/Timer.h"

namespace dorbolt {

// The lock screen's controls, back to front. The strip sits along the bottom edge of whatever
// screen the window covers; above it, the backdrop picture fills the rest.
struct Form1Controls {
  explicit Form1Controls(Form& form);
  Shape Shape1;  // the white strip
  Image Image1;  // the banner
  Image Image2;  // "This Computer Is Being Protected By"
  Image Image3;  // the backdrop picture, stretched
  TextBox Text1;  // hidden: the BackLock value read at load
};

// The lock screen: a borderless backdrop over every monitor. Its load step removes the tray
// window, paints the chosen picture and starts the timer that keeps the notice up.
class Form1 : public ProgramForm<Form1Controls> {
 public:
  static constexpr COLORREF kBackColor = RGB(192, 192, 255);

  explicit Form1(Forms& forms);

  Timer& Timer1() { return timer1_; }
  // What the load step read from BackLock.
  std::wstring BackLock() { return Ctl().Text1.Text(); }
  bool HasBackdrop() { return Ctl().Image3.HasPicture(); }

 protected:
  FormDesign Design() const override;
  void OnLoad() override;
  bool AllowsClose() const override { return false; }
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  // Paints the picture that Text1 names, unless it names none.
  void ShowBackdrop();
  // A monitor added or a resolution changed while locked: cover the new screen as well.
  void CoverTheScreens();

  Timer timer1_;
};

}  // namespace dorbolt
