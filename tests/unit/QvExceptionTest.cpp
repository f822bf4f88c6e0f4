#include <gtest/gtest.h>

#include <memory>

#include "base/QvException.h"
#include "platform/CodePage.h"
#include "platform/MessageBox.h"

namespace {

using Error::QvExceptionCommon;
using Error::QvExceptionText;

// Records the boxes shown while alive and answers OK.
struct BoxRecorder {
  std::vector<platform::MessageBoxCall> boxes;
  platform::ScopedMessageBoxOverride scope{[this](const platform::MessageBoxCall& call) {
    boxes.push_back(call);
    return platform::kIdOk;
  }};
};

TEST(QvException, SourceIsTheFileNamePartOfThePath) {
  struct Case {
    const char* path;
    const char* source;
  };
  const Case kCases[] = {
      {"a\\b/c", "b/c"}, {"a/b/c", "c"}, {"c", "c"}, {"", ""}, {nullptr, ""}, {"d:\\src\\", ""},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.path ? c.path : "(null)");
    EXPECT_EQ(c.source, QvExceptionText(c.path, nullptr, 1, "m").Source());
  }
}

TEST(QvException, SourceRuleStepsOverDoubleByteCharacters) {
  const platform::ScopedLeadByteCodePage shiftJis(932);
  // 0x95 0x5C is one character whose trail byte is a backslash.
  EXPECT_EQ(
      "\x95\x5C"
      "x",
      QvExceptionText("d:\\\x95\x5C"
                      "x",
                      nullptr, 1, "m")
          .Source());
}

TEST(QvException, KindsAndFields) {
  const QvExceptionText text("d:\\src\\ProductInstaller", "CProductInstaller::Proceed", 45, "m");
  EXPECT_EQ(4, text.KindCode());
  EXPECT_EQ("ProductInstaller", text.Source());
  EXPECT_EQ("CProductInstaller::Proceed", text.FunctionName());
  EXPECT_EQ(45, text.Line());
  const QvExceptionCommon common("MsiSql", nullptr, 7, 5, "t");
  EXPECT_EQ(2, common.KindCode());
  EXPECT_EQ("", common.FunctionName());
}

TEST(QvExceptionCommon, MessageForms) {
  // 0x2000FFFF is a customer-bit code no system has a text for.
  struct Case {
    std::uint32_t code;
    const char* text;
    const char* expected;
  };
  const Case kCases[] = {
      {0, "Failed to create Windows installer object.",
       "(0) Failed to create Windows installer object."},
      {0, "", "(0)"},
      {0x2000FFFF, "t", "(0x2000ffff) t"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.expected);
    EXPECT_EQ(c.expected, QvExceptionCommon("MsiSql", "", 7, c.code, c.text).GetMessage());
  }
}

#if defined(_WIN32)
TEST(QvExceptionCommon, CodeWithSystemTextShowsTheTrimmedTextFirst) {
  // Wine's English text for ERROR_ACCESS_DENIED.
  EXPECT_EQ("Access denied. (0x5)\n\nFailed to create Windows installer object.",
            QvExceptionCommon("MsiSql", "", 7, 5, "Failed to create Windows installer object.")
                .GetMessage());
}
#endif

TEST(Report, ShowsTheMessageInTheErrorBox) {
  BoxRecorder recorder;
  QvExceptionText("ProductInstaller", "CProductInstaller::Proceed", 45,
                  "Failed to find product to be installed.")
      .Report();
  ASSERT_EQ(1u, recorder.boxes.size());
  EXPECT_EQ("Failed to find product to be installed.", recorder.boxes[0].text);
  EXPECT_EQ("Error", recorder.boxes[0].caption);
  EXPECT_EQ(0x50010u, recorder.boxes[0].type);
}

TEST(Report, TrimsAndFallsBackToTheUnknownErrorText) {
  struct Case {
    const char* message;
    const char* shown;
  };
  const Case kCases[] = {
      {"  padded \r\n", "padded"},
      {"", "Unknown error occured\nFile: Step, Line: 45"},
      {" \t\n", "Unknown error occured\nFile: Step, Line: 45"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.message);
    BoxRecorder recorder;
    QvExceptionText("d:\\src\\Step", "F::G", 45, c.message).Report();
    ASSERT_EQ(1u, recorder.boxes.size());
    EXPECT_EQ(c.shown, recorder.boxes[0].text);
  }
}

TEST(Report, CommonErrorNeverFallsBack) {
  BoxRecorder recorder;
  QvExceptionCommon("x", "", 1, 0, "").Report();
  ASSERT_EQ(1u, recorder.boxes.size());
  EXPECT_EQ("(0)", recorder.boxes[0].text);
}

TEST(Clone, CopiesKindAndFields) {
  const QvExceptionCommon original("d:\\MsiSql", "CMsiSql::CMsiSql", 7, 0x80040154u, "t");
  std::unique_ptr<Error::QvException> copy(original.Clone());
  EXPECT_EQ(2, copy->KindCode());
  EXPECT_EQ("MsiSql", copy->Source());
  EXPECT_EQ(7, copy->Line());
  EXPECT_EQ(original.GetMessage(), copy->GetMessage());
}

ByteBuffer Saved(const Error::QvException& error) {
  ByteBuffer buffer;
  error.Save(buffer);
  return buffer;
}

TEST(SaveLoad, RoundTripsBothKinds) {
  const QvExceptionText text("src\\A", "A::B", 12, "hello");
  QvExceptionText textTarget("", "", 0, "");
  ByteBuffer bytes = Saved(text);
  ByteReader reader(bytes.data(), bytes.size());
  textTarget.Load(reader);
  EXPECT_EQ(bytes.size(), reader.Position());
  EXPECT_EQ("A", textTarget.Source());
  EXPECT_EQ("A::B", textTarget.FunctionName());
  EXPECT_EQ(12, textTarget.Line());
  EXPECT_EQ("hello", textTarget.GetMessage());

  const QvExceptionCommon common("MsiSql", "CMsiSql::CMsiSql", 7, 0x80004005u, "t");
  QvExceptionCommon commonTarget("", "", 0, 0, "");
  bytes = Saved(common);
  ByteReader commonReader(bytes.data(), bytes.size());
  commonTarget.Load(commonReader);
  EXPECT_EQ(0x80004005u, commonTarget.ErrorCode());
  EXPECT_EQ(common.GetMessage(), commonTarget.GetMessage());
}

TEST(SaveLoad, ByteFormat) {
  const ByteBuffer bytes = Saved(QvExceptionCommon("ab", "", 7, 0x11223344, "z"));
  const ByteBuffer expected = {
      0x01, 2, 0, 0, 0,    'a',  'b',         // source
      0x01, 0, 0, 0, 0,                       // empty function name: marker and length 0
      4,    0, 0, 0, 7,    0,    0,    0,     // line
      4,    0, 0, 0, 0x44, 0x33, 0x22, 0x11,  // error code
      0x01, 1, 0, 0, 0,    'z',               // text
  };
  EXPECT_EQ(expected, bytes);
}

TEST(SaveLoad, EmptyStringItemLeavesTheFieldAsItWas) {
  const ByteBuffer bytes = Saved(QvExceptionText("s", "", 3, "m"));
  QvExceptionText target("", "Kept::Name", 0, "");
  ByteReader reader(bytes.data(), bytes.size());
  target.Load(reader);
  EXPECT_EQ("Kept::Name", target.FunctionName());
  EXPECT_EQ("m", target.GetMessage());
}

TEST(SaveLoad, MalformedInputNeverTakesBytesThatAreNotThere) {
  struct Case {
    const char* name;
    ByteBuffer bytes;
    const char* source;
    std::int32_t line;
  };
  const Case kCases[] = {
      {"empty", {}, "old", 99},
      {"wrong marker", {0x02, 1, 0, 0, 0, 'x'}, "old", 99},
      {"cut length", {0x01, 1, 0}, "old", 99},
      {"length past the end", {0x01, 9, 0, 0, 0, 'x', 'y'}, "old", 99},
      {"negative length", {0x01, 0xFF, 0xFF, 0xFF, 0xFF, 'x'}, "old", 99},
      {"NUL inside", {0x01, 3, 0, 0, 0, 'a', 0, 'b'}, "a", 99},
      {"integer of size 8",
       {0x01, 1, 0, 0, 0, 's', 0x01, 0, 0, 0, 0, 8, 0, 0, 0, 1, 2, 3, 4, 5, 6, 7, 8},
       "s",
       99},
      {"integer cut", {0x01, 1, 0, 0, 0, 's', 0x01, 0, 0, 0, 0, 4, 0, 0, 0, 1, 2}, "s", 99},
      {"integer whole", {0x01, 1, 0, 0, 0, 's', 0x01, 0, 0, 0, 0, 4, 0, 0, 0, 5, 0, 0, 0}, "s", 5},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    QvExceptionText target("old", "", 99, "msg");
    // A copy of exactly the given size, so that a read past it is an ASan report.
    std::unique_ptr<std::uint8_t[]> exact(new std::uint8_t[c.bytes.size() + 1]);
    std::copy(c.bytes.begin(), c.bytes.end(), exact.get());
    ByteReader reader(exact.get(), c.bytes.size());
    target.Load(reader);
    EXPECT_LE(reader.Position(), c.bytes.size());
    EXPECT_EQ(c.source, target.Source());
    EXPECT_EQ(c.line, target.Line());
  }
}

}  // namespace
