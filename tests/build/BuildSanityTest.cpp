#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

// Both builds must agree on the data model the binary formats rely on.
TEST(Build, FixedWidthTypesAndLittleEndian) {
  static_assert(sizeof(void*) == 8);
  static_assert(sizeof(double) == 8);
  const uint32_t word = 0x70666674;
  unsigned char bytes[4];
  std::memcpy(bytes, &word, 4);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(bytes), 4), "tffp");
}

// printf-style formatting follows the C standard in both builds.
TEST(Build, PrintfFormattingFollowsTheStandard) {
  struct Case { const char* format; double value; const char* expected; };
  const Case cases[] = {
      {"%g", 0.1, "0.1"}, {"%g", 1e-5, "1e-05"}, {"%.3f", 2.0005, "2.001"}, {"%.6f", 1.0 / 3.0, "0.333333"},
  };
  for (const Case& c : cases) {
    char text[64];
    std::snprintf(text, sizeof text, c.format, c.value);
    EXPECT_STREQ(text, c.expected) << c.format;
  }
  char text[64];
  std::snprintf(text, sizeof text, "%lld", static_cast<long long>(INT64_C(-9007199254740993)));
  EXPECT_STREQ(text, "-9007199254740993");
}
