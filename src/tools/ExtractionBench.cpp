// Prints how long extracting the x64 package takes and how much private memory the process
// commits: the package is written straight from the loaded resource, so the private bytes
// must not grow by anything near the package's size (a copy would add 8.3 MB). The image
// is page-aligned, so the resource pages are mapped from the file, not private memory.
//   extraction_bench [ROUNDS]
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "package/PackageDesc.h"
#include "platform/win32/WindowsApi.h"
// <psapi.h> needs <windows.h> first.
#include <psapi.h>

namespace {
// Private committed memory (PagefileUsage) and the working set, in kilobytes.
PROCESS_MEMORY_COUNTERS Counters() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof(counters);
  GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
  return counters;
}
}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::atoi(argv[1]) : 5;
  const PROCESS_MEMORY_COUNTERS before = Counters();
  SIZE_T privatePeak = before.PagefileUsage;
  double total = 0;
  for (int i = 0; i < rounds; ++i) {
    const auto start = std::chrono::steady_clock::now();
    // keep file false: each round's copy is deleted again.
    CRefCountPtr<CMsiPackageDesc> package(
        new CMsiPackageDesc(129, "QvHalcyonSetupENx64.msi", false));
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    total += took.count();
    const SIZE_T now = Counters().PagefileUsage;
    if (now > privatePeak) privatePeak = now;
  }
  const PROCESS_MEMORY_COUNTERS after = Counters();
  std::printf("extraction of resource 129 (8,716,288 bytes): %d rounds, %.1f ms on average\n",
              rounds, total / rounds);
  std::printf("private bytes: %zu KB before, %zu KB at the peak (+%zu KB)\n",
              static_cast<size_t>(before.PagefileUsage / 1024),
              static_cast<size_t>(privatePeak / 1024),
              static_cast<size_t>((privatePeak - before.PagefileUsage) / 1024));
  std::printf("working set: %zu KB before, %zu KB after\n",
              static_cast<size_t>(before.WorkingSetSize / 1024),
              static_cast<size_t>(after.WorkingSetSize / 1024));
  return 0;
}
