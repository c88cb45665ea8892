#pragma once
#include <windows.h>

#include <string>

// Real input, as a person gives it: pointer and key events sent to the X display that Wine draws
// the desktop on, through xdotool. Nothing here talks to a window directly.
namespace dorbolt::test::x {

// Runs xdotool with these arguments (as a shell would split them) and waits, pumping this thread's
// messages, until it has finished; true if it exited with 0 in time.
bool Xdotool(const std::wstring& arguments, DWORD timeoutMs = 15000);

// Pointer.
bool MoveTo(POINT point);
bool ClickAt(POINT point, int button = 1);
bool DoubleClickAt(POINT point);
// The centre of a window, in screen (= X display) coordinates.
POINT CentreOf(HWND window);
bool ClickWindow(HWND window);

// Keyboard. The desktop's X window takes the focus first, so that the keys reach Wine.
// Key names are xdotool's: "Return", "Escape", "alt+Tab", "ctrl+Escape", "super", "alt+F4".
bool Keys(const std::wstring& keyNames);
// Types the text letter by letter (any letters, including non-ASCII ones).
bool Type(const std::wstring& text);

// Quoting for the shell: the text as one single-quoted word.
std::wstring ShellWord(const std::wstring& text);

}  // namespace dorbolt::test::x
