// Prints how long extracting the x64 package takes and how much private memory the process
// commits: the package is written straight from the loaded resource, so the private bytes
// must not grow by anything near the package's size (a copy would add 8.3 MB). The image
// is page-aligned, so the resource pages are mapped from the file, not private memory.
//   extraction_bench [ROUNDS]
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "package/PackageDesc.h"
#include "platform/win32/ProcessMemory.h"

using platform::win32::ReadProcessMemory;

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::atoi(argv[1]) : 5;
  const auto before = ReadProcessMemory();
  std::size_t privatePeak = before.privateBytes;
  double total = 0;
  for (int i = 0; i < rounds; ++i) {
    const auto start = std::chrono::steady_clock::now();
    // keep file false: each round's copy is deleted again.
    CRefCountPtr<CMsiPackageDesc> package(
        new CMsiPackageDesc(129, "QvHalcyonSetupENx64.msi", false));
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    total += took.count();
    const std::size_t now = ReadProcessMemory().privateBytes;
    if (now > privatePeak) privatePeak = now;
  }
  const auto after = ReadProcessMemory();
  std::printf("extraction of resource 129 (8,716,288 bytes): %d rounds, %.1f ms on average\n",
              rounds, total / rounds);
  std::printf("private bytes: %zu KB before, %zu KB at the peak (+%zu KB)\n",
              static_cast<size_t>(before.privateBytes / 1024),
              static_cast<size_t>(privatePeak / 1024),
              static_cast<size_t>((privatePeak - before.privateBytes) / 1024));
  std::printf("working set: %zu KB before, %zu KB after\n",
              static_cast<size_t>(before.workingSet / 1024),
              static_cast<size_t>(after.workingSet / 1024));
  return 0;
}
