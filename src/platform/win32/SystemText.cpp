#include "platform/SystemText.h"

#include "platform/win32/Owners.h"

namespace platform {

std::string GetSystemMessageText(std::uint32_t code) {
  constexpr DWORD kFlags = FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS |
                           FORMAT_MESSAGE_FROM_SYSTEM;                               // 0x1300
  constexpr DWORD kUserDefaultLanguage = MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT);  // 0x0400
  char* text = nullptr;
  // With ALLOCATE_BUFFER the buffer argument receives the address of a LocalAlloc'ed text.
  const DWORD length = FormatMessageA(kFlags, nullptr, code, kUserDefaultLanguage,
                                      reinterpret_cast<char*>(&text), 0, nullptr);
  win32::UniqueLocalMemory owner(text);
  if (length == 0 || text == nullptr) return std::string();
  return std::string(text, length);
}

}  // namespace platform
