#pragma once
#include <windows.h>

#include <functional>
#include <vector>

#include "platform/Handles.h"

namespace dorbolt {

class Form;

// The program's windows as one model: which are loaded, the event loops that run them, the
// program's end, and the units their layouts are written in.
class WindowModel {
 public:
  WindowModel();
  WindowModel(const WindowModel&) = delete;
  WindowModel& operator=(const WindowModel&) = delete;
  ~WindowModel();

  // The main loop: runs until no window is loaded once the running handlers have returned.
  void Run();
  // A nested loop, as a modal show runs it: pumps messages while keepGoing() holds.
  void RunWhile(const std::function<bool()>& keepGoing);
  // Ends the program at once: no further step, no unload step.
  void End();
  // What End does; by default the process exits. Tests that stay in one process replace it.
  void SetEndAction(std::function<void()> action) { endAction_ = std::move(action); }

  bool AnyLoaded() const;
  Form* FormOf(HWND window) const;
  const std::vector<Form*>& Forms() const { return forms_; }

  // Layouts are written in twips (1/1440 inch) and converted at the screen's DPI.
  int Dpi() const { return dpi_; }
  int Px(int twips) const { return ::MulDiv(twips, dpi_, 1440); }
  // The 800 x 600 (at 96 DPI) area, centred on the primary monitor, that fixed window
  // positions are measured from.
  RECT LockArea() const;
  // Font of every text that has none of its own.
  HFONT DefaultFont() const { return defaultFont_.get(); }
  // Hidden owner of every form: it keeps them off the taskbar without tool-window captions.
  HWND Owner() const { return owner_.get(); }

 private:
  friend class Form;
  void Register(Form& form);
  void Unregister(Form& form);

  std::vector<Form*> forms_;
  int dpi_ = 96;
  UniqueFont defaultFont_;
  UniqueWindow owner_;
  std::function<void()> endAction_;
};

}  // namespace dorbolt
