#include "installer/ProductInstallerBase.h"

#include "framework/Afx.h"
#include "platform/MessageBox.h"

namespace {
constexpr unsigned kYesNoQuestion = 0x24;  // MB_YESNO | MB_ICONQUESTION

const char* const kUpgradeQuestion =
    "The installer has detected that an older version of the program is installed on this "
    "machine. The installer will now remove the old version and replace it with the new one. "
    "All settings will be retained.\nDo you want to continue?";

// Extracts the package at once: it is on disk as soon as the variant exists.
CRefCountPtr<CMsiPackageDesc> ExtractPackage(unsigned short resourceId, const char* fileName) {
  return CRefCountPtr<CMsiPackageDesc>(new CMsiPackageDesc(resourceId, fileName, true));
}
}  // namespace

CProductInstallerBase::CProductInstallerBase(bool logging, CRefCountPtr<CMsiPackageDesc> package)
    : CProductInstaller(package, logging) {}

bool CProductInstallerBase::ConfirmUpgrade() {
  return AfxMessageBox(kUpgradeQuestion, kYesNoQuestion, 0) == platform::kIdYes;
}

CProductInstallerX64::CProductInstallerX64()
    : CProductInstallerBase(false, ExtractPackage(kResourceId, kFileName)) {}

CProductInstallerX86::CProductInstallerX86()
    : CProductInstallerBase(false, ExtractPackage(kResourceId, kFileName)) {}
