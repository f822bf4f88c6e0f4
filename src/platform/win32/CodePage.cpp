#include "platform/CodePage.h"

#include <string>

#include "platform/win32/WindowsApi.h"

namespace platform {

bool native::IsLeadByteOf(unsigned codePage, unsigned char byte) {
  return IsDBCSLeadByteEx(codePage == 0 ? CP_THREAD_ACP : codePage, byte) != FALSE;
}

std::string WideToThreadCodePage(const char16_t* text) {
  const auto* wide = reinterpret_cast<const wchar_t*>(text);
  // With -1 both counts include the terminator.
  const int needed = WideCharToMultiByte(CP_THREAD_ACP, 0, wide, -1, nullptr, 0, nullptr, nullptr);
  if (needed <= 1) return std::string();
  std::string narrow(static_cast<std::size_t>(needed), '\0');
  const int written =
      WideCharToMultiByte(CP_THREAD_ACP, 0, wide, -1, &narrow[0], needed, nullptr, nullptr);
  narrow.resize(written > 0 ? static_cast<std::size_t>(written - 1) : 0);
  return narrow;
}

}  // namespace platform
