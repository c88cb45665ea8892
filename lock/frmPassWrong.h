#pragma once
#include <string>

#include "lock/ProgramForm.h"
#include "lock/controls/Graphics.h"
#include "lock/controls/Label.h"
#include "lock/model/Timer.h"
#include "platform/MciWave.h"

namespace dorbolt {

struct frmPassWrongControls {
  explicit frmPassWrongControls(Form& form);
  MciWave mciWave;  // invisible; the sound is closed with the window at the latest
  Image Image1;     // the alarm picture, larger than the window and cut off by it
  Label lblWaveSec;  // empty, behind the picture: never seen
  Label lblWave;
};

// The wrong-password alarm: the picture above every window and the alarm sound, for 2.5 s.
// A gate shows it modally; the show returns when the alarm has closed itself.
class frmPassWrong : public ProgramForm<frmPassWrongControls> {
 public:
  static constexpr UINT kShowMs = 2500;
  static constexpr wchar_t kSoundErrorTitle[] = L"";

  explicit frmPassWrong(Forms& forms);

  Timer& Timer1() { return timer1_; }

  // What the sound-error box says for the error number of a failed "Open".
  static std::wstring SoundErrorText(int number);

 protected:
  FormDesign Design() const override;
  void OnLoad() override;
  bool AllowsClose() const override { return false; }

 private:
  void Tick();
  void SoundError(int number, HWND gate);

  Timer timer1_;
};

}  // namespace dorbolt
