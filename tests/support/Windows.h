#pragma once
#include <windows.h>

#include <string>
#include <vector>

// Looking at windows the way a user's tools do: by class, by title, by what they show.
namespace dorbolt::test {

// A visible message box ("#32770") with this title, in any process; nullptr if none.
HWND FindMessageBox(const wchar_t* title);
// Its text (the static with id 0xFFFF).
std::wstring MessageBoxText(HWND box);
// Presses its OK button.
void PressOk(HWND box);

std::wstring WindowText(HWND window);
std::wstring ClassOf(HWND window);
// A child window with this window text (a picture button carries its word).
HWND FindChildByText(HWND parent, const wchar_t* text);
HWND FindChildByClass(HWND parent, const wchar_t* className, int index = 0);
// Clicks a button the way the keyboard would: BM_CLICK, sent.
void Click(HWND button);

// True while the shell has a notification-area icon for this window and id.
bool TrayIconExists(HWND owner, UINT id);

HWND Taskbar();
bool TaskbarVisible();

// What the screen shows: one pixel, or the square of pixels around a point (enough to tell one
// icon from another), as 32-bit values from the top row down.
COLORREF ScreenPixel(int x, int y);
inline COLORREF ScreenPixel(POINT at) { return ScreenPixel(at.x, at.y); }
std::vector<DWORD> PixelsAround(POINT at, int half = 8);
bool OneColour(const std::vector<DWORD>& pixels);
// The icon at a point as the shell shows it once painted: not one colour, and unchanged for a
// while (Wine puts a window's painting on the screen a moment after it was drawn).
std::vector<DWORD> SettledIcon(POINT at);
// True when each channel lies within `tolerance` of the expected one.
bool Near(COLORREF actual, COLORREF expected, int tolerance = 40);

// Writes the whole screen as PNG; true on success.
bool SaveScreenshot(const std::wstring& pngPath);
// Writes one part of the screen (a window's rectangle, say) as PNG; true on success.
bool SaveScreenshot(const std::wstring& pngPath, const RECT& area);
// The folder for pictures the tests keep (DORBOLT_ARTEFACTS, as a Windows path), or empty.
std::wstring ArtefactsDir();

}  // namespace dorbolt::test
