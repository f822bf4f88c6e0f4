#include "platform/MessageBox.h"

#include <utility>

namespace platform {
namespace {
ScopedMessageBoxOverride::Handler& CurrentHandler() {
  static ScopedMessageBoxOverride::Handler handler;
  return handler;
}
}  // namespace

int ShowMessageBox(const std::string& text, const std::string& caption, unsigned type) {
  if (CurrentHandler()) return CurrentHandler()(MessageBoxCall{text, caption, type});
  return native::ShowMessageBox(text, caption, type);
}

ScopedMessageBoxOverride::ScopedMessageBoxOverride(Handler handler)
    : m_previous(std::exchange(CurrentHandler(), std::move(handler))) {}

ScopedMessageBoxOverride::~ScopedMessageBoxOverride() { CurrentHandler() = std::move(m_previous); }

}  // namespace platform
