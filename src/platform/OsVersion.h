#pragma once

#include <cstddef>

namespace platform {

constexpr std::size_t kOsVersionRecordSize = 156;  // sizeof(OSVERSIONINFOEXA)

// GetVersionExA on a record whose size field the caller has set; the result is not reported.
void FillVersionRecord(unsigned char* record);

enum class Wow64Answer {
  kUnavailable,  // no IsWow64Process entry in kernel32, or the call failed
  kNo,
  kYes,
};

// Whether this process runs on a 64-bit Windows: the 32-bit build asks IsWow64Process, looked
// up by name in "kernel32"; the 64-bit build always answers kYes.
Wow64Answer QueryWow64();

// While alive, QueryWow64 gives the stated answer.
class ScopedWow64Override {
 public:
  explicit ScopedWow64Override(Wow64Answer answer);
  ~ScopedWow64Override();
  ScopedWow64Override(const ScopedWow64Override&) = delete;
  ScopedWow64Override& operator=(const ScopedWow64Override&) = delete;

 private:
  const Wow64Answer* m_previous;
  Wow64Answer m_answer;
};

namespace native {
Wow64Answer QueryWow64();
}  // namespace native

}  // namespace platform
