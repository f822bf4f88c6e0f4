#include "platform/win32/ProcessMemory.h"

#include "platform/win32/WindowsApi.h"
// <psapi.h> needs <windows.h> first.
#include <psapi.h>

namespace platform::win32 {

ProcessMemory ReadProcessMemory() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof(counters);
  GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
  return ProcessMemory{counters.PagefileUsage, counters.WorkingSetSize};
}

}  // namespace platform::win32
