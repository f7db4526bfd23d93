#include "framework/PointerList.h"

#include <gtest/gtest.h>

#include <ostream>

#include <vector>

namespace
{
std::vector<int> Contents(const PointerList<int>& list)
{
    std::vector<int> values;
    for (int32_t i = 0; i < list.Count(); ++i)
        values.push_back(*list.Get(i));
    return values;
}

struct InsertCase
{
    int32_t index;
    std::vector<int> expected;
};

void PrintTo(const InsertCase& c, std::ostream* out)
{
    std::ostream& os = *out;
    os << "index " << c.index;
}

class PointerListInsertAt : public testing::TestWithParam<InsertCase>
{
};

TEST_P(PointerListInsertAt, PlacesTheItemOrAppends)
{
    int items[] = {0, 1, 2, 9};
    PointerList<int> list;
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(list.Add(&items[i]));
    EXPECT_EQ(list.InsertAt(&items[3], GetParam().index), &items[3]);
    EXPECT_EQ(Contents(list), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Indexes, PointerListInsertAt,
                         testing::Values(InsertCase{7, {0, 1, 2, 9}}, InsertCase{3, {0, 1, 2, 9}},
                                         InsertCase{-1, {0, 1, 2, 9}}, InsertCase{-5, {9, 0, 1, 2}},
                                         InsertCase{0, {9, 0, 1, 2}}, InsertCase{1, {0, 9, 1, 2}}));

TEST(PointerList, GetOutsideTheListGivesNull)
{
    int item = 4;
    PointerList<int> list;
    EXPECT_EQ(list.Get(0), nullptr);
    list.InsertFirst(&item);
    EXPECT_EQ(list.Get(0), &item);
    EXPECT_EQ(list.Get(1), nullptr);
    EXPECT_EQ(list.Get(-1), nullptr);
}

TEST(PointerList, DeleteAllDeletesEveryElementAndEmptiesTheList)
{
    PointerList<int> list(8);
    for (int i = 0; i < 100; ++i)
        list.Add(new int(i));
    list.DeleteAll();
    EXPECT_EQ(list.Count(), 0);
    list.Add(new int(5));
    EXPECT_EQ(*list.Get(0), 5);
    list.DeleteAll();
}
}
