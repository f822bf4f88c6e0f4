#include "platform/Resources.h"

#include "platform/win32/WindowsApi.h"

namespace platform {

ResourceBytes FindMsiResource(ModuleHandle module, int id) {
  auto* instance = static_cast<HMODULE>(module);
  HRSRC info = FindResourceA(instance, MAKEINTRESOURCEA(id), "MSI");
  if (info == nullptr) return {};
  HGLOBAL loaded = LoadResource(instance, info);
  if (loaded == nullptr) return {};
  // Resource memory belongs to the module image: nothing to free.
  return ResourceBytes{LockResource(loaded), SizeofResource(instance, info)};
}

}  // namespace platform
