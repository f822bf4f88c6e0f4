#pragma once

#include <cstdint>

namespace platform {

// Fills bytes with a new GUID (CoCreateGuid); false when the system could not make one.
bool CreateGuidBytes(std::uint8_t (&bytes)[16]);
// Writes the registry form, {XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}, with at most maxChars
// characters including the terminator (StringFromGUID2); returns the characters written.
int GuidToRegistryText(const std::uint8_t (&bytes)[16], char16_t* buffer, int maxChars);

}  // namespace platform
