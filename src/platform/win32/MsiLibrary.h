#pragma once

#include "platform/win32/Owners.h"

namespace platform::win32 {

// msi.dll, bound at run time from the system folder, so that the loader never resolves it
// (from the executable's folder first) before any of our code runs.
class MsiLibrary {
 public:
  static const MsiLibrary& Instance();

  decltype(&::MsiEnumProductsA) enumProducts = nullptr;
  decltype(&::MsiEnumRelatedProductsA) enumRelatedProducts = nullptr;
  decltype(&::MsiGetProductInfoA) getProductInfo = nullptr;
  decltype(&::MsiGetComponentPathA) getComponentPath = nullptr;
  decltype(&::MsiLocateComponentA) locateComponent = nullptr;
  decltype(&::MsiSetInternalUI) setInternalUI = nullptr;
  decltype(&::MsiEnableLogA) enableLog = nullptr;
  decltype(&::MsiInstallProductA) installProduct = nullptr;

  // 0 when msi.dll loaded with every entry above; otherwise the code of the failed load, or
  // of the first failed lookup with that entry's name.
  DWORD error = ERROR_SUCCESS;
  const char* missingEntry = nullptr;

 private:
  MsiLibrary();
  template <typename Function>
  void Bind(const char* name, Function& target);
  UniqueModule m_module;
};

}  // namespace platform::win32
