#include "TestFiles.h"

#include <dirent.h>
#include <sys/stat.h>

#include <atomic>
#include <fstream>
#include <iterator>

#if defined(_WIN32)
#include <process.h>
static std::string NativePath(const std::string& path) { return path; }
static int ProcessId() { return _getpid(); }
#else
#include <unistd.h>

#include "platform/posix/HostDrive.h"
static std::string NativePath(const std::string& path) { return platform::host::ToHostPath(path); }
static int ProcessId() { return static_cast<int>(getpid()); }
#endif

std::vector<unsigned char> ReadFileBytes(const std::string& windowsPath) {
  std::ifstream in(NativePath(windowsPath), std::ios::binary);
  return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
}

bool FileExists(const std::string& windowsPath) {
  struct stat info;
  return stat(NativePath(windowsPath).c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

void WriteTextFile(const std::string& windowsPath, const std::string& text) {
  std::ofstream(NativePath(windowsPath), std::ios::binary) << text;
}

std::string NewScratchPath(const std::string& name) {
  static std::atomic<int> counter{0};
  return "C:\\qv-scratch-" + std::to_string(ProcessId()) + "\\" + name + "-" +
         std::to_string(counter++);
}

std::vector<std::string> ListFolder(const std::string& windowsPath) {
  std::vector<std::string> names;
  DIR* folder = opendir(NativePath(windowsPath).c_str());
  if (!folder) return names;
  while (dirent* entry = readdir(folder)) {
    const std::string name = entry->d_name;
    if (name != "." && name != "..") names.push_back(name);
  }
  closedir(folder);
  return names;
}
