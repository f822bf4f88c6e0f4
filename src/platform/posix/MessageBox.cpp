#include "platform/MessageBox.h"

#include <cstdio>

namespace platform {
// The host has no window system of its own: the box is written out and counts as failed.
int native::ShowMessageBox(const std::string& text, const std::string& caption, unsigned type) {
  std::fprintf(stderr, "[message box %#x] %s: %s\n", type, caption.c_str(), text.c_str());
  return 0;
}
}  // namespace platform
