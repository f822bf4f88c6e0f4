// Installed-product queries against Wine's real Windows Installer, with fixture packages
// installed into the test prefix through the service binding.
#include <gtest/gtest.h>

#include <cstring>

#include "Fixtures.h"
#include "TestFiles.h"
#include "app/CreateProductInstaller.h"
#include "installer/ProductInstallerBase.h"
#include "msi/ProductFinder2.h"
#include "msi/ProductQueries.h"
#include "package/PackageDesc.h"
#include "platform/FileSystem.h"
#include "platform/MsiService.h"
#include "platform/OsVersion.h"

namespace {

constexpr int kUiLevelNone = 2;  // INSTALLUILEVEL_NONE, the same as msiexec /qn

std::uint32_t Install(const char* package, const char* properties = "") {
  void* owner = nullptr;
  msi::SystemService().SetInternalUI(kUiLevelNone, &owner);
  return msi::SystemService().InstallProduct(package, properties);
}

std::uint32_t Uninstall(const char* package) { return Install(package, "REMOVE=ALL"); }

bool IsInstalled(const char* productCode) {
  char buffer[64] = {};
  for (std::uint32_t i = 0; msi::SystemService().EnumProducts(i, buffer) == msi::kSuccess; ++i) {
    if (std::string(buffer) == productCode) return true;
  }
  return false;
}

// Installs the fixtures of one test and removes them again afterwards.
class InstalledProducts : public ::testing::Test {
 protected:
  void InstallFixture(const char* package, const char* productCode) {
    ASSERT_EQ(0u, Install(package)) << package;
    ASSERT_TRUE(IsInstalled(productCode)) << productCode;
    Track(package);
  }
  // Uninstalls package after the test.
  void Track(const std::string& package) { m_installed.push_back(package); }
  void TearDown() override {
    for (const std::string& package : m_installed) {
      EXPECT_EQ(0u, Uninstall(package.c_str())) << package;
    }
  }

 private:
  std::vector<std::string> m_installed;
};

TEST_F(InstalledProducts, NothingOfTheFamilyInstalled) {
  const CProductFinder2 finder(fixtures::kUpgradeCode);
  EXPECT_EQ("", finder.ProductCode);
  EXPECT_FALSE(finder.IsInstalledVersionOlder(CVersionNumber("9", VersionSeparators)));
  EXPECT_EQ("", finder.GetOldInstallationPath());
  CMsiPackageDescVector list;
  list.push_back(
      CRefCountPtr<CMsiPackageDesc>(new CMsiPackageDesc(QvFsPath(fixtures::kDemoX64), true)));
  EXPECT_TRUE(list.FindPackageWithRelatedProduct().IsNull());
}

TEST_F(InstalledProducts, OlderMemberOfTheFamilyIsFoundAndRecognised) {
  InstallFixture(fixtures::kOlder, fixtures::kOlderProduct);
  const CProductFinder2 finder(fixtures::kUpgradeCode);
  EXPECT_EQ(fixtures::kOlderProduct, finder.ProductCode);
  EXPECT_EQ(fixtures::kUpgradeCode, finder.UpgradeCode);
  EXPECT_EQ("Quenvar Halcyon", finder.ProductName);
  EXPECT_EQ("Quenvar", finder.Publisher);
  EXPECT_EQ("1.0.4", finder.VersionString);
  EXPECT_EQ("1", finder.VersionMajor);
  EXPECT_EQ("0", finder.VersionMinor);
  EXPECT_EQ(8u, finder.InstallDate.size()) << finder.InstallDate;
  // wixl registers an empty InstallLocation: the folder comes from the product's component.
  EXPECT_EQ("C:\\Program Files\\Quenvar Halcyon 1.0\\", finder.InstallLocation);
  EXPECT_EQ("C:\\Program Files\\Quenvar Halcyon 1.0\\", finder.GetOldInstallationPath());

  struct Case {
    const char* package;
    bool older;
  };
  const Case kCases[] = {{"1.0.5", true}, {"1.2.0.0", true}, {"1.0.4.0", false}, {"1.0.3", false}};
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.package);
    EXPECT_EQ(c.older,
              finder.IsInstalledVersionOlder(CVersionNumber(c.package, VersionSeparators)));
  }
}

TEST_F(InstalledProducts, NewerMemberIsNotOlder) {
  InstallFixture(fixtures::kNewer, fixtures::kNewerProduct);
  const CProductFinder2 finder(fixtures::kUpgradeCode);
  EXPECT_EQ(fixtures::kNewerProduct, finder.ProductCode);
  EXPECT_FALSE(finder.IsInstalledVersionOlder(CVersionNumber("1.9", VersionSeparators)));
}

TEST_F(InstalledProducts, PackageListFindsTheDescriptorWhoseFamilyIsInstalled) {
  InstallFixture(fixtures::kLongPublisher, fixtures::kLongPublisherProduct);
  CMsiPackageDescVector list;
  list.push_back(
      CRefCountPtr<CMsiPackageDesc>(new CMsiPackageDesc(QvFsPath(fixtures::kDemoX64), true)));
  list.push_back(
      CRefCountPtr<CMsiPackageDesc>(new CMsiPackageDesc(QvFsPath(fixtures::kLongPublisher), true)));
  EXPECT_EQ(list[1].Get(), list.FindPackageWithRelatedProduct().Get());
}

TEST_F(InstalledProducts, ServiceAnswersWhatTheCallersRelyOn) {
  InstallFixture(fixtures::kLongPublisher, fixtures::kLongPublisherProduct);
  msi::IService& service = msi::SystemService();
  const char* product = fixtures::kLongPublisherProduct;

  char code[64] = {};
  EXPECT_EQ(0u, service.EnumRelatedProducts(fixtures::kOtherUpgradeCode, 0, 0, code));
  EXPECT_STREQ(product, code);
  EXPECT_NE(0u, service.EnumRelatedProducts(fixtures::kOtherUpgradeCode, 0, 1, code));

  // A 300-character value: 234 with the length needed, terminator excluded.
  char small[260] = {};
  std::uint32_t length = sizeof(small);
  EXPECT_EQ(msi::kMoreData, service.GetProductInfo(product, "Publisher", small, &length));
  EXPECT_EQ(300u, length);
  EXPECT_EQ(fixtures::kLongManufacturer, QueryProductInfo(product, "Publisher"));
  EXPECT_EQ(300u, QueryProductInfo(product, "Publisher").size());
  length = sizeof(small);
  EXPECT_EQ(1608u, service.GetProductInfo(product, "NoSuchAttribute", small, &length));

  char tiny[4] = {};
  length = sizeof(tiny);
  EXPECT_EQ(msi::kStateMoreData, service.GetComponentPath(product, product, tiny, &length));
  EXPECT_EQ("C:\\Program Files\\Quenvar Long\\", QueryComponentPath(product, product));

  char located[1024] = {};
  length = sizeof(located);
  service.LocateComponent(product, located, &length);
  EXPECT_STREQ("C:\\Program Files\\Quenvar Long\\", located);
  EXPECT_EQ(std::strlen(located), length);
}

TEST(SystemService, EveryEntryOfMsiDllIsBound) {
  std::string missing = "not asked";
  EXPECT_EQ(0u, msi::SystemService().CheckBindings(&missing));
  EXPECT_EQ("", missing);
}

// The variant a 32-bit Windows gets, with the real Windows Installer behind it.
TEST_F(InstalledProducts, TheX86VariantInstallsTheX86Package) {
  const platform::ScopedWow64Override bitness(platform::Wow64Answer::kNo);
  const std::shared_ptr<CProductInstaller> installer = CreateProductInstaller();
  ASSERT_NE(nullptr, dynamic_cast<CProductInstallerX86*>(installer.get()));
  const CRefCountPtr<CMsiPackageDesc> installed = installer->Proceed();
  ASSERT_FALSE(installed.IsNull());
  const std::string path = installed->GetPath();
  Track(path);
  EXPECT_EQ("QvHalcyonSetupENx86.msi", std::string(installed->GetPath().GetFileName()));
  EXPECT_EQ(ReadFileBytes(fixtures::kEmbeddedX86), ReadFileBytes(path));
  EXPECT_EQ("ACTION=INSTALL QVSTSDATA=\"\"", installer->PropertyString());
  EXPECT_TRUE(IsInstalled(fixtures::kDemoX86Product));
}

TEST_F(InstalledProducts, AnInstallerWithItsLoggingFlagGetsWindowsInstallersLog) {
  const char* const log = "C:\\LongPublisher.log";  // c:\%s.log with the package's name
  msi::SystemService().EnableLog(0, nullptr, 0);
  platform::RemoveFile(log);
  CProductInstaller installer(
      CRefCountPtr<CMsiPackageDesc>(new CMsiPackageDesc(QvFsPath(fixtures::kLongPublisher), true)),
      true);
  ASSERT_FALSE(installer.Proceed().IsNull());
  Track(fixtures::kLongPublisher);
  // Logging stays on for the process: end it before the uninstall.
  msi::SystemService().EnableLog(0, nullptr, 0);
  const std::vector<unsigned char> bytes = ReadFileBytes(log);
  const std::string text(bytes.begin(), bytes.end());
  EXPECT_NE(std::string::npos, text.find("=== Logging started")) << text.substr(0, 400);
  EXPECT_NE(std::string::npos, text.find(fixtures::kLongPublisherProduct)) << text.substr(0, 400);
}

}  // namespace
