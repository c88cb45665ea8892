#pragma once
#include <string>
#include <string_view>

#include "core/GenericModule.h"

// The one password: its stored form, the check every gate makes, and the setting rules.
namespace dorbolt {

// The characters from last to first. A surrogate pair is one character and stays in order.
std::wstring ReverseText(std::wstring_view text);

// The gate check: the entry box is replaced by its own reverse, then compared exactly with the
// stored form. The box keeps the reversed text either way, so a second press checks the entry
// as typed.
bool CheckPassword(std::wstring& entry, std::wstring_view storedForm);

// Exact comparison of a password and its confirmation.
bool PasswordsMatch(std::wstring_view entry, std::wstring_view confirmation);

// The entry, as typed, is the sentinel that reads as "no password".
bool IsSentinelEntry(std::wstring_view typed);
// A new password whose stored form would be the sentinel, and so would read as none.
bool StoresAsSentinel(std::wstring_view typed);

// Whether the settings can hold a new password whole: its stored form must pass the ANSI code
// page unchanged and fit the read buffer, or it could never be read back to unlock.
enum class PasswordFit { Whole, TooLong, NotInCodePage };
PasswordFit FitOfPassword(std::wstring_view password);

// The stored form as the registry holds it now, or "Not Found".
std::wstring ReadStoredPassword(const AdvapiCalls& calls);
// Writes ReverseText(password) to the settings; true when it was stored.
bool StorePassword(std::wstring_view password, const AdvapiCalls& calls);

// The message texts the password windows share.
namespace password_text {
inline constexpr wchar_t kErrorTitle[] = L"Password Error";
inline constexpr wchar_t kMismatch[] = L"Passwords Do Not Match";
inline constexpr wchar_t kReserved[] =
    L"The Password You Entered Is Used By The System. Please Choose Another Password";
inline constexpr wchar_t kNotSaved[] = L"The Password Could Not Be Saved";
inline constexpr wchar_t kTooLong[] = L"The Password Is Too Long. Please Choose A Shorter Password";
inline constexpr wchar_t kNotInCodePage[] =
    L"The Password Contains Characters That Cannot Be Stored. Please Choose Another Password";
inline constexpr wchar_t kIncorrect[] = L"Incorrect Password";
inline constexpr wchar_t kChangedTitle[] = L"Password Changed";
}  // namespace password_text

}  // namespace dorbolt
