#include "msi/ProductFinder2.h"

#include <algorithm>
#include <cstring>

#include "msi/ProductQueries.h"
#include "msi/SizedText.h"
#include "platform/MsiService.h"

namespace {
constexpr std::size_t kRelatedProductBuffer = 512;
constexpr std::uint32_t kVersionBuffer = 16;
constexpr std::uint32_t kLocationBuffer = 1024;
}  // namespace

CProductFinder2::CProductFinder2(const std::string& upgradeCode) {
  FindRelatedProduct(upgradeCode);
}

bool CProductFinder2::FindRelatedProduct(const std::string& upgradeCode) {
  if (upgradeCode.empty()) return false;
  char buffer[kRelatedProductBuffer] = {};
  for (std::uint32_t index = 0;; ++index) {
    if (msi::Service().EnumRelatedProducts(upgradeCode.c_str(), 0, index, buffer) !=
        msi::kSuccess) {
      return false;
    }
    if (buffer[0] != '\0') break;
  }
  ProductCode.assign(buffer, strnlen(buffer, sizeof(buffer)));
  UpgradeCode = upgradeCode;
  ProductName = QueryProductInfo(ProductCode, "ProductName");
  InstallLocation = QueryProductInfo(ProductCode, "InstallLocation");
  Publisher = QueryProductInfo(ProductCode, "Publisher");
  VersionString = QueryProductInfo(ProductCode, "VersionString");
  VersionMajor = QueryProductInfo(ProductCode, "VersionMajor");
  VersionMinor = QueryProductInfo(ProductCode, "VersionMinor");
  InstallDate = QueryProductInfo(ProductCode, "InstallDate");
  // A product with an empty InstallLocation: its folder is the component named after it.
  if (InstallLocation.empty()) InstallLocation = QueryComponentPath(ProductCode, ProductCode);
  return true;
}

bool CProductFinder2::IsInstalledVersionOlder(CVersionNumber version) const {
  // The service is asked afresh. A text that does not fit the first 16 characters is read
  // whole rather than compared cut; any answer but "more data" leaves what the buffer holds.
  const auto installed =
      msi::AskGrowing(kVersionBuffer, msi::kMoreData, [&](char* buffer, std::uint32_t* length) {
        return msi::Service().GetProductInfo(ProductCode.c_str(), "VersionString", buffer, length);
      });
  if (installed.text.empty()) return false;
  return CVersionNumber(installed.text, VersionSeparators).IsLessThan(version);
}

std::string CProductFinder2::GetOldInstallationPath() const {
  // The state is not examined, except that a folder longer than the buffer (-3) is read
  // whole instead of passed on cut. A failed lookup leaves the cleared buffer: empty text.
  const auto located = msi::AskGrowing(
      kLocationBuffer, msi::kStateMoreData, [&](char* buffer, std::uint32_t* length) {
        return msi::Service().LocateComponent(ProductCode.c_str(), buffer, length);
      });
  return located.text.substr(0, std::min<std::size_t>(located.text.size(), located.length));
}
