#pragma once

#include <string>

#include "base/RefCounted.h"
#include "package/PackageDesc.h"
#include "package/TokenList.h"

// Root of the installer classes: the packages it can install, the state of one install run,
// the install procedure and the operations that procedure consults.
class CProductInstaller {
 public:
  CProductInstaller(CRefCountPtr<CMsiPackageDesc> package, bool logging);
  CProductInstaller(const CProductInstaller&) = delete;
  CProductInstaller& operator=(const CProductInstaller&) = delete;
  virtual ~CProductInstaller();

  // The first package of the list, or an empty holder.
  virtual CRefCountPtr<CMsiPackageDesc> GetDefaultPackage();
  virtual bool CanProceed();
  // Whether an older installed version may be replaced; here without asking.
  virtual bool ConfirmUpgrade();
  // A new, empty list on every call.
  virtual QvTokenList GetFeatures();

  // Installs, reinstalls or upgrades the chosen package. Returns its descriptor when Windows
  // Installer answered 0, else an empty holder. Raises Error::QvExceptionText when there is
  // no package; errors of the package reads pass through.
  CRefCountPtr<CMsiPackageDesc> Proceed();

  const CMsiPackageDescVector& Packages() const { return m_packages; }
  bool SameProductInstalled() const { return m_sameProduct; }
  const std::string& PropertyString() const { return m_properties; }
  void SetExtraArguments(std::string arguments) { m_extraArguments = std::move(arguments); }

 private:
  bool IsProductInstalled(const std::string& productCode) const;

  void* m_ownerWindow;  // Windows Installer stores the previous owner window here
  CMsiPackageDescVector m_packages;
  bool m_logging;
  bool m_sameProduct;
  std::string m_extraArguments;
  std::string m_properties;
};
