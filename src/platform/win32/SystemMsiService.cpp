#include "platform/MsiService.h"
#include "platform/win32/AutomationInstaller.h"
#include "platform/win32/MsiLibrary.h"

namespace msi {

namespace {

using platform::win32::MsiLibrary;

constexpr std::uint32_t kServiceUnavailable = ERROR_INSTALL_SERVICE_FAILURE;

// msi.dll's in/out lengths are DWORDs: passes *length in and the written-back length out.
template <typename Call>
auto WithDwordLength(std::uint32_t* length, Call call) {
  DWORD inOut = *length;
  const auto result = call(&inOut);
  *length = inOut;
  return result;
}

class SystemMsi : public IService {
 public:
  std::uint32_t EnumProducts(std::uint32_t index, char* buffer) override {
    const auto& msi = MsiLibrary::Instance();
    return msi.enumProducts ? msi.enumProducts(index, buffer) : kServiceUnavailable;
  }
  std::uint32_t EnumRelatedProducts(const char* upgradeCode, std::uint32_t reserved,
                                    std::uint32_t index, char* buffer) override {
    const auto& msi = MsiLibrary::Instance();
    return msi.enumRelatedProducts ? msi.enumRelatedProducts(upgradeCode, reserved, index, buffer)
                                   : kServiceUnavailable;
  }
  std::uint32_t GetProductInfo(const char* product, const char* attribute, char* buffer,
                               std::uint32_t* length) override {
    const auto& msi = MsiLibrary::Instance();
    if (!msi.getProductInfo) return kServiceUnavailable;
    return WithDwordLength(length, [&](DWORD* inOut) {
      return msi.getProductInfo(product, attribute, buffer, inOut);
    });
  }
  std::int32_t GetComponentPath(const char* product, const char* component, char* buffer,
                                std::uint32_t* length) override {
    const auto& msi = MsiLibrary::Instance();
    if (!msi.getComponentPath) return INSTALLSTATE_UNKNOWN;
    return WithDwordLength(length, [&](DWORD* inOut) {
      return msi.getComponentPath(product, component, buffer, inOut);
    });
  }
  std::int32_t LocateComponent(const char* component, char* buffer,
                               std::uint32_t* length) override {
    const auto& msi = MsiLibrary::Instance();
    if (!msi.locateComponent) return INSTALLSTATE_UNKNOWN;
    return WithDwordLength(
        length, [&](DWORD* inOut) { return msi.locateComponent(component, buffer, inOut); });
  }
  int SetInternalUI(int level, void** ownerWindow) override {
    const auto& msi = MsiLibrary::Instance();
    if (!msi.setInternalUI) return INSTALLUILEVEL_NOCHANGE;
    return msi.setInternalUI(static_cast<INSTALLUILEVEL>(level),
                             reinterpret_cast<HWND*>(ownerWindow));
  }
  std::uint32_t EnableLog(std::uint32_t mode, const char* path, std::uint32_t attributes) override {
    const auto& msi = MsiLibrary::Instance();
    return msi.enableLog ? msi.enableLog(mode, path, attributes) : kServiceUnavailable;
  }
  std::uint32_t InstallProduct(const char* packagePath, const char* properties) override {
    const auto& msi = MsiLibrary::Instance();
    return msi.installProduct ? msi.installProduct(packagePath, properties) : kServiceUnavailable;
  }
  std::uint32_t CheckBindings(std::string* missing) override {
    const auto& msi = MsiLibrary::Instance();
    *missing = msi.missingEntry ? msi.missingEntry : "";
    return msi.error;
  }
  std::int32_t CreateInstallerObject(std::unique_ptr<IInstallerObject>* object) override {
    return platform::win32::AutomationInstaller::Create(object);
  }
};

}  // namespace

IService& SystemService() {
  static SystemMsi service;
  return service;
}

}  // namespace msi
