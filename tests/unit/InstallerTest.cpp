#include <gtest/gtest.h>

#include <algorithm>

#include "Fixtures.h"
#include "ScriptedMsiService.h"
#include "TestFiles.h"
#include "app/CreateProductInstaller.h"
#include "app/QvHalcyonSetupBootApp.h"
#include "base/QvException.h"
#include "installer/ProductInstallerBase.h"
#include "installer/PropertyString.h"
#include "package/Folders.h"
#include "platform/MessageBox.h"
#include "platform/OsVersion.h"

namespace {

const char* const kFresh = "ACTION=INSTALL QVSTSDATA=\"\"";
const char* const kReinstallAll = "ACTION=INSTALL REINSTALL=ALL REINSTALLMODE=vomus";
const char* const kQuestion =
    "The installer has detected that an older version of the program is installed on this "
    "machine. The installer will now remove the old version and replace it with the new one. "
    "All settings will be retained.\nDo you want to continue?";

// An installer of the interactive line over a package file the test names.
class TestInstaller : public CProductInstallerBase {
 public:
  TestInstaller(CRefCountPtr<CMsiPackageDesc> package, bool logging = false)
      : CProductInstallerBase(logging, package) {}
  bool CanProceed() override { return canProceed; }
  QvTokenList GetFeatures() override { return QvTokenList(features, ";", true); }

  bool canProceed = true;
  std::string features;
};

CRefCountPtr<CMsiPackageDesc> DemoPackage() {
  return CRefCountPtr<CMsiPackageDesc>(new CMsiPackageDesc(QvFsPath(fixtures::kDemoX64), true));
}

class Proceed : public ::testing::Test {
 protected:
  Proceed() { app.SetApplicationName(QvHalcyonSetupBootApp::kApplicationName); }

  // An older member of the family, installed under another product code.
  void InstallOlder(const char* version, const char* folder) {
    service.relatedProducts[fixtures::kUpgradeCode] = {fixtures::kOlderProduct};
    service.productInfo[{fixtures::kOlderProduct, "VersionString"}] = version;
    service.locatedComponents[fixtures::kOlderProduct] = folder;
  }
  std::vector<std::string> InstallProperties() const {
    std::vector<std::string> properties;
    for (const auto& call : service.CallsNamed("MsiInstallProductA"))
      properties.push_back(call.arguments[1]);
    return properties;
  }

  QvHalcyonSetupBootApp app;
  ScriptedMsiService service;
  msi::ScopedServiceOverride scope{service};
  int answer = platform::kIdYes;
  std::vector<platform::MessageBoxCall> boxes;
  platform::ScopedMessageBoxOverride boxScope{[this](const platform::MessageBoxCall& call) {
    boxes.push_back(call);
    return answer;
  }};
};

TEST(ComposeBaseProperties, DecisionTable) {
  struct Case {
    bool same;
    const char* features;
    const char* expected;
  };
  const Case kCases[] = {
      {true, "", kReinstallAll},
      {false, "", kFresh},
      {true, "A;B", "ACTION=INSTALL REINSTALL=A,B REINSTALLMODE=vomus"},
      {false, "A;B", "ACTION=INSTALL ADDLOCAL=A,B QVSTSDATA=\"\""},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.expected);
    EXPECT_EQ(c.expected, ComposeBaseProperties(c.same, QvTokenList(c.features, ";", true)));
  }
}

TEST(OldInstallationPathSuffix, QuotesTheFolderAndDoublesQuotesInside) {
  EXPECT_EQ(" OLDINSTALLATIONPATH=\"C:\\Program Files\\Old\\\"",
            OldInstallationPathSuffix("C:\\Program Files\\Old\\"));
  EXPECT_EQ(" OLDINSTALLATIONPATH=\"C:\\x\"\" QVSTSDATA=\"\"injected\"",
            OldInstallationPathSuffix("C:\\x\" QVSTSDATA=\"injected"));
  EXPECT_EQ(" OLDINSTALLATIONPATH=\"\"", OldInstallationPathSuffix(""));
}

TEST_F(Proceed, FreshInstallInTheProceduresOrder) {
  TestInstaller installer(DemoPackage());
  const auto installed = installer.Proceed();
  EXPECT_FALSE(installed.IsNull());
  EXPECT_FALSE(installer.SameProductInstalled());
  EXPECT_EQ(kFresh, installer.PropertyString());
  EXPECT_TRUE(boxes.empty());
  const std::vector<std::string> expected = {
      "CreateInstallerObject", "MsiEnumRelatedProductsA",  // package choice
      "CreateInstallerObject", "MsiEnumProductsA",         // same-product test
      "MsiSetInternalUI",      "CreateInstallerObject",   "MsiEnumRelatedProductsA",  // the finder
      "CreateInstallerObject", "MsiGetProductInfoA",  // older-version test
      "MsiInstallProductA"};
  EXPECT_EQ(expected, service.CallNames());
  const auto ui = service.CallsNamed("MsiSetInternalUI");
  EXPECT_EQ("5", ui[0].arguments[0]);
  EXPECT_EQ("owner", ui[0].arguments[1]);
  EXPECT_EQ("null", ui[0].arguments[2]);
  const auto install = service.CallsNamed("MsiInstallProductA");
  EXPECT_EQ(fixtures::kDemoX64, install[0].arguments[0]);
  EXPECT_EQ(kFresh, install[0].arguments[1]);
}

TEST_F(Proceed, SameProductIsReinstalledWithoutAQuestion) {
  service.installedProducts = {"{00000000-0000-0000-0000-000000000000}", fixtures::kDemoX64Product};
  service.relatedProducts[fixtures::kUpgradeCode] = {fixtures::kDemoX64Product};
  service.productInfo[{fixtures::kDemoX64Product, "VersionString"}] = "1.2.0.0";
  TestInstaller installer(DemoPackage());
  EXPECT_FALSE(installer.Proceed().IsNull());
  EXPECT_TRUE(installer.SameProductInstalled());
  EXPECT_EQ(std::vector<std::string>{kReinstallAll}, InstallProperties());
  EXPECT_TRUE(boxes.empty());
}

TEST_F(Proceed, ProductCodeInAnotherLetterCaseIsAnotherProduct) {
  std::string lower = fixtures::kDemoX64Product;
  std::transform(lower.begin(), lower.end(), lower.begin(), ::tolower);
  ASSERT_NE(lower, fixtures::kDemoX64Product);
  service.installedProducts = {lower};
  TestInstaller installer(DemoPackage());
  installer.Proceed();
  EXPECT_FALSE(installer.SameProductInstalled());
  EXPECT_EQ(std::vector<std::string>{kFresh}, InstallProperties());
}

TEST_F(Proceed, OlderVersionReplacedAfterYes) {
  InstallOlder("1.0.4", "C:\\Program Files\\Quenvar Halcyon 1.0\\");
  TestInstaller installer(DemoPackage());
  EXPECT_FALSE(installer.Proceed().IsNull());
  ASSERT_EQ(1u, boxes.size());
  EXPECT_EQ(kQuestion, boxes[0].text);
  EXPECT_EQ("Quenvar Halcyon", boxes[0].caption);
  EXPECT_EQ(0x24u, boxes[0].type);
  EXPECT_EQ(
      std::vector<std::string>{std::string(kFresh) +
                               " OLDINSTALLATIONPATH=\"C:\\Program Files\\Quenvar Halcyon 1.0\\\""},
      InstallProperties());
}

TEST_F(Proceed, OlderVersionKeptAfterNoOrAFailedBox) {
  for (const int reply : {platform::kIdNo, 0}) {
    SCOPED_TRACE(reply);
    service.calls.clear();
    InstallOlder("1.0.4", "C:\\Old\\");
    answer = reply;
    TestInstaller installer(DemoPackage());
    EXPECT_TRUE(installer.Proceed().IsNull());
    EXPECT_TRUE(InstallProperties().empty());
  }
}

TEST_F(Proceed, QuoteInTheOldFolderStaysInsideItsValue) {
  InstallOlder("1.0.4", "C:\\x\" QVSTSDATA=\"injected");
  TestInstaller installer(DemoPackage());
  installer.Proceed();
  EXPECT_EQ(std::vector<std::string>{std::string(kFresh) +
                                     " OLDINSTALLATIONPATH=\"C:\\x\"\" QVSTSDATA=\"\"injected\""},
            InstallProperties());
}

TEST_F(Proceed, NewerVersionInstalledGivesTheFreshFormWithoutAQuestion) {
  InstallOlder("2.0", "C:\\New\\");
  TestInstaller installer(DemoPackage());
  installer.Proceed();
  EXPECT_TRUE(boxes.empty());
  EXPECT_EQ(std::vector<std::string>{kFresh}, InstallProperties());
}

TEST_F(Proceed, SameProductWithALowerVersionGetsReinstallAllAndTheOldPath) {
  service.installedProducts = {fixtures::kDemoX64Product};
  service.relatedProducts[fixtures::kUpgradeCode] = {fixtures::kDemoX64Product};
  service.productInfo[{fixtures::kDemoX64Product, "VersionString"}] = "1.1";
  service.locatedComponents[fixtures::kDemoX64Product] = "C:\\H\\";
  TestInstaller installer(DemoPackage());
  installer.Proceed();
  EXPECT_EQ(1u, boxes.size());
  EXPECT_EQ(
      std::vector<std::string>{std::string(kReinstallAll) + " OLDINSTALLATIONPATH=\"C:\\H\\\""},
      InstallProperties());
}

TEST_F(Proceed, FeaturesInBothForms) {
  TestInstaller fresh(DemoPackage());
  fresh.features = "A;B";
  fresh.Proceed();
  EXPECT_EQ("ACTION=INSTALL ADDLOCAL=A,B QVSTSDATA=\"\"", fresh.PropertyString());
  service.installedProducts = {fixtures::kDemoX64Product};
  TestInstaller same(DemoPackage());
  same.features = "A;B";
  same.Proceed();
  EXPECT_EQ("ACTION=INSTALL REINSTALL=A,B REINSTALLMODE=vomus", same.PropertyString());
}

TEST_F(Proceed, ExtraArgumentsFollowDirectly) {
  TestInstaller installer(DemoPackage());
  installer.SetExtraArguments("X=1");
  installer.Proceed();
  EXPECT_EQ(std::string(kFresh) + "X=1", installer.PropertyString());
}

TEST_F(Proceed, LoggingOnTheX64PackageWritesItsLog) {
  TestInstaller installer(
      CRefCountPtr<CMsiPackageDesc>(new CMsiPackageDesc(129, "QvHalcyonSetupENx64.msi", true)),
      true);
  installer.Proceed();
  const auto log = service.CallsNamed("MsiEnableLogA");
  ASSERT_EQ(1u, log.size());
  EXPECT_EQ(std::to_string(0x3FDF), log[0].arguments[0]);
  EXPECT_EQ("c:\\QvHalcyonSetupENx64.log", log[0].arguments[1]);
  EXPECT_EQ("0", log[0].arguments[2]);
}

TEST_F(Proceed, CanProceedFalseStopsAfterTheLogStep) {
  TestInstaller installer(DemoPackage(), true);
  installer.canProceed = false;
  EXPECT_TRUE(installer.Proceed().IsNull());
  ASSERT_FALSE(service.calls.empty());
  EXPECT_EQ("MsiEnableLogA", service.calls.back().name);
  EXPECT_EQ("", installer.PropertyString());
}

TEST_F(Proceed, EveryNonZeroInstallResultGivesAnEmptyPointer) {
  for (const std::uint32_t result : {1603u, 1602u, 3010u, 1u}) {
    SCOPED_TRACE(result);
    service.installResult = result;
    TestInstaller installer(DemoPackage());
    EXPECT_TRUE(installer.Proceed().IsNull());
  }
}

TEST_F(Proceed, NoPackageRaisesTheError) {
  TestInstaller installer{CRefCountPtr<CMsiPackageDesc>()};
  try {
    installer.Proceed();
    ADD_FAILURE() << "no error";
  } catch (const Error::QvExceptionText& error) {
    EXPECT_EQ("ProductInstaller", error.Source());
    EXPECT_EQ("CProductInstaller::Proceed", error.FunctionName());
    EXPECT_EQ(45, error.Line());
    EXPECT_EQ("Failed to find product to be installed.", error.GetMessage());
  }
  EXPECT_TRUE(InstallProperties().empty());
}

TEST_F(Proceed, UnreadablePackageErrorPassesThroughBeforeAnyInstall) {
  TestInstaller installer(
      CRefCountPtr<CMsiPackageDesc>(new CMsiPackageDesc(QvFsPath(fixtures::kNotADatabase), true)));
  EXPECT_THROW(installer.Proceed(), Error::QvExceptionText);
  EXPECT_TRUE(InstallProperties().empty());
}

TEST_F(Proceed, ConfirmUpgradeOfTheRootClassAsksNothing) {
  CProductInstaller root(DemoPackage(), false);
  EXPECT_TRUE(root.ConfirmUpgrade());
  EXPECT_TRUE(root.CanProceed());
  EXPECT_TRUE(root.GetFeatures().Empty());
  EXPECT_TRUE(boxes.empty());
}

template <typename Variant>
void ExpectOneExtractedPackage(const char* fileName, const char* embedded) {
  SCOPED_TRACE(fileName);
  std::string path;
  {
    Variant installer;
    ASSERT_EQ(1u, installer.Packages().size());
    const auto& package = installer.Packages().front();
    EXPECT_EQ(1, package->GetRefCount());
    {
      const auto held = installer.GetDefaultPackage();
      EXPECT_EQ(2, package->GetRefCount());
    }
    EXPECT_EQ(1, package->GetRefCount());
    path = package->GetPath();
    EXPECT_EQ(fileName, static_cast<std::string>(package->GetPath().GetFileName()));
    EXPECT_NE(std::string::npos, path.find("C:\\ProgramData\\MSI Cache\\{"));
  }
  // Destroying the variant leaves the package on disk.
  EXPECT_TRUE(ReadFileBytes(path) == ReadFileBytes(embedded));
}

TEST_F(Proceed, VariantsHoldOneExtractedPackage) {
  ExpectOneExtractedPackage<CProductInstallerX64>("QvHalcyonSetupENx64.msi",
                                                  fixtures::kEmbeddedX64);
  ExpectOneExtractedPackage<CProductInstallerX86>("QvHalcyonSetupENx86.msi",
                                                  fixtures::kEmbeddedX86);
}

TEST_F(Proceed, VariantsAskBeforeAnUpgradeAndAcceptOnlyYes) {
  CProductInstallerX86 installer;
  for (const int reply : {platform::kIdYes, platform::kIdNo, 0}) {
    answer = reply;
    EXPECT_EQ(reply == platform::kIdYes, installer.ConfirmUpgrade());
  }
  ASSERT_EQ(3u, boxes.size());
  EXPECT_EQ(kQuestion, boxes[2].text);
  EXPECT_EQ("Quenvar Halcyon", boxes[2].caption);
  EXPECT_EQ(0x24u, boxes[2].type);
}

TEST(CreateProductInstaller, ChoosesTheVariantByBitness) {
  struct Case {
    platform::Wow64Answer answer;
    const char* fileName;
  };
  const Case kCases[] = {
      {platform::Wow64Answer::kYes, "QvHalcyonSetupENx64.msi"},
      {platform::Wow64Answer::kNo, "QvHalcyonSetupENx86.msi"},
      {platform::Wow64Answer::kUnavailable, "QvHalcyonSetupENx86.msi"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.fileName);
    const platform::ScopedWow64Override bitness(c.answer);
    const auto installer = CreateProductInstaller();
    const bool isX64 = dynamic_cast<CProductInstallerX64*>(installer.get()) != nullptr;
    EXPECT_EQ(c.answer == platform::Wow64Answer::kYes, isX64);
    EXPECT_EQ(c.fileName,
              static_cast<std::string>(installer->Packages().front()->GetPath().GetFileName()));
  }
}

TEST_F(Proceed, StartUpReportsErrorsInTheErrorBoxAndReturnsFalse) {
  service.createResult = static_cast<std::int32_t>(0x80040154);
  const platform::ScopedWow64Override bitness(platform::Wow64Answer::kYes);
  EXPECT_FALSE(app.InitInstance());
  ASSERT_EQ(1u, boxes.size());
  EXPECT_EQ("Error", boxes[0].caption);
  EXPECT_NE(std::string::npos, boxes[0].text.find("(0x80040154)"));
  EXPECT_NE(std::string::npos, boxes[0].text.find("Failed to create Windows installer object."));
  EXPECT_STREQ("Quenvar Halcyon", AfxGetModuleState()->m_lpszCurrentAppName);
  EXPECT_STREQ("Quenvar Halcyon", app.m_pszAppName);
}

TEST_F(Proceed, StartUpWithoutWindowsInstallerSaysSoAndWritesNothing) {
  struct Case {
    std::uint32_t error;
    const char* missing;
    const char* code;
    const char* text;
  };
  const Case kCases[] = {
      {126, "", "(0x7e)", "Failed to load 'msi.dll'."},  // ERROR_MOD_NOT_FOUND
      {127, "MsiInstallProductA", "(0x7f)",              // ERROR_PROC_NOT_FOUND
       "Failed to find entry 'MsiInstallProductA' in 'msi.dll'."},
  };
  const platform::ScopedWow64Override bitness(platform::Wow64Answer::kYes);
  const std::vector<std::string> before = ListFolder(GetPackageCacheFolder());
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.text);
    boxes.clear();
    service.bindingsError = c.error;
    service.missingEntry = c.missing;
    EXPECT_FALSE(app.InitInstance());
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ("Error", boxes[0].caption);
    EXPECT_NE(std::string::npos, boxes[0].text.find(c.code)) << boxes[0].text;
    EXPECT_NE(std::string::npos, boxes[0].text.find(c.text)) << boxes[0].text;
    EXPECT_TRUE(service.calls.empty());
  }
  EXPECT_EQ(before, ListFolder(GetPackageCacheFolder()));
}

TEST_F(Proceed, StartUpRunsOneInstallAndReturnsFalse) {
  const platform::ScopedWow64Override bitness(platform::Wow64Answer::kYes);
  EXPECT_FALSE(app.InitInstance());
  EXPECT_TRUE(boxes.empty());
  const auto install = service.CallsNamed("MsiInstallProductA");
  ASSERT_EQ(1u, install.size());
  EXPECT_NE(std::string::npos, install[0].arguments[0].find("\\MSI Cache\\{"));
  EXPECT_EQ(kFresh, install[0].arguments[1]);
  EXPECT_EQ(0, app.ExitInstance());
}

}  // namespace
