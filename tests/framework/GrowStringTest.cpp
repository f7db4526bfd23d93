#include "framework/GrowString.h"

#include <gtest/gtest.h>

#include <ostream>

#include <string>

namespace
{
struct SetAtCase
{
    const char* initial;
    int32_t position;
    const char* text;
    int32_t length;
    const char* expected;
};

void PrintTo(const SetAtCase& c, std::ostream* out)
{
    std::ostream& os = *out;
    os << '"' << c.initial << "\" at " << c.position << ", length " << c.length;
}

class GrowStringSetAt : public testing::TestWithParam<SetAtCase>
{
};

TEST_P(GrowStringSetAt, OverwritesAndCutsAfterTheWrittenText)
{
    const SetAtCase& c = GetParam();
    GrowString text;
    text.Set(c.initial);
    text.SetAt(c.position, c.text, c.length);
    EXPECT_STREQ(text.Get(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, GrowStringSetAt,
                         testing::Values(SetAtCase{"abcde", 0, "xyz", 3, "xyz"},
                                         SetAtCase{"abc", 3, "def", 3, "abcdef"},     // append
                                         SetAtCase{"abcdef", 2, "XY", 2, "abXY"},
                                         SetAtCase{"abc", 0, "", 0, ""},
                                         SetAtCase{"abc", 5, "z", 1, "abc"},          // gap reads as end
                                         SetAtCase{"abc", 1, "", 0, "abc"},           // length 0 elsewhere
                                         SetAtCase{"abc", -1, "z", 1, "abc"},
                                         SetAtCase{"abc", 0, "z", -1, "abc"}));

TEST(GrowString, NeverSetReadsEmptyWithNoStorage)
{
    GrowString text;
    EXPECT_STREQ(text.Get(), "");
    EXPECT_EQ(text.Size(), 0);
    text.SetAt(0, "ignored", 0);
    EXPECT_STREQ(text.Get(), "");
    EXPECT_EQ(text.Size(), 1);
}

TEST(GrowString, ShorterOverwriteCutsWithoutReallocating)
{
    GrowString text;
    text.Set("abcde");
    const char* block = text.Get();
    text.SetAt(0, "xyz", 3);
    EXPECT_EQ(text.Size(), 4);
    EXPECT_EQ(text.Get(), block);
}

TEST(GrowString, TextFromItsOwnBlockSurvivesAMove)
{
    // A granularity of 1 makes every growth reallocate.
    GrowString text(1);
    text.Set("hello");
    for (int round = 0; round < 4; ++round)
        text.SetAt(text.Size() - 1, text.Get(), text.Size() - 1);
    std::string expected = "hello";
    for (int round = 0; round < 4; ++round)
        expected += expected;
    EXPECT_EQ(std::string(text.Get()), expected);
}
}
