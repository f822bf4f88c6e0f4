#include "package/Folders.h"

#include "package/ShellWrapper.h"
#include "platform/ShellFolder.h"

namespace {
constexpr int kCommonAppDataCreate = 0x8023;   // CSIDL_COMMON_APPDATA | CSIDL_FLAG_CREATE
constexpr std::uint32_t kDefaultLocation = 1;  // SHGFP_TYPE_DEFAULT, not a redirected folder
}  // namespace

QvFsPath GetCommonAppDataFolder() {
  const QvShellWrapper shell;
  if (shell.Module() == nullptr) return QvFsPath();
  char buffer[platform::kFolderPathBufferSize] = {};
  std::int32_t result = 0;
  if (!platform::CallGetFolderPath(shell.Module(), kCommonAppDataCreate, kDefaultLocation, buffer,
                                   &result)) {
    return QvFsPath();
  }
  if (result < 0) return QvFsPath();
  buffer[sizeof(buffer) - 1] = '\0';
  return QvFsPath(buffer);
}

QvFsPath GetPackageCacheFolder(CacheFolderFailure* failure) {
  QvFsPath folder = GetCommonAppDataFolder();
  if (folder.empty()) return QvFsPath();
  folder.AppendComponent("MSI Cache");
  std::uint32_t error = 0;
  if (!folder.Exists() && !folder.CreateDirectoryTree(&error)) {
    if (failure) *failure = CacheFolderFailure{folder, error};
    return QvFsPath();
  }
  return folder;
}
