/* A hostile SHFolder.dll, as an attacker would plant it beside a downloaded setup program:
   it leaves a marker file when it is loaded. Placed in the system folder instead, it records
   the arguments of each SHGetFolderPathA call in that file, so a test can check them. */
#include <stdio.h>
#include <windows.h>

/* Opens the marker file named by QV_PLANTED_MARKER; how: CREATE_ALWAYS or OPEN_ALWAYS. */
static HANDLE OpenMarker(DWORD how) {
  char marker[MAX_PATH];
  DWORD length = GetEnvironmentVariableA("QV_PLANTED_MARKER", marker, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return INVALID_HANDLE_VALUE;
  return CreateFileA(marker, GENERIC_WRITE, 0, NULL, how, FILE_ATTRIBUTE_NORMAL, NULL);
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  (void)instance;
  (void)reserved;
  if (reason == DLL_PROCESS_ATTACH) {
    HANDLE file = OpenMarker(CREATE_ALWAYS);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  }
  return TRUE;
}

HRESULT WINAPI SHGetFolderPathA(HWND owner, int folder, HANDLE token, DWORD flags, LPSTR path) {
  char line[160];
  DWORD written = 0;
  HANDLE file = OpenMarker(OPEN_ALWAYS);
  int length = snprintf(line, sizeof(line), "SHGetFolderPathA owner=%p folder=%#x token=%p flags=%lu\n",
                        (void*)owner, (unsigned)folder, (void*)token, (unsigned long)flags);
  if (file != INVALID_HANDLE_VALUE) {
    SetFilePointer(file, 0, NULL, FILE_END);
    WriteFile(file, line, (DWORD)length, &written, NULL);
    CloseHandle(file);
  }
  lstrcpyA(path, "C:\\planted");
  return S_OK;
}
