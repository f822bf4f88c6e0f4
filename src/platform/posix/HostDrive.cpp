#include "platform/posix/HostDrive.h"

#include <cctype>
#include <cstdlib>
#include <utility>

namespace platform::host {

namespace {
std::string& RootOverride() {
  static std::string root;
  return root;
}
bool g_appDataPresent = true;
std::string& AppData() {
  static std::string folder = "C:\\ProgramData";
  return folder;
}
bool IsSeparator(char c) { return c == '\\' || c == '/'; }
FileFaults& CurrentFaults() {
  static FileFaults faults;
  return faults;
}
}  // namespace

std::string DriveRoot() {
  if (!RootOverride().empty()) return RootOverride();
  const char* fromEnvironment = std::getenv("QV_HOST_DRIVE_ROOT");
  return fromEnvironment && *fromEnvironment ? fromEnvironment : "/tmp/qv-host-drive";
}

std::string ToHostPath(const std::string& windowsPath) {
  std::string rest;
  std::string prefix;
  if (windowsPath.size() >= 2 && std::isalpha(static_cast<unsigned char>(windowsPath[0])) &&
      windowsPath[1] == ':') {
    const char drive = static_cast<char>(std::tolower(static_cast<unsigned char>(windowsPath[0])));
    // Z: is the host's own root, as under Wine.
    prefix = drive == 'z' ? std::string() : DriveRoot() + "/" + drive;
    rest = windowsPath.substr(2);
    if (!rest.empty() && !IsSeparator(rest[0])) rest.insert(0, "/");
  } else if (windowsPath.size() >= 2 && IsSeparator(windowsPath[0]) &&
             IsSeparator(windowsPath[1])) {
    prefix = DriveRoot() + "/unc";
    rest = windowsPath.substr(1);
  } else if (!windowsPath.empty() && IsSeparator(windowsPath[0])) {
    prefix = DriveRoot() + "/c";
    rest = windowsPath;
  } else {
    rest = windowsPath;
  }
  for (char& c : rest) {
    if (c == '\\') c = '/';
  }
  return prefix + rest;
}

const std::string* CommonAppDataFolder() { return g_appDataPresent ? &AppData() : nullptr; }

ScopedDriveRoot::ScopedDriveRoot(std::string root)
    : m_previous(std::exchange(RootOverride(), std::move(root))) {}
ScopedDriveRoot::~ScopedDriveRoot() { RootOverride() = std::move(m_previous); }

ScopedCommonAppData::ScopedCommonAppData(const char* folder)
    : m_previousPresent(g_appDataPresent), m_previous(AppData()) {
  g_appDataPresent = folder != nullptr;
  if (folder) AppData() = folder;
}
ScopedCommonAppData::~ScopedCommonAppData() {
  g_appDataPresent = m_previousPresent;
  AppData() = m_previous;
}

FileFaults& Faults() { return CurrentFaults(); }

ScopedFileFaults::ScopedFileFaults(FileFaults faults)
    : m_previous(std::exchange(CurrentFaults(), std::move(faults))) {}
ScopedFileFaults::~ScopedFileFaults() { CurrentFaults() = std::move(m_previous); }

}  // namespace platform::host
