#pragma once

#include "package/FsPath.h"

// The machine-wide application-data folder (C:\ProgramData on current Windows), or the empty
// path when the shell cannot tell.
QvFsPath GetCommonAppDataFolder();

// Why GetPackageCacheFolder gave the empty path: the folder it could not make (empty when the
// application-data folder is unknown) and the system's code of the failed creation.
struct CacheFolderFailure {
  QvFsPath folder;
  std::uint32_t error = 0;
};

// "MSI Cache" below the application-data folder, created when missing; the empty path when
// it cannot be found or made, with the reason in *failure when given. Nothing is cached
// between calls.
QvFsPath GetPackageCacheFolder(CacheFolderFailure* failure = nullptr);
