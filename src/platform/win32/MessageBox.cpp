#include "platform/MessageBox.h"

#include "platform/win32/WindowsApi.h"

namespace platform {
int native::ShowMessageBox(const std::string& text, const std::string& caption, unsigned type) {
  return MessageBoxA(nullptr, text.c_str(), caption.c_str(), type);
}
}  // namespace platform
