#pragma once
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace dorbolt::bench {

// The names of the DLLs an executable imports, in the order of its import table; nothing when
// the file cannot be read or is not a well-formed PE image.
std::optional<std::vector<std::string>> ImportedDlls(const std::wstring& path);

// The file's size in bytes, or -1.
long long FileSize(const std::wstring& path);

}  // namespace dorbolt::bench
