#pragma once
#include <windows.h>

#include <string>
#include <string_view>

namespace dorbolt {

// A wave sound driven the way a media control is: set the members, then name a command.
// Every command is an MCI command string (winmm). A failed command reports its error number,
// 30000 plus MCI's own error code; success is 0. The device is closed when the object goes.
class MciWave {
 public:
  static constexpr int kErrorBase = 30000;

  MciWave();
  MciWave(const MciWave&) = delete;
  MciWave& operator=(const MciWave&) = delete;
  ~MciWave();

  // Whether the next command waits until the device has finished it. Like a media control's,
  // the flag holds for one command only, so that a later "Play" still returns at once.
  bool Wait() const { return wait_; }
  void SetWait(bool wait) { wait_ = wait; }

  const std::wstring& FileName() const { return fileName_; }
  void SetFileName(std::wstring_view fileName) { fileName_ = fileName; }

  // The device state: MCI's id of the open device, 0 while none is open.
  UINT DeviceID() const;

  // Milliseconds between progress reports while the sound plays; 0 for none. Nothing in this
  // program listens to them, so the value is only kept.
  int UpdateInterval() const { return updateInterval_; }
  void SetUpdateInterval(int ms) { updateInterval_ = ms; }

  // "Open" opens FileName, "Back" goes back to the start, "Play" starts the sound and returns
  // while it plays, "Close" stops it and frees the device. Names are not case-sensitive.
  // Returns 0, or the error number of the failure.
  int Command(std::wstring_view command);

  // The name the device is opened under; unique to this object.
  const std::wstring& Alias() const { return alias_; }

 private:
  int Send(std::wstring text);
  int Open();

  std::wstring alias_;
  std::wstring fileName_;
  bool wait_ = false;
  bool open_ = false;
  int updateInterval_ = 0;
};

}  // namespace dorbolt
