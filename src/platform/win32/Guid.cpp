#include "platform/Guid.h"

#include <cstring>

#include "platform/win32/WindowsApi.h"

namespace platform {

bool CreateGuidBytes(std::uint8_t (&bytes)[16]) {
  GUID guid{};
  const HRESULT result = CoCreateGuid(&guid);
  std::memcpy(bytes, &guid, sizeof(guid));
  return SUCCEEDED(result);
}

int GuidToRegistryText(const std::uint8_t (&bytes)[16], char16_t* buffer, int maxChars) {
  GUID guid;
  std::memcpy(&guid, bytes, sizeof(guid));
  return StringFromGUID2(guid, reinterpret_cast<LPOLESTR>(buffer), maxChars);
}

}  // namespace platform
