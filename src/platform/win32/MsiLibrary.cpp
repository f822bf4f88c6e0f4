#include "platform/win32/MsiLibrary.h"

#include "platform/Module.h"

namespace platform::win32 {

namespace {
template <typename Function>
void Bind(HMODULE module, const char* name, Function& target) {
  target = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}
}  // namespace

MsiLibrary::MsiLibrary() : m_module(static_cast<HMODULE>(LoadSystemLibrary("msi.dll"))) {
  if (!m_module.IsValid()) return;
  HMODULE module = m_module.Get();
  Bind(module, "MsiEnumProductsA", enumProducts);
  Bind(module, "MsiEnumRelatedProductsA", enumRelatedProducts);
  Bind(module, "MsiGetProductInfoA", getProductInfo);
  Bind(module, "MsiGetComponentPathA", getComponentPath);
  Bind(module, "MsiLocateComponentA", locateComponent);
  Bind(module, "MsiSetInternalUI", setInternalUI);
  Bind(module, "MsiEnableLogA", enableLog);
  Bind(module, "MsiInstallProductA", installProduct);
}

const MsiLibrary& MsiLibrary::Instance() {
  // Loaded on first use and kept until the process ends.
  static const MsiLibrary library;
  return library;
}

}  // namespace platform::win32
