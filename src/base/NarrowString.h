#pragma once

#include <cstdarg>
#include <string>

// Narrow strings are std::string holding bytes in the ANSI code page of the running system.

#if defined(__GNUC__)
#define QV_PRINTF_FORMAT(fmt, args) __attribute__((format(printf, fmt, args)))
#else
#define QV_PRINTF_FORMAT(fmt, args)
#endif

// A null pointer gives the empty string.
std::string FromCText(const char* text);

// Replaces the whole content of target with the printf-style rendering of format.
// A null format raises std::invalid_argument, a format the C runtime cannot measure
// std::runtime_error; neither belongs to the Error::QvException family.
void Format(std::string& target, const char* format, ...) QV_PRINTF_FORMAT(2, 3);
void FormatV(std::string& target, const char* format, va_list args);
std::string FormatString(const char* format, ...) QV_PRINTF_FORMAT(1, 2);

// Removes the C runtime's white space (space, \t, \n, \v, \f, \r) at both ends. Double-byte
// characters of the ANSI code page are stepped over whole.
std::string TrimString(const std::string& text);

// UTF-16 to the calling thread's ANSI code page; a null pointer or empty text gives "".
// Unrepresentable characters become the code page's default character.
std::string WideToNarrow(const char16_t* text);
