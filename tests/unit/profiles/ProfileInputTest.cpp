// The rules for what the profile and option pages accept from their fields.

#include "profiles/ProfileInput.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace {

TEST(TrimWhiteSpace, DropsEveryKindOfWhiteSpaceAtBothEndsOnly)
{
    EXPECT_EQ(TrimWhiteSpace(" \t\r\n\v\fmy  host\t\r\n\v\f "), "my  host");
    EXPECT_EQ(TrimWhiteSpace("plain"), "plain");
    EXPECT_EQ(TrimWhiteSpace(" \t\n "), "");
    EXPECT_EQ(TrimWhiteSpace(""), "");
}

TEST(ParsePortText, AcceptsEveryPortWithBlanksAroundAndKeepsTheSixteenBitLayout)
{
    const std::pair<const char*, int> accepted[] = {
        {"21", 21}, {"  2121\t", 2121}, {"\t+990 ", 990}, {"007", 7}, {"1", 1}, {"32767", 32767},
        // Above 32767 the stored 16 bits read as negative; the connection reads them unsigned.
        {"32768", -32768}, {"50021", 50021 - 65536}, {"65535", -1}};
    for (const auto& [text, stored] : accepted) {
        EXPECT_EQ(ParsePortText(text), stored) << "[" << text << "]";
        EXPECT_EQ(PortNumberOf(static_cast<std::int16_t>(stored)), std::stoi(text)) << "[" << text << "]";
    }
}

TEST(ParsePortText, RefusesAnythingButOnePortNumber)
{
    for (const char* text : {"0", "-1", "-5", "-0", "65536", "70000", "99999999999999999999999", "", "   ", "abc",
                             "21a", "2 1", "+", "-", "--1", "0x15", "21.0", "\n21", "21\r"})
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
