#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/model/ProbeForm.h"
#include "tests/support/Wait.h"
#include "tests/support/Windows.h"

namespace dorbolt::test {
namespace {

using testing::ElementsAre;

class WindowModelTest : public testing::Test {
 protected:
  WindowModel model;
  EventLog log;
  ProbeForm a{model, "Alpha", log};
  ProbeForm b{model, "Beta", log};
  ProbeForm c{model, "Gamma", log};
};

TEST_F(WindowModelTest, LoadRunsTheLoadStepOnceAndTouchingLoads) {
  EXPECT_FALSE(a.IsLoaded());
  a.Load();
  a.Load();
  a.Show();
  EXPECT_TRUE(a.IsVisible());

  // Touching a control of a window that is not loaded loads it, hidden.
  b.Text1().SetText(L"typed");
  EXPECT_TRUE(b.IsLoaded());
  EXPECT_FALSE(b.IsVisible());
  EXPECT_EQ(ClassOf(a.HwndIfLoaded()), L"Dorbolt.Alpha");
  EXPECT_EQ(::FindWindowW(L"Dorbolt.Beta", nullptr), b.HwndIfLoaded());

  // Unloading something that is not loaded does nothing, its unload step included.
  c.Unload();
  EXPECT_FALSE(c.IsLoaded());
  EXPECT_THAT(log, ElementsAre("load:Alpha", "load:Beta"));
}

TEST_F(WindowModelTest, UnloadDiscardsWhatTheWindowHeld) {
  a.Text1().SetText(L"held");
  a.Unload();
  EXPECT_FALSE(a.IsLoaded());
  EXPECT_EQ(::FindWindowW(L"Dorbolt.Alpha", nullptr), nullptr);
  EXPECT_EQ(a.Text1().Text(), L"") << "a new load starts from the design values";
  EXPECT_THAT(log, ElementsAre("load:Alpha", "unload:Alpha", "load:Alpha"));
}

TEST_F(WindowModelTest, ModalShowsNestAndReturnInnermostFirst) {
  bool outerDisabledDuringInner = false;
  WhenReady([&] { return a.IsVisible(); }, [&] { b.ShowModalLogged(); });
  WhenReady([&] { return b.IsVisible(); }, [&] { c.ShowModalLogged(); });
  WhenReady([&] { return c.IsVisible(); },
            [&] {
              outerDisabledDuringInner = !::IsWindowEnabled(a.HwndIfLoaded()) &&
                                         !::IsWindowEnabled(b.HwndIfLoaded());
              // The callers' windows go first; their shows still return, one after the other.
              a.Unload();
              b.Unload();
              c.Hide();
            });
  a.ShowModalLogged();
  EXPECT_TRUE(outerDisabledDuringInner);
  EXPECT_THAT(log, ElementsAre("load:Alpha", "load:Beta", "load:Gamma", "unload:Alpha",
                               "unload:Beta", "returned:Gamma", "returned:Beta", "returned:Alpha"));
  EXPECT_TRUE(c.IsLoaded()) << "a hidden window stays loaded";
  EXPECT_FALSE(c.IsVisible());
  EXPECT_EQ(MissedActions(), 0);
}

TEST_F(WindowModelTest, HideEndsAModalShowAndEnablesTheOthersAgain) {
  b.Show();
  WhenReady([&] { return a.IsVisible(); }, [&] {
    log.push_back(::IsWindowEnabled(b.HwndIfLoaded()) ? "beta enabled" : "beta disabled");
    a.Hide();
  });
  a.ShowModalLogged();
  EXPECT_THAT(log, ElementsAre("load:Beta", "load:Alpha", "beta disabled", "returned:Alpha"));
  EXPECT_TRUE(a.IsLoaded());
  EXPECT_TRUE(::IsWindowEnabled(b.HwndIfLoaded()));
}

TEST_F(WindowModelTest, UnloadEndsAModalShowOfTheWindowItself) {
  WhenReady([&] { return a.IsVisible(); }, [&] { a.Unload(); });
  a.ShowModalLogged();
  EXPECT_THAT(log, ElementsAre("load:Alpha", "unload:Alpha", "returned:Alpha"));
}

TEST_F(WindowModelTest, ProgramEndsWhenNoWindowIsLoaded) {
  // The last unload happens deep inside nested shows; the main loop returns once they have.
  a.Load();
  WhenReady([&] { return true; }, [&] { b.ShowModalLogged(); });
  WhenReady([&] { return b.IsVisible(); }, [&] {
    a.Unload();
    b.Unload();
  });
  model.Run();
  EXPECT_FALSE(model.AnyLoaded());
  EXPECT_THAT(log, ElementsAre("load:Alpha", "load:Beta", "unload:Alpha", "unload:Beta", "returned:Beta"));
}

TEST_F(WindowModelTest, ForeignQuitMessageEndsNoLoop) {
  a.Show();
  WhenReady([&] { return true; }, [&] { ::PostQuitMessage(0); });
  WhenReady([&] { return true; }, [&] { log.push_back("still running"); }, 500);
  WhenReady([&] { return log.size() == 2; }, [&] { a.Unload(); });
  model.Run();
  EXPECT_THAT(log, ElementsAre("load:Alpha", "still running", "unload:Alpha"));
}

TEST(WindowModelEnd, EndsTheProcessAtOnceWithoutUnloadSteps) {
  EXPECT_EXIT(
      {
        WindowModel model;
        EventLog log;
        ProbeForm form(model, "Alpha", log);
        form.onUnload = [] { std::fputs("unload step ran", stderr); };
        form.Show();
        model.End();
        std::fputs("a step after End ran", stderr);
        std::exit(3);
      },
      testing::ExitedWithCode(0), "^$");
}

TEST_F(WindowModelTest, TimerIsNotReenteredWhileItsHandlerWaitsInAModalWindow) {
  int slowTicks = 0;
  int fastTicks = 0;
  int fastTicksWhileWaiting = 0;
  ULONGLONG returnedAt = 0;
  ULONGLONG nextTickAt = 0;
  a.AddTimer(50, true, [&] {
    if (++slowTicks == 1) {
      b.ShowModal();  // waits here; further ticks of this timer must not arrive meanwhile
      returnedAt = ::GetTickCount64();
    } else if (slowTicks == 2) {
      nextTickAt = ::GetTickCount64();
    }
  });
  c.AddTimer(20, true, [&] {
    ++fastTicks;
    if (b.IsVisible()) ++fastTicksWhileWaiting;
  });
  // Let a wait of ten intervals pass inside the modal window, then close it.
  WhenReady([&] { return fastTicksWhileWaiting >= 25; }, [&] { b.Hide(); });
  a.Show();
  c.Load();
  ASSERT_TRUE(WaitUntil([&] { return slowTicks >= 2; }, 10000));
  EXPECT_EQ(slowTicks, 2) << "ticks due while the handler waited were dropped";
  EXPECT_GE(fastTicksWhileWaiting, 25) << "the other timer kept ticking in the nested loop";
  EXPECT_LE(nextTickAt - returnedAt, 1000u) << "the next tick comes about one interval after return";
}

TEST_F(WindowModelTest, TimersFollowTheirWindow) {
  int ticks = 0;
  a.AddTimer(10, false, [&] { ++ticks; });
  a.Load();
  PumpFor(200);
  EXPECT_EQ(ticks, 0) << "a timer that does not run at load stays quiet";
  a.timer().SetEnabled(true);
  ASSERT_TRUE(WaitUntil([&] { return ticks > 0; }, 2000));
  a.Unload();
  EXPECT_FALSE(a.timer().Enabled());
  const int atUnload = ticks;
  PumpFor(200);
  EXPECT_EQ(ticks, atUnload) << "unloading stops the timer";
  // Enabling a timer of a window that is not loaded loads the window.
  a.timer().SetEnabled(true);
  EXPECT_TRUE(a.IsLoaded());
}

}  // namespace
}  // namespace dorbolt::test
