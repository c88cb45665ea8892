#pragma once
// Every registry location and stored word the program uses, in one place.
namespace dorbolt::layout {

// Key paths keep their trailing backslash: that is how they were always written.
inline constexpr wchar_t kSettingsKey[] = L"SOFTWARE\\Security\\Dorbolt\\";
inline constexpr wchar_t kPin[] = L"PIN";
inline constexpr wchar_t kBackLock[] = L"BackLock";
inline constexpr wchar_t kBootUp[] = L"BootUp";

inline constexpr wchar_t kRunKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run\\";
inline constexpr wchar_t kRunValue[] = L"Dorbolt";

// What a read gives for anything it cannot read; a stored "Not Found" counts as missing.
inline constexpr wchar_t kNotFound[] = L"Not Found";
// BackLock value meaning "no picture, plain backdrop".
inline constexpr wchar_t kNoBackground[] = L"Window";
inline constexpr wchar_t kBootUpYes[] = L"Yes";

inline constexpr wchar_t kWatchCommand[] = L"C:\\Windows\\Dorwatch.exe";
inline constexpr wchar_t kGuardCommand[] = L"C:\\Windows\\Dorguard.exe";
inline constexpr wchar_t kAlarmSound[] = L"C:\\Windows\\magisnd.wav";

}  // namespace dorbolt::layout
