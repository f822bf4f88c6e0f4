#pragma once
// Splits a fuzzer's bytes into the pieces a target needs.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/CodePage.h"

class FuzzInput {
 public:
  FuzzInput(const std::uint8_t* data, std::size_t size)
      : m_data(reinterpret_cast<const char*>(data)), m_size(size) {}

  // One byte of flags, 0 when the input is used up.
  unsigned char Flags() {
    if (m_at >= m_size) return 0;
    return static_cast<unsigned char>(m_data[m_at++]);
  }
  // The text up to the next NUL byte (or the end), without the NUL.
  std::string Text() {
    std::string text;
    while (m_at < m_size && m_data[m_at] != '\0') text += m_data[m_at++];
    if (m_at < m_size) ++m_at;
    return text;
  }

 private:
  const char* m_data;
  std::size_t m_size;
  std::size_t m_at = 0;
};

// Shift-JIS lead bytes when the flag's low bit is set, so that trail bytes equal to a
// separator or delimiter are exercised; otherwise the build's own code page.
class FuzzCodePage {
 public:
  explicit FuzzCodePage(unsigned char flags) : m_scope((flags & 1) != 0 ? 932 : 0) {}

 private:
  platform::ScopedLeadByteCodePage m_scope;
};
