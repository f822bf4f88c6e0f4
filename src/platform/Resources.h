#pragma once

#include <cstddef>

#include "platform/Module.h"

namespace platform {

// The loaded bytes of a resource; they stay valid while the module is loaded.
struct ResourceBytes {
  const void* data = nullptr;
  std::size_t size = 0;
};

// The resource of type "MSI" named by the integer id, in no particular language.
// data is null when the module has no such resource.
ResourceBytes FindMsiResource(ModuleHandle module, int id);

}  // namespace platform
