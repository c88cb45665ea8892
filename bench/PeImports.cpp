#include "bench/PeImports.h"

#include <cstring>

#include "platform/Handles.h"

namespace dorbolt::bench {

namespace {

std::optional<std::vector<char>> ReadAll(const std::wstring& path) {
  HANDLE opened = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
  if (opened == INVALID_HANDLE_VALUE) return std::nullopt;
  UniqueKernelHandle file(opened);
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(file.get(), &size) || size.QuadPart <= 0 || size.QuadPart > (64ll << 20)) {
    return std::nullopt;
  }
  std::vector<char> bytes(static_cast<size_t>(size.QuadPart));
  DWORD read = 0;
  if (!::ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
      read != bytes.size()) {
    return std::nullopt;
  }
  return bytes;
}

// A bounds-checked view of the file: every read says whether it lay inside.
class Image {
 public:
  explicit Image(const std::vector<char>& bytes) : bytes_(bytes) {}

  template <class T>
  bool Read(size_t offset, T& out) const {
    if (offset > bytes_.size() || bytes_.size() - offset < sizeof(T)) return false;
    std::memcpy(&out, bytes_.data() + offset, sizeof(T));
    return true;
  }
  // A NUL-terminated name at this offset, if it ends inside the file.
  std::optional<std::string> Name(size_t offset) const {
    if (offset >= bytes_.size()) return std::nullopt;
    const void* end = std::memchr(bytes_.data() + offset, '\0', bytes_.size() - offset);
    if (!end) return std::nullopt;
    return std::string(bytes_.data() + offset, static_cast<const char*>(end));
  }

 private:
  const std::vector<char>& bytes_;
};

}  // namespace

std::optional<std::vector<std::string>> ImportedDlls(const std::wstring& path) {
  const auto bytes = ReadAll(path);
  if (!bytes) return std::nullopt;
  const Image image(*bytes);

  IMAGE_DOS_HEADER dos{};
  if (!image.Read(0, dos) || dos.e_magic != IMAGE_DOS_SIGNATURE || dos.e_lfanew < 0) return std::nullopt;
  const auto ntAt = static_cast<size_t>(dos.e_lfanew);
  DWORD signature = 0;
  IMAGE_FILE_HEADER header{};
  WORD magic = 0;
  if (!image.Read(ntAt, signature) || signature != IMAGE_NT_SIGNATURE ||
      !image.Read(ntAt + sizeof signature, header)) {
    return std::nullopt;
  }
  const size_t optionalAt = ntAt + sizeof signature + sizeof header;
  if (!image.Read(optionalAt, magic)) return std::nullopt;

  // The data directories sit at different places in the 32- and 64-bit optional headers.
  IMAGE_DATA_DIRECTORY imports{};
  if (magic == IMAGE_NT_OPTIONAL_HDR64_MAGIC) {
    IMAGE_OPTIONAL_HEADER64 optional{};
    if (!image.Read(optionalAt, optional) || optional.NumberOfRvaAndSizes <= IMAGE_DIRECTORY_ENTRY_IMPORT) {
      return std::nullopt;
    }
    imports = optional.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  } else if (magic == IMAGE_NT_OPTIONAL_HDR32_MAGIC) {
    IMAGE_OPTIONAL_HEADER32 optional{};
    if (!image.Read(optionalAt, optional) || optional.NumberOfRvaAndSizes <= IMAGE_DIRECTORY_ENTRY_IMPORT) {
      return std::nullopt;
    }
    imports = optional.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  } else {
    return std::nullopt;
  }

  const size_t sectionsAt = optionalAt + header.SizeOfOptionalHeader;
  auto offsetOf = [&](DWORD rva) -> std::optional<size_t> {
    for (WORD i = 0; i < header.NumberOfSections; ++i) {
      IMAGE_SECTION_HEADER section{};
      if (!image.Read(sectionsAt + i * sizeof section, section)) return std::nullopt;
      const DWORD extent = section.Misc.VirtualSize ? section.Misc.VirtualSize : section.SizeOfRawData;
      if (rva >= section.VirtualAddress && rva - section.VirtualAddress < extent) {
        return static_cast<size_t>(rva - section.VirtualAddress) + section.PointerToRawData;
      }
    }
    return std::nullopt;
  };

  std::vector<std::string> names;
  if (imports.VirtualAddress == 0) return names;
  const auto first = offsetOf(imports.VirtualAddress);
  if (!first) return std::nullopt;
  for (size_t at = *first;; at += sizeof(IMAGE_IMPORT_DESCRIPTOR)) {
    IMAGE_IMPORT_DESCRIPTOR entry{};
    if (!image.Read(at, entry)) return std::nullopt;
    if (entry.Name == 0) break;  // the all-zero entry that ends the table
    const auto nameAt = offsetOf(entry.Name);
    if (!nameAt) return std::nullopt;
    auto name = image.Name(*nameAt);
    if (!name) return std::nullopt;
    names.push_back(std::move(*name));
  }
  return names;
}

long long FileSize(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return -1;
  return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

}  // namespace dorbolt::bench
