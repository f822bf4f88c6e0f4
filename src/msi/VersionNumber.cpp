#include "msi/VersionNumber.h"

#include <cerrno>
#include <cstdlib>
#include <limits>

const char* const VersionSeparators = ".,";

namespace {
std::int32_t ToPart(const std::string& token) {
  // strtol reports overflow by clamping to long, which may be 64 bits wide.
  errno = 0;
  const long long value = std::strtoll(token.c_str(), nullptr, 10);
  if (value > std::numeric_limits<std::int32_t>::max())
    return std::numeric_limits<std::int32_t>::max();
  if (value < std::numeric_limits<std::int32_t>::min())
    return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(value);
}
}  // namespace

CVersionNumber::CVersionNumber(const std::string& text, const std::string& separators) {
  std::size_t position = 0;
  for (;;) {
    position = text.find_first_not_of(separators, position);
    if (position == std::string::npos) return;
    const std::size_t end = text.find_first_of(separators, position);
    push_back(ToPart(
        text.substr(position, end == std::string::npos ? std::string::npos : end - position)));
    if (end == std::string::npos) return;
    position = end + 1;
  }
}

bool CVersionNumber::IsLessThan(const CVersionNumber& other) const {
  const std::size_t parts = std::max(size(), other.size());
  for (std::size_t i = 0; i < parts; ++i) {
    const std::int32_t mine = i < size() ? (*this)[i] : 0;
    const std::int32_t theirs = i < other.size() ? other[i] : 0;
    if (mine != theirs) return mine < theirs;
  }
  return false;
}
