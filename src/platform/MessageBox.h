#pragma once

#include <functional>
#include <string>

namespace platform {

constexpr int kIdOk = 1;
constexpr int kIdYes = 6;
constexpr int kIdNo = 7;

// A modal box with no owner window. Returns the button pressed, or 0 when the box failed.
int ShowMessageBox(const std::string& text, const std::string& caption, unsigned type);

struct MessageBoxCall {
  std::string text;
  std::string caption;
  unsigned type;
};

// While alive, every box is answered by the handler instead of being shown.
class ScopedMessageBoxOverride {
 public:
  using Handler = std::function<int(const MessageBoxCall&)>;
  explicit ScopedMessageBoxOverride(Handler handler);
  ~ScopedMessageBoxOverride();
  ScopedMessageBoxOverride(const ScopedMessageBoxOverride&) = delete;
  ScopedMessageBoxOverride& operator=(const ScopedMessageBoxOverride&) = delete;

 private:
  Handler m_previous;
};

namespace native {
int ShowMessageBox(const std::string& text, const std::string& caption, unsigned type);
}  // namespace native

}  // namespace platform
