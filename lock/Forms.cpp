#include "lock/Forms.h"

#include "dialogs/Form4.h"
#include "dialogs/Form5.h"
#include "dialogs/Form6.h"
#include "dialogs/Form7.h"
#include "dialogs/frmAbout.h"
#include "lock/Form1.h"
#include "lock/Form2.h"
#include "lock/Form9.h"
#include "lock/frmPassWrong.h"
#include "tray/Form3.h"
#include "tray/Form8.h"

namespace dorbolt {

Forms::Forms(const AdvapiCalls& registry)
    : registry_(registry),
      form1_(std::make_unique<class Form1>(*this)),
      form2_(std::make_unique<class Form2>(*this)),
      form3_(std::make_unique<class Form3>(*this)),
      form4_(std::make_unique<class Form4>(*this)),
      form5_(std::make_unique<class Form5>(*this)),
      form6_(std::make_unique<class Form6>(*this)),
      form7_(std::make_unique<class Form7>(*this)),
      form8_(std::make_unique<class Form8>(*this)),
      form9_(std::make_unique<class Form9>(*this)),
      about_(std::make_unique<class frmAbout>(*this)),
      alarm_(std::make_unique<class frmPassWrong>(*this)) {}

Forms::~Forms() = default;

}  // namespace dorbolt
