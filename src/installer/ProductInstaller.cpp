#include "installer/ProductInstaller.h"

#include <cstring>

#include "base/NarrowString.h"
#include "base/QvException.h"
#include "installer/PropertyString.h"
#include "msi/ProductFinder2.h"
#include "platform/MsiService.h"

namespace {
constexpr std::uint32_t kLogMode =
    0x3FDF;                               // every INSTALLLOGMODE_ flag up to 0x2000 but FILESINUSE
constexpr std::uint32_t kLogReplace = 0;  // replace an existing log, no flush per line
constexpr std::size_t kProductCodeBuffer = 64;
}  // namespace

CProductInstaller::CProductInstaller(CRefCountPtr<CMsiPackageDesc> package, bool logging)
    : m_ownerWindow(nullptr), m_logging(logging), m_sameProduct(false) {
  m_packages.push_back(package);
}

CProductInstaller::~CProductInstaller() = default;

CRefCountPtr<CMsiPackageDesc> CProductInstaller::GetDefaultPackage() {
  if (m_packages.empty()) return CRefCountPtr<CMsiPackageDesc>();
  return m_packages.front();
}

bool CProductInstaller::CanProceed() { return true; }

bool CProductInstaller::ConfirmUpgrade() { return true; }

QvTokenList CProductInstaller::GetFeatures() { return QvTokenList(); }

bool CProductInstaller::IsProductInstalled(const std::string& productCode) const {
  char buffer[kProductCodeBuffer] = {};
  for (std::uint32_t index = 0; msi::Service().EnumProducts(index, buffer) == msi::kSuccess;
       ++index) {
    // Byte for byte: a code that differs only in letter case is another product.
    if (productCode == std::string(buffer, strnlen(buffer, sizeof(buffer)))) return true;
  }
  return false;
}

CRefCountPtr<CMsiPackageDesc> CProductInstaller::Proceed() {
  CRefCountPtr<CMsiPackageDesc> package = m_packages.FindPackageWithRelatedProduct();
  if (package.IsNull()) package = GetDefaultPackage();
  if (package.IsNull()) {
    throw Error::QvExceptionText("ProductInstaller", "CProductInstaller::Proceed", 45,
                                 "Failed to find product to be installed.");
  }

  const std::string productCode = package->GetProductCode();
  m_sameProduct = IsProductInstalled(productCode);

  const QvFsPath packagePath = package->GetPath();
  msi::IService& service = msi::Service();
  service.SetInternalUI(msi::kUiLevelFull, &m_ownerWindow);
  if (m_logging) {
    const std::string logPath =
        FormatString("c:\\%s.log", packagePath.GetFileNameNoExtension().c_str());
    service.EnableLog(kLogMode, logPath.c_str(), kLogReplace);
  }
  if (!CanProceed()) return CRefCountPtr<CMsiPackageDesc>();

  const QvTokenList features = GetFeatures();
  m_properties = ComposeBaseProperties(m_sameProduct, features);

  const CProductFinder2 finder(package->GetUpgradeCode());
  if (finder.IsInstalledVersionOlder(package->GetProductVersion())) {
    if (!ConfirmUpgrade()) return CRefCountPtr<CMsiPackageDesc>();
    m_properties += OldInstallationPathSuffix(finder.GetOldInstallationPath());
  }
  m_properties += m_extraArguments;

  // Blocks while Windows Installer shows its own interface and does the work.
  if (service.InstallProduct(packagePath.c_str(), m_properties.c_str()) != msi::kSuccess) {
    return CRefCountPtr<CMsiPackageDesc>();
  }
  return package;
}
