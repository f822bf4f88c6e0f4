#pragma once

#include <memory>
#include <string>

#include "platform/MsiService.h"

// Reads one row of a package database's Property table through the automation object.
class CMsiSql {
 public:
  // Creates the automation object; raises Error::QvExceptionCommon when it cannot.
  CMsiSql();
  CMsiSql(const CMsiSql&) = delete;
  CMsiSql& operator=(const CMsiSql&) = delete;
  virtual ~CMsiSql();

  // The property's value, empty when the package has no such row. A failed read raises
  // Error::QvExceptionText naming the property and the path.
  std::string GetProperty(std::string packagePath, std::string propertyName);

 private:
  std::unique_ptr<msi::IInstallerObject> m_installer;
};
