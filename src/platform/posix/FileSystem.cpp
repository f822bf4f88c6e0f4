#include "platform/FileSystem.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>

#include "platform/posix/HostDrive.h"

namespace platform {

namespace {
// File descriptors are stored one up, so that descriptor 0 is not the null handle.
FileHandle FromDescriptor(int fd) {
  return reinterpret_cast<FileHandle>(static_cast<std::intptr_t>(fd) + 1);
}
int ToDescriptor(FileHandle file) {
  return static_cast<int>(reinterpret_cast<std::intptr_t>(file) - 1);
}
}  // namespace

FileHandle InvalidFileHandle() {
  return reinterpret_cast<FileHandle>(static_cast<std::intptr_t>(-1));
}

bool FindFirstEntry(const std::string& pattern) {
  // The only pattern in use is <folder>\*.*, which matches every entry, "." included.
  std::string folder = pattern;
  if (folder.size() >= 3 && folder.compare(folder.size() - 3, 3, "*.*") == 0)
    folder.resize(folder.size() - 3);
  std::string hostFolder = host::ToHostPath(folder);
  if (hostFolder.empty()) hostFolder = ".";
  DIR* directory = opendir(hostFolder.c_str());
  if (directory == nullptr) return false;
  closedir(directory);
  return true;
}

bool MakeDirectory(const std::string& path) {
  return mkdir(host::ToHostPath(path).c_str(), 0777) == 0;
}

void RemoveFile(const std::string& path) { unlink(host::ToHostPath(path).c_str()); }

FileHandle OpenFileForWrite(const std::string& path) {
  const int fd =
      open(host::ToHostPath(path).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  return fd < 0 ? InvalidFileHandle() : FromDescriptor(fd);
}

void WriteBytes(FileHandle file, const void* data, std::size_t size) {
  // One call, as on Windows; a short write is not reported there either.
  const ssize_t ignored = write(ToDescriptor(file), data, size);
  (void)ignored;
}

void CloseFile(FileHandle file) { close(ToDescriptor(file)); }

}  // namespace platform
