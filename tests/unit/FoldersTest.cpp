#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "TestFiles.h"
#include "package/Folders.h"
#include "package/FsPath.h"

#if !defined(_WIN32)
#include "platform/posix/HostDrive.h"
#endif

namespace {

TEST(Exists, HoldsOnlyForAListableFolder) {
  const QvFsPath folder(NewScratchPath("exists").c_str());
  EXPECT_FALSE(folder.Exists());
  ASSERT_TRUE(folder.CreateDirectoryTree());
  EXPECT_TRUE(folder.Exists());
  QvFsPath file = folder;
  file.AppendComponent("file.txt");
  WriteTextFile(file, "x");
  EXPECT_FALSE(file.Exists());
  EXPECT_TRUE(QvFsPath("C:\\").Exists());
}

TEST(CreateDirectoryTree, CreatesEveryMissingFolderWithBackslashes) {
  const std::string base = NewScratchPath("tree");
  ASSERT_TRUE(QvFsPath(base.c_str()).CreateDirectoryTree());
  const std::string mixed = base + "/a//b/";
  EXPECT_TRUE(QvFsPath(mixed.c_str()).CreateDirectoryTree());
  EXPECT_TRUE(QvFsPath((base + "\\a").c_str()).Exists());
  EXPECT_TRUE(QvFsPath((base + "\\a\\b").c_str()).Exists());
  // Already there: still true.
  EXPECT_TRUE(QvFsPath((base + "\\a\\b").c_str()).CreateDirectoryTree());
}

TEST(CreateDirectoryTree, SingleComponentCreatesNothing) {
  EXPECT_TRUE(QvFsPath("C:").CreateDirectoryTree());
  EXPECT_FALSE(QvFsPath("qv-no-such-folder").CreateDirectoryTree());
  EXPECT_FALSE(QvFsPath("qv-no-such-folder").Exists());
}

TEST(CreateDirectoryTree, StopsAtAFolderThatCannotBeMade) {
  const std::string base = NewScratchPath("blocked");
  ASSERT_TRUE(QvFsPath(base.c_str()).CreateDirectoryTree());
  WriteTextFile(base + "\\file", "x");
  EXPECT_FALSE(QvFsPath((base + "\\file\\sub").c_str()).CreateDirectoryTree());
  // The relative a\b with a missing a: the root a is never created, so b cannot be.
  EXPECT_FALSE(QvFsPath("qv-missing-root\\b").CreateDirectoryTree());
}

TEST(GetPackageCacheFolder, IsMsiCacheBelowTheCommonAppDataFolder) {
  const QvFsPath appData = GetCommonAppDataFolder();
  // Wine's real folder, and the host's stand-in for it.
  EXPECT_EQ("C:\\ProgramData", static_cast<std::string>(appData));
  const QvFsPath cache = GetPackageCacheFolder();
  EXPECT_EQ(static_cast<std::string>(appData) + "\\MSI Cache", static_cast<std::string>(cache));
  EXPECT_TRUE(cache.Exists());
}

#if !defined(_WIN32)
TEST(GetPackageCacheFolder, EmptyWithoutTheShellFolderLibrary) {
  const platform::host::ScopedCommonAppData missing(nullptr);
  EXPECT_EQ("", static_cast<std::string>(GetCommonAppDataFolder()));
  EXPECT_EQ("", static_cast<std::string>(GetPackageCacheFolder()));
}

TEST(GetPackageCacheFolder, CreatesTheFolderOnFirstUse) {
  const std::string appData = NewScratchPath("appdata");
  ASSERT_TRUE(QvFsPath(appData.c_str()).CreateDirectoryTree());
  const platform::host::ScopedCommonAppData scoped(appData.c_str());
  EXPECT_FALSE(QvFsPath((appData + "\\MSI Cache").c_str()).Exists());
  EXPECT_EQ(appData + "\\MSI Cache", static_cast<std::string>(GetPackageCacheFolder()));
  EXPECT_TRUE(QvFsPath((appData + "\\MSI Cache").c_str()).Exists());
}

TEST(CreateDirectoryTree, UncPathNeverTestsOrCreatesTheServer) {
  const std::string unc = "\\\\qv-server-" + std::to_string(std::rand()) + "\\share";
  EXPECT_FALSE(QvFsPath((unc + "\\dir").c_str()).CreateDirectoryTree());
  // With the share there (the host maps \\server\share onto a folder), dir is made in it.
  ASSERT_TRUE(std::filesystem::create_directories(platform::host::ToHostPath(unc)));
  EXPECT_TRUE(QvFsPath((unc + "\\dir").c_str()).CreateDirectoryTree());
  EXPECT_TRUE(QvFsPath((unc + "\\dir").c_str()).Exists());
}

TEST(CreateDirectoryTree, PathOnTheCurrentDrivesRootIsKeptRooted) {
  const std::string rooted = "\\qv-rooted-" + std::to_string(std::rand()) + "\\a";
  EXPECT_TRUE(QvFsPath(rooted.c_str()).CreateDirectoryTree());
  EXPECT_TRUE(QvFsPath(("C:" + rooted).c_str()).Exists());
}

TEST(HostDrive, MapsWindowsPathsOntoTheHost) {
  const platform::host::ScopedDriveRoot root("/r");
  EXPECT_EQ("/r/c/a/b", platform::host::ToHostPath("C:\\a\\b"));
  EXPECT_EQ("/r/unc/srv/s", platform::host::ToHostPath("\\\\srv\\s"));
  EXPECT_EQ("/work/x.msi", platform::host::ToHostPath("Z:\\work\\x.msi"));
  EXPECT_EQ("a/b", platform::host::ToHostPath("a\\b"));
}
#endif

}  // namespace
