#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace msi {

template <typename Result>
struct SizedText {
  Result result;
  std::string text;      // what the buffer held up to its terminator
  std::uint32_t length;  // the length the service wrote back
};

// The one "buffer too small, grow and ask again" loop for Windows Installer's sized calls.
// ask(buffer, &length) receives room for length characters (terminator included); when it
// answers moreData, length holds the characters needed without the terminator, and the call
// is repeated with room for one more. A service that answers moreData without asking for
// more room ends the loop with an empty text instead of asking forever.
template <typename Result, typename Ask>
SizedText<Result> AskGrowing(std::uint32_t initialChars, Result moreData, Ask ask) {
  std::vector<char> buffer(initialChars, '\0');
  for (;;) {
    std::uint32_t length = static_cast<std::uint32_t>(buffer.size());
    const Result result = ask(buffer.data(), &length);
    if (result != moreData) {
      return {result, std::string(buffer.data(), strnlen(buffer.data(), buffer.size())), length};
    }
    if (static_cast<std::uint64_t>(length) + 1 <= buffer.size()) return {result, std::string(), 0};
    buffer.assign(static_cast<std::size_t>(length) + 1, '\0');
  }
}

}  // namespace msi
