#include "platform/FileSystem.h"

#include "platform/win32/Owners.h"

namespace platform {

FileHandle InvalidFileHandle() { return INVALID_HANDLE_VALUE; }

bool FindFirstEntry(const std::string& pattern) {
  WIN32_FIND_DATAA entry;
  win32::UniqueFindHandle search(FindFirstFileA(pattern.c_str(), &entry));
  return search.IsValid();
}

bool MakeDirectory(const std::string& path) { return CreateDirectoryA(path.c_str(), nullptr) != 0; }

void RemoveFile(const std::string& path) { DeleteFileA(path.c_str()); }

FileHandle OpenFileForWrite(const std::string& path) {
  return CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
}

void WriteBytes(FileHandle file, const void* data, std::size_t size) {
  DWORD written = 0;
  WriteFile(file, data, static_cast<DWORD>(size), &written, nullptr);
}

void CloseFile(FileHandle file) { CloseHandle(file); }

}  // namespace platform
