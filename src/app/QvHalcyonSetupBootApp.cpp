#include "app/QvHalcyonSetupBootApp.h"

#include "app/CreateProductInstaller.h"
#include "base/QvException.h"
#include "msi/RequireService.h"

bool QvHalcyonSetupBootApp::InitInstance() {
  // A failure here shows later, as the automation object's creation error.
  AfxOleInit();
  SetApplicationName(kApplicationName);
  try {
    // Without Windows Installer nothing can be installed: say so before anything is written.
    msi::RequireService();
    std::shared_ptr<CProductInstaller> installer = CreateProductInstaller();
    installer->Proceed();
    installer.reset();
  } catch (const Error::QvException& error) {
    // The installer went with the stack before anything is shown.
    error.Report();
  }
  return false;
}
