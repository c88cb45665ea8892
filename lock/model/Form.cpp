#include "lock/model/Form.h"

#include <algorithm>
#include <exception>

#include "lock/model/Control.h"
#include "lock/model/Timer.h"

namespace dorbolt {

// One modal show: the windows it disabled, enabled again before the modal window goes, so
// that activation returns to the program rather than to another one.
class Form::ModalFrame {
 public:
  explicit ModalFrame(Form& form) : previousActive_(::GetActiveWindow()) {
    for (Form* other : form.Model().Forms()) {
      HWND window = other->HwndIfLoaded();
      if (other != &form && window && ::IsWindowEnabled(window)) {
        ::EnableWindow(window, FALSE);
        disabled_.push_back(window);
      }
    }
  }
  ModalFrame(const ModalFrame&) = delete;
  ModalFrame& operator=(const ModalFrame&) = delete;
  ~ModalFrame() { Release(); }

  void Release() {
    for (HWND window : disabled_) {
      if (::IsWindow(window)) ::EnableWindow(window, TRUE);
    }
    disabled_.clear();
    if (previousActive_ && ::IsWindow(previousActive_) && ::IsWindowVisible(previousActive_)) {
      ::SetActiveWindow(previousActive_);
    }
    previousActive_ = nullptr;
  }

 private:
  std::vector<HWND> disabled_;
  HWND previousActive_;
};

Form::Form(WindowModel& model, std::wstring name) : model_(model), name_(std::move(name)) {
  model_.Register(*this);
}

Form::~Form() {
  if (hwnd_) {
    DestroyControls();
    ::DestroyWindow(hwnd_);
  }
  model_.Unregister(*this);
}

HWND Form::Hwnd() {
  Load();
  return hwnd_;
}

HICON Form::Icon() {
  Load();
  return smallIcon_;
}

COLORREF Form::BackColor() const {
  return backColor_ == CLR_INVALID ? ::GetSysColor(COLOR_BTNFACE) : backColor_;
}

void Form::RegisterClassOnce() {
  if (classRegistered_) return;
  const std::wstring className = ClassName();
  HINSTANCE instance = ::GetModuleHandleW(nullptr);
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof existing;
  if (!::GetClassInfoExW(instance, className.c_str(), &existing)) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = &Form::WindowProc;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = className.c_str();
    ::RegisterClassExW(&wc);
  }
  classRegistered_ = true;
}

RECT Form::WindowRect(const FormDesign& design, DWORD style, DWORD exStyle) const {
  if (design.placement == Placement::VirtualScreen) {
    const int x = ::GetSystemMetrics(SM_XVIRTUALSCREEN);
    const int y = ::GetSystemMetrics(SM_YVIRTUALSCREEN);
    return RECT{x, y, x + ::GetSystemMetrics(SM_CXVIRTUALSCREEN),
                y + ::GetSystemMetrics(SM_CYVIRTUALSCREEN)};
  }
  const int width = Px(design.width);
  const int height = Px(design.height);
  int left = 0;
  int top = 0;
  switch (design.placement) {
    case Placement::LockArea: {
      const RECT area = model_.LockArea();
      left = area.left + Px(design.left);
      top = area.top + Px(design.top);
      break;
    }
    case Placement::Screen:
      left = Px(design.left);
      top = Px(design.top);
      break;
    default:
      break;
  }
  RECT rect{left, top, left + width, top + height};
  ::AdjustWindowRectEx(&rect, style, FALSE, exStyle);
  if (design.placement == Placement::CentreScreen) {
    const int w = rect.right - rect.left;
    const int h = rect.bottom - rect.top;
    rect.left = (::GetSystemMetrics(SM_CXSCREEN) - w) / 2;
    rect.top = (::GetSystemMetrics(SM_CYSCREEN) - h) / 2;
    rect.right = rect.left + w;
    rect.bottom = rect.top + h;
  }
  return rect;
}

void Form::Load() {
  if (hwnd_) return;
  const FormDesign design = Design();
  RegisterClassOnce();

  DWORD style = WS_POPUP | WS_CLIPCHILDREN;
  DWORD exStyle = 0;
  switch (design.border) {
    case Border::None:
      break;
    case Border::FixedSingle:
      style |= WS_CAPTION;
      break;
    case Border::FixedDialog:
      style |= WS_CAPTION;
      exStyle |= WS_EX_DLGMODALFRAME;
      break;
  }
  if (design.closeButton) style |= WS_SYSMENU;

  backColor_ = design.backColor;
  backBrush_.reset(::CreateSolidBrush(BackColor()));
  const RECT rect = WindowRect(design, style, exStyle);
  HINSTANCE instance = ::GetModuleHandleW(nullptr);
  // WM_NCCREATE binds the object and sets hwnd_, so the window counts as loaded from then on.
  ::CreateWindowExW(exStyle, ClassName().c_str(), design.caption.c_str(), style, rect.left,
                    rect.top, rect.right - rect.left, rect.bottom - rect.top, model_.Owner(),
                    nullptr, instance, this);
  if (!hwnd_) return;
  ++loadGeneration_;

  if (design.iconId) {
    smallIcon_ = static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(design.iconId), IMAGE_ICON,
                                                 ::GetSystemMetrics(SM_CXSMICON),
                                                 ::GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    bigIcon_ = static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(design.iconId), IMAGE_ICON,
                                               ::GetSystemMetrics(SM_CXICON),
                                               ::GetSystemMetrics(SM_CYICON), LR_SHARED));
    ::SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_));
    ::SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_));
  }

  CreateControls();
  for (Timer* timer : timers_) timer->FormLoaded();
  OnLoad();
}

void Form::Unload() {
  if (!hwnd_) return;
  OnUnload();
  if (!hwnd_) return;  // the unload step unloaded the window itself
  if (modal_) {
    modal_->Release();
    modal_ = nullptr;
  }
  for (Timer* timer : timers_) timer->FormUnloading();
  HWND window = hwnd_;
  DestroyControls();
  ::DestroyWindow(window);
  hwnd_ = nullptr;  // also cleared at WM_NCDESTROY; kept here in case the window was gone already
}

void Form::Show() {
  Load();
  if (!hwnd_) return;
  ::ShowWindow(hwnd_, SW_SHOW);
}

void Form::ShowModal() {
  Load();
  if (!hwnd_ || modal_) return;
  const unsigned generation = loadGeneration_;
  ModalFrame frame(*this);
  modal_ = &frame;
  // Loaded hidden while an earlier modal show began, this window was disabled with the rest;
  // now it is the one that takes the input.
  ::EnableWindow(hwnd_, TRUE);
  ::ShowWindow(hwnd_, SW_SHOW);
  ::SetForegroundWindow(hwnd_);
  model_.RunWhile([this, generation] {
    return hwnd_ && loadGeneration_ == generation && ::IsWindowVisible(hwnd_);
  });
  if (modal_ == &frame) modal_ = nullptr;
}

void Form::Hide() {
  if (!hwnd_) {
    Load();  // hiding a window that is not loaded loads it hidden
    return;
  }
  if (modal_) {
    modal_->Release();
    modal_ = nullptr;
  }
  ::ShowWindow(hwnd_, SW_HIDE);
}

void Form::Paint() {
  PAINTSTRUCT ps;
  HDC dc = ::BeginPaint(hwnd_, &ps);
  ::FillRect(dc, &ps.rcPaint, backBrush_.get());
  for (Control* control : controls_) control->Paint(dc);
  OnPaint(dc);
  ::EndPaint(hwnd_, &ps);
}

LRESULT CALLBACK Form::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  Form* form = nullptr;
  if (message == WM_NCCREATE) {
    form = static_cast<Form*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    form->hwnd_ = hwnd;
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
  } else {
    form = reinterpret_cast<Form*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  }
  if (!form) return ::DefWindowProcW(hwnd, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    if (form->hwnd_ == hwnd) form->hwnd_ = nullptr;
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
  }
  try {
    return form->Dispatch(message, wParam, lParam);
  } catch (...) {
    // Nothing may unwind through the system's frames; the handler's work is lost, not the lock.
    return 0;
  }
}

LRESULT Form::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (OnMessage(message, wParam, lParam, result)) return result;
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // WM_PAINT fills the background
    case WM_PAINT:
      Paint();
      return 0;
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      for (Control* control : controls_) {
        if (control->OnDrawItem(*item)) return TRUE;
      }
      break;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN: {
      HBRUSH brush = nullptr;
      for (Control* control : controls_) {
        if (control->OnCtlColor(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam), brush)) {
          return reinterpret_cast<LRESULT>(brush);
        }
      }
      if (message == WM_CTLCOLORSTATIC || message == WM_CTLCOLORBTN) {
        // Check boxes, option buttons and frames sit on the window's own colour.
        ::SetBkColor(reinterpret_cast<HDC>(wParam), BackColor());
        return reinterpret_cast<LRESULT>(backBrush_.get());
      }
      break;
    }
    case WM_TIMER:
      for (Timer* timer : timers_) {
        if (timer->HandleTick(wParam)) return 0;
      }
      break;
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == SC_CLOSE && !AllowsClose()) return 0;
      break;
    case WM_CLOSE:
      if (AllowsClose()) Unload();
      return 0;
    default:
      break;
  }
  return ::DefWindowProcW(hwnd_, message, wParam, lParam);
}

}  // namespace dorbolt
