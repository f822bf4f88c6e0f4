#pragma once

#include <cstddef>
#include <string>

// Scans that step over double-byte characters of the ANSI code page, so that a trail
// byte is never mistaken for a separator, a dot or white space.

// Position of the character after the one at position.
std::size_t NextCharPosition(const std::string& text, std::size_t position);

// Last single-byte character of text that is one of chars, or npos.
std::size_t FindLastCharOf(const std::string& text, const char* chars);
