#pragma once

namespace msi {

// Raises Error::QvExceptionCommon, naming msi.dll or its missing entry with the system's
// reason, unless every Windows Installer operation the setup program calls is bound.
void RequireService();

}  // namespace msi
