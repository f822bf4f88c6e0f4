#include "platform/SystemText.h"

namespace platform {
// No Windows message table exists on the host.
std::string GetSystemMessageText(std::uint32_t) { return std::string(); }
}  // namespace platform
