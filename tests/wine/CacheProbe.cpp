// Another process of the same user, as an attacker would run it against the package cache.
//   cache_probe dacl FOLDER
//     prints the folder's DACL in SDDL form (protection flag and entries).
//   cache_probe attack FILE SWAP
//     tries to overwrite, replace, delete and rename FILE and to rename its folder, using the
//     package SWAP; prints one line per attempt and exits with the number that succeeded.
// <sddl.h> needs <windows.h> first.
// clang-format off
#include <windows.h>
#include <sddl.h>
// clang-format on

#include <cstdio>
#include <string>

namespace {

int PrintDacl(const char* folder) {
  DWORD size = 0;
  GetFileSecurityA(folder, DACL_SECURITY_INFORMATION, nullptr, 0, &size);
  std::string buffer(size, '\0');
  if (size == 0 ||
      !GetFileSecurityA(folder, DACL_SECURITY_INFORMATION, buffer.data(), size, &size)) {
    std::printf("no security descriptor (%lu)\n", GetLastError());
    return 1;
  }
  char* text = nullptr;
  if (!ConvertSecurityDescriptorToStringSecurityDescriptorA(
          buffer.data(), SDDL_REVISION_1, DACL_SECURITY_INFORMATION, &text, nullptr)) {
    std::printf("no SDDL (%lu)\n", GetLastError());
    return 1;
  }
  std::printf("%s\n", text);
  LocalFree(text);
  return 0;
}

int g_succeeded = 0;
void Report(const char* attempt, bool done) {
  if (done) {
    ++g_succeeded;
    std::printf("%s: DONE\n", attempt);
  } else {
    std::printf("%s: refused (%lu)\n", attempt, GetLastError());
  }
}

int Attack(const std::string& file, const std::string& swap) {
  const std::string folder = file.substr(0, file.rfind('\\'));
  const std::string cache = folder.substr(0, folder.rfind('\\'));
  // The attacker's copy of the other package, beside the GUID folder.
  const std::string staged = cache + "\\swap.msi";
  CopyFileA(swap.c_str(), staged.c_str(), FALSE);

  HANDLE writer = CreateFileA(file.c_str(), GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  Report("open the package for writing", writer != INVALID_HANDLE_VALUE);
  if (writer != INVALID_HANDLE_VALUE) CloseHandle(writer);
  Report("copy the other package over it", CopyFileA(staged.c_str(), file.c_str(), FALSE) != 0);
  Report("replace it by a rename",
         MoveFileExA(staged.c_str(), file.c_str(), MOVEFILE_REPLACE_EXISTING) != 0);
  Report("delete it", DeleteFileA(file.c_str()) != 0);
  Report("rename it", MoveFileExA(file.c_str(), (file + ".old").c_str(), 0) != 0);
  Report("rename its folder", MoveFileExA(folder.c_str(), (folder + ".old").c_str(), 0) != 0);
  DeleteFileA(staged.c_str());
  return g_succeeded;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string action = argc > 1 ? argv[1] : "";
  if (action == "dacl" && argc == 3) return PrintDacl(argv[2]);
  if (action == "attack" && argc == 4) return Attack(argv[2], argv[3]);
  std::fprintf(stderr, "usage: cache_probe dacl FOLDER | cache_probe attack FILE SWAP\n");
  return 100;
}
