#include "core/Password.h"

#include "core/RegistryLayout.h"

namespace dorbolt {

namespace {
bool IsHighSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(wchar_t c) { return c >= 0xDC00 && c <= 0xDFFF; }
}  // namespace

std::wstring ReverseText(std::wstring_view text) {
  std::wstring result;
  result.reserve(text.size());
  for (size_t i = text.size(); i > 0;) {
    --i;
    if (i > 0 && IsLowSurrogate(text[i]) && IsHighSurrogate(text[i - 1])) {
      result.push_back(text[i - 1]);
      result.push_back(text[i]);
      --i;
    } else {
      result.push_back(text[i]);
    }
  }
  return result;
}

bool CheckPassword(std::wstring& entry, std::wstring_view storedForm) {
  entry = ReverseText(entry);
  return entry == storedForm;
}

bool PasswordsMatch(std::wstring_view entry, std::wstring_view confirmation) {
  return entry == confirmation;
}

bool IsSentinelEntry(std::wstring_view typed) { return typed == layout::kNotFound; }

bool StoresAsSentinel(std::wstring_view typed) { return ReverseText(typed) == layout::kNotFound; }

PasswordFit FitOfPassword(std::wstring_view password) {
  bool lossy = false;
  const std::string stored = ToAnsi(ReverseText(password), &lossy);
  if (lossy) return PasswordFit::NotInCodePage;
  if (stored.size() + 1 > GenericModule::kReadBufferBytes) return PasswordFit::TooLong;
  return PasswordFit::Whole;
}

std::wstring ReadStoredPassword(const AdvapiCalls& calls) {
  return GenericModule::QueryRegString(HKEY_LOCAL_MACHINE, layout::kSettingsKey, layout::kPin,
                                       calls);
}

bool StorePassword(std::wstring_view password, const AdvapiCalls& calls) {
  return GenericModule::SaveRegValue(HKEY_LOCAL_MACHINE, layout::kSettingsKey, layout::kPin,
                                     REG_SZ, RegValue(ReverseText(password)), calls);
}

}  // namespace dorbolt
