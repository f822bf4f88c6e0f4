#pragma once

#include <string>

#include "msi/VersionNumber.h"

// The first installed product of an upgrade family, with what Windows Installer knows of it.
// An empty ProductCode means that none was found.
class CProductFinder2 {
 public:
  explicit CProductFinder2(const std::string& upgradeCode);
  CProductFinder2(const CProductFinder2&) = delete;
  CProductFinder2& operator=(const CProductFinder2&) = delete;
  virtual ~CProductFinder2() = default;

  // Fills the record from the first product the service lists for the family.
  bool FindRelatedProduct(const std::string& upgradeCode);
  // True when the installed product's VersionString is strictly lower than version.
  bool IsInstalledVersionOlder(CVersionNumber version) const;
  // The installed product's folder, from the component whose code is its product code.
  std::string GetOldInstallationPath() const;

  std::string UpgradeCode;
  std::string ProductCode;
  std::string ProductName;
  std::string InstallLocation;
  std::string Publisher;
  std::string VersionString;
  std::string VersionMajor;
  std::string VersionMinor;
  std::string InstallDate;
};
