#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/GenericModule.h"
#include "core/RegistryLayout.h"
#include "tests/support/Registry.h"

namespace dorbolt {
namespace {

using GenericModule::QueryRegString;
using GenericModule::SaveRegValue;

constexpr wchar_t kKey[] = L"SOFTWARE\\Security\\DorboltTest\\";
constexpr char kKeyA[] = "SOFTWARE\\Security\\DorboltTest";

void DeleteTestKey() { ::RegDeleteTreeA(HKEY_LOCAL_MACHINE, kKeyA); }

// Writes exact bytes through the ANSI call, as another program might have.
void PutBytes(const char* name, DWORD type, const std::vector<BYTE>& bytes) {
  HKEY key = nullptr;
  ASSERT_EQ(::RegCreateKeyA(HKEY_LOCAL_MACHINE, kKeyA, &key), ERROR_SUCCESS);
  ::RegSetValueExA(key, name, 0, type, bytes.empty() ? nullptr : bytes.data(), static_cast<DWORD>(bytes.size()));
  ::RegCloseKey(key);
}

std::vector<BYTE> Text(const std::string& s, bool nul = true) {
  std::vector<BYTE> bytes(s.begin(), s.end());
  if (nul) bytes.push_back(0);
  return bytes;
}

class SettingsStore : public testing::Test {
 protected:
  void SetUp() override { DeleteTestKey(); }
  void TearDown() override { DeleteTestKey(); }
};

struct ReadCase {
  const char* what;
  DWORD type;  // REG_NONE: the value is not written at all
  std::vector<BYTE> bytes;
  std::wstring expected;
};

TEST_F(SettingsStore, ReadsEveryKindOfValue) {
  const std::string s2047(2047, 'x');
  const std::string s2048(2048, 'y');
  const std::vector<ReadCase> cases = {
      {"missing value", REG_NONE, {}, L"Not Found"},
      {"stored sentinel", REG_SZ, Text("Not Found"), L"Not Found"},
      {"text", REG_SZ, Text("abc"), L"abc"},
      {"only its NUL", REG_SZ, Text(""), L""},
      {"no data at all", REG_SZ, {}, L""},
      {"2047 characters", REG_SZ, Text(s2047), std::wstring(2047, L'x')},
      {"2048 characters", REG_SZ, Text(s2048), L"Not Found"},
      {"expandable text", REG_EXPAND_SZ, Text("%TEMP%\\a"), L"%TEMP%\\a"},
      {"dword 5", REG_DWORD, {5, 0, 0, 0}, L"005"},
      {"dword 0", REG_DWORD, {0, 0, 0, 0}, L"000"},
      {"dword 255", REG_DWORD, {255, 0, 0, 0}, L"255"},
      {"dword 1234", REG_DWORD, {0xD2, 0x04, 0, 0}, L"1234"},
      {"dword max", REG_DWORD, {0xFF, 0xFF, 0xFF, 0xFF}, L"4294967295"},
      {"binary", REG_BINARY, {0x0A, 0xFF, 0x03}, L"0AFF03"},
      {"empty binary", REG_BINARY, {}, L""},
  };
  for (const auto& c : cases) {
    DeleteTestKey();
    PutBytes("other", REG_SZ, Text("keeps the key"));
    if (c.type != REG_NONE) PutBytes("v", c.type, c.bytes);
    EXPECT_EQ(QueryRegString(HKEY_LOCAL_MACHINE, kKey, L"v"), c.expected) << c.what;
  }
}

TEST_F(SettingsStore, MissingKeyReadsAsNotFound) {
  EXPECT_EQ(QueryRegString(HKEY_LOCAL_MACHINE, kKey, L"PIN"), layout::kNotFound);
  test::ClearSettings();
  for (const wchar_t* name : {layout::kPin, layout::kBackLock, layout::kBootUp}) {
    EXPECT_EQ(QueryRegString(HKEY_LOCAL_MACHINE, layout::kSettingsKey, name), layout::kNotFound);
  }
}

TEST_F(SettingsStore, WritesExactBytesAndCreatesThePath) {
  const std::wstring deep = std::wstring(kKey) + L"A\\B\\";
  ASSERT_TRUE(SaveRegValue(HKEY_LOCAL_MACHINE, deep, L"v", REG_SZ, std::wstring(L"abc")));
  const auto raw = test::GetRaw(deep.c_str(), L"v");
  ASSERT_TRUE(raw.has_value());
  EXPECT_EQ(raw->type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(raw->bytes, (std::vector<BYTE>{'a', 'b', 'c', 0}));
  EXPECT_EQ(QueryRegString(HKEY_LOCAL_MACHINE, deep, L"v"), L"abc");

  ASSERT_TRUE(SaveRegValue(HKEY_LOCAL_MACHINE, kKey, L"n", REG_DWORD, std::int32_t{-1}));
  const auto dword = test::GetRaw(kKey, L"n");
  ASSERT_TRUE(dword.has_value());
  EXPECT_EQ(dword->type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(dword->bytes, (std::vector<BYTE>{0xFF, 0xFF, 0xFF, 0xFF}));

  ASSERT_TRUE(SaveRegValue(HKEY_LOCAL_MACHINE, kKey, L"e", REG_SZ, std::wstring()));
  EXPECT_EQ(test::GetRaw(kKey, L"e")->bytes, (std::vector<BYTE>{0}));
  EXPECT_EQ(QueryRegString(HKEY_LOCAL_MACHINE, kKey, L"e"), L"");
}

TEST_F(SettingsStore, WrongValueKindIsRefused) {
  EXPECT_FALSE(SaveRegValue(HKEY_LOCAL_MACHINE, kKey, L"v", REG_SZ, std::int32_t{5}));
  EXPECT_FALSE(SaveRegValue(HKEY_LOCAL_MACHINE, kKey, L"v", REG_BINARY, std::wstring(L"x")));
  EXPECT_EQ(QueryRegString(HKEY_LOCAL_MACHINE, kKey, L"v"), layout::kNotFound);
}

// The advapi32 calls, with one of the write steps refusing.
LONG WINAPI RefuseCreate(HKEY, LPCSTR, PHKEY key) {
  *key = nullptr;
  return ERROR_ACCESS_DENIED;
}
LONG WINAPI RefuseSet(HKEY, LPCSTR, DWORD, DWORD, const BYTE*, DWORD) { return ERROR_ACCESS_DENIED; }
LONG WINAPI RefuseFlush(HKEY) { return ERROR_ACCESS_DENIED; }

TEST_F(SettingsStore, RefusedWriteChangesNothingAndIsReported) {
  PutBytes("v", REG_SZ, Text("old"));
  AdvapiCalls noCreate = AdvapiCalls::System();
  noCreate.create = &RefuseCreate;
  AdvapiCalls noSet = AdvapiCalls::System();
  noSet.set = &RefuseSet;
  AdvapiCalls noFlush = AdvapiCalls::System();
  noFlush.flush = &RefuseFlush;
  noFlush.set = &RefuseSet;  // a flush failure after a refused set: still nothing changed
  for (const AdvapiCalls* calls : {&noCreate, &noSet, &noFlush}) {
    EXPECT_FALSE(SaveRegValue(HKEY_LOCAL_MACHINE, kKey, L"v", REG_SZ, std::wstring(L"new"), *calls));
    EXPECT_EQ(QueryRegString(HKEY_LOCAL_MACHINE, kKey, L"v"), L"old");
  }
}

TEST_F(SettingsStore, TextTheCodePageCannotHoldIsRefusedNotMangled) {
  PutBytes("v", REG_SZ, Text("old"));
  const std::wstring text = L"\u4E2D\u6587 pass";
  BOOL lossy = FALSE;
  ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.c_str(), -1, nullptr, 0, nullptr, &lossy);
  const bool saved = SaveRegValue(HKEY_LOCAL_MACHINE, kKey, L"v", REG_SZ, text);
  if (lossy) {
    EXPECT_FALSE(saved);
    EXPECT_EQ(QueryRegString(HKEY_LOCAL_MACHINE, kKey, L"v"), L"old");
  } else {
    EXPECT_TRUE(saved);
    EXPECT_EQ(QueryRegString(HKEY_LOCAL_MACHINE, kKey, L"v"), text);
  }
}

}  // namespace
}  // namespace dorbolt
