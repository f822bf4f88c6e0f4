#pragma once

#include <cstdint>
#include <string>

namespace platform {
// The system's description of an error code in the user's default language, untrimmed;
// empty when the system has none. The host build has no message table and always gives "".
std::string GetSystemMessageText(std::uint32_t code);
}  // namespace platform
