#pragma once

namespace dorbolt {

// The one difference between the two programs: the window they open first.
enum class FirstWindow {
  Tray,  // Dorwatch: waits in the notification area
  Lock,  // Dorguard: locks at once
};

int RunProgram(FirstWindow first) noexcept;

}  // namespace dorbolt
