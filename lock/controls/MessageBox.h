#pragma once
#include <windows.h>

#include <string_view>

namespace dorbolt {

// A modal message box with one OK button, an icon (MB_ICONERROR, MB_ICONINFORMATION,
// MB_ICONEXCLAMATION) and a title, owned by the window that asks, so that it stands above it
// even when that window is topmost.
void MsgBox(HWND owner, std::wstring_view text, std::wstring_view title, UINT icon);

}  // namespace dorbolt
