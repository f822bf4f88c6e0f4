#include "platform/OsVersion.h"

namespace platform {
void FillVersionRecord(unsigned char*) {}
// The host cannot tell: answered as a failed query, which selects the 32-bit variant.
Wow64Answer native::QueryWow64() { return Wow64Answer::kUnavailable; }
}  // namespace platform
