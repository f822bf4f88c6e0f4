#pragma once

#include "platform/MsiService.h"
#include "platform/win32/Owners.h"

namespace platform::win32 {

// The automation object, called late-bound by dispatch id.
class AutomationInstaller : public msi::IInstallerObject {
 public:
  explicit AutomationInstaller(ComPtr<IDispatch> installer) : m_installer(std::move(installer)) {}

  bool FetchFirstString(const std::string& path, const std::string& sql,
                        std::string* value) override;

  // CoCreateInstance (IUnknown), OleRun, QueryInterface for the dispatch interface.
  static std::int32_t Create(std::unique_ptr<msi::IInstallerObject>* object);

 private:
  ComPtr<IDispatch> m_installer;
};

}  // namespace platform::win32
