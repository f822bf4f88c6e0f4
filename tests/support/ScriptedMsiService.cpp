#include "ScriptedMsiService.h"

#include <cstdio>
#include <cstring>

namespace {
constexpr std::int32_t kStateLocal = 3;  // INSTALLSTATE_LOCAL

std::string Text(const char* text) { return text ? text : "(null)"; }
std::string Number(long long value) { return std::to_string(value); }

// Copies value as msi.dll does: on success *length is the length written; when it does not
// fit, *length is the length needed and the answer is "more data".
bool CopySized(const std::string& value, char* buffer, std::uint32_t* length) {
  const bool fits = value.size() < *length;
  if (fits) std::memcpy(buffer, value.c_str(), value.size() + 1);
  *length = static_cast<std::uint32_t>(value.size());
  return fits;
}
}  // namespace

std::vector<std::string> ScriptedMsiService::CallNames() const {
  std::vector<std::string> names;
  for (const Call& call : calls) names.push_back(call.name);
  return names;
}

std::vector<ScriptedMsiService::Call> ScriptedMsiService::CallsNamed(
    const std::string& name) const {
  std::vector<Call> found;
  for (const Call& call : calls) {
    if (call.name == name) found.push_back(call);
  }
  return found;
}

std::uint32_t ScriptedMsiService::EnumProducts(std::uint32_t index, char* buffer) {
  calls.push_back({"MsiEnumProductsA", {Number(index)}});
  if (index >= installedProducts.size()) return msi::kNoMoreItems;
  std::snprintf(buffer, 64, "%s", installedProducts[index].c_str());
  return msi::kSuccess;
}

std::uint32_t ScriptedMsiService::EnumRelatedProducts(const char* upgradeCode,
                                                      std::uint32_t reserved, std::uint32_t index,
                                                      char* buffer) {
  calls.push_back(
      {"MsiEnumRelatedProductsA", {Text(upgradeCode), Number(reserved), Number(index)}});
  const auto family = relatedProducts.find(Text(upgradeCode));
  if (family == relatedProducts.end() || index >= family->second.size()) return msi::kNoMoreItems;
  std::snprintf(buffer, 39, "%s", family->second[index].c_str());
  return msi::kSuccess;
}

std::uint32_t ScriptedMsiService::GetProductInfo(const char* product, const char* attribute,
                                                 char* buffer, std::uint32_t* length) {
  calls.push_back({"MsiGetProductInfoA", {Text(product), Text(attribute), Number(*length)}});
  const auto value = productInfo.find({Text(product), Text(attribute)});
  if (value == productInfo.end()) return msi::kUnknownProduct;
  return CopySized(value->second, buffer, length) ? msi::kSuccess : msi::kMoreData;
}

std::int32_t ScriptedMsiService::GetComponentPath(const char* product, const char* component,
                                                  char* buffer, std::uint32_t* length) {
  calls.push_back({"MsiGetComponentPathA", {Text(product), Text(component), Number(*length)}});
  const auto path = componentPaths.find({Text(product), Text(component)});
  if (path == componentPaths.end()) return msi::kStateUnknown;
  return CopySized(path->second, buffer, length) ? kStateLocal : msi::kStateMoreData;
}

std::int32_t ScriptedMsiService::LocateComponent(const char* component, char* buffer,
                                                 std::uint32_t* length) {
  calls.push_back({"MsiLocateComponentA", {Text(component), Number(*length)}});
  const auto path = locatedComponents.find(Text(component));
  if (path == locatedComponents.end()) return msi::kStateUnknown;
  return CopySized(path->second, buffer, length) ? kStateLocal : msi::kStateMoreData;
}

int ScriptedMsiService::SetInternalUI(int level, void** ownerWindow) {
  calls.push_back({"MsiSetInternalUI",
                   {Number(level), ownerWindow ? "owner" : "(null)",
                    ownerWindow && *ownerWindow ? "set" : "null"}});
  return msi::kUiLevelFull;
}

std::uint32_t ScriptedMsiService::EnableLog(std::uint32_t mode, const char* path,
                                            std::uint32_t attributes) {
  calls.push_back({"MsiEnableLogA", {Number(mode), Text(path), Number(attributes)}});
  return msi::kSuccess;
}

std::uint32_t ScriptedMsiService::InstallProduct(const char* packagePath, const char* properties) {
  calls.push_back({"MsiInstallProductA", {Text(packagePath), Text(properties)}});
  return installResult;
}

std::int32_t ScriptedMsiService::CreateInstallerObject(
    std::unique_ptr<msi::IInstallerObject>* object) {
  calls.push_back({"CreateInstallerObject", {}});
  if (createResult != 0) return createResult;
  return msi::SystemService().CreateInstallerObject(object);
}
