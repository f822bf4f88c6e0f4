#include "package/PackageDesc.h"

#include <cstring>
#include <vector>

#include "base/NarrowString.h"
#include "base/QvException.h"
#include "framework/Afx.h"
#include "package/FileWrite.h"
#include "package/Folders.h"
#include "platform/FileSystem.h"
#include "platform/Guid.h"

namespace {
constexpr const char* kSource = "PackageDesc";
constexpr const char* kConstructor = "CMsiPackageDesc::CMsiPackageDesc";
constexpr const char* kWriteResource = "WriteResourceToFile";
constexpr std::size_t kCompareChunk = 64 * 1024;

// With a system code the message adds the system's text; without one it is the text alone.
[[noreturn]] void Fail(const char* function, int line, platform::ErrorCode error,
                       std::string text) {
  if (error != 0) {
    throw Error::QvExceptionCommon(kSource, function, line, error, std::move(text));
  }
  throw Error::QvExceptionText(kSource, function, line, std::move(text));
}

// Reads the file from its start in chunks and compares it with resource: no second copy of
// the package is made.
void CompareWithResource(const QvFileHandle& file, const char* path,
                         const platform::ResourceBytes& resource) {
  const auto* expected = static_cast<const unsigned char*>(resource.data);
  std::vector<unsigned char> chunk(kCompareChunk);
  std::size_t offset = 0;
  bool same = true;
  for (;;) {
    std::size_t read = 0;
    const platform::ErrorCode error =
        platform::ReadBytes(file.Handle(), chunk.data(), chunk.size(), &read);
    if (error != 0)
      Fail(kWriteResource, __LINE__, error, FormatString("Failed to read file '%s'.", path));
    if (read == 0) break;
    // Bytes past the resource's end differ as much as changed ones.
    if (read > resource.size - offset || std::memcmp(chunk.data(), expected + offset, read) != 0) {
      same = false;
      break;
    }
    offset += read;
  }
  if (!same || offset != resource.size) {
    Fail(kWriteResource, __LINE__, 0,
         FormatString("File '%s' does not hold the package that was written to it.", path));
  }
}
}  // namespace

CMsiPackageDesc::CMsiPackageDesc(unsigned short resourceId, const std::string& fileName,
                                 bool keepFile)
    : m_keepFile(keepFile) {
  CacheFolderFailure failure;
  m_path = GetPackageCacheFolder(&failure);
  if (m_path.empty()) {
    if (failure.folder.empty()) {
      Fail(kConstructor, __LINE__, 0, "Failed to find the common application data folder.");
    }
    Fail(kConstructor, __LINE__, failure.error,
         FormatString("Failed to create folder '%s'.", failure.folder.c_str()));
  }
  m_path.AppendComponent(CreateGuidString().c_str());
  const QvFsPath folder = m_path;
  m_path.AppendComponent(fileName.c_str());

  const platform::ResourceBytes resource =
      platform::FindMsiResource(AfxGetResourceHandle(), resourceId);
  if (resource.data == nullptr || resource.size == 0) {
    Fail(kConstructor, __LINE__, 0,
         FormatString("Failed to find the package for file '%s' in the setup program.",
                      m_path.c_str()));
  }

  // New, never reused: a folder that is already there may belong to someone else.
  platform::ErrorCode error = platform::MakePrivateDirectory(folder);
  if (error != 0) {
    Fail(kConstructor, __LINE__, error,
         FormatString("Failed to create folder '%s'.", folder.c_str()));
  }
  try {
    m_folder = QvFileHandle(platform::OpenFolderDenyingDelete(folder, &error));
    if (!m_folder.IsValid()) {
      Fail(kConstructor, __LINE__, error,
           FormatString("Failed to open folder '%s'.", folder.c_str()));
    }
    m_package = WriteResourceToFile(m_path.c_str(), resource);
  } catch (...) {
    // The folder is this run's own and empty again: nothing of the failed run stays.
    m_folder.Close();
    platform::RemoveEmptyDirectory(folder);
    throw;
  }
}

CMsiPackageDesc::CMsiPackageDesc(QvFsPath existingPath, bool keepFile)
    : m_keepFile(keepFile), m_path(std::move(existingPath)) {}

CMsiPackageDesc::~CMsiPackageDesc() {
  // A file held without delete sharing cannot be deleted, not even by its holder.
  m_package.Close();
  if (!m_keepFile) platform::RemoveFile(m_path);
}

std::string CreateGuidString() {
  std::uint8_t bytes[16] = {};
  // On failure the GUID stays all zero, and the folder is named after it.
  platform::CreateGuidBytes(bytes);
  char16_t text[128] = {};
  platform::GuidToRegistryText(bytes, text, 127);
  return WideToNarrow(text);
}

QvFileHandle WriteResourceToFile(const char* path, const platform::ResourceBytes& resource) {
  const std::string target = FromCText(path);
  platform::ErrorCode error = 0;
  {
    QvFileWrite file(platform::CreateNewFileForWrite(target, &error));
    if (!file.IsValid()) {
      Fail(kWriteResource, __LINE__, error, FormatString("Failed to create file '%s'.", path));
    }
    // Straight from the loaded resource: no copy of the package is made.
    std::size_t written = 0;
    error = platform::WriteAllBytes(file.Handle(), resource.data, resource.size, &written);
    if (error != 0 || written != resource.size) {
      file.Close();
      platform::RemoveFile(target);
      Fail(kWriteResource, __LINE__, error,
           FormatString("Failed to write file '%s': %lu of %lu bytes written.", path,
                        static_cast<unsigned long>(written),
                        static_cast<unsigned long>(resource.size)));
    }
  }
  QvFileHandle held(platform::OpenFileForSharedRead(target, &error));
  if (!held.IsValid()) {
    platform::RemoveFile(target);
    Fail(kWriteResource, __LINE__, error,
         FormatString("Failed to open file '%s' for reading.", path));
  }
  try {
    CompareWithResource(held, path, resource);
  } catch (...) {
    held.Close();
    platform::RemoveFile(target);
    throw;
  }
  return held;
}
