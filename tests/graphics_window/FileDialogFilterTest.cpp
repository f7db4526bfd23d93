#include "graphics/FileDialogFilter.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
// The filter as the dialog reads it: description and pattern up to the double terminator.
std::string WholeFilter(const FileDialogFilter& filter)
{
    const char* text = filter.Filter();
    if (!text)
        return "<none>";
    std::string whole;
    while (*text != '\0')
    {
        whole += text;
        whole += '|';
        text += std::char_traits<char>::length(text) + 1;
    }
    return whole;
}

struct FilterCase
{
    const char* extensions;
    const char* filter;
    const char* defaultExtension;
};

TEST(FileDialogFilter, BuildsDescriptionPatternAndDefaultExtension)
{
    const FilterCase cases[] = {
        {"wz xjq fxp", "*.wz;*.xjq;*.fxp|*.wz;*.xjq;*.fxp|", "wz"},
        {"csv", "*.csv|*.csv|", "csv"},
        {"  wav   txt ", "*.wav;*.txt|*.wav;*.txt|", "wav"},
        {"", "<none>", ""},
        {nullptr, "<none>", ""},
        {"   ", "<none>", ""},
    };
    for (const FilterCase& c : cases)
    {
        const FileDialogFilter filter(c.extensions);
        EXPECT_EQ(WholeFilter(filter), c.filter) << (c.extensions ? c.extensions : "null");
        EXPECT_STREQ(filter.DefaultExtension(), c.defaultExtension);
    }
}

TEST(FileDialogFilter, LeavesOutWholeExtensionsThatWouldOverflowTheBuffer)
{
    // 40 extensions of 5 characters make a 319-character pattern; twice that is far past 256.
    std::string extensions;
    for (int i = 0; i < 40; ++i)
        extensions += "ext" + std::to_string(10 + i) + " ";
    const FileDialogFilter filter(extensions.c_str());
    const std::string pattern = filter.Pattern();
    EXPECT_LE(2 * pattern.size() + 3, FileDialogFilter::kFilterSize);
    EXPECT_EQ(pattern.substr(0, 16), "*.ext10;*.ext11;");
    // No extension is cut: the pattern ends with a whole one.
    EXPECT_EQ(pattern.size() % 8, 7u) << pattern;
    EXPECT_EQ(WholeFilter(filter), pattern + "|" + pattern + "|");
}

TEST(FileDialogFilter, AFirstExtensionTooLongForItsBufferGivesNoDefault)
{
    const FileDialogFilter fits("abcdefghijklmno wz");
    EXPECT_STREQ(fits.DefaultExtension(), "abcdefghijklmno");
    const FileDialogFilter tooLong("abcdefghijklmnop wz");
    EXPECT_STREQ(tooLong.DefaultExtension(), "");
    EXPECT_STREQ(tooLong.Pattern(), "*.abcdefghijklmnop;*.wz");
}
}
