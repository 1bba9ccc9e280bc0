// The rules for what the profile and option pages accept from their fields.

#include "profiles/ProfileInput.h"

#include <gtest/gtest.h>

namespace {

TEST(TrimWhiteSpace, DropsEveryKindOfWhiteSpaceAtBothEndsOnly)
{
    EXPECT_EQ(TrimWhiteSpace(" \t\r\n\v\fmy  host\t\r\n\v\f "), "my  host");
    EXPECT_EQ(TrimWhiteSpace("plain"), "plain");
    EXPECT_EQ(TrimWhiteSpace(" \t\n "), "");
    EXPECT_EQ(TrimWhiteSpace(""), "");
}

TEST(ParsePortText, AcceptsSignedNumbersWithBlanksAround)
{
    EXPECT_EQ(ParsePortText("21"), 21);
    EXPECT_EQ(ParsePortText("  2121\t"), 2121);
    EXPECT_EQ(ParsePortText("\t+990 "), 990);
    EXPECT_EQ(ParsePortText("-1"), -1);
    EXPECT_EQ(ParsePortText("0"), 0);
    EXPECT_EQ(ParsePortText("007"), 7);
}

TEST(ParsePortText, AcceptsTheWholeSixteenBitRangeAndNothingBeyond)
{
    EXPECT_EQ(ParsePortText("32767"), 32767);
    EXPECT_EQ(ParsePortText("-32768"), -32768);
    EXPECT_FALSE(ParsePortText("32768"));
    EXPECT_FALSE(ParsePortText("-32769"));
    EXPECT_FALSE(ParsePortText("65535"));
    EXPECT_FALSE(ParsePortText("99999999999999999999999"));
}

TEST(ParsePortText, RefusesEverythingThatIsNotOneInteger)
{
    for (const char* text : {"", "   ", "abc", "21a", "2 1", "+", "-", "--1", "0x15", "21.0", "\n21", "21\r"})
        EXPECT_FALSE(ParsePortText(text)) << "[" << text << "]";
}

TEST(HasLineBreak, FindsCarriageReturnsAndLineFeedsAnywhere)
{
    EXPECT_TRUE(HasLineBreak("a\nb"));
    EXPECT_TRUE(HasLineBreak("a\rb"));
    EXPECT_TRUE(HasLineBreak("\n"));
    EXPECT_FALSE(HasLineBreak("a b\tc"));
    EXPECT_FALSE(HasLineBreak(""));
}

} // namespace
