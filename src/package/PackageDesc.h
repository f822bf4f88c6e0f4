#pragma once

#include <string>
#include <vector>

#include "base/RefCounted.h"
#include "msi/VersionNumber.h"
#include "package/FsPath.h"

// One embedded package, extracted to a new GUID folder of the package cache folder when the
// descriptor is made. Always held through CRefCountPtr.
class CMsiPackageDesc : public CRefCountedT<FreeThreadedModel> {
 public:
  // Writes the "MSI" resource resourceId to <cache>\{GUID}\fileName. Reports nothing: a
  // failure shows at the first property read.
  CMsiPackageDesc(unsigned short resourceId, const std::string& fileName, bool keepFile);
  // Describes a package file that is already on disk; nothing is written.
  CMsiPackageDesc(QvFsPath existingPath, bool keepFile);
  // Deletes the file when keep file is false; the GUID folder always stays.
  ~CMsiPackageDesc() override;

  QvFsPath GetPath() const { return m_path; }

  // Read from the package database at the path; a failed read raises the read error.
  std::string GetProductCode() const;
  std::string GetUpgradeCode() const;
  CVersionNumber GetProductVersion() const;

 private:
  bool m_keepFile;
  QvFsPath m_path;
};

// An installer's ordered list of package descriptors.
class CMsiPackageDescVector : public std::vector<CRefCountPtr<CMsiPackageDesc>> {
 public:
  CMsiPackageDescVector() = default;
  CMsiPackageDescVector(const CMsiPackageDescVector&) = default;
  CMsiPackageDescVector& operator=(const CMsiPackageDescVector&) = default;
  // Releases the elements front to back.
  virtual ~CMsiPackageDescVector();

  // The first descriptor whose upgrade family has an installed product, or an empty holder.
  CRefCountPtr<CMsiPackageDesc> FindPackageWithRelatedProduct() const;
};

// A new GUID in registry form, {XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}; all zeros when the
// system cannot make one.
std::string CreateGuidString();

// Writes the bytes of the "MSI" resource resourceId, straight from the loaded resource, to a
// new file at path. A missing resource leaves an empty file. Reports nothing.
void WriteResourceToFile(const char* path, unsigned short resourceId);
