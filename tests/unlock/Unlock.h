#pragma once
// What the unlock and alarm tests share: driving windows as a user would, listening for the
// sound, taking the sound away, and reading the attempt log.
#include <windows.h>
#include <mmsystem.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "core/RegistryLayout.h"
#include "tests/support/Windows.h"

namespace dorbolt::test {

// For failure messages.
inline std::string ToAnsi(const std::wstring& text) {
  std::string out;
  for (wchar_t c : text) {
    if (c == L'\r') out += "\\r";
    else if (c == L'\n') out += "\\n";
    else out += c < 128 ? static_cast<char>(c) : '?';
  }
  return out;
}

inline HWND EditBox(HWND window, int n) { return FindChildByClass(window, L"Edit", n); }
inline void Type(HWND edit, const std::wstring& text) {
  ::SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}
// A click through the message queue, as the mouse's would be: the test goes on while the
// handler runs (and waits in its modal windows) in the program's own loop.
inline void PostClick(HWND button) { ::PostMessageW(button, BM_CLICK, 0, 0); }
inline bool Visible(HWND window) { return window && ::IsWindowVisible(window); }
inline bool Topmost(HWND window) { return (::GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

// A visible message box of any process with this exact text as its title.
inline HWND BoxTitled(const wchar_t* title) { return FindMessageBox(title); }

// True when `upper` lies above `lower` in the z-order.
inline bool Above(HWND upper, HWND lower) {
  for (HWND w = ::GetWindow(lower, GW_HWNDPREV); w; w = ::GetWindow(w, GW_HWNDPREV)) {
    if (w == upper) return true;
  }
  return false;
}

// Every stream that reaches the sound device is written to ALSA_CAPTURE, ALSA_CAPTURE.0001, ...
// (the test command sets this up). The bytes of all of them together, or -1 without it.
inline long long CapturedSoundBytes() {
  const wchar_t* unix = _wgetenv(L"ALSA_CAPTURE");
  if (!unix || !*unix) return -1;
  std::wstring path(unix);
  for (auto& c : path) c = c == L'/' ? L'\\' : c;
  path = L"Z:" + path;  // Wine's Z: drive is the Unix root
  const std::wstring folder = path.substr(0, path.find_last_of(L'\\') + 1);
  long long total = 0;
  WIN32_FIND_DATAW found{};
  HANDLE search = ::FindFirstFileW((path + L"*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return 0;
  do {
    total += (static_cast<long long>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
  } while (::FindNextFileW(search, &found));
  ::FindClose(search);
  return total;
}

// How many MCI devices this process has open.
inline int OpenSoundDevices() {
  wchar_t answer[32] = {};
  if (::mciSendStringW(L"sysinfo all quantity open", answer, 32, nullptr) != 0) return -1;
  return _wtoi(answer);
}

inline bool FileExists(const wchar_t* path) { return ::GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES; }

// The alarm sound taken away for one scope, and put back.
class SoundFileAway {
 public:
  SoundFileAway() : moved_(::MoveFileExW(layout::kAlarmSound, Parked().c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE) {}
  SoundFileAway(const SoundFileAway&) = delete;
  SoundFileAway& operator=(const SoundFileAway&) = delete;
  ~SoundFileAway() {
    if (moved_) ::MoveFileExW(Parked().c_str(), layout::kAlarmSound, MOVEFILE_REPLACE_EXISTING);
  }
  bool Moved() const { return moved_; }

 private:
  static std::wstring Parked() { return std::wstring(layout::kAlarmSound) + L".away"; }
  bool moved_;
};

// The system without its waveaudio driver entry, for one scope: MCI then knows no such device.
class WaveDriverAway {
 public:
  WaveDriverAway() {
    wchar_t value[MAX_PATH] = {};
    ::GetPrivateProfileStringW(L"mci", L"waveaudio", L"", value, MAX_PATH, L"system.ini");
    saved_ = value;
    removed_ = !saved_.empty() && ::WritePrivateProfileStringW(L"mci", L"waveaudio", nullptr, L"system.ini");
  }
  WaveDriverAway(const WaveDriverAway&) = delete;
  WaveDriverAway& operator=(const WaveDriverAway&) = delete;
  ~WaveDriverAway() {
    if (removed_) ::WritePrivateProfileStringW(L"mci", L"waveaudio", saved_.c_str(), L"system.ini");
  }
  bool Removed() const { return removed_; }

 private:
  std::wstring saved_;
  bool removed_ = false;
};

// The user's locale time of every second from `from` to `to`: a time of day taken between the
// two is one of these.
inline std::vector<std::wstring> TimesBetween(const SYSTEMTIME& from, const SYSTEMTIME& to) {
  auto ticks = [](const SYSTEMTIME& t) {
    FILETIME f{};
    ::SystemTimeToFileTime(&t, &f);
    return (static_cast<ULONGLONG>(f.dwHighDateTime) << 32) | f.dwLowDateTime;
  };
  constexpr ULONGLONG kSecond = 10'000'000;
  std::vector<std::wstring> times;
  const ULONGLONG last = ticks(to) / kSecond;
  for (ULONGLONG s = ticks(from) / kSecond; s <= last; ++s) {
    const ULONGLONG at = s * kSecond;
    FILETIME f{static_cast<DWORD>(at), static_cast<DWORD>(at >> 32)};
    SYSTEMTIME t{};
    ::FileTimeToSystemTime(&f, &t);
    wchar_t text[64] = {};
    ::GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &t, nullptr, text, 64);
    times.emplace_back(text);
  }
  return times;
}

inline SYSTEMTIME Now() {
  SYSTEMTIME t{};
  ::GetLocalTime(&t);
  return t;
}

// One logged attempt: the time written and the text as typed.
struct Attempt {
  std::wstring time;
  std::wstring typed;
};

// Splits a log into its lines "At <time>, the password: <typed> was entered. \r\n".
// Empty with `ok` false when any part of the text is not such a line.
inline std::vector<Attempt> ParseLog(const std::wstring& log, bool& ok) {
  static const std::wstring kAt = L"At ";
  static const std::wstring kMiddle = L", the password: ";
  static const std::wstring kEnd = L" was entered. \r\n";
  std::vector<Attempt> attempts;
  size_t pos = 0;
  ok = true;
  while (pos < log.size()) {
    const size_t end = log.find(kEnd, pos);
    const size_t middle = log.find(kMiddle, pos);
    if (log.compare(pos, kAt.size(), kAt) != 0 || end == std::wstring::npos ||
        middle == std::wstring::npos || middle > end) {
      ok = false;
      return {};
    }
    attempts.push_back({log.substr(pos + kAt.size(), middle - pos - kAt.size()),
                        log.substr(middle + kMiddle.size(), end - middle - kMiddle.size())});
    pos = end + kEnd.size();
  }
  return attempts;
}

}  // namespace dorbolt::test
