#include "base/NarrowString.h"

#include <cstdio>
#include <stdexcept>

#include "base/Multibyte.h"
#include "platform/CodePage.h"

std::string FromCText(const char* text) { return text ? std::string(text) : std::string(); }

void FormatV(std::string& target, const char* format, va_list args) {
  if (format == nullptr) throw std::invalid_argument("null format");
  va_list measure;
  va_copy(measure, args);
  const int count = std::vsnprintf(nullptr, 0, format, measure);
  va_end(measure);
  if (count < 0) throw std::runtime_error("format cannot be measured");
  std::string rendered(static_cast<std::size_t>(count), '\0');
  // std::string keeps room for the terminator past size(), so count + 1 is in bounds.
  std::vsnprintf(&rendered[0], static_cast<std::size_t>(count) + 1, format, args);
  target.swap(rendered);
}

namespace {
// Ends a va_list on every way out, including an exception from FormatV.
struct ScopedVaEnd {
  va_list& args;
  ~ScopedVaEnd() { va_end(args); }
};
}  // namespace

void Format(std::string& target, const char* format, ...) {
  va_list args;
  va_start(args, format);
  const ScopedVaEnd end{args};
  FormatV(target, format, args);
}

std::string FormatString(const char* format, ...) {
  std::string result;
  va_list args;
  va_start(args, format);
  const ScopedVaEnd end{args};
  FormatV(result, format, args);
  return result;
}

namespace {
bool IsCSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
}  // namespace

std::string TrimString(const std::string& text) {
  std::size_t begin = std::string::npos;
  std::size_t end = 0;  // one past the last character that is not white space
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t next = NextCharPosition(text, i);
    if (next - i > 1 || !IsCSpace(text[i])) {
      if (begin == std::string::npos) begin = i;
      end = next;
    }
    i = next;
  }
  if (begin == std::string::npos) return std::string();
  return text.substr(begin, end - begin);
}

std::string WideToNarrow(const char16_t* text) {
  if (text == nullptr || *text == u'\0') return std::string();
  return platform::WideToThreadCodePage(text);
}
