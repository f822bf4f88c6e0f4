#include "app/CreateProductInstaller.h"

#include "app/OsVersionInfo.h"
#include "installer/ProductInstallerBase.h"

std::shared_ptr<CProductInstaller> CreateProductInstaller() {
  const QvOsVersionInfo os;
  // shared_ptr destroys the installer if its ownership record cannot be allocated.
  if (os.m_is64BitWindows) return std::shared_ptr<CProductInstaller>(new CProductInstallerX64());
  return std::shared_ptr<CProductInstaller>(new CProductInstallerX86());
}
