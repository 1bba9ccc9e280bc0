#include "res/StringTable.h"

#include <gtest/gtest.h>

namespace {

TEST(StringTable, HoldsTheVersionValueNames)
{
    EXPECT_EQ(LoadString(2100), "CompanyName");
    EXPECT_EQ(LoadString(2106), "ProductName");
}

TEST(StringTable, UnknownIdIsEmpty)
{
    EXPECT_EQ(LoadString(0), "");
    EXPECT_EQ(LoadString(2101), "");
    EXPECT_EQ(LoadString(~0u), "");
}

} // namespace
