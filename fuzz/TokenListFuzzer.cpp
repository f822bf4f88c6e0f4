// Splits arbitrary text at arbitrary delimiters, with and without trimming, in a single-byte
// and a double-byte code page: every token is a non-empty piece of the text, in order, and
// an untrimmed token never holds a delimiter that starts a character.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzInput.h"
#include "base/Multibyte.h"
#include "package/TokenList.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  const unsigned char flags = input.Flags();
  const FuzzCodePage codePage(flags);
  const bool trim = (flags & 2) != 0;
  const std::string delimiters = input.Text();
  const std::string text = input.Text();

  const QvTokenList list(text, delimiters, trim);
  std::size_t from = 0;
  std::size_t joined = 0;
  for (const std::string& token : list.Tokens()) {
    if (token.empty()) __builtin_trap();
    const std::size_t at = text.find(token, from);
    if (at == std::string::npos) __builtin_trap();
    from = at + token.size();
    joined += token.size();
    if (!trim) {
      for (std::size_t i = 0; i < token.size(); i = NextCharPosition(token, i)) {
        if (NextCharPosition(token, i) == i + 1 && delimiters.find(token[i]) != std::string::npos)
          __builtin_trap();
      }
    }
  }
  if (list.Count() > 0) joined += list.Count() - 1;
  if (list.Join().size() != joined) __builtin_trap();
  return 0;
}
