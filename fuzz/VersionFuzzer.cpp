// Parses arbitrary text as a version and compares it with itself and a fixed version.
#include <cstddef>
#include <cstdint>
#include <string>

#include "msi/VersionNumber.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const CVersionNumber version(text, VersionSeparators);
  const CVersionNumber other("1.2.0.0", VersionSeparators);
  if (version.IsLessThan(version)) __builtin_trap();
  if (version.IsLessThan(other) && other.IsLessThan(version)) __builtin_trap();
  if (version.size() > size) __builtin_trap();
  return 0;
}
