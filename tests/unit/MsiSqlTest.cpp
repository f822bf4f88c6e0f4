#include <gtest/gtest.h>

#include <thread>

#include "Fixtures.h"
#include "ScriptedMsiService.h"
#include "base/QvException.h"
#include "msi/MsiSql.h"
#include "package/PackageDesc.h"

namespace {

CRefCountPtr<CMsiPackageDesc> Package(const char* path) {
  return CRefCountPtr<CMsiPackageDesc>(new CMsiPackageDesc(QvFsPath(path), true));
}

TEST(PackageProperties, ReadFromRealPackages) {
  struct Case {
    const char* path;
    const char* productCode;
    const char* upgradeCode;
    std::vector<std::int32_t> version;
  };
  const Case kCases[] = {
      {fixtures::kDemoX64, fixtures::kDemoX64Product, fixtures::kUpgradeCode, {1, 2, 0, 0}},
      {fixtures::kDemoX86, fixtures::kDemoX86Product, fixtures::kUpgradeCode, {1, 2, 0, 0}},
      {fixtures::kOlder, fixtures::kOlderProduct, fixtures::kUpgradeCode, {1, 0, 4}},
      {fixtures::kNoUpgradeCode, fixtures::kNoUpgradeCodeProduct, "", {1, 1, 0}},
      {fixtures::kNoVersion, fixtures::kNoVersionProduct, fixtures::kUpgradeCode, {}},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.path);
    const auto package = Package(c.path);
    EXPECT_EQ(c.productCode, package->GetProductCode());
    EXPECT_EQ(c.upgradeCode, package->GetUpgradeCode());
    const std::vector<std::int32_t>& version = package->GetProductVersion();
    EXPECT_EQ(c.version, version);
  }
}

TEST(CMsiSql, MissingRowGivesEmptyText) {
  CMsiSql reader;
  EXPECT_EQ("", reader.GetProperty(fixtures::kDemoX64, "NoSuchProperty"));
  EXPECT_EQ("Quenvar", reader.GetProperty(fixtures::kDemoX64, "Manufacturer"));
}

void ExpectReadError(const std::string& path, const std::string& property) {
  try {
    CMsiSql reader;
    reader.GetProperty(path, property);
    ADD_FAILURE() << "no error for " << path;
  } catch (const Error::QvExceptionText& error) {
    EXPECT_EQ("MsiSql", error.Source());
    EXPECT_EQ("", error.FunctionName());
    EXPECT_EQ(37, error.Line());
    EXPECT_EQ("Failed to read '" + property + "' property from file '" + path + "'",
              error.GetMessage());
  }
}

TEST(CMsiSql, UnreadablePackagesRaiseTheReadError) {
  ExpectReadError("C:\\qv-no-such-folder\\missing.msi", "ProductCode");
  ExpectReadError(fixtures::kNotADatabase, "ProductCode");
  // The name goes in verbatim, so a quote makes the query malformed.
  ExpectReadError(fixtures::kDemoX64, "Product'Code");
}

TEST(CMsiSql, DescriptorReadsRaiseTheReadErrorToo) {
  const auto package = Package(fixtures::kNotADatabase);
  try {
    package->GetProductCode();
    ADD_FAILURE() << "no error";
  } catch (const Error::QvExceptionText& error) {
    EXPECT_EQ(std::string("Failed to read 'ProductCode' property from file '") +
                  fixtures::kNotADatabase + "'",
              error.GetMessage());
  }
}

void ExpectCreationError(std::uint32_t code) {
  try {
    CMsiSql reader;
    ADD_FAILURE() << "no error";
  } catch (const Error::QvExceptionCommon& error) {
    EXPECT_EQ("MsiSql", error.Source());
    EXPECT_EQ("CMsiSql::CMsiSql", error.FunctionName());
    EXPECT_EQ(7, error.Line());
    EXPECT_EQ(code, error.ErrorCode());
    EXPECT_NE(std::string::npos,
              error.GetMessage().find("Failed to create Windows installer object."));
  }
}

TEST(CMsiSql, UnavailableAutomationObjectRaisesTheCreationError) {
  ScriptedMsiService service;
  service.createResult = static_cast<std::int32_t>(0x80040154);  // REGDB_E_CLASSNOTREG
  const msi::ScopedServiceOverride scope(service);
  ExpectCreationError(0x80040154u);
}

#if defined(_WIN32)
TEST(CMsiSql, WithoutComOnTheThreadTheRealCreationFails) {
  // A new thread has no apartment: CoCreateInstance answers CO_E_NOTINITIALIZED.
  std::thread worker([] { ExpectCreationError(0x800401F0u); });
  worker.join();
}
#endif

}  // namespace
