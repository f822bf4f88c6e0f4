#include "package/TokenList.h"

#include "base/Multibyte.h"
#include "base/NarrowString.h"

QvTokenList::QvTokenList() : m_trim(true), m_delimiters(";") {}

QvTokenList::QvTokenList(const std::string& text, std::string delimiters, bool trim)
    : m_trim(trim), m_delimiters(std::move(delimiters)) {
  auto isDelimiter = [&](std::size_t at, std::size_t next) {
    return next - at == 1 && m_delimiters.find(text[at]) != std::string::npos;
  };
  std::size_t position = 0;
  for (;;) {
    while (position < text.size() && isDelimiter(position, NextCharPosition(text, position)))
      ++position;
    const std::size_t start = position;
    while (position < text.size()) {
      const std::size_t next = NextCharPosition(text, position);
      if (isDelimiter(position, next)) break;
      position = next;
    }
    std::string token = text.substr(start, position - start);
    if (m_trim) token = TrimString(token);
    if (token.empty()) return;
    m_tokens.push_back(std::move(token));
  }
}

std::string QvTokenList::Join() const {
  std::string joined;
  for (std::size_t i = 0; i < m_tokens.size(); ++i) {
    if (i > 0) joined += ',';
    joined += m_tokens[i];
  }
  return joined;
}
