#include "lock/frmPassWrong.h"

#include <mmsystem.h>

#include <vector>

#include "assets/resource.h"
#include "core/RegistryLayout.h"
#include "lock/controls/MessageBox.h"
#include "platform/ShellServices.h"

namespace dorbolt {

namespace {

constexpr FontSpec kWaveLabelFont{L"Courier", 12, true};

// The program's other windows take no input for one scope, as under a modal show.
class OthersDisabled {
 public:
  OthersDisabled(const WindowModel& model, const Form& except) {
    for (Form* form : model.Forms()) {
      HWND window = form->HwndIfLoaded();
      if (form != &except && window && ::IsWindowEnabled(window)) {
        ::EnableWindow(window, FALSE);
        disabled_.push_back(window);
      }
    }
  }
  OthersDisabled(const OthersDisabled&) = delete;
  OthersDisabled& operator=(const OthersDisabled&) = delete;
  ~OthersDisabled() {
    for (HWND window : disabled_) {
      if (::IsWindow(window)) ::EnableWindow(window, TRUE);
    }
  }

 private:
  std::vector<HWND> disabled_;
};

}  // namespace

frmPassWrongControls::frmPassWrongControls(Form& form)
    : Image1(form, {-480, 0, 9600, 3000}, Image::Fit::Natural, IDB_ALARM),
      lblWaveSec(form, {.place = {4800, 0, 735, 255}, .text = L"", .font = kWaveLabelFont, .visible = false}),
      lblWave(form, {.place = {360, 0, 615, 255}, .text = L"", .font = kWaveLabelFont, .visible = false}) {}

frmPassWrong::frmPassWrong(Forms& forms)
    : ProgramForm(forms, L"frmPassWrong"), timer1_(*this, kShowMs, true, [this] { Tick(); }) {}

FormDesign frmPassWrong::Design() const {
  FormDesign design;
  design.caption = L"";
  design.border = Border::None;
  design.placement = Placement::CentreScreen;
  design.width = 8865;
  design.height = 2910;
  design.backColor = RGB(255, 255, 255);
  return design;
}

std::wstring frmPassWrong::SoundErrorText(int number) {
  constexpr int base = MciWave::kErrorBase;
  switch (number) {
    case base + MCIERR_INVALID_DEVICE_ID:  // 30257
      return L"Invalid device id.";
    case base + MCIERR_INVALID_DEVICE_NAME:  // 30263
      return L"The device is not open or is not known.";
    case base + MCIERR_CANNOT_LOAD_DRIVER:  // 30266
      return L"Error load media device driver.";
    case base + MCIERR_UNSUPPORTED_FUNCTION:  // 30274
      return L"Action not available for this device.";
    case base + MCIERR_FILENAME_REQUIRED:  // 30304
      return L"Invalid filename.";
    default:
      // The number stands where its sign would: a space before a positive one.
      return L"Unknown error (" + std::wstring(number < 0 ? L"" : L" ") + std::to_wstring(number) +
             L").";
  }
}

void frmPassWrong::OnLoad() {
  // The gate that opened the alarm is still the active window: the box of a sound error
  // belongs to it, so that the gate stays disabled under the box and is active again after it.
  HWND gate = ::GetActiveWindow();
  MakeTopmost(Hwnd());
  MciWave& wave = Ctl().mciWave;
  wave.SetWait(true);
  if (wave.DeviceID() != 0) wave.Command(L"Close");  // a failure here changes nothing
  wave.SetFileName(layout::kAlarmSound);
  if (const int error = wave.Command(L"Open"); error != 0) {
    SoundError(error, gate);
    return;
  }
  wave.SetUpdateInterval(50);
  wave.Command(L"Back");
  wave.Command(L"Play");
}

void frmPassWrong::SoundError(int number, HWND gate) {
  // The box stays until OK, however long that takes: the tick must not close it from under it.
  timer1_.SetEnabled(false);
  const std::wstring text = SoundErrorText(number);
  if (Form* owner = Model().FormOf(gate); owner && owner != this) {
    MsgBox(gate, text, kSoundErrorTitle, MB_ICONEXCLAMATION);
  } else {
    // Opened while none of the program's windows was active: no gate to own the box, but
    // still none may take a password under it.
    OthersDisabled others(Model(), *this);
    MsgBox(Hwnd(), text, kSoundErrorTitle, MB_ICONEXCLAMATION);
  }
  Unload();
}

void frmPassWrong::Tick() {
  if (auto* c = CtlIfLoaded()) c->mciWave.Command(L"Close");
  Unload();
}

}  // namespace dorbolt
