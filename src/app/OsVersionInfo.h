#pragma once

#include "platform/OsVersion.h"

// The operating system's version record and whether this process runs on 64-bit Windows.
class QvOsVersionInfo {
 public:
  QvOsVersionInfo();
  virtual ~QvOsVersionInfo() = default;

  unsigned char m_versionRecord[platform::kOsVersionRecordSize];  // OSVERSIONINFOA
  // True when this 32-bit process runs under the 32-bit subsystem of a 64-bit Windows.
  bool m_is64BitWindows;
};
