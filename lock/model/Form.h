#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "lock/model/WindowModel.h"

namespace dorbolt {

class Control;
class Timer;

enum class Border {
  None,         // no title bar
  FixedSingle,  // title bar, thin fixed frame
  FixedDialog,  // title bar, dialog frame
};

enum class Placement {
  LockArea,       // client origin at left/top of the centred 800 x 600 area
  CentreScreen,   // centred on the primary monitor
  Screen,         // client origin at left/top of the screen (may be off-screen)
  VirtualScreen,  // covers every monitor; left/top/width/height unused
};

// A window's design values: what it has each time it is loaded.
struct FormDesign {
  std::wstring caption;
  Border border = Border::FixedSingle;
  bool closeButton = false;
  Placement placement = Placement::LockArea;
  int left = 0;  // twips
  int top = 0;
  int width = 0;  // client area, twips
  int height = 0;
  COLORREF backColor = CLR_INVALID;  // CLR_INVALID: the 3-D face colour
  int iconId = 0;                    // resource id of the window icon, 0 for none
};

// One window of the program. The object lives as long as the program; its Win32 window exists
// while it is loaded. Touching a window that is not loaded loads it, as the model requires.
class Form {
 public:
  Form(WindowModel& model, std::wstring name);
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;
  virtual ~Form();

  const std::wstring& Name() const { return name_; }
  // "Dorbolt." and the window's name: how tests and tools find it.
  std::wstring ClassName() const { return L"Dorbolt." + name_; }
  WindowModel& Model() const { return model_; }

  bool IsLoaded() const { return hwnd_ != nullptr; }
  bool IsVisible() const { return hwnd_ && ::IsWindowVisible(hwnd_); }
  bool InModalShow() const { return modal_ != nullptr; }
  HWND HwndIfLoaded() const { return hwnd_; }
  HWND Hwnd();  // loads the window when it is not loaded
  HICON Icon();  // the window icon at the small size; loads the window when needed

  void Load();
  void Unload();
  void Show();
  // Returns when the window is hidden or unloaded, even when the caller's own window has been
  // unloaded meanwhile. The program's other windows take no input while it runs.
  void ShowModal();
  void Hide();

  int Px(int twips) const { return model_.Px(twips); }
  COLORREF BackColor() const;
  HBRUSH BackBrush() const { return backBrush_.get(); }

 protected:
  virtual FormDesign Design() const = 0;
  // Makes the controls with their design values; the window exists, the load step has not run.
  virtual void CreateControls() {}
  // The window is going: the controls go with it, back to design values at the next load.
  virtual void DestroyControls() {}
  virtual void OnLoad() {}
  virtual void OnUnload() {}
  // Clicks and notifications of the controls.
  virtual void OnCommand(int /*controlId*/, int /*code*/) {}
  // Title-bar close, Alt+F4 and WM_CLOSE. Windows of the lock refuse them.
  virtual bool AllowsClose() const { return true; }
  virtual void OnPaint(HDC /*dc*/) {}
  // Any other message; return true when handled and set the result.
  virtual bool OnMessage(UINT /*message*/, WPARAM, LPARAM, LRESULT& /*result*/) { return false; }

 private:
  friend class Control;
  friend class Timer;
  class ModalFrame;

  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
  LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
  void RegisterClassOnce();
  RECT WindowRect(const FormDesign& design, DWORD style, DWORD exStyle) const;
  void Paint();

  WindowModel& model_;
  std::wstring name_;
  HWND hwnd_ = nullptr;
  bool classRegistered_ = false;
  unsigned loadGeneration_ = 0;
  ModalFrame* modal_ = nullptr;
  HICON smallIcon_ = nullptr;  // shared resource icons: never destroyed
  HICON bigIcon_ = nullptr;
  UniqueBrush backBrush_;
  COLORREF backColor_ = CLR_INVALID;
  std::vector<Control*> controls_;
  std::vector<Timer*> timers_;
  int nextControlId_ = 1000;
};

}  // namespace dorbolt
