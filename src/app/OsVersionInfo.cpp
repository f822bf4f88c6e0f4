#include "app/OsVersionInfo.h"

#include <cstdint>
#include <cstring>

QvOsVersionInfo::QvOsVersionInfo() : m_is64BitWindows(false) {
  std::memset(m_versionRecord, 0, sizeof(m_versionRecord));
  const auto size = static_cast<std::uint32_t>(sizeof(m_versionRecord));
  std::memcpy(m_versionRecord, &size, sizeof(size));  // dwOSVersionInfoSize, the first field
  platform::FillVersionRecord(m_versionRecord);
  // A missing IsWow64Process entry or a failed call selects the 32-bit variant.
  m_is64BitWindows = platform::QueryWow64() == platform::Wow64Answer::kYes;
}
