#include <gtest/gtest.h>

#include "Fixtures.h"
#include "ScriptedMsiService.h"
#include "msi/ProductFinder2.h"
#include "msi/ProductQueries.h"
#include "package/PackageDesc.h"

namespace {

const char* const kFamily = "{11111111-0000-0000-0000-000000000001}";
const char* const kFirst = "{22222222-0000-0000-0000-000000000001}";
const char* const kSecond = "{22222222-0000-0000-0000-000000000002}";

class ProductFinder : public ::testing::Test {
 protected:
  ScriptedMsiService service;
  msi::ScopedServiceOverride scope{service};
};

TEST_F(ProductFinder, FindsTheProductListedAtIndexZeroAndFillsTheRecord) {
  service.relatedProducts[kFamily] = {kFirst, kSecond};
  service.productInfo[{kFirst, "ProductName"}] = "Quenvar Halcyon";
  service.productInfo[{kFirst, "InstallLocation"}] = "C:\\Halcyon";
  service.productInfo[{kFirst, "Publisher"}] = "Quenvar";
  service.productInfo[{kFirst, "VersionString"}] = "1.0.4";
  service.productInfo[{kFirst, "VersionMajor"}] = "1";
  service.productInfo[{kFirst, "VersionMinor"}] = "0";
  service.productInfo[{kFirst, "InstallDate"}] = "20261210";
  const CProductFinder2 finder(kFamily);
  EXPECT_EQ(kFamily, finder.UpgradeCode);
  EXPECT_EQ(kFirst, finder.ProductCode);
  EXPECT_EQ("Quenvar Halcyon", finder.ProductName);
  EXPECT_EQ("C:\\Halcyon", finder.InstallLocation);
  EXPECT_EQ("Quenvar", finder.Publisher);
  EXPECT_EQ("1.0.4", finder.VersionString);
  EXPECT_EQ("1", finder.VersionMajor);
  EXPECT_EQ("0", finder.VersionMinor);
  EXPECT_EQ("20261210", finder.InstallDate);
  EXPECT_TRUE(service.CallsNamed("MsiGetComponentPathA").empty());
}

TEST_F(ProductFinder, EmptyAnswerMovesToTheNextIndex) {
  service.relatedProducts[kFamily] = {"", kSecond};
  const CProductFinder2 finder(kFamily);
  EXPECT_EQ(kSecond, finder.ProductCode);
}

TEST_F(ProductFinder, EmptyUpgradeCodeAsksNothing) {
  const CProductFinder2 finder("");
  EXPECT_EQ("", finder.ProductCode);
  EXPECT_TRUE(service.calls.empty());
  EXPECT_FALSE(finder.IsInstalledVersionOlder(CVersionNumber("9", VersionSeparators)));
  EXPECT_EQ("", finder.GetOldInstallationPath());
}

TEST_F(ProductFinder, NothingInstalledLeavesAnEmptyRecord) {
  const CProductFinder2 finder(kFamily);
  EXPECT_EQ("", finder.ProductCode);
  EXPECT_EQ("", finder.UpgradeCode);
}

TEST_F(ProductFinder, EmptyInstallLocationFallsBackToTheProductsComponent) {
  service.relatedProducts[kFamily] = {kFirst};
  service.productInfo[{kFirst, "InstallLocation"}] = "";
  service.componentPaths[{kFirst, kFirst}] = "C:\\Program Files\\Halcyon\\";
  const CProductFinder2 finder(kFamily);
  EXPECT_EQ("C:\\Program Files\\Halcyon\\", finder.InstallLocation);
}

TEST_F(ProductFinder, LongValuesComeBackWholeAfterOneEnlargement) {
  const std::string longValue(300, 'v');
  service.productInfo[{kFirst, "Publisher"}] = longValue;
  service.componentPaths[{kFirst, kFirst}] = "C:\\" + longValue;
  EXPECT_EQ(longValue, QueryProductInfo(kFirst, "Publisher"));
  EXPECT_EQ("C:\\" + longValue, QueryComponentPath(kFirst, kFirst));
  const auto infoCalls = service.CallsNamed("MsiGetProductInfoA");
  ASSERT_EQ(2u, infoCalls.size());
  EXPECT_EQ("260", infoCalls[0].arguments[2]);
  EXPECT_EQ("301", infoCalls[1].arguments[2]);
  const auto pathCalls = service.CallsNamed("MsiGetComponentPathA");
  ASSERT_EQ(2u, pathCalls.size());
  EXPECT_EQ("304", pathCalls[1].arguments[2]);
}

TEST_F(ProductFinder, QueriesGiveEmptyTextsForFailures) {
  EXPECT_EQ("", QueryProductInfo("", "ProductName"));
  EXPECT_EQ("", QueryProductInfo(kFirst, "ProductName"));
  EXPECT_EQ("", QueryComponentPath(kFirst, kFirst));
  EXPECT_EQ("", QueryComponentPath("", kFirst));
}

TEST_F(ProductFinder, InstalledVersionOlder) {
  struct Case {
    const char* installed;
    const char* package;
    bool older;
  };
  const Case kCases[] = {
      {"1.0.4", "1.0.5", true},
      {"1.0.5", "1.0.5.0", false},
      {"2.0", "1.9", false},
      {"", "1.0", false},
      {"1.9", "1.10", true},
      // Longer than the first 16-character buffer: read whole, not compared cut.
      {"1.2.3.4.5.6.7.8.1", "1.2.3.4.5.6.7.8.2", true},
      {"0000000000000001.5", "1.4", false},
  };
  service.relatedProducts[kFamily] = {kFirst};
  for (const Case& c : kCases) {
    SCOPED_TRACE(std::string(c.installed) + " vs " + c.package);
    service.productInfo[{kFirst, "VersionString"}] = c.installed;
    const CProductFinder2 finder(kFamily);
    EXPECT_EQ(c.older,
              finder.IsInstalledVersionOlder(CVersionNumber(c.package, VersionSeparators)));
  }
}

TEST_F(ProductFinder, NoVersionStringIsNotOlder) {
  service.relatedProducts[kFamily] = {kFirst};
  const CProductFinder2 finder(kFamily);
  EXPECT_FALSE(finder.IsInstalledVersionOlder(CVersionNumber("9.9", VersionSeparators)));
}

TEST_F(ProductFinder, OldInstallationPathComesFromTheProductsComponent) {
  service.relatedProducts[kFamily] = {kFirst};
  service.locatedComponents[kFirst] = "C:\\Program Files\\Quenvar Halcyon 1.0\\";
  const CProductFinder2 finder(kFamily);
  EXPECT_EQ("C:\\Program Files\\Quenvar Halcyon 1.0\\", finder.GetOldInstallationPath());
  const auto locate = service.CallsNamed("MsiLocateComponentA");
  ASSERT_EQ(1u, locate.size());
  EXPECT_EQ(kFirst, locate[0].arguments[0]);
  EXPECT_EQ("1024", locate[0].arguments[1]);
}

TEST_F(ProductFinder, OldInstallationPathLongerThanTheBufferIsReadWhole) {
  service.relatedProducts[kFamily] = {kFirst};
  const std::string deep = "C:\\" + std::string(1500, 'd');
  service.locatedComponents[kFirst] = deep;
  const CProductFinder2 finder(kFamily);
  EXPECT_EQ(deep, finder.GetOldInstallationPath());
}

TEST_F(ProductFinder, PackageWithAnInstalledFamily) {
  CMsiPackageDescVector list;
  list.push_back(
      CRefCountPtr<CMsiPackageDesc>(new CMsiPackageDesc(QvFsPath(fixtures::kOlder), true)));
  list.push_back(
      CRefCountPtr<CMsiPackageDesc>(new CMsiPackageDesc(QvFsPath(fixtures::kLongPublisher), true)));
  EXPECT_TRUE(list.FindPackageWithRelatedProduct().IsNull());

  service.relatedProducts[fixtures::kOtherUpgradeCode] = {kFirst};
  EXPECT_EQ(list[1].Get(), list.FindPackageWithRelatedProduct().Get());
  service.relatedProducts[fixtures::kUpgradeCode] = {kSecond};
  EXPECT_EQ(list[0].Get(), list.FindPackageWithRelatedProduct().Get());
  for (const auto& call : service.CallsNamed("MsiEnumRelatedProductsA"))
    EXPECT_EQ("0", call.arguments[2]);
}

}  // namespace
