#include "platform/MsiService.h"
#include "platform/posix/LibmsiInstaller.h"

namespace msi {

namespace {

constexpr std::uint32_t kPlatformUnsupported = 1633;  // ERROR_INSTALL_PLATFORM_UNSUPPORTED

// The host has a package reader but no Windows Installer: nothing is installed there and
// nothing can be.
class HostMsi : public IService {
 public:
  std::uint32_t EnumProducts(std::uint32_t, char*) override { return kNoMoreItems; }
  std::uint32_t EnumRelatedProducts(const char*, std::uint32_t, std::uint32_t, char*) override {
    return kNoMoreItems;
  }
  std::uint32_t GetProductInfo(const char*, const char*, char*, std::uint32_t*) override {
    return kUnknownProduct;
  }
  std::int32_t GetComponentPath(const char*, const char*, char*, std::uint32_t*) override {
    return kStateUnknown;
  }
  std::int32_t LocateComponent(const char*, char*, std::uint32_t*) override {
    return kStateUnknown;
  }
  int SetInternalUI(int, void**) override { return kUiLevelFull; }
  std::uint32_t EnableLog(std::uint32_t, const char*, std::uint32_t) override { return kSuccess; }
  std::uint32_t InstallProduct(const char*, const char*) override { return kPlatformUnsupported; }
  // Every operation has its stand-in.
  std::uint32_t CheckBindings(std::string* missing) override {
    missing->clear();
    return kSuccess;
  }
  std::int32_t CreateInstallerObject(std::unique_ptr<IInstallerObject>* object) override {
    *object = std::make_unique<platform::host::LibmsiInstaller>();
    return 0;
  }
};

}  // namespace

IService& SystemService() {
  static HostMsi service;
  return service;
}

}  // namespace msi
