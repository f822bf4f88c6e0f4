#include "platform/FileSystem.h"

#include <algorithm>
#include <vector>

#include "platform/win32/Owners.h"
// <sddl.h> needs <windows.h> first.
#include <sddl.h>

namespace platform {

namespace {
constexpr DWORD kLargestWrite = 1u << 30;  // WriteFile counts in a DWORD; stay well inside it

// The SDDL form of the running user's SID, or the empty text with the error code set.
std::string CurrentUserSid(ErrorCode* error) {
  HANDLE rawToken = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &rawToken)) {
    *error = GetLastError();
    return std::string();
  }
  const win32::UniqueKernelHandle token(rawToken);
  DWORD size = 0;
  // The first call only measures the record.
  GetTokenInformation(token.Get(), TokenUser, nullptr, 0, &size);
  std::vector<BYTE> record(size);
  if (size == 0 || !GetTokenInformation(token.Get(), TokenUser, record.data(), size, &size)) {
    *error = GetLastError();
    return std::string();
  }
  char* text = nullptr;
  if (!ConvertSidToStringSidA(reinterpret_cast<TOKEN_USER*>(record.data())->User.Sid, &text)) {
    *error = GetLastError();
    return std::string();
  }
  const win32::UniqueLocalMemory owner(text);
  return std::string(text);
}
}  // namespace

FileHandle InvalidFileHandle() { return INVALID_HANDLE_VALUE; }

bool FindFirstEntry(const std::string& pattern) {
  WIN32_FIND_DATAA entry;
  win32::UniqueFindHandle search(FindFirstFileA(pattern.c_str(), &entry));
  return search.IsValid();
}

ErrorCode MakeDirectory(const std::string& path) {
  return CreateDirectoryA(path.c_str(), nullptr) ? 0 : GetLastError();
}

ErrorCode MakePrivateDirectory(const std::string& path) {
  ErrorCode error = 0;
  const std::string user = CurrentUserSid(&error);
  if (user.empty()) return error;
  const std::string sddl = PrivateFolderSddl(user);
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl.c_str(), SDDL_REVISION_1,
                                                            &descriptor, nullptr)) {
    return GetLastError();
  }
  const win32::UniqueLocalMemory owner(descriptor);
  SECURITY_ATTRIBUTES attributes{sizeof(attributes), descriptor, FALSE};
  return CreateDirectoryA(path.c_str(), &attributes) ? 0 : GetLastError();
}

void RemoveEmptyDirectory(const std::string& path) { RemoveDirectoryA(path.c_str()); }

void RemoveFile(const std::string& path) { DeleteFileA(path.c_str()); }

FileHandle OpenFolderDenyingDelete(const std::string& path, ErrorCode* error) {
  // A folder opens only with backup semantics. No FILE_SHARE_DELETE: a rename or a delete
  // needs DELETE access, which this handle's sharing refuses.
  HANDLE folder = CreateFileA(path.c_str(), FILE_LIST_DIRECTORY | SYNCHRONIZE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (folder == INVALID_HANDLE_VALUE) *error = GetLastError();
  return folder;
}

FileHandle CreateNewFileForWrite(const std::string& path, ErrorCode* error) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) *error = GetLastError();
  return file;
}

FileHandle OpenFileForSharedRead(const std::string& path, ErrorCode* error) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) *error = GetLastError();
  return file;
}

ErrorCode WriteAllBytes(FileHandle file, const void* data, std::size_t size, std::size_t* written) {
  const auto* bytes = static_cast<const unsigned char*>(data);
  *written = 0;
  while (*written < size) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(size - *written, kLargestWrite));
    DWORD done = 0;
    if (!WriteFile(file, bytes + *written, chunk, &done, nullptr)) {
      const DWORD error = GetLastError();
      *written += done;
      return error;
    }
    if (done == 0) return 0;
    *written += done;
  }
  return 0;
}

ErrorCode ReadBytes(FileHandle file, void* buffer, std::size_t size, std::size_t* read) {
  DWORD done = 0;
  const BOOL ok = ReadFile(
      file, buffer, static_cast<DWORD>(std::min<std::size_t>(size, kLargestWrite)), &done, nullptr);
  *read = done;
  return ok ? 0 : GetLastError();
}

void CloseFile(FileHandle file) { CloseHandle(file); }

}  // namespace platform
