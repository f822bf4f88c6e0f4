#pragma once

#include <string>

namespace platform {

// Whether byte starts a double-byte character of the code page in force (the thread's ANSI
// code page unless a ScopedLeadByteCodePage is alive).
bool IsLeadByte(unsigned char byte);

// Converts a non-empty UTF-16 text with the thread's ANSI code page, no flags and no
// caller-supplied default character. The host build converts to UTF-8 (its narrow encoding),
// with '?' for an unpaired surrogate.
std::string WideToThreadCodePage(const char16_t* text);

// Makes IsLeadByte answer for another code page (for example 932, Shift-JIS) while it lives.
class ScopedLeadByteCodePage {
 public:
  explicit ScopedLeadByteCodePage(unsigned codePage);
  ~ScopedLeadByteCodePage();
  ScopedLeadByteCodePage(const ScopedLeadByteCodePage&) = delete;
  ScopedLeadByteCodePage& operator=(const ScopedLeadByteCodePage&) = delete;

 private:
  unsigned m_previous;
};

namespace native {
// codePage 0 means the thread's ANSI code page.
bool IsLeadByteOf(unsigned codePage, unsigned char byte);
}  // namespace native

}  // namespace platform
