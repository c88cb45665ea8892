#pragma once
#include <gtest/gtest.h>

#include "lock/Forms.h"
#include "tests/dialogs/Driver.h"
#include "tests/support/Registry.h"

namespace dorbolt::test {

// The program's windows in this process, with a script to drive them. Ending the program only
// records that it ended and unloads every window, so that the test goes on.
struct Session {
  explicit Session(const AdvapiCalls& calls = AdvapiCalls::System()) : forms(calls) {
    forms.Model().SetEndAction([this] {
      ++ends;
      UnloadAll(forms);
    });
  }
  ~Session() { UnloadAll(forms); }

  Forms forms;
  int ends = 0;
  Script script{[this] { UnloadAll(forms); }};
};

// Every test starts from a machine where Dorbolt never ran, and leaves one.
class CleanSettings : public testing::Test {
 protected:
  void SetUp() override { ClearSettings(); }
  void TearDown() override { ClearSettings(); }
};

inline bool NoBoxUp(const wchar_t* title) { return FindMessageBox(title) == nullptr; }

}  // namespace dorbolt::test
