#pragma once

#include "platform/Module.h"

// Owner of the loaded shell-folder library "SHFolder.dll", from the system folder only.
class QvShellWrapper {
 public:
  QvShellWrapper();
  QvShellWrapper(const QvShellWrapper&) = delete;
  QvShellWrapper& operator=(const QvShellWrapper&) = delete;
  virtual ~QvShellWrapper();

  // Null when the library did not load.
  platform::ModuleHandle Module() const { return m_module; }

 private:
  platform::ModuleHandle m_module;
};
