#include "programs/Startup.h"

#include <windows.h>
#include <commctrl.h>

#include "lock/Form1.h"
#include "lock/Forms.h"
#include "tray/Form3.h"

namespace dorbolt {

int RunProgram(FirstWindow first) noexcept {
  try {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);

    Forms forms;
    if (first == FirstWindow::Tray) {
      forms.Form3().Load();
    } else {
      forms.Form1().Show();
    }
    forms.Model().Run();
    return 0;
  } catch (...) {
    return 1;
  }
}

}  // namespace dorbolt
