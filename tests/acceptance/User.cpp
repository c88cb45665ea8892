#include "tests/acceptance/User.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "tests/support/TrayHolder.h"
#include "tests/support/Wait.h"
#include "tests/support/Windows.h"
#include "tests/support/XInput.h"

namespace dorbolt::test::accept {

long long Now() { return static_cast<long long>(::GetTickCount64()); }

Program::Program(const wchar_t* exeName) : process_(ProgramPath(exeName)) {}

HWND Program::Window(const wchar_t* form) const {
  return process_.Window((std::wstring(L"Dorbolt.") + form).c_str());
}

bool Program::Shown(const wchar_t* form) const {
  HWND window = Window(form);
  return window && ::IsWindowVisible(window);
}

HWND Program::WaitShown(const wchar_t* form, DWORD ms) const {
  WaitUntil([&] { return Shown(form); }, ms);
  return Shown(form) ? Window(form) : nullptr;
}

bool Program::WaitGone(const wchar_t* form, DWORD ms) const {
  return WaitUntil([&] { return !Shown(form); }, ms);
}

bool ClickButton(HWND form, const wchar_t* word) {
  HWND button = form ? FindChildByText(form, word) : nullptr;
  return button && ::IsWindowVisible(button) && x::ClickWindow(button);
}

HWND EditBox(HWND window, int n) { return FindChildByClass(window, L"Edit", n); }

bool TypeInto(HWND edit, const std::wstring& text) {
  if (!edit || !x::ClickWindow(edit)) return false;
  // Whatever the box kept from before goes first, as a user would clear it.
  if (!x::Keys(L"End shift+Home BackSpace")) return false;
  if (!text.empty() && !x::Type(text)) return false;
  if (WaitUntil([&] { return WindowText(edit) == text; }, 3000)) return true;
  std::printf("typed into a box that then held %zu letters instead of %zu\n", WindowText(edit).size(), text.size());
  return false;
}

std::optional<std::wstring> AnswerBox(const wchar_t* title, DWORD ms) {
  HWND box = nullptr;
  if (!WaitUntil([&] { return (box = FindMessageBox(title)) != nullptr; }, ms)) return std::nullopt;
  const std::wstring text = MessageBoxText(box);
  HWND ok = ::GetDlgItem(box, IDOK);
  if (!ok || !x::ClickWindow(ok)) return std::nullopt;
  if (!WaitUntil([&] { return !::IsWindow(box) || !::IsWindowVisible(box); }, 5000)) return std::nullopt;
  return text;
}

POINT IconPlace() { return FirstTrayIconCentre(); }

HWND PopupMenu() {
  HWND menu = ::FindWindowW(L"#32768", nullptr);
  return menu && ::IsWindowVisible(menu) ? menu : nullptr;
}

namespace {

// The menu holds, from the top, "Activate Dorbolt", a separator, "Options", a separator and
// "Exit Dorbolt": "Options" sits in the middle, and the outer items fill the outer sixths.
POINT ItemPlace(HWND menu, MenuItem item) {
  RECT r{};
  ::GetWindowRect(menu, &r);
  const int x = (r.left + r.right) / 2;
  const int height = r.bottom - r.top;
  switch (item) {
    case MenuItem::Activate:
      return {x, r.top + height / 6};
    case MenuItem::Options:
      return {x, (r.top + r.bottom) / 2};
    case MenuItem::Exit:
      return {x, r.bottom - height / 6};
  }
  return {x, (r.top + r.bottom) / 2};
}

}  // namespace

bool ChooseFromIconMenu(MenuItem item) {
  if (!x::ClickAt(IconPlace(), 3)) return false;
  if (!WaitUntil([] { return PopupMenu() != nullptr; }, 5000)) return false;
  HWND menu = PopupMenu();
  if (!x::ClickAt(ItemPlace(menu, item))) return false;
  return WaitUntil([] { return PopupMenu() == nullptr; }, 5000);
}

namespace {

// A coarse sample of the whole screen: enough to see whether painting has finished.
std::vector<COLORREF> ScreenSample() {
  std::vector<COLORREF> sample;
  const int w = ::GetSystemMetrics(SM_CXVIRTUALSCREEN);
  const int h = ::GetSystemMetrics(SM_CYVIRTUALSCREEN);
  HDC screen = ::GetDC(nullptr);
  for (int y = 4; y < h; y += 24) {
    for (int x = 4; x < w; x += 24) sample.push_back(::GetPixel(screen, x, y));
  }
  ::ReleaseDC(nullptr, screen);
  return sample;
}

}  // namespace

void ScreenshotNow(const std::wstring& test, const std::wstring& moment) {
  const std::wstring dir = ArtefactsDir();
  if (!dir.empty()) SaveScreenshot(dir + L"\\acceptance-" + test + L"-" + moment + L".png");
}

void Screenshot(const std::wstring& test, const std::wstring& moment) {
  if (ArtefactsDir().empty()) return;
  // Wine puts a window's painting on the screen a moment after it was drawn.
  std::vector<COLORREF> last = ScreenSample();
  long long since = Now();
  WaitUntil(
      [&] {
        auto now = ScreenSample();
        if (now != last) {
          last = std::move(now);
          since = Now();
        }
        return Now() - since >= 200;
      },
      2000);
  ScreenshotNow(test, moment);
}

}  // namespace dorbolt::test::accept
