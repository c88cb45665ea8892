// The alarm's sound device: MCI command strings behind the media-control members.
#include <gtest/gtest.h>
#include <windows.h>
#include <mmsystem.h>

#include "platform/MciWave.h"
#include "tests/support/Wait.h"
#include "tests/unlock/Unlock.h"

namespace dorbolt::test {
namespace {

std::wstring Mode(const MciWave& wave) {
  wchar_t mode[32] = {};
  ::mciSendStringW((L"status " + wave.Alias() + L" mode").c_str(), mode, 32, nullptr);
  return mode;
}

class MciWaveTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(FileExists(layout::kAlarmSound)) << "the test command installs the alarm sound";
    ASSERT_GE(CapturedSoundBytes(), 0) << "ALSA_CAPTURE is not set: run through the test command";
  }
};

TEST_F(MciWaveTest, OpensPlaysWithoutWaitingAndCloses) {
  const int devicesBefore = OpenSoundDevices();
  const long long bytesBefore = CapturedSoundBytes();
  MciWave wave;
  EXPECT_EQ(wave.DeviceID(), 0u);
  wave.SetWait(true);
  wave.SetFileName(layout::kAlarmSound);
  ASSERT_EQ(wave.Command(L"Open"), 0);
  EXPECT_FALSE(wave.Wait()) << "the wait flag holds for one command";
  EXPECT_NE(wave.DeviceID(), 0u);
  EXPECT_EQ(OpenSoundDevices(), devicesBefore + 1);
  wave.SetUpdateInterval(50);
  EXPECT_EQ(wave.UpdateInterval(), 50);
  EXPECT_EQ(wave.Command(L"Back"), 0);
  EXPECT_EQ(wave.Command(L"Play"), 0);
  EXPECT_EQ(Mode(wave), L"playing") << "Play returns while the sound plays";
  EXPECT_TRUE(WaitUntil([&] { return CapturedSoundBytes() > bytesBefore; }, 5000))
      << "no sound reached the device";
  EXPECT_EQ(wave.Command(L"close"), 0) << "command names are not case-sensitive";
  EXPECT_EQ(wave.DeviceID(), 0u);
  EXPECT_EQ(OpenSoundDevices(), devicesBefore);
}

TEST_F(MciWaveTest, FailuresReportThirtyThousandPlusTheMciCode) {
  struct Case {
    const char* what;
    const wchar_t* fileName;
    const wchar_t* command;
    int number;
  };
  const std::wstring missing = std::wstring(layout::kAlarmSound) + L".missing";
  const Case cases[] = {
      {"missing file", missing.c_str(), L"Open", 30000 + MCIERR_FILE_NOT_FOUND},
      {"no file name", L"", L"Open", 30000 + MCIERR_FILENAME_REQUIRED},
      {"a quote in the name", L"C:\\Windows\\magisnd.wav\" type sequencer", L"Open",
       30000 + MCIERR_FILENAME_REQUIRED},
      {"play before open", layout::kAlarmSound, L"Play", 30000 + MCIERR_INVALID_DEVICE_NAME},
      {"close before open", layout::kAlarmSound, L"Close", 30000 + MCIERR_INVALID_DEVICE_NAME},
      {"no such command", layout::kAlarmSound, L"Eject", 30000 + MCIERR_UNRECOGNIZED_COMMAND},
  };
  const int devicesBefore = OpenSoundDevices();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    MciWave wave;
    wave.SetWait(true);
    wave.SetFileName(c.fileName);
    EXPECT_EQ(wave.Command(c.command), c.number);
    EXPECT_FALSE(wave.Wait());
    EXPECT_EQ(wave.DeviceID(), 0u);
    EXPECT_EQ(OpenSoundDevices(), devicesBefore);
  }
}

TEST_F(MciWaveTest, TheDeviceClosesWhenTheObjectGoes) {
  const int devicesBefore = OpenSoundDevices();
  std::wstring alias;
  {
    MciWave wave;
    wave.SetFileName(layout::kAlarmSound);
    ASSERT_EQ(wave.Command(L"Open"), 0);
    ASSERT_EQ(wave.Command(L"Play"), 0);
    alias = wave.Alias();
    EXPECT_NE(::mciGetDeviceIDW(alias.c_str()), 0u);
  }
  EXPECT_EQ(::mciGetDeviceIDW(alias.c_str()), 0u);
  EXPECT_EQ(OpenSoundDevices(), devicesBefore);
}

TEST_F(MciWaveTest, TwoDevicesPlayApart) {
  MciWave first;
  MciWave second;
  EXPECT_NE(first.Alias(), second.Alias());
  for (MciWave* wave : {&first, &second}) {
    wave->SetFileName(layout::kAlarmSound);
    EXPECT_EQ(wave->Command(L"Open"), 0);
  }
  EXPECT_NE(first.DeviceID(), second.DeviceID());
  EXPECT_EQ(first.Command(L"Close"), 0);
  EXPECT_NE(second.DeviceID(), 0u) << "closing one leaves the other open";
}

}  // namespace
}  // namespace dorbolt::test
