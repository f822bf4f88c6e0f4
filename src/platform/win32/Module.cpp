#include "platform/Module.h"

#include <string>
#include <type_traits>

#include "platform/win32/WindowsApi.h"

namespace platform {

ModuleHandle LoadSystemLibrary(const char* name) {
  HMODULE module = LoadLibraryExA(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  const DWORD error = module ? ERROR_SUCCESS : GetLastError();
  if (module == nullptr && error == ERROR_INVALID_PARAMETER) {
    // Vista and 7 without KB2533623 do not know the flag: name the system folder instead.
    char folder[MAX_PATH];
    const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return nullptr;
    const std::string path = std::string(folder, length) + "\\" + name;
    module = LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  }
  return module;
}

void FreeLibraryModule(ModuleHandle module) {
  if (module) FreeLibrary(static_cast<HMODULE>(module));
}

ModuleHandle CurrentProcessModule() { return GetModuleHandleA(nullptr); }

void RestrictLibrarySearchToSystem() {
  // Looked up by name: the entry is missing on Vista and 7 without KB2533623.
  using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
  // A wrong calling convention would compile and corrupt the stack of the 32-bit build.
  static_assert(std::is_same_v<SetDefaultDllDirectoriesFn, decltype(&::SetDefaultDllDirectories)>,
                "SetDefaultDllDirectories is declared otherwise");
  HMODULE kernel = GetModuleHandleA("kernel32");
  if (kernel == nullptr) return;
  auto setDirectories = reinterpret_cast<SetDefaultDllDirectoriesFn>(
      reinterpret_cast<void*>(GetProcAddress(kernel, "SetDefaultDllDirectories")));
  if (setDirectories) setDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

}  // namespace platform
