#include <gtest/gtest.h>

#include "Fixtures.h"
#include "TestFiles.h"
#include "base/QvException.h"
#include "installer/ProductInstallerBase.h"
#include "package/Folders.h"
#include "package/PackageDesc.h"

#if !defined(_WIN32)
#include "platform/posix/HostDrive.h"
#endif

namespace {

// {XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX} with upper-case hexadecimal digits.
bool IsRegistryGuid(const std::string& text) {
  if (text.size() != 38 || text.front() != '{' || text.back() != '}') return false;
  for (std::size_t i = 1; i < 37; ++i) {
    const bool dash = i == 9 || i == 14 || i == 19 || i == 24;
    const char c = text[i];
    if (dash ? c != '-' : !((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'))) return false;
  }
  return true;
}

// The GUID folder between the cache folder and the file name.
std::string GuidFolderOf(const std::string& path) {
  const std::size_t last = path.rfind('\\');
  const std::size_t before = path.rfind('\\', last - 1);
  return path.substr(before + 1, last - before - 1);
}

TEST(CreateGuidString, GivesNewRegistryFormGuids) {
  const std::string a = CreateGuidString();
  const std::string b = CreateGuidString();
  EXPECT_TRUE(IsRegistryGuid(a)) << a;
  EXPECT_NE(a, b);
}

TEST(CMsiPackageDesc, VariantsExtractTheirEmbeddedPackage) {
  struct Case {
    unsigned short id;
    const char* fileName;
    const char* embedded;
  };
  const Case kCases[] = {
      {CProductInstallerX64::kResourceId, CProductInstallerX64::kFileName, fixtures::kEmbeddedX64},
      {CProductInstallerX86::kResourceId, CProductInstallerX86::kFileName, fixtures::kEmbeddedX86},
  };
  const std::string cache = GetPackageCacheFolder();
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.fileName);
    CRefCountPtr<CMsiPackageDesc> package(new CMsiPackageDesc(c.id, c.fileName, true));
    const std::string path = package->GetPath();
    EXPECT_EQ(cache + "\\" + GuidFolderOf(path) + "\\" + c.fileName, path);
    EXPECT_TRUE(IsRegistryGuid(GuidFolderOf(path)));
    const std::vector<unsigned char> bytes = ReadFileBytes(path);
    const std::vector<unsigned char> expected = ReadFileBytes(c.embedded);
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(expected.size(), bytes.size());
    EXPECT_TRUE(expected == bytes) << "extracted bytes differ from " << c.embedded;
  }
}

TEST(CMsiPackageDesc, TwoDescriptorsGiveTwoGuidFolders) {
  CRefCountPtr<CMsiPackageDesc> first(new CMsiPackageDesc(129, "QvHalcyonSetupENx64.msi", true));
  CRefCountPtr<CMsiPackageDesc> second(new CMsiPackageDesc(129, "QvHalcyonSetupENx64.msi", true));
  EXPECT_NE(GuidFolderOf(first->GetPath()), GuidFolderOf(second->GetPath()));
  EXPECT_TRUE(FileExists(first->GetPath()));
  EXPECT_TRUE(FileExists(second->GetPath()));
}

TEST(CMsiPackageDesc, KeepFileDecidesWhetherTheFileOutlivesTheDescriptor) {
  for (const bool keep : {true, false}) {
    SCOPED_TRACE(keep ? "keep" : "delete");
    std::string path;
    {
      CRefCountPtr<CMsiPackageDesc> package(new CMsiPackageDesc(130, "x.msi", keep));
      path = package->GetPath();
      EXPECT_TRUE(FileExists(path));
    }
    EXPECT_EQ(keep, FileExists(path));
    const std::string folder = path.substr(0, path.rfind('\\'));
    EXPECT_TRUE(QvFsPath(folder.c_str()).Exists());
  }
}

TEST(CMsiPackageDesc, GetPathGivesACopy) {
  CRefCountPtr<CMsiPackageDesc> package(new CMsiPackageDesc(129, "a.msi", true));
  QvFsPath path = package->GetPath();
  path.AppendComponent("more");
  EXPECT_NE(path, package->GetPath());
  EXPECT_NE('\\', package->GetPath().back());
}

TEST(CMsiPackageDesc, MissingResourceLeavesAnEmptyFile) {
  CRefCountPtr<CMsiPackageDesc> package(new CMsiPackageDesc(999, "none.msi", true));
  EXPECT_TRUE(FileExists(package->GetPath()));
  EXPECT_TRUE(ReadFileBytes(package->GetPath()).empty());
}

#if !defined(_WIN32)
TEST(CMsiPackageDesc, WithoutACacheFolderTheFirstReadNamesTheRelativePath) {
  const platform::host::ScopedCommonAppData missing(nullptr);
  CRefCountPtr<CMsiPackageDesc> package(new CMsiPackageDesc(129, "QvHalcyonSetupENx64.msi", true));
  const std::string path = package->GetPath();
  EXPECT_TRUE(IsRegistryGuid(path.substr(0, 38))) << path;
  EXPECT_EQ("\\QvHalcyonSetupENx64.msi", path.substr(38));
  EXPECT_FALSE(FileExists(path));
  try {
    package->GetUpgradeCode();
    ADD_FAILURE() << "no error";
  } catch (const Error::QvExceptionText& error) {
    EXPECT_EQ("Failed to read 'UpgradeCode' property from file '" + path + "'", error.GetMessage());
  }
}
#endif

TEST(CMsiPackageDescVector, ReleasesEachElementOnce) {
  CRefCountPtr<CMsiPackageDesc> package(new CMsiPackageDesc(QvFsPath("C:\\x.msi"), true));
  {
    CMsiPackageDescVector list;
    list.push_back(package);
    list.push_back(CRefCountPtr<CMsiPackageDesc>());
    EXPECT_EQ(2, package->GetRefCount());
  }
  EXPECT_EQ(1, package->GetRefCount());
}

}  // namespace
