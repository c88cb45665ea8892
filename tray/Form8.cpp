#include "tray/Form8.h"

#include "dialogs/Form4.h"
#include "dialogs/Form5.h"
#include "dialogs/Form6.h"
#include "dialogs/Form7.h"
#include "dialogs/frmAbout.h"
#include "lock/Form1.h"
#include "lock/Form2.h"
#include "lock/Form9.h"
#include "lock/frmPassWrong.h"
#include "platform/ShellServices.h"
#include "tray/Form3.h"

namespace dorbolt {

namespace {
// Takes the icon away only from a tray window that is there: asking for its control would
// load it, and its load adds the icon again (or opens the first-run dialog).
void RemoveIconIfLoaded(class Form3& tray) {
  if (tray.IsLoaded()) tray.YoconTray1().RemoveTrayIcon(Form3::kIconId);
}
}  // namespace

void Form8::OnUnload() {
  RemoveIconIfLoaded(forms().Form3());
  HideFromTaskList(false);
}

void Form8::Accepted() {
  RemoveIconIfLoaded(forms().Form3());
  UnloadEveryWindow();
}

void Form8::UnloadEveryWindow() {
  // Unloading a window that is not loaded does nothing: no load step runs here.
  Forms& f = forms();
  Form* const order[] = {&f.Form1(), &f.Form2(), &f.Form3(),   &f.Form4(),
                         &f.Form5(), &f.Form6(), &f.Form7(),   &f.Form9(),
                         &f.frmAbout(), &f.frmPassWrong(), this};
  for (Form* form : order) form->Unload();
}

}  // namespace dorbolt
