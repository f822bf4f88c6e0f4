#include "platform/ShellFolder.h"

#include <type_traits>

#include "platform/win32/WindowsApi.h"
// <shlobj.h> needs <windows.h> first; only for the declaration the type is checked against.
#include <shlobj.h>

namespace platform {

bool CallGetFolderPath(ModuleHandle library, int folderId, std::uint32_t flags, char* buffer,
                       std::int32_t* result) {
  using GetFolderPathFn = HRESULT(WINAPI*)(HWND, int, HANDLE, DWORD, LPSTR);
  // A wrong calling convention would compile and corrupt the stack of the 32-bit build.
  static_assert(std::is_same_v<GetFolderPathFn, decltype(&::SHGetFolderPathA)>,
                "SHGetFolderPathA is declared otherwise");
  auto getFolderPath = reinterpret_cast<GetFolderPathFn>(
      reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), "SHGetFolderPathA")));
  if (getFolderPath == nullptr) return false;
  *result = getFolderPath(nullptr, folderId, nullptr, flags, buffer);
  return true;
}

}  // namespace platform
