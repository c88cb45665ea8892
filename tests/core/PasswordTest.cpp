#include <gtest/gtest.h>

#include "core/Password.h"
#include "core/RegistryLayout.h"
#include "tests/support/Registry.h"

namespace dorbolt {
namespace {

struct ReverseCase {
  const wchar_t* text;
  const wchar_t* reversed;
};

TEST(ReverseText, ReversesCharacters) {
  constexpr ReverseCase cases[] = {
      {L"abc", L"cba"},
      {L"", L""},
      {L"x", L"x"},
      {L"level", L"level"},          // reads the same both ways: stored unchanged
      {L" pad ", L" dap "},          // spaces belong to the password
      {L"Not Found", L"dnuoF toN"},
      {L"\u00e9t\u00e9", L"\u00e9t\u00e9"},
      {L"a\U0001F512b", L"b\U0001F512a"},  // a surrogate pair stays one character
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ReverseText(c.text), c.reversed) << "text: " << testing::PrintToString(std::wstring(c.text));
  }
}

TEST(ReverseText, LongestPasswordRoundTrips) {
  std::wstring text(32767, L'a');
  for (size_t i = 0; i < text.size(); ++i) text[i] = static_cast<wchar_t>(L'a' + i % 26);
  EXPECT_EQ(ReverseText(ReverseText(text)), text);
}

TEST(CheckPassword, ComparesTheTransformedEntryAndKeepsIt) {
  const std::wstring stored = ReverseText(L"Secret");
  struct Case {
    const wchar_t* typed;
    bool accepted;
  };
  constexpr Case cases[] = {
      {L"Secret", true}, {L"secret", false}, {L"Secret ", false}, {L" Secret", false}, {L"", false},
      {L"terceS", false},
  };
  for (const auto& c : cases) {
    std::wstring entry = c.typed;
    EXPECT_EQ(CheckPassword(entry, stored), c.accepted) << testing::PrintToString(std::wstring(c.typed));
    EXPECT_EQ(entry, ReverseText(c.typed)) << "the box keeps the reversed entry";
  }
}

TEST(CheckPassword, SecondPressChecksTheEntryAsTyped) {
  // Typed in reverse: refused at the first press, accepted at the second without retyping.
  const std::wstring stored = ReverseText(L"Secret");
  std::wstring entry = L"terceS";
  EXPECT_FALSE(CheckPassword(entry, stored));
  EXPECT_TRUE(CheckPassword(entry, stored));
}

TEST(CheckPassword, WithNoPasswordOnlyTheReversedSentinelPasses) {
  std::wstring entry = L"dnuoF toN";
  EXPECT_TRUE(CheckPassword(entry, layout::kNotFound));
  std::wstring empty;
  EXPECT_FALSE(CheckPassword(empty, layout::kNotFound));
}

TEST(PasswordRules, SentinelEntries) {
  EXPECT_TRUE(IsSentinelEntry(L"Not Found"));
  EXPECT_FALSE(IsSentinelEntry(L"not found"));
  EXPECT_TRUE(StoresAsSentinel(L"dnuoF toN"));
  EXPECT_FALSE(StoresAsSentinel(L"Not Found"));
  EXPECT_TRUE(PasswordsMatch(L"", L""));
  EXPECT_FALSE(PasswordsMatch(L"a", L"A"));
}

TEST(PasswordStore, StoresReversedAndReadsBack) {
  test::ClearSettings();
  EXPECT_EQ(ReadStoredPassword(AdvapiCalls::System()), layout::kNotFound);
  ASSERT_TRUE(StorePassword(L"Open Sesame", AdvapiCalls::System()));
  EXPECT_EQ(test::GetString(layout::kSettingsKey, layout::kPin), L"emaseS nepO");
  EXPECT_EQ(ReadStoredPassword(AdvapiCalls::System()), L"emaseS nepO");
  ASSERT_TRUE(StorePassword(L"", AdvapiCalls::System()));
  EXPECT_EQ(ReadStoredPassword(AdvapiCalls::System()), L"");
  test::ClearSettings();
}

}  // namespace
}  // namespace dorbolt
