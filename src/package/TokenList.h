#pragma once

#include <string>
#include <vector>

// The non-empty tokens of a text split at delimiter characters.
class QvTokenList {
 public:
  // No tokens, delimiter ";", trimming on.
  QvTokenList();
  // Runs of delimiters count as one. With trim set each token loses its white space at both
  // ends, and a token of white space alone ends the split.
  QvTokenList(const std::string& text, std::string delimiters, bool trim);

  const std::vector<std::string>& Tokens() const { return m_tokens; }
  std::size_t Count() const { return m_tokens.size(); }
  bool Empty() const { return m_tokens.empty(); }
  // The tokens with "," between neighbours, whatever the delimiters were.
  std::string Join() const;

 private:
  std::vector<std::string> m_tokens;
  bool m_trim;
  std::string m_delimiters;
};
