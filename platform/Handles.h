#pragma once
#include <windows.h>

#include <utility>

// One owner type for every handle kind: non-copyable, movable, released exactly once.
namespace dorbolt {

template <class Handle, class Traits>
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(Handle h) : h_(h) {}
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle(UniqueHandle&& other) noexcept : h_(std::exchange(other.h_, Handle{})) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) reset(std::exchange(other.h_, Handle{}));
    return *this;
  }
  ~UniqueHandle() { reset(); }

  Handle get() const { return h_; }
  explicit operator bool() const { return h_ != Handle{}; }
  Handle release() { return std::exchange(h_, Handle{}); }
  void reset(Handle h = Handle{}) {
    if (h_ != Handle{} && h_ != h) Traits::Close(h_);
    h_ = h;
  }

 private:
  Handle h_{};
};

struct GdiObjectTraits {
  static void Close(HGDIOBJ h) { ::DeleteObject(h); }
};
struct IconTraits {
  static void Close(HICON h) { ::DestroyIcon(h); }
};
struct KeyTraits {
  static void Close(HKEY h) { ::RegCloseKey(h); }
};
struct MenuTraits {
  static void Close(HMENU h) { ::DestroyMenu(h); }
};
struct HookTraits {
  static void Close(HHOOK h) { ::UnhookWindowsHookEx(h); }
};
struct KernelTraits {
  static void Close(HANDLE h) { ::CloseHandle(h); }
};
struct WindowTraits {
  static void Close(HWND h) { ::DestroyWindow(h); }
};
struct ModuleTraits {
  static void Close(HMODULE h) { ::FreeLibrary(h); }
};

using UniqueFont = UniqueHandle<HFONT, GdiObjectTraits>;
using UniqueBrush = UniqueHandle<HBRUSH, GdiObjectTraits>;
using UniquePen = UniqueHandle<HPEN, GdiObjectTraits>;
using UniqueBitmap = UniqueHandle<HBITMAP, GdiObjectTraits>;
using UniqueIcon = UniqueHandle<HICON, IconTraits>;
using UniqueKey = UniqueHandle<HKEY, KeyTraits>;
using UniqueMenu = UniqueHandle<HMENU, MenuTraits>;
using UniqueHook = UniqueHandle<HHOOK, HookTraits>;
using UniqueKernelHandle = UniqueHandle<HANDLE, KernelTraits>;
using UniqueWindow = UniqueHandle<HWND, WindowTraits>;
using UniqueModule = UniqueHandle<HMODULE, ModuleTraits>;

// Selects an object into a DC for one scope and puts the previous one back.
class SelectScope {
 public:
  SelectScope(HDC dc, HGDIOBJ object) : dc_(dc), previous_(::SelectObject(dc, object)) {}
  SelectScope(const SelectScope&) = delete;
  SelectScope& operator=(const SelectScope&) = delete;
  ~SelectScope() {
    if (previous_) ::SelectObject(dc_, previous_);
  }

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// A DC released with the window it came from.
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(::GetDC(window)) {}
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  ~WindowDc() {
    if (dc_) ::ReleaseDC(window_, dc_);
  }
  HDC get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// A memory DC deleted at the end of its scope.
class MemoryDc {
 public:
  explicit MemoryDc(HDC compatible) : dc_(::CreateCompatibleDC(compatible)) {}
  MemoryDc(const MemoryDc&) = delete;
  MemoryDc& operator=(const MemoryDc&) = delete;
  ~MemoryDc() {
    if (dc_) ::DeleteDC(dc_);
  }
  HDC get() const { return dc_; }

 private:
  HDC dc_;
};

}  // namespace dorbolt
