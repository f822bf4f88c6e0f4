#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

// The host build stands in for a Windows machine: Windows paths are mapped onto a folder of
// the host ("the drive root"), so that the portable path code runs unchanged.
//   C:\a\b      -> <root>/c/a/b
//   Z:\a\b      -> /a/b (the host's root, as under Wine)
//   \\srv\s\d   -> <root>/unc/srv/s/d
//   \a          -> <root>/c/a
//   a\b         -> a/b (relative to the current directory)
namespace platform::host {

std::string ToHostPath(const std::string& windowsPath);

// The drive root: QV_HOST_DRIVE_ROOT, else /tmp/qv-host-drive, unless overridden.
std::string DriveRoot();

// The machine-wide application-data folder that the stand-in shell-folder library reports;
// "C:\ProgramData" unless overridden. An absent folder means "SHFolder.dll is not there".
const std::string* CommonAppDataFolder();

class ScopedDriveRoot {
 public:
  explicit ScopedDriveRoot(std::string root);
  ~ScopedDriveRoot();
  ScopedDriveRoot(const ScopedDriveRoot&) = delete;
  ScopedDriveRoot& operator=(const ScopedDriveRoot&) = delete;

 private:
  std::string m_previous;
};

// folder null: the shell-folder library is missing.
class ScopedCommonAppData {
 public:
  explicit ScopedCommonAppData(const char* folder);
  ~ScopedCommonAppData();
  ScopedCommonAppData(const ScopedCommonAppData&) = delete;
  ScopedCommonAppData& operator=(const ScopedCommonAppData&) = delete;

 private:
  bool m_previousPresent;
  std::string m_previous;
};

// Faults of the stand-in machine, for the failure paths of extraction.
struct FileFaults {
  // Bytes that writes may add in all before they fail as on a full volume.
  std::size_t writeLimit = SIZE_MAX;
  // Runs with the host path of a file that was just closed after writing: another process's
  // chance to change it before it is opened again.
  std::function<void(const std::string& hostPath)> afterWriteClose;
  // CoCreateGuid fails: the GUID stays all zero.
  bool guidFails = false;
  // What writes have added since these faults came in force.
  std::size_t bytesWritten = 0;
};
FileFaults& Faults();

class ScopedFileFaults {
 public:
  explicit ScopedFileFaults(FileFaults faults);
  ~ScopedFileFaults();
  ScopedFileFaults(const ScopedFileFaults&) = delete;
  ScopedFileFaults& operator=(const ScopedFileFaults&) = delete;

 private:
  FileFaults m_previous;
};

}  // namespace platform::host
