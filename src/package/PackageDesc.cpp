#include "package/PackageDesc.h"

#include "framework/Afx.h"
#include "base/NarrowString.h"
#include "package/FileWrite.h"
#include "package/Folders.h"
#include "platform/FileSystem.h"
#include "platform/Guid.h"
#include "platform/Resources.h"

CMsiPackageDesc::CMsiPackageDesc(unsigned short resourceId, const std::string& fileName,
                                 bool keepFile)
    : m_keepFile(keepFile) {
  m_path = GetPackageCacheFolder();
  m_path.AppendComponent(CreateGuidString().c_str());
  // A folder that cannot be made shows later, as a package that cannot be read.
  m_path.CreateDirectoryTree();
  m_path.AppendComponent(fileName.c_str());
  WriteResourceToFile(m_path.c_str(), resourceId);
}

CMsiPackageDesc::CMsiPackageDesc(QvFsPath existingPath, bool keepFile)
    : m_keepFile(keepFile), m_path(std::move(existingPath)) {}

CMsiPackageDesc::~CMsiPackageDesc() {
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

void WriteResourceToFile(const char* path, unsigned short resourceId) {
  const std::string target = FromCText(path);
  platform::RemoveFile(target);
  const platform::ResourceBytes resource =
      platform::FindMsiResource(AfxGetResourceHandle(), resourceId);
  const QvFileWrite file(platform::OpenFileForWrite(target));
  if (!file.IsValid() || resource.data == nullptr) return;
  // One write straight from the loaded resource: no copy of the package is made.
  platform::WriteBytes(file.Handle(), resource.data, resource.size);
}
