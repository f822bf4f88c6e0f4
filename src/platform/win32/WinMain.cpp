// The process entry only hands over to the application framework. The command line is not
// read.
#include "platform/Module.h"
#include "platform/ProcessEntry.h"
#include "platform/win32/WindowsApi.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  platform::RestrictLibrarySearchToSystem();
  return AfxWinMain();
}
