#include "tests/support/Registry.h"

#include "core/RegistryLayout.h"

namespace dorbolt::test {

namespace {
std::wstring Trim(const wchar_t* key) {
  std::wstring k(key);
  while (!k.empty() && k.back() == L'\\') k.pop_back();
  return k;
}
}  // namespace

void ClearSettings() {
  ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, Trim(layout::kSettingsKey).c_str());
  HKEY run = nullptr;
  if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, Trim(layout::kRunKey).c_str(), 0, KEY_SET_VALUE, &run) ==
      ERROR_SUCCESS) {
    ::RegDeleteValueW(run, layout::kRunValue);
    ::RegCloseKey(run);
  }
}

void PutRaw(const wchar_t* key, const wchar_t* name, DWORD type, const std::vector<BYTE>& bytes) {
  HKEY k = nullptr;
  if (::RegCreateKeyExW(HKEY_LOCAL_MACHINE, Trim(key).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                        nullptr, &k, nullptr) != ERROR_SUCCESS) {
    return;
  }
  ::RegSetValueExW(k, name, 0, type, bytes.empty() ? nullptr : bytes.data(),
                   static_cast<DWORD>(bytes.size()));
  ::RegFlushKey(k);
  ::RegCloseKey(k);
}

void PutString(const wchar_t* key, const wchar_t* name, const std::wstring& text) {
  const auto* begin = reinterpret_cast<const BYTE*>(text.c_str());
  PutRaw(key, name, REG_SZ, std::vector<BYTE>(begin, begin + (text.size() + 1) * sizeof(wchar_t)));
}

void PutDword(const wchar_t* key, const wchar_t* name, DWORD value) {
  const auto* begin = reinterpret_cast<const BYTE*>(&value);
  PutRaw(key, name, REG_DWORD, std::vector<BYTE>(begin, begin + sizeof value));
}

std::optional<RawValue> GetRaw(const wchar_t* key, const wchar_t* name) {
  HKEY k = nullptr;
  if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, Trim(key).c_str(), 0, KEY_QUERY_VALUE, &k) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  // Read as bytes through the ANSI call: the program's own calls are ANSI, so this is exactly
  // what they wrote.
  const std::string narrow(name, name + wcslen(name));
  DWORD type = 0;
  DWORD size = 0;
  std::optional<RawValue> result;
  if (::RegQueryValueExA(k, narrow.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
    RawValue value;
    value.type = type;
    value.bytes.resize(size);
    if (::RegQueryValueExA(k, narrow.c_str(), nullptr, &type, value.bytes.data(), &size) == ERROR_SUCCESS) {
      value.bytes.resize(size);
      result = value;
    }
  }
  ::RegCloseKey(k);
  return result;
}

std::optional<std::wstring> GetString(const wchar_t* key, const wchar_t* name) {
  HKEY k = nullptr;
  if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, Trim(key).c_str(), 0, KEY_QUERY_VALUE, &k) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  DWORD type = 0;
  DWORD size = 0;
  std::optional<std::wstring> result;
  if (::RegQueryValueExW(k, name, nullptr, &type, nullptr, &size) == ERROR_SUCCESS && type == REG_SZ) {
    std::wstring text(size / sizeof(wchar_t) + 1, L'\0');
    if (::RegQueryValueExW(k, name, nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &size) ==
        ERROR_SUCCESS) {
      text.resize(size / sizeof(wchar_t));
      while (!text.empty() && text.back() == L'\0') text.pop_back();
      result = text;
    }
  }
  ::RegCloseKey(k);
  return result;
}

void StorePasswordForTest(const std::wstring& password) {
  PutString(layout::kSettingsKey, layout::kPin, std::wstring(password.rbegin(), password.rend()));
}

}  // namespace dorbolt::test
