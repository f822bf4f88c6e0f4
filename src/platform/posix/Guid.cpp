#include "platform/Guid.h"

#include <cstdio>

#include "platform/posix/HostDrive.h"

namespace platform {

bool CreateGuidBytes(std::uint8_t (&bytes)[16]) {
  if (host::Faults().guidFails) return false;
  std::FILE* random = std::fopen("/dev/urandom", "rb");
  if (random == nullptr) return false;
  const bool filled = std::fread(bytes, 1, sizeof(bytes), random) == sizeof(bytes);
  std::fclose(random);
  if (!filled) return false;
  bytes[7] = static_cast<std::uint8_t>((bytes[7] & 0x0F) | 0x40);  // version 4, Data3 little-endian
  bytes[8] = static_cast<std::uint8_t>((bytes[8] & 0x3F) | 0x80);  // RFC 4122 variant
  return true;
}

int GuidToRegistryText(const std::uint8_t (&b)[16], char16_t* buffer, int maxChars) {
  constexpr int kChars = 39;  // 38 characters and the terminator
  if (maxChars < kChars) return 0;
  char text[kChars + 1];
  // Data1, Data2 and Data3 are stored little-endian, as in a Windows GUID.
  std::snprintf(text, sizeof(text),
                "{%02X%02X%02X%02X-%02X%02X-%02X%02X-%02X%02X-%02X%02X%02X%02X%02X%02X}", b[3],
                b[2], b[1], b[0], b[5], b[4], b[7], b[6], b[8], b[9], b[10], b[11], b[12], b[13],
                b[14], b[15]);
  for (int i = 0; i < kChars; ++i) buffer[i] = static_cast<char16_t>(text[i]);
  return kChars;
}

}  // namespace platform
