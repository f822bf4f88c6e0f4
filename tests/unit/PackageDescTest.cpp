#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

#include "Fixtures.h"
#include "TestFiles.h"
#include "base/QvException.h"
#include "installer/ProductInstallerBase.h"
#include "package/Folders.h"
#include "package/PackageDesc.h"
#include "platform/FileSystem.h"

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

// The error that constructing a descriptor raises; null, with a test failure, when none.
std::unique_ptr<Error::QvException> ExtractionError(unsigned short id, const char* fileName) {
  try {
    CRefCountPtr<CMsiPackageDesc> package(new CMsiPackageDesc(id, fileName, true));
  } catch (const Error::QvException& error) {
    return std::unique_ptr<Error::QvException>(error.Clone());
  }
  ADD_FAILURE() << "no error";
  return nullptr;
}

// The system code of an error; 0 for a text error.
std::uint32_t ErrorCodeOf(const Error::QvException& error) {
  const auto* common = dynamic_cast<const Error::QvExceptionCommon*>(&error);
  return common ? common->ErrorCode() : 0;
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

TEST(CMsiPackageDesc, MissingResourceIsAnErrorAndLeavesNothing) {
  const std::vector<std::string> before = ListFolder(GetPackageCacheFolder());
  const auto error = ExtractionError(999, "none.msi");
  ASSERT_NE(nullptr, error);
  EXPECT_EQ(0u, ErrorCodeOf(*error));
  const std::string message = error->GetMessage();
  EXPECT_EQ(0u,
            message.find("Failed to find the package for file '" + GetPackageCacheFolder() + "\\{"))
      << message;
  EXPECT_NE(std::string::npos, message.find("\\none.msi' in the setup program.")) << message;
  EXPECT_EQ(before, ListFolder(GetPackageCacheFolder()));
}

TEST(PrivateFolderSddl, ProtectsTheFolderForSystemAdministratorsAndTheUser) {
  EXPECT_EQ("D:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;FA;;;S-1-5-21-1-2-3-1001)",
            platform::PrivateFolderSddl("S-1-5-21-1-2-3-1001"));
}

#if !defined(_WIN32)
// What the user is told, and what stays on disk, when extraction meets a fault.
TEST(CMsiPackageDesc, AFailedExtractionIsAnErrorAndRemovesWhatItWrote) {
  const std::string cache = GetPackageCacheFolder();
  const std::string zeroFolder = cache + "\\{00000000-0000-0000-0000-000000000000}";
  const std::size_t packageSize = ReadFileBytes(fixtures::kEmbeddedX64).size();
  struct Case {
    const char* name;
    platform::host::FileFaults faults;
    std::uint32_t errorCode;  // 0: a text error
    std::string messagePart;
  };
  platform::host::FileFaults existingFolder;
  existingFolder.guidFails = true;
  platform::host::FileFaults fullDisk;
  fullDisk.writeLimit = 1000000;
  platform::host::FileFaults swapped;
  swapped.afterWriteClose = [](const std::string& hostPath) {
    // Another process rewrites one byte between the write and the read-back.
    std::FILE* file = std::fopen(hostPath.c_str(), "r+b");
    ASSERT_NE(nullptr, file);
    std::fseek(file, 4096, SEEK_SET);
    std::fputc(0x5A, file);
    std::fclose(file);
  };
  platform::host::FileFaults appended;
  appended.afterWriteClose = [](const std::string& hostPath) {
    std::FILE* file = std::fopen(hostPath.c_str(), "ab");
    ASSERT_NE(nullptr, file);
    std::fputc(0x5A, file);
    std::fclose(file);
  };
  const Case kCases[] = {
      {"the GUID folder is already there", existingFolder, 183,
       "Failed to create folder '" + zeroFolder + "'."},
      {"the disk is full", fullDisk, 112, "Failed to write file '" + cache + "\\{"},
      {"the bytes differ on read-back", swapped, 0, "File '" + cache + "\\{"},
      {"a byte follows the package on read-back", appended, 0, "File '" + cache + "\\{"},
  };
  // A folder of another's under the all-zero GUID, with a file of its own.
  ASSERT_TRUE(QvFsPath(zeroFolder.c_str()).CreateDirectoryTree());
  WriteTextFile(zeroFolder + "\\QvHalcyonSetupENx64.msi", "planted");
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    const std::vector<std::string> before = ListFolder(cache);
    const platform::host::ScopedFileFaults faults(c.faults);
    const auto error = ExtractionError(129, "QvHalcyonSetupENx64.msi");
    ASSERT_NE(nullptr, error);
    EXPECT_EQ(c.errorCode, ErrorCodeOf(*error));
    EXPECT_NE(std::string::npos, error->GetMessage().find(c.messagePart)) << error->GetMessage();
    EXPECT_EQ(before, ListFolder(cache)) << "a GUID folder or file was left";
  }
  EXPECT_EQ(std::vector<unsigned char>({'p', 'l', 'a', 'n', 't', 'e', 'd'}),
            ReadFileBytes(zeroFolder + "\\QvHalcyonSetupENx64.msi"));

  // The count in the full-disk message is the bytes that reached the disk.
  platform::host::FileFaults cut;
  cut.writeLimit = 4194304;
  const platform::host::ScopedFileFaults faults(cut);
  const auto error = ExtractionError(129, "x.msi");
  ASSERT_NE(nullptr, error);
  EXPECT_NE(
      std::string::npos,
      error->GetMessage().find(": 4194304 of " + std::to_string(packageSize) + " bytes written."))
      << error->GetMessage();
}

TEST(CMsiPackageDesc, WithoutACacheFolderNothingIsWritten) {
  struct Case {
    const char* name;
    const char* appData;  // null: the shell-folder library is missing
    std::string message;
  };
  const std::string blocked = NewScratchPath("blocked");
  ASSERT_TRUE(QvFsPath(blocked.c_str()).CreateDirectoryTree());
  WriteTextFile(blocked + "\\MSI Cache", "a file where the folder should be");
  const Case kCases[] = {
      {"no application-data folder", nullptr, "Failed to find the common application data folder."},
      {"a file where the cache folder should be", blocked.c_str(),
       "(0xb7) Failed to create folder '" + blocked + "\\MSI Cache'."},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    const platform::host::ScopedCommonAppData appData(c.appData);
    const auto error = ExtractionError(129, "QvHalcyonSetupENx64.msi");
    ASSERT_NE(nullptr, error);
    EXPECT_EQ(c.message, error->GetMessage());
  }
  for (const std::string& name : ListFolder(".")) {
    EXPECT_NE('{', name[0]) << name << ": a GUID folder in the current folder";
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
