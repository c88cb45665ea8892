#pragma once
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

// Direct registry access for tests, independent of the code under test.
namespace dorbolt::test {

// Removes the settings key and the start-up value: a machine where Dorbolt never ran.
void ClearSettings();

void PutString(const wchar_t* key, const wchar_t* name, const std::wstring& text);
void PutDword(const wchar_t* key, const wchar_t* name, DWORD value);
void PutRaw(const wchar_t* key, const wchar_t* name, DWORD type, const std::vector<BYTE>& bytes);

struct RawValue {
  DWORD type = REG_NONE;
  std::vector<BYTE> bytes;
};
std::optional<RawValue> GetRaw(const wchar_t* key, const wchar_t* name);
// The stored text of a REG_SZ value without its NUL, or nullopt.
std::optional<std::wstring> GetString(const wchar_t* key, const wchar_t* name);

// The stored password as a user would set it: the registry holds it reversed.
void StorePasswordForTest(const std::wstring& password);

}  // namespace dorbolt::test
