#pragma once
#include "lock/Forms.h"
#include "lock/model/FormWith.h"

namespace dorbolt {

// A window of this program: it reaches the others and the settings through its Forms.
template <class Controls>
class ProgramForm : public FormWith<Controls> {
 public:
  ProgramForm(Forms& forms, std::wstring name)
      : FormWith<Controls>(forms.Model(), std::move(name)), forms_(forms) {}

 protected:
  Forms& forms() const { return forms_; }

 private:
  Forms& forms_;
};

// For windows with no controls of their own yet.
struct NoControls {
  explicit NoControls(Form&) {}
};

}  // namespace dorbolt
