#pragma once

#include <cstddef>

namespace platform::win32 {

// The calling process's committed private memory (PagefileUsage) and working set, in bytes.
struct ProcessMemory {
  std::size_t privateBytes;
  std::size_t workingSet;
};
ProcessMemory ReadProcessMemory();

}  // namespace platform::win32
