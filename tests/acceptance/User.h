#pragma once
// A person at the machine: eyes on the screen (windows by class and title, message boxes by
// what they say, pixels) and hands on the real pointer and keyboard of the X display. Nothing
// here sends a message to a window of the program under test.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "tests/support/Windows.h"

#include "tests/support/Process.h"

namespace dorbolt::test::accept {

long long Now();

// One of the installed programs, started as a user starts it.
class Program {
 public:
  explicit Program(const wchar_t* exeName);
  RunningProgram& Process() { return process_; }
  // A top-level window of the program by its form's name ("Form3"), shown or hidden; or nullptr.
  HWND Window(const wchar_t* form) const;
  // The window once it is visible; nullptr if it did not show in time.
  HWND WaitShown(const wchar_t* form, DWORD ms = 10000) const;
  bool Shown(const wchar_t* form) const;
  bool WaitGone(const wchar_t* form, DWORD ms = 10000) const;
  bool Ended(DWORD ms = 10000) { return process_.WaitForExit(ms); }

 private:
  RunningProgram process_;
};

// --- Hands ----------------------------------------------------------------------------------

// Clicks a picture button of a form at its centre; false if the form has no button with that word.
bool ClickButton(HWND form, const wchar_t* word);
// Clicks into the edit box, empties it with the keyboard and types the text; true when the box
// then holds exactly that text.
bool TypeInto(HWND edit, const std::wstring& text);
// The n-th edit box of a window, in the order the window made them (hidden ones included).
HWND EditBox(HWND window, int n);

// The message box with this title once it shows: what it says, after its OK button has been
// clicked and it has gone. Nothing if no such box came in time.
std::optional<std::wstring> AnswerBox(const wchar_t* title, DWORD ms = 10000);

// --- The notification area -----------------------------------------------------------------

// Where the shell shows the only icon of its notification area.
POINT IconPlace();

// A popup menu on the screen, of any program; nullptr if none shows.
HWND PopupMenu();
enum class MenuItem { Activate, Options, Exit };
// A right click on the icon, then a left click on the item of the menu that opens.
bool ChooseFromIconMenu(MenuItem item);

// --- Eyes -----------------------------------------------------------------------------------

// Keeps the whole screen as a picture of the test run, once what was painted has reached it.
void Screenshot(const std::wstring& test, const std::wstring& moment);
// The same at once, for a moment that does not last.
void ScreenshotNow(const std::wstring& test, const std::wstring& moment);

}  // namespace dorbolt::test::accept
