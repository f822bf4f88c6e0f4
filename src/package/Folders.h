#pragma once

#include "package/FsPath.h"

// The machine-wide application-data folder (C:\ProgramData on current Windows), or the empty
// path when the shell cannot tell.
QvFsPath GetCommonAppDataFolder();

// "MSI Cache" below the application-data folder, created when missing; the empty path when
// it cannot be found or made. Nothing is cached between calls.
QvFsPath GetPackageCacheFolder();
