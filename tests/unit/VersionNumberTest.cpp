#include <gtest/gtest.h>

#include "msi/VersionNumber.h"

namespace {

CVersionNumber V(const char* text) { return CVersionNumber(text, VersionSeparators); }

TEST(CVersionNumber, Parses) {
  struct Case {
    const char* text;
    std::vector<std::int32_t> parts;
  };
  const Case kCases[] = {
      {"1.2.0.0", {1, 2, 0, 0}},
      {"1,2.3", {1, 2, 3}},
      {"1..2", {1, 2}},
      {".5.", {5}},
      {"", {}},
      {",,", {}},
      {"1.0b2", {1, 0}},
      {"x.7", {0, 7}},
      {" 7", {7}},
      {"1.-1", {1, -1}},
      {"+3", {3}},
      {"4294967296.1", {2147483647, 1}},
      {"-4294967296", {-2147483647 - 1}},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.text);
    const std::vector<std::int32_t>& parts = V(c.text);
    EXPECT_EQ(c.parts, parts);
  }
}

TEST(CVersionNumber, ComparesPartsAsSignedNumbersWithZeroExtension) {
  struct Case {
    const char* lower;
    const char* higher;
  };
  const Case kLower[] = {
      {"1.9", "1.10"}, {"2", "10"}, {"1.0.4", "1.0.5"}, {"1.-1", "1.0"}, {"", "1"}, {"1.9", "2.0"},
  };
  for (const Case& c : kLower) {
    SCOPED_TRACE(std::string(c.lower) + " < " + c.higher);
    EXPECT_TRUE(V(c.lower).IsLessThan(V(c.higher)));
    EXPECT_FALSE(V(c.higher).IsLessThan(V(c.lower)));
  }
  const Case kEqual[] = {{"1.2", "1.2.0"}, {"1.0.5", "1.0.5.0"}, {"", "0.0"}, {"3", "3"}};
  for (const Case& c : kEqual) {
    SCOPED_TRACE(std::string(c.lower) + " == " + c.higher);
    EXPECT_FALSE(V(c.lower).IsLessThan(V(c.higher)));
    EXPECT_FALSE(V(c.higher).IsLessThan(V(c.lower)));
  }
}

}  // namespace
