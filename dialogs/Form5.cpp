#include "dialogs/Form5.h"

#include "dialogs/Form4.h"

namespace dorbolt {

void Form5::Accepted() {
  // The gate is gone before the dialog opens; its controls must not be touched again.
  Unload();
  forms().Form4().ShowModal();
}

}  // namespace dorbolt
