#include <gtest/gtest.h>

#include <stdexcept>

#include "base/NarrowString.h"
#include "platform/CodePage.h"

namespace {

TEST(TrimString, RemovesCRuntimeWhiteSpaceAtBothEnds) {
  struct Case {
    const char* input;
    const char* expected;
  };
  const Case kCases[] = {
      {"", ""},       {" \t\r\n \v\f", ""}, {"\tabc \r\n", "abc"},
      {"a b", "a b"}, {"  x", "x"},         {"x  ", "x"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.input);
    EXPECT_EQ(c.expected, TrimString(c.input));
  }
}

TEST(TrimString, KeepsDoubleByteCharactersWhole) {
  const platform::ScopedLeadByteCodePage shiftJis(932);
  // 0x81 0x40 is the full-width space of Shift-JIS: one character, not white space.
  EXPECT_EQ("\x81\x40", TrimString(" \x81\x40 "));
  // A lead byte takes the next byte as its trail, whatever it is, as CharNextA does.
  EXPECT_EQ("a\x81\t", TrimString("a\x81\t "));
  // A lead byte as the last byte stays.
  EXPECT_EQ("a\x81", TrimString(" a\x81"));
}

TEST(Format, HexWithPrefixAndZeroWithout) {
  struct Case {
    unsigned value;
    const char* expected;
  };
  const Case kCases[] = {{0, "(0) x"}, {255, "(0xff) x"}, {0x80070005u, "(0x80070005) x"}};
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.expected);
    EXPECT_EQ(c.expected, FormatString("(%#x) %s", c.value, "x"));
  }
}

TEST(Format, ReplacesTheWholeContent) {
  std::string text = "a much longer text that was there before";
  Format(text, "%d-%s", 7, "z");
  EXPECT_EQ("7-z", text);
  Format(text, "%s", "");
  EXPECT_TRUE(text.empty());
}

TEST(Format, LongResultIsRenderedWhole) {
  const std::string big(5000, 'q');
  EXPECT_EQ(big + "!", FormatString("%s!", big.c_str()));
}

TEST(Format, NullFormatIsTheFrameworksInvalidArgument) {
  std::string text;
  const char* noFormat = nullptr;
  EXPECT_THROW(FormatV(text, noFormat, nullptr), std::invalid_argument);
}

TEST(WideToNarrow, NullAndEmptyGiveEmpty) {
  EXPECT_EQ("", WideToNarrow(nullptr));
  EXPECT_EQ("", WideToNarrow(u""));
  EXPECT_EQ("{ABC-1}", WideToNarrow(u"{ABC-1}"));
}

#if defined(_WIN32)
// The test bed runs Wine with an English locale: the thread's ANSI code page is 1252.
TEST(WideToNarrow, ConvertsWithTheThreadCodePageAndItsDefaultCharacter) {
  EXPECT_EQ("caf\xE9", WideToNarrow(u"caf\u00E9"));
  EXPECT_EQ("\x80", WideToNarrow(u"\u20AC"));
  EXPECT_EQ("?", WideToNarrow(u"\u4E00"));
}
#else
TEST(WideToNarrow, HostConvertsToUtf8) {
  EXPECT_EQ("caf\xC3\xA9", WideToNarrow(u"caf\u00E9"));
  EXPECT_EQ("\xF0\x9F\x98\x80", WideToNarrow(u"\U0001F600"));
  EXPECT_EQ("?x", WideToNarrow(u"\xD800x"));
}
#endif

}  // namespace
