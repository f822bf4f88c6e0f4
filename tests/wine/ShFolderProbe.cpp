// Looks up the application-data folder as the setup program does, and prints it.
// With --plain it loads SHFolder.dll the naive way instead, to show that the plant works.
#include <cstdio>
#include <cstring>

#include "package/Folders.h"
#include "platform/Module.h"
#include "platform/win32/WindowsApi.h"

int main(int argc, char** argv) {
  if (argc > 1 && std::strcmp(argv[1], "--plain") == 0) {
    HMODULE module = LoadLibraryA("SHFolder.dll");
    std::printf("plain load: %s\n", module ? "loaded" : "failed");
    return 0;
  }
  // As the setup program's entry does first thing.
  platform::RestrictLibrarySearchToSystem();
  std::printf("folder: %s\n", GetCommonAppDataFolder().c_str());
  return 0;
}
