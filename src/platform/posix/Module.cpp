#include "platform/Module.h"

#include <cstring>

#include "platform/posix/HostDrive.h"

namespace platform {

namespace {
// Stand-ins for the two modules the program knows: itself and the shell-folder library.
char g_processModule;
char g_shellFolderModule;
}  // namespace

ModuleHandle LoadSystemLibrary(const char* name) {
  if (std::strcmp(name, "SHFolder.dll") == 0 && host::CommonAppDataFolder())
    return &g_shellFolderModule;
  return nullptr;
}

void FreeLibraryModule(ModuleHandle) {}

ModuleHandle CurrentProcessModule() { return &g_processModule; }

void RestrictLibrarySearchToSystem() {}

}  // namespace platform
