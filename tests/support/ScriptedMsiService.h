#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/MsiService.h"

// A Windows Installer that answers from tables and records every call with its arguments.
// Sized calls behave as msi.dll does: a value that does not fit answers "more data" with
// the length needed (terminator excluded).
class ScriptedMsiService : public msi::IService {
 public:
  struct Call {
    std::string name;
    std::vector<std::string> arguments;
  };

  // Answers of EnumProducts, in index order.
  std::vector<std::string> installedProducts;
  // Upgrade code -> the codes EnumRelatedProducts lists, in index order.
  std::map<std::string, std::vector<std::string>> relatedProducts;
  // (product, attribute) -> value; a missing pair answers 1605.
  std::map<std::pair<std::string, std::string>, std::string> productInfo;
  // (product, component) -> path; a missing pair answers INSTALLSTATE_UNKNOWN.
  std::map<std::pair<std::string, std::string>, std::string> componentPaths;
  // component -> path for LocateComponent.
  std::map<std::string, std::string> locatedComponents;
  std::uint32_t installResult = 0;
  // Non-zero: CreateInstallerObject fails with this HRESULT. Otherwise the system's own
  // reader answers, so package reads use the real package files.
  std::int32_t createResult = 0;
  // What CheckBindings answers (not recorded as a call: msi.dll is not asked).
  std::uint32_t bindingsError = 0;
  std::string missingEntry;

  std::vector<Call> calls;
  // The names of the calls, in order.
  std::vector<std::string> CallNames() const;
  // The calls with this name.
  std::vector<Call> CallsNamed(const std::string& name) const;

  std::uint32_t EnumProducts(std::uint32_t index, char* buffer) override;
  std::uint32_t EnumRelatedProducts(const char* upgradeCode, std::uint32_t reserved,
                                    std::uint32_t index, char* buffer) override;
  std::uint32_t GetProductInfo(const char* product, const char* attribute, char* buffer,
                               std::uint32_t* length) override;
  std::int32_t GetComponentPath(const char* product, const char* component, char* buffer,
                                std::uint32_t* length) override;
  std::int32_t LocateComponent(const char* component, char* buffer, std::uint32_t* length) override;
  int SetInternalUI(int level, void** ownerWindow) override;
  std::uint32_t EnableLog(std::uint32_t mode, const char* path, std::uint32_t attributes) override;
  std::uint32_t InstallProduct(const char* packagePath, const char* properties) override;
  std::uint32_t CheckBindings(std::string* missing) override {
    *missing = missingEntry;
    return bindingsError;
  }
  std::int32_t CreateInstallerObject(std::unique_ptr<msi::IInstallerObject>* object) override;
};
