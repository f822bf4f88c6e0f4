#include <gtest/gtest.h>

#include "package/FsPath.h"
#include "package/TokenList.h"
#include "platform/CodePage.h"

namespace {

TEST(AppendComponent, AddsOneBackslashWhenNeeded) {
  struct Case {
    const char* path;
    const char* component;
    const char* expected;
  };
  const Case kCases[] = {
      {"", "b", "b"},
      {"C:", "b", "C:\\b"},
      {"C:\\a\\", "b", "C:\\a\\b"},
      {"C:/a/", "b", "C:/a/b"},
      {"C:\\a", "", "C:\\a\\"},
      {"C:\\a", "\\b", "C:\\a\\\\b"},
      {"C:\\a", nullptr, "C:\\a\\"},
      {"", "", ""},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(std::string(c.path) + " + " + (c.component ? c.component : "(null)"));
    QvFsPath path(c.path);
    EXPECT_EQ(c.expected, static_cast<std::string>(path.AppendComponent(c.component)));
  }
}

TEST(GetFileName, CutsAtTheLastBackslashFirst) {
  struct Case {
    const char* path;
    const char* name;
    const char* stem;
  };
  const Case kCases[] = {
      {"C:\\dir\\setup.msi", "setup.msi", "setup"},
      {"a/b\\c/d", "c/d", "c/d"},
      {"a/b/c.x", "c.x", "c"},
      {"name", "name", "name"},
      {"C:\\dir\\", "", ""},
      {"", "", ""},
      {"C:\\dir.x\\setup.en.msi", "setup.en.msi", "setup.en"},
      {"C:\\dir.x\\readme", "readme", "readme"},
      {"C:\\dir\\.msi", ".msi", ""},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.path);
    const QvFsPath path(c.path);
    EXPECT_EQ(c.name, static_cast<std::string>(path.GetFileName()));
    EXPECT_EQ(c.stem, static_cast<std::string>(path.GetFileNameNoExtension()));
  }
}

TEST(GetFileName, NeverCutsADoubleByteCharacter) {
  const platform::ScopedLeadByteCodePage shiftJis(932);
  // 0x95 0x5C (a kanji) has a backslash as its trail byte, 0x83 0x2E... is not used by
  // Shift-JIS, but 0x82 0x2E must not count as a dot either.
  const QvFsPath path(
      "C:\\\x95\x5C\\\x95\x5C"
      "a.msi");
  EXPECT_EQ(
      "\x95\x5C"
      "a.msi",
      static_cast<std::string>(path.GetFileName()));
  EXPECT_EQ(
      "\x95\x5C"
      "a",
      static_cast<std::string>(path.GetFileNameNoExtension()));
  EXPECT_EQ(
      "x\x82\x2E"
      "y",
      static_cast<std::string>(QvFsPath("x\x82\x2E"
                                        "y")
                                   .GetFileNameNoExtension()));
}

TEST(QvFsPath, IsAValue) {
  QvFsPath original("C:\\a");
  QvFsPath copy = original;
  copy.AppendComponent("b");
  EXPECT_EQ("C:\\a", static_cast<std::string>(original));
  EXPECT_EQ("", static_cast<std::string>(QvFsPath(static_cast<const char*>(nullptr))));
}

TEST(QvTokenList, SplitsAtDelimiterRuns) {
  struct Case {
    const char* text;
    const char* delimiters;
    bool trim;
    std::vector<std::string> tokens;
  };
  const Case kCases[] = {
      {"a;;b;", ";", false, {"a", "b"}},
      {"a; ;b", ";", true, {"a"}},
      {"a; ;b", ";", false, {"a", " ", "b"}},
      {" x ; y ", ";", true, {"x", "y"}},
      {"", ";", false, {}},
      {";;;", ";", false, {}},
      {"C:/a//b/", "\\/", false, {"C:", "a", "b"}},
      {"\\\\server\\share\\dir", "\\/", false, {"server", "share", "dir"}},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(c.tokens, QvTokenList(c.text, c.delimiters, c.trim).Tokens());
  }
}

TEST(QvTokenList, DoubleByteTrailIsNotADelimiter) {
  const platform::ScopedLeadByteCodePage shiftJis(932);
  const std::vector<std::string> expected = {"C:",
                                             "\x95\x5C"
                                             "x",
                                             "y"};
  EXPECT_EQ(expected, QvTokenList("C:\\\x95\x5C"
                                  "x\\y",
                                  "\\/", false)
                          .Tokens());
}

TEST(QvTokenList, JoinsWithComma) {
  EXPECT_EQ("x,y,z", QvTokenList("x;y;z", ";", true).Join());
  EXPECT_EQ("x,y", QvTokenList("x y", " ", false).Join());
  const QvTokenList features;
  EXPECT_EQ("", features.Join());
  EXPECT_TRUE(features.Empty());
}

}  // namespace
