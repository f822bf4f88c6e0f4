#include "platform/FileSystem.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
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

// The Windows code for an errno value; existing is the code an existing entry gives.
ErrorCode FromErrno(int error, ErrorCode existing) {
  switch (error) {
    case 0:
      return 0;
    case EEXIST:
      return existing;
    case ENOENT:
      return 3;  // ERROR_PATH_NOT_FOUND
    case ENOTDIR:
      return 267;  // ERROR_DIRECTORY
    case EACCES:
    case EPERM:
      return 5;  // ERROR_ACCESS_DENIED
    case ENOSPC:
    case EDQUOT:
      return 112;  // ERROR_DISK_FULL
    default:
      return 31;  // ERROR_GEN_FAILURE
  }
}

FileHandle OpenOrFail(const std::string& path, int flags, mode_t mode, ErrorCode* error,
                      ErrorCode existing = kErrorFileExists) {
  const int fd = open(host::ToHostPath(path).c_str(), flags | O_CLOEXEC, mode);
  if (fd < 0) {
    *error = FromErrno(errno, existing);
    return InvalidFileHandle();
  }
  return FromDescriptor(fd);
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

ErrorCode MakeDirectory(const std::string& path) {
  return mkdir(host::ToHostPath(path).c_str(), 0777) == 0 ? 0
                                                          : FromErrno(errno, kErrorAlreadyExists);
}

ErrorCode MakePrivateDirectory(const std::string& path) {
  // The host's nearest to a protected DACL for the owner alone.
  return mkdir(host::ToHostPath(path).c_str(), 0700) == 0 ? 0
                                                          : FromErrno(errno, kErrorAlreadyExists);
}

void RemoveEmptyDirectory(const std::string& path) { rmdir(host::ToHostPath(path).c_str()); }

void RemoveFile(const std::string& path) { unlink(host::ToHostPath(path).c_str()); }

// The host has no share modes: the handles only keep the entries open.
FileHandle OpenFolderDenyingDelete(const std::string& path, ErrorCode* error) {
  return OpenOrFail(path, O_RDONLY | O_DIRECTORY, 0, error);
}

FileHandle CreateNewFileForWrite(const std::string& path, ErrorCode* error) {
  return OpenOrFail(path, O_WRONLY | O_CREAT | O_EXCL, 0644, error);
}

FileHandle OpenFileForSharedRead(const std::string& path, ErrorCode* error) {
  return OpenOrFail(path, O_RDONLY, 0, error);
}

ErrorCode WriteAllBytes(FileHandle file, const void* data, std::size_t size, std::size_t* written) {
  const auto* bytes = static_cast<const unsigned char*>(data);
  *written = 0;
  while (*written < size) {
    host::FileFaults& faults = host::Faults();
    const std::size_t room = faults.writeLimit - std::min(faults.bytesWritten, faults.writeLimit);
    if (room == 0) return FromErrno(ENOSPC, 0);
    const ssize_t done =
        write(ToDescriptor(file), bytes + *written, std::min(size - *written, room));
    if (done < 0) {
      if (errno == EINTR) continue;
      return FromErrno(errno, 0);
    }
    if (done == 0) return 0;
    *written += static_cast<std::size_t>(done);
    faults.bytesWritten += static_cast<std::size_t>(done);
  }
  return 0;
}

ErrorCode ReadBytes(FileHandle file, void* buffer, std::size_t size, std::size_t* read) {
  ssize_t done;
  do {
    done = ::read(ToDescriptor(file), buffer, size);
  } while (done < 0 && errno == EINTR);
  *read = done < 0 ? 0 : static_cast<std::size_t>(done);
  return done < 0 ? FromErrno(errno, 0) : 0;
}

void CloseFile(FileHandle file) {
  const int fd = ToDescriptor(file);
  const bool wasWriting = (fcntl(fd, F_GETFL) & O_ACCMODE) != O_RDONLY;
  std::string hostPath;
  if (wasWriting && host::Faults().afterWriteClose) {
    char target[4096];
    const ssize_t length =
        readlink(("/proc/self/fd/" + std::to_string(fd)).c_str(), target, sizeof(target) - 1);
    if (length > 0) hostPath.assign(target, static_cast<std::size_t>(length));
  }
  close(fd);
  if (!hostPath.empty()) host::Faults().afterWriteClose(hostPath);
}

}  // namespace platform
