#include "platform/Com.h"

#include "platform/win32/WindowsApi.h"

namespace platform {
long InitializeOle() { return OleInitialize(nullptr); }
void UninitializeOle() { OleUninitialize(); }
}  // namespace platform
