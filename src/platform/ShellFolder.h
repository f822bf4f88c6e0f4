#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/Module.h"

namespace platform {

constexpr std::size_t kFolderPathBufferSize = 4096;

// Calls SHGetFolderPathA of the loaded shell-folder library with no owner window and no
// access token. Returns false when the library has no such entry; otherwise *result is the
// call's HRESULT and buffer (kFolderPathBufferSize bytes) holds the path on success.
bool CallGetFolderPath(ModuleHandle library, int folderId, std::uint32_t flags, char* buffer,
                       std::int32_t* result);

}  // namespace platform
