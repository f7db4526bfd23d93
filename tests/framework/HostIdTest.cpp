#include "framework/HostId.h"

#include <gtest/gtest.h>

#include <ostream>

#include <string>

namespace
{
struct HostCase
{
    const char* product;
    HostId id;
};

void PrintTo(const HostCase& c, std::ostream* out)
{
    std::ostream& os = *out;
    os << '"' << c.product << '"';
}

class HostDetection : public testing::TestWithParam<HostCase>
{
};

TEST_P(HostDetection, FirstMatchingNameWinsRegardlessOfCase)
{
    EXPECT_EQ(GetHostIdFromName(GetParam().product), GetParam().id);
}

INSTANTIATE_TEST_SUITE_P(
    Products, HostDetection,
    testing::Values(HostCase{"CUBASE 12.0.1", 3}, HostCase{"REAPER", 1}, HostCase{"Ableton Live 11", 9},
                    HostCase{"Nuendo and Cubase", 3}, HostCase{"Live with Logic", 9}, HostCase{"Logic Pro", 21},
                    HostCase{"Adobe Audition", 17}, HostCase{"Digital Performer", 23},
                    HostCase{"VST3PluginTestHost", 27}, HostCase{"OpenMPT", 30}, HostCase{"Renoise", 29},
                    HostCase{"Standalone", 24}, HostCase{"Garageband", 22}, HostCase{"FL Studio (Fruity)", 7},
                    HostCase{"Unheard Of Host", 0}, HostCase{"", 0}));

TEST(HostDetection, NullAndOverlongNamesAreSafe)
{
    EXPECT_EQ(GetHostIdFromName(nullptr), 0);
    EXPECT_EQ(GetHostIdFromName((std::string(300, 'x') + "reaper").c_str()), 0);
    EXPECT_EQ(GetHostIdFromName((std::string(249, 'x') + "reaper").c_str()), 1);
}
}
