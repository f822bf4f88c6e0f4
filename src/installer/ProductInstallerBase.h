#pragma once

#include "installer/ProductInstaller.h"

// Adds the question the user answers before an older installed version is replaced.
class CProductInstallerBase : public CProductInstaller {
 public:
  CProductInstallerBase(bool logging, CRefCountPtr<CMsiPackageDesc> package);

  // True only when the user answers Yes; a box that fails to appear counts as No.
  bool ConfirmUpgrade() override;
};

// The platform variants only choose their embedded package.
class CProductInstallerX64 : public CProductInstallerBase {
 public:
  static constexpr unsigned short kResourceId = 129;
  static constexpr const char* kFileName = "QvHalcyonSetupENx64.msi";
  CProductInstallerX64();
};

class CProductInstallerX86 : public CProductInstallerBase {
 public:
  static constexpr unsigned short kResourceId = 130;
  static constexpr const char* kFileName = "QvHalcyonSetupENx86.msi";
  CProductInstallerX86();
};
