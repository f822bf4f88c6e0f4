/* A hostile SHFolder.dll, as an attacker would plant it beside a downloaded setup program:
   it leaves a marker file when it is loaded. */
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  (void)instance;
  (void)reserved;
  if (reason == DLL_PROCESS_ATTACH) {
    char marker[MAX_PATH];
    DWORD length = GetEnvironmentVariableA("QV_PLANTED_MARKER", marker, MAX_PATH);
    if (length > 0 && length < MAX_PATH) {
      HANDLE file =
          CreateFileA(marker, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
      if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    }
  }
  return TRUE;
}

HRESULT WINAPI SHGetFolderPathA(HWND owner, int folder, HANDLE token, DWORD flags, LPSTR path) {
  (void)owner;
  (void)folder;
  (void)token;
  (void)flags;
  lstrcpyA(path, "C:\\planted");
  return S_OK;
}
