/* An msi.dll with only the first entry the setup program binds: the setup program must say
   which entry is missing instead of going on without Windows Installer. */
#include <windows.h>

__declspec(dllexport) UINT WINAPI MsiEnumProductsA(DWORD index, LPSTR product) {
  (void)index;
  (void)product;
  return ERROR_NO_MORE_ITEMS;
}
