#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The separator set every version text of the system is parsed with.
extern const char* const VersionSeparators;  // ".,"

// A dotted version as its signed 32-bit parts, in text order.
class CVersionNumber : public std::vector<std::int32_t> {
 public:
  CVersionNumber() = default;
  // Tokens between separators are converted as strtol does in base 10, clamped to 32 bits.
  // Runs of separators count as one; no part comes from an empty token.
  CVersionNumber(const std::string& text, const std::string& separators);
  CVersionNumber(const CVersionNumber&) = default;
  CVersionNumber& operator=(const CVersionNumber&) = default;
  virtual ~CVersionNumber() = default;

  // Strictly lower, once the shorter version is extended with zeros.
  bool IsLessThan(const CVersionNumber& other) const;
};
