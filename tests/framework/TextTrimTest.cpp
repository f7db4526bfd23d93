#include "framework/TextTrim.h"

#include <gtest/gtest.h>

#include <ostream>

namespace
{
struct TrimCase
{
    std::string text;
    std::string left;
    std::string right;
};

void PrintTo(const TrimCase& c, std::ostream* out)
{
    std::ostream& os = *out;
    os << c.text.size() << " characters";
}

class TextTrim : public testing::TestWithParam<TrimCase>
{
};

TEST_P(TextTrim, RemovesBlanksNewlinesReturnsAndTabs)
{
    EXPECT_EQ(TrimLeft(GetParam().text), GetParam().left);
    EXPECT_EQ(TrimRight(GetParam().text), GetParam().right);
}

INSTANTIATE_TEST_SUITE_P(Cases, TextTrim,
                         testing::Values(TrimCase{" \t a b \r\n", "a b \r\n", " \t a b"},
                                         TrimCase{"ab", "ab", "ab"}, TrimCase{"", "", ""},
                                         TrimCase{" \n\r\t", "", ""}, TrimCase{"\va\v", "\va\v", "\va\v"}));
}
