#pragma once

// The one way into the Windows headers: target version and lean defines are pinned here,
// and the macros that would rename the system's own identifiers are removed.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#undef _WIN32_WINNT
#define _WIN32_WINNT 0x0600  // Windows Vista, the oldest system the manifest names
#undef WINVER
#define WINVER 0x0600

// <windows.h> must come first.
// clang-format off
#include <windows.h>
#include <objbase.h>
#include <oleauto.h>
#include <ole2.h>
#include <msi.h>
// clang-format on

#undef GetMessage
#undef CreateDirectory
#undef DeleteFile
#undef FindResource
#undef LoadLibrary
