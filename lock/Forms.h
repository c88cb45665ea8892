#pragma once
#include <memory>

#include "core/GenericModule.h"
#include "lock/model/WindowModel.h"
#include "platform/ShellServices.h"

namespace dorbolt {

class Form1;
class Form2;
class Form3;
class Form4;
class Form5;
class Form6;
class Form7;
class Form8;
class Form9;
class frmAbout;
class frmPassWrong;

// The program's windows, each one object for the program's life: the only state it has.
class Forms {
 public:
  explicit Forms(const AdvapiCalls& registry = AdvapiCalls::System());
  Forms(const Forms&) = delete;
  Forms& operator=(const Forms&) = delete;
  ~Forms();

  WindowModel& Model() { return model_; }
  // The registry calls every window reads and writes its settings through.
  const AdvapiCalls& Registry() const { return registry_; }
  SystemKeys& Keys() { return keys_; }

  class Form1& Form1() { return *form1_; }  // lock screen
  class Form2& Form2() { return *form2_; }  // lock notice
  class Form3& Form3() { return *form3_; }  // tray window
  class Form4& Form4() { return *form4_; }  // options
  class Form5& Form5() { return *form5_; }  // options gate
  class Form6& Form6() { return *form6_; }  // first-run password
  class Form7& Form7() { return *form7_; }  // change password
  class Form8& Form8() { return *form8_; }  // exit gate
  class Form9& Form9() { return *form9_; }  // unlock prompt
  class frmAbout& frmAbout() { return *about_; }
  class frmPassWrong& frmPassWrong() { return *alarm_; }

 private:
  WindowModel model_;
  const AdvapiCalls& registry_;
  SystemKeys keys_;
  std::unique_ptr<class Form1> form1_;
  std::unique_ptr<class Form2> form2_;
  std::unique_ptr<class Form3> form3_;
  std::unique_ptr<class Form4> form4_;
  std::unique_ptr<class Form5> form5_;
  std::unique_ptr<class Form6> form6_;
  std::unique_ptr<class Form7> form7_;
  std::unique_ptr<class Form8> form8_;
  std::unique_ptr<class Form9> form9_;
  std::unique_ptr<class frmAbout> about_;
  std::unique_ptr<class frmPassWrong> alarm_;
};

}  // namespace dorbolt
