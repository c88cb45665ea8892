// The options behind their password gate, reached from the icon's menu: a lock-screen picture
// chosen with the open-file dialog, and a new password.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/GenericModule.h"
#include "tests/acceptance/Locking.h"
#include "tests/support/XInput.h"

namespace dorbolt::test::accept {
namespace {

constexpr COLORREF kLeftColour = RGB(200, 40, 40);
constexpr COLORREF kRightColour = RGB(40, 150, 70);

// A 24-bit bitmap file, split down the middle: one colour on the left, another on the right.
bool WriteTwoColourBitmap(const std::wstring& path) {
  constexpr int kWidth = 64;
  constexpr int kHeight = 48;
  constexpr int kRow = kWidth * 3;  // a multiple of four: no padding
  BITMAPFILEHEADER file{};
  BITMAPINFOHEADER info{};
  info.biSize = sizeof info;
  info.biWidth = kWidth;
  info.biHeight = kHeight;
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biCompression = BI_RGB;
  info.biSizeImage = kRow * kHeight;
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + info.biSizeImage;
  std::vector<BYTE> pixels;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const COLORREF c = x < kWidth / 2 ? kLeftColour : kRightColour;
      pixels.insert(pixels.end(), {GetBValue(c), GetGValue(c), GetRValue(c)});
    }
  }
  HANDLE out = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (out == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  bool ok = ::WriteFile(out, &file, sizeof file, &written, nullptr) &&
            ::WriteFile(out, &info, sizeof info, &written, nullptr) &&
            ::WriteFile(out, pixels.data(), static_cast<DWORD>(pixels.size()), &written, nullptr);
  ::CloseHandle(out);
  return ok;
}

std::string Describe(COLORREF c) {
  return "RGB(" + std::to_string(GetRValue(c)) + ", " + std::to_string(GetGValue(c)) + ", " +
         std::to_string(GetBValue(c)) + ")";
}

bool Inside(const RECT& r, POINT p) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; }

class AcceptanceOptions : public WithPassword {
 protected:
  // "Options" from the icon's menu, the password at the gate: the Options dialog.
  HWND OpenOptions(const std::wstring& password = kPassword) {
    if (!ChooseFromIconMenu(MenuItem::Options)) return nullptr;
    HWND gate = P().WaitShown(L"Form5");
    if (!gate || !TypeInto(EditBox(gate, 0), password) || !ClickButton(gate, L"OK")) return nullptr;
    return P().WaitShown(L"Form4");
  }
};

TEST_F(AcceptanceOptions, APictureChosenWithBrowseIsStoredAndShownByTheNextLock) {
  wchar_t temp[MAX_PATH] = {};
  ::GetTempPathW(MAX_PATH, temp);
  const std::wstring picture = std::wstring(temp) + L"dorbolt-acceptance-backdrop.bmp";
  ASSERT_TRUE(WriteTwoColourBitmap(picture));

  Start();
  ASSERT_TRUE(Idle());
  HWND options = OpenOptions();
  ASSERT_TRUE(options) << "the Options dialog behind its gate";
  EXPECT_EQ(WindowText(options), L"Dorbolt Options");
  Screenshot(L"OptionsPicture", L"options");
  // Inside its frames the dialog shows its own colour, as around them.
  RECT client{};
  ::GetClientRect(options, &client);
  ::MapWindowPoints(options, nullptr, reinterpret_cast<POINT*>(&client), 2);
  const COLORREF face = ScreenPixel({client.left + 2, client.bottom - 2});
  for (const wchar_t* caption : {L"Dorbolt On Bootup", L"Change Dorbolt Password", L"Locked Background"}) {
    RECT frame{};
    ::GetWindowRect(FindChildByText(options, caption), &frame);
    const COLORREF inside = ScreenPixel({frame.left + 6, frame.bottom - 8});
    EXPECT_EQ(Describe(inside), Describe(face)) << "inside the frame " << ToAnsi(caption);
  }
  ASSERT_TRUE(ClickButton(options, L"Browse"));
  HWND files = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (files = FindMessageBox(L"Choose Background...")) != nullptr; }, 10000))
      << "the open-file dialog";
  Screenshot(L"OptionsPicture", L"browse");
  // The path typed into the file name box, and Open. (Under Wine, Enter pressed at once after
  // the typing is now and then taken by the box and not by the dialog.)
  ASSERT_TRUE(TypeInto(EditBox(files, 0), picture)) << "typed into the file name box";
  Screenshot(L"OptionsPicture", L"browse-typed");
  ASSERT_TRUE(ClickButton(files, L"&Open"));
  ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(files) || !::IsWindowVisible(files); }, 10000))
      << "the file dialog closes";
  EXPECT_TRUE(P().Shown(L"Form4")) << "back in the Options dialog";
  EXPECT_FALSE(GetString(kSettingsKey, L"BackLock")) << "nothing stored before OK";
  ASSERT_TRUE(ClickButton(options, L"OK"));
  ASSERT_TRUE(P().WaitGone(L"Form4"));
  EXPECT_EQ(GetString(kSettingsKey, L"BackLock"), std::optional<std::wstring>(picture)) << "the path is stored";

  const Activation a = DoubleClickIcon(false);
  ExpectLockedOnTime(a);
  ASSERT_TRUE(Locked());
  Screenshot(L"OptionsPicture", L"locked");
  // The picture fills the lock screen above its strip: its left half on the left, its right
  // half on the right, around the notice in the middle.
  RECT notice{};
  ::GetWindowRect(P().Window(L"Form2"), &notice);
  const int w = ::GetSystemMetrics(SM_CXSCREEN);
  const int h = ::GetSystemMetrics(SM_CYSCREEN);
  const POINT left{w / 10, h / 5};
  const POINT right{w - w / 10, h / 5};
  ASSERT_FALSE(Inside(notice, left) || Inside(notice, right));
  EXPECT_TRUE(Near(ScreenPixel(left), kLeftColour)) << Describe(ScreenPixel(left));
  EXPECT_TRUE(Near(ScreenPixel(right), kRightColour)) << Describe(ScreenPixel(right));

  ASSERT_TRUE(OpenPrompt());
  const Unlocked u = UnlockWithThePassword();
  EXPECT_TRUE(u.idle);
  ::DeleteFileW(picture.c_str());
}

TEST_F(AcceptanceOptions, ANewPasswordFromChangePasswordUnlocksAndTheOldOneSoundsTheAlarm) {
  Start();
  ASSERT_TRUE(Idle());
  HWND options = OpenOptions();
  ASSERT_TRUE(options);
  ASSERT_TRUE(ClickButton(options, L"Change Password"));
  HWND change = P().WaitShown(L"Form7");
  ASSERT_TRUE(change) << "the change password dialog";
  EXPECT_EQ(WindowText(change), L"Change Password");
  ASSERT_TRUE(TypeInto(EditBox(change, 0), kPassword)) << "old password";
  ASSERT_TRUE(TypeInto(EditBox(change, 1), L"Open Sesame")) << "new password";
  ASSERT_TRUE(TypeInto(EditBox(change, 2), L"Open Sesame")) << "verify password";
  Screenshot(L"ChangePassword", L"typed");
  ASSERT_TRUE(ClickButton(change, L"OK"));
  EXPECT_EQ(AnswerBox(L"Password Changed"), std::optional<std::wstring>(L"Password Successfully Changed"));
  ASSERT_TRUE(P().WaitGone(L"Form7"));
  EXPECT_TRUE(P().Shown(L"Form4")) << "the Options dialog is in front again";
  EXPECT_EQ(GetString(kSettingsKey, L"PIN"), std::optional<std::wstring>(L"emaseS nepO"));
  ASSERT_TRUE(ClickButton(options, L"Cancel"));
  ASSERT_TRUE(P().WaitGone(L"Form4"));
  EXPECT_EQ(GetString(kSettingsKey, L"PIN"), std::optional<std::wstring>(L"emaseS nepO"))
      << "Cancel in the Options dialog keeps the new password";

  const Activation a = DoubleClickIcon(false);
  ExpectLockedOnTime(a);
  ASSERT_TRUE(Locked());
  ASSERT_TRUE(OpenPrompt());
  ASSERT_TRUE(Enter(kPassword));
  EXPECT_TRUE(P().WaitShown(L"frmPassWrong", 5000)) << "the old password sounds the alarm";
  Screenshot(L"ChangePassword", L"old-password-alarm");
  ASSERT_TRUE(WaitUntil([&] { return PromptTakesInput(); }, 10000));
  const Unlocked u = UnlockWithThePassword(L"Open Sesame");
  ASSERT_TRUE(u.report) << "the new password unlocks, and the old one is reported";
  EXPECT_NE(u.report->find(L", the password: Secret was entered."), std::wstring::npos);
  EXPECT_TRUE(u.idle);
}

}  // namespace
}  // namespace dorbolt::test::accept
