#pragma once

#include <string>
#include <vector>

#include "base/RefCounted.h"
#include "msi/VersionNumber.h"
#include "package/FileHandle.h"
#include "package/FsPath.h"
#include "platform/Resources.h"

// One embedded package, extracted to a new GUID folder of the package cache folder when the
// descriptor is made. Always held through CRefCountPtr.
//
// The cache folder is machine-wide and Windows Installer's service reads the package with
// more rights than the user, so the package is held from extraction until the descriptor is
// destroyed (after the install call): nobody may write, delete or rename the file, nor
// rename or delete its folder, while the descriptor lives.
class CMsiPackageDesc : public CRefCountedT<FreeThreadedModel> {
 public:
  // Writes the "MSI" resource resourceId to <cache>\{GUID}\fileName: the GUID folder is
  // created new and private, the file new; every byte is written, and the file is opened
  // again for reading and compared with the resource before anything reads it. A failure
  // raises an error of the Error::QvException family naming the path and the system's
  // reason; the file and the GUID folder it made are removed again.
  CMsiPackageDesc(unsigned short resourceId, const std::string& fileName, bool keepFile);
  // Describes a package file that is already on disk; nothing is written.
  CMsiPackageDesc(QvFsPath existingPath, bool keepFile);
  // Lets the file and its folder go; deletes the file when keep file is false. The GUID
  // folder always stays.
  ~CMsiPackageDesc() override;

  QvFsPath GetPath() const { return m_path; }

  // Read from the package database at the path; a failed read raises the read error.
  std::string GetProductCode() const;
  std::string GetUpgradeCode() const;
  CVersionNumber GetProductVersion() const;

 private:
  bool m_keepFile;
  QvFsPath m_path;
  // Held so that the folder cannot be renamed away under the file.
  QvFileHandle m_folder;
  // Held read-only, sharing only reading.
  QvFileHandle m_package;
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

// Writes resource, straight from the loaded bytes, to a new file at path, opens it again for
// reading and compares it with resource; returns that read handle. A failure raises an error
// of the Error::QvException family after the file is removed.
QvFileHandle WriteResourceToFile(const char* path, const platform::ResourceBytes& resource);
