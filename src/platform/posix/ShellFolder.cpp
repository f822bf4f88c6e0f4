#include "platform/ShellFolder.h"

#include <cstring>
#include <filesystem>
#include <system_error>

#include "platform/posix/HostDrive.h"

namespace platform {

namespace {
constexpr int kFlagCreate = 0x8000;  // CSIDL_FLAG_CREATE
}  // namespace

bool CallGetFolderPath(ModuleHandle library, int folderId, std::uint32_t, char* buffer,
                       std::int32_t* result) {
  const std::string* folder = host::CommonAppDataFolder();
  if (library == nullptr || folder == nullptr) return false;
  if (folder->size() >= kFolderPathBufferSize) {
    *result =
        static_cast<std::int32_t>(0x8007007A);  // HRESULT_FROM_WIN32(ERROR_INSUFFICIENT_BUFFER)
    return true;
  }
  if (folderId & kFlagCreate) {
    // As the shell does for CSIDL_FLAG_CREATE; a failure shows when the folder is used.
    std::error_code ignored;
    std::filesystem::create_directories(host::ToHostPath(*folder), ignored);
  }
  std::memcpy(buffer, folder->c_str(), folder->size() + 1);
  *result = 0;
  return true;
}

}  // namespace platform
