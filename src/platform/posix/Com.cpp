#include "platform/Com.h"

namespace platform {
// The host has no COM; the host service's reader needs none.
long InitializeOle() { return 0; }
void UninitializeOle() {}
}  // namespace platform
