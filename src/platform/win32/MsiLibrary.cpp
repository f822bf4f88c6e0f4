#include "platform/win32/MsiLibrary.h"

#include "platform/Module.h"

namespace platform::win32 {

template <typename Function>
void MsiLibrary::Bind(const char* name, Function& target) {
  target = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(m_module.Get(), name)));
  if (target == nullptr && missingEntry == nullptr) {
    error = GetLastError();
    missingEntry = name;
  }
}

MsiLibrary::MsiLibrary() : m_module(static_cast<HMODULE>(LoadSystemLibrary("msi.dll"))) {
  if (!m_module.IsValid()) {
    error = GetLastError();
    return;
  }
  Bind("MsiEnumProductsA", enumProducts);
  Bind("MsiEnumRelatedProductsA", enumRelatedProducts);
  Bind("MsiGetProductInfoA", getProductInfo);
  Bind("MsiGetComponentPathA", getComponentPath);
  Bind("MsiLocateComponentA", locateComponent);
  Bind("MsiSetInternalUI", setInternalUI);
  Bind("MsiEnableLogA", enableLog);
  Bind("MsiInstallProductA", installProduct);
}

const MsiLibrary& MsiLibrary::Instance() {
  // Loaded on first use and kept until the process ends.
  static const MsiLibrary library;
  return library;
}

}  // namespace platform::win32
