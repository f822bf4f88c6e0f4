#pragma once

#include "platform/MsiService.h"

namespace platform::host {

// Reads package databases with libmsi (msitools), answering as the automation object does:
// a failing open, query or fetch raises msi::ComError.
class LibmsiInstaller : public msi::IInstallerObject {
 public:
  bool FetchFirstString(const std::string& path, const std::string& sql,
                        std::string* value) override;
};

}  // namespace platform::host
