#include "package/PackageDesc.h"
#include "platform/MsiService.h"

namespace {
constexpr std::size_t kProductCodeBuffer = 64;
}  // namespace

CMsiPackageDescVector::~CMsiPackageDescVector() {
  for (auto& holder : *this) holder = CRefCountPtr<CMsiPackageDesc>();
}

CRefCountPtr<CMsiPackageDesc> CMsiPackageDescVector::FindPackageWithRelatedProduct() const {
  for (const auto& package : *this) {
    if (package.IsNull()) continue;
    const std::string upgradeCode = package->GetUpgradeCode();
    char buffer[kProductCodeBuffer] = {};
    // Index 0 only: the question is whether the family has any installed product at all.
    if (msi::Service().EnumRelatedProducts(upgradeCode.c_str(), 0, 0, buffer) == msi::kSuccess) {
      return package;
    }
  }
  return CRefCountPtr<CMsiPackageDesc>();
}
