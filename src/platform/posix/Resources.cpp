#include "platform/Resources.h"

// The package files are linked in as data blobs (HostPackages.S).
extern "C" {
extern const unsigned char qv_package_x64_begin[];
extern const unsigned char qv_package_x64_end[];
extern const unsigned char qv_package_x86_begin[];
extern const unsigned char qv_package_x86_end[];
}

namespace platform {

ResourceBytes FindMsiResource(ModuleHandle module, int id) {
  if (module != CurrentProcessModule()) return {};
  switch (id) {
    case 129:
      return {qv_package_x64_begin,
              static_cast<std::size_t>(qv_package_x64_end - qv_package_x64_begin)};
    case 130:
      return {qv_package_x86_begin,
              static_cast<std::size_t>(qv_package_x86_end - qv_package_x86_begin)};
    default:
      return {};
  }
}

}  // namespace platform
