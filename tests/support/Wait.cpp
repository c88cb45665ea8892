#include "tests/support/Wait.h"

#include <memory>
#include <vector>

namespace dorbolt::test {

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
  const ULONGLONG end = ::GetTickCount64() + timeoutMs;
  while (!condition()) {
    if (::GetTickCount64() >= end) return false;
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
  }
  return true;
}

void PumpFor(DWORD ms) {
  WaitUntil([] { return false; }, ms);
}

namespace {

struct Pending {
  std::function<bool()> condition;
  std::function<void()> action;
  ULONGLONG deadline;
  UINT_PTR timer;
};

// The test thread's scheduled actions; a test program has one UI thread.
std::vector<std::unique_ptr<Pending>>& Queue() {
  static std::vector<std::unique_ptr<Pending>> queue;
  return queue;
}
int& Missed() {
  static int missed = 0;
  return missed;
}

void CALLBACK OnTimer(HWND, UINT, UINT_PTR id, DWORD) {
  auto& queue = Queue();
  for (size_t i = 0; i < queue.size(); ++i) {
    if (queue[i]->timer != id) continue;
    Pending& p = *queue[i];
    const bool ready = p.condition();
    if (!ready && ::GetTickCount64() < p.deadline) return;
    ::KillTimer(nullptr, id);
    auto owned = std::move(queue[i]);
    queue.erase(queue.begin() + static_cast<std::ptrdiff_t>(i));
    if (ready) {
      owned->action();
    } else {
      ++Missed();
    }
    return;
  }
}

}  // namespace

void WhenReady(std::function<bool()> condition, std::function<void()> action, DWORD timeoutMs) {
  auto p = std::make_unique<Pending>();
  p->condition = std::move(condition);
  p->action = std::move(action);
  p->deadline = ::GetTickCount64() + timeoutMs;
  p->timer = ::SetTimer(nullptr, 0, 10, &OnTimer);
  Queue().push_back(std::move(p));
}

int MissedActions() { return Missed(); }

}  // namespace dorbolt::test
