#include "base/Multibyte.h"

#include <cstring>

#include "platform/CodePage.h"

std::size_t NextCharPosition(const std::string& text, std::size_t position) {
  const unsigned char byte = static_cast<unsigned char>(text[position]);
  // A lead byte at the very end has no trail byte to take with it.
  if (platform::IsLeadByte(byte) && position + 1 < text.size()) return position + 2;
  return position + 1;
}

std::size_t FindLastCharOf(const std::string& text, const char* chars) {
  std::size_t found = std::string::npos;
  for (std::size_t i = 0; i < text.size(); i = NextCharPosition(text, i)) {
    const unsigned char byte = static_cast<unsigned char>(text[i]);
    if (platform::IsLeadByte(byte) && i + 1 < text.size()) continue;
    if (text[i] != '\0' && std::strchr(chars, text[i]) != nullptr) found = i;
  }
  return found;
}
