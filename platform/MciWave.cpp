#include "platform/MciWave.h"

#include <mmsystem.h>

#include <cstdint>

namespace dorbolt {

namespace {

bool Named(std::wstring_view command, const wchar_t* name) {
  return ::CompareStringOrdinal(command.data(), static_cast<int>(command.size()), name, -1, TRUE) ==
         CSTR_EQUAL;
}

}  // namespace

MciWave::MciWave() : alias_(L"dorbolt_wave_" + std::to_wstring(reinterpret_cast<std::uintptr_t>(this))) {}

MciWave::~MciWave() {
  if (open_) ::mciSendStringW((L"close " + alias_).c_str(), nullptr, 0, nullptr);
}

UINT MciWave::DeviceID() const { return open_ ? ::mciGetDeviceIDW(alias_.c_str()) : 0; }

int MciWave::Command(std::wstring_view command) {
  if (Named(command, L"Open")) return Open();
  const bool known = Named(command, L"Close") || Named(command, L"Back") || Named(command, L"Play");
  if (known && !open_) {
    // Sent as it is, MCI would take the alias for a file name and try to open that instead.
    wait_ = false;
    return kErrorBase + MCIERR_INVALID_DEVICE_NAME;
  }
  if (Named(command, L"Close")) {
    const int error = Send(L"close " + alias_);
    if (error == 0) open_ = false;
    return error;
  }
  // A sound just opened stands at its start already; going back makes sure of it.
  if (Named(command, L"Back")) return Send(L"seek " + alias_ + L" to start");
  if (Named(command, L"Play")) return Send(L"play " + alias_);
  wait_ = false;
  return kErrorBase + MCIERR_UNRECOGNIZED_COMMAND;
}

int MciWave::Open() {
  // An empty name would open a new recording instead; a quote would end the name early and
  // let the rest of it read as keywords.
  if (fileName_.empty() || fileName_.find(L'"') != std::wstring::npos) {
    wait_ = false;
    return kErrorBase + MCIERR_FILENAME_REQUIRED;
  }
  const int error = Send(L"open \"" + fileName_ + L"\" type waveaudio alias " + alias_);
  if (error == 0) open_ = true;
  return error;
}

int MciWave::Send(std::wstring text) {
  if (wait_) text += L" wait";
  wait_ = false;
  const MCIERROR error = ::mciSendStringW(text.c_str(), nullptr, 0, nullptr);
  // The high word names the driver of a driver-specific error; the code is the low word.
  return error == 0 ? 0 : kErrorBase + LOWORD(error);
}

}  // namespace dorbolt
