#include "msi/RequireService.h"

#include <string>

#include "base/NarrowString.h"
#include "base/QvException.h"
#include "platform/MsiService.h"

namespace msi {

void RequireService() {
  std::string missing;
  const std::uint32_t error = Service().CheckBindings(&missing);
  if (error == kSuccess) return;
  if (missing.empty()) {
    throw Error::QvExceptionCommon("RequireService", "msi::RequireService", __LINE__, error,
                                   "Failed to load 'msi.dll'.");
  }
  throw Error::QvExceptionCommon(
      "RequireService", "msi::RequireService", __LINE__, error,
      FormatString("Failed to find entry '%s' in 'msi.dll'.", missing.c_str()));
}

}  // namespace msi
