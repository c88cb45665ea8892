#pragma once
#include <windows.h>

#include <functional>

namespace dorbolt::test {

// Pumps this thread's messages until the condition holds or the time is up; true if it held.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 10000);
// Pumps messages for a while: lets timers and posted work run.
void PumpFor(DWORD ms);
// Runs the action inside whatever message loop is running on this thread (a modal show, a
// message box), as soon as the condition holds. Checked every 10 ms for up to the timeout.
void WhenReady(std::function<bool()> condition, std::function<void()> action, DWORD timeoutMs = 15000);
// The scheduled actions that never ran (their condition never held in time).
int MissedActions();

}  // namespace dorbolt::test
