#include "platform/ShellFolder.h"

#include "platform/win32/WindowsApi.h"

namespace platform {

bool CallGetFolderPath(ModuleHandle library, int folderId, std::uint32_t flags, char* buffer,
                       std::int32_t* result) {
  using GetFolderPathFn = HRESULT(WINAPI*)(HWND, int, HANDLE, DWORD, LPSTR);
  auto getFolderPath = reinterpret_cast<GetFolderPathFn>(
      reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), "SHGetFolderPathA")));
  if (getFolderPath == nullptr) return false;
  *result = getFolderPath(nullptr, folderId, nullptr, flags, buffer);
  return true;
}

}  // namespace platform
