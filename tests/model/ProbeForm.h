#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "lock/controls/TextBox.h"
#include "lock/model/FormWith.h"
#include "lock/model/Timer.h"

namespace dorbolt::test {

// What happened, in order, across the windows of one test.
using EventLog = std::vector<std::string>;

struct ProbeControls {
  explicit ProbeControls(Form& form) : Text1(form, {.place = {120, 120, 2000, 300}}) {}
  TextBox Text1;
};

// A window of the model under test that writes its load and unload steps to the log and may
// carry one timer.
class ProbeForm : public FormWith<ProbeControls> {
 public:
  ProbeForm(WindowModel& model, const std::string& name, EventLog& log)
      : FormWith(model, std::wstring(name.begin(), name.end())), name_(name), log_(log) {}

  std::function<void()> onLoad;
  std::function<void()> onUnload;

  void AddTimer(UINT ms, bool enabledAtLoad, std::function<void()> tick) {
    timer_ = std::make_unique<Timer>(*this, ms, enabledAtLoad, std::move(tick));
  }
  Timer& timer() { return *timer_; }
  TextBox& Text1() { return Ctl().Text1; }

  // A modal show that logs when it returns.
  void ShowModalLogged() {
    ShowModal();
    log_.push_back("returned:" + name_);
  }

 protected:
  FormDesign Design() const override {
    FormDesign design;
    design.caption = std::wstring(name_.begin(), name_.end());
    design.width = 3000;
    design.height = 1500;
    return design;
  }
  void OnLoad() override {
    log_.push_back("load:" + name_);
    if (onLoad) onLoad();
  }
  void OnUnload() override {
    log_.push_back("unload:" + name_);
    if (onUnload) onUnload();
  }

 private:
  std::string name_;
  EventLog& log_;
  std::unique_ptr<Timer> timer_;
};

}  // namespace dorbolt::test
