// A text setting is written only when it can be read back whole.
#include <gtest/gtest.h>

#include <string>

#include "core/GenericModule.h"
#include "core/RegistryLayout.h"
#include "tests/support/Registry.h"

namespace dorbolt {
namespace {

using GenericModule::QueryRegString;
using GenericModule::SaveRegValue;

constexpr wchar_t kKey[] = L"SOFTWARE\\Security\\Dorbolt\\";

TEST(LongText, StoredWhenItCanBeReadBackElseRefusedAndTheOldValueKept) {
  struct Case {
    size_t length;
    bool stored;
  };
  // The read buffer holds 2048 bytes, the NUL included.
  for (const Case c : {Case{2047, true}, Case{2048, false}, Case{32767, false}}) {
    SCOPED_TRACE(c.length);
    test::ClearSettings();
    test::PutString(kKey, L"v", L"old");
    const std::wstring text(c.length, L'p');
    EXPECT_EQ(SaveRegValue(HKEY_LOCAL_MACHINE, kKey, L"v", REG_SZ, text), c.stored);
    EXPECT_TRUE(QueryRegString(HKEY_LOCAL_MACHINE, kKey, L"v") == (c.stored ? text : L"old"));
  }
  test::ClearSettings();
}

}  // namespace
}  // namespace dorbolt
