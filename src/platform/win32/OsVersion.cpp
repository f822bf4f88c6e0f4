#include "platform/OsVersion.h"

#include <type_traits>

#include "platform/win32/WindowsApi.h"

namespace platform {

// 156 bytes is the extended record, which GetVersionExA also fills when its size says so.
static_assert(sizeof(OSVERSIONINFOEXA) == kOsVersionRecordSize, "version record size");

void FillVersionRecord(unsigned char* record) {
  // GetVersionExA is deprecated for its lies about the version, which nothing here reads.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(record));
#pragma GCC diagnostic pop
}

Wow64Answer native::QueryWow64() {
#if defined(_WIN64)
  // A 64-bit process only runs on 64-bit Windows.
  return Wow64Answer::kYes;
#else
  using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, PBOOL);
  // A wrong calling convention would compile and corrupt the stack of the 32-bit build.
  static_assert(std::is_same_v<IsWow64ProcessFn, decltype(&::IsWow64Process)>,
                "IsWow64Process is declared otherwise");
  HMODULE kernel = GetModuleHandleA("kernel32");
  if (kernel == nullptr) return Wow64Answer::kUnavailable;
  auto isWow64Process = reinterpret_cast<IsWow64ProcessFn>(
      reinterpret_cast<void*>(GetProcAddress(kernel, "IsWow64Process")));
  if (isWow64Process == nullptr) return Wow64Answer::kUnavailable;
  BOOL answer = FALSE;
  if (!isWow64Process(GetCurrentProcess(), &answer)) return Wow64Answer::kUnavailable;
  return answer ? Wow64Answer::kYes : Wow64Answer::kNo;
#endif
}

}  // namespace platform
