#include "platform/inet/PassiveReply.h"

#include <gtest/gtest.h>

TEST(PasvReplyTest, FindsPortInParentheses)
{
    EXPECT_EQ(ParsePasvPort("227 Entering Passive Mode (127,0,0,1,195,80)."), 195 * 256 + 80);
}

TEST(PasvReplyTest, FindsNumbersWithoutParentheses)
{
    EXPECT_EQ(ParsePasvPort("227 Entering Passive Mode 10,1,2,3,4,1"), 4 * 256 + 1);
    EXPECT_EQ(ParsePasvPort("227 =127,0,0,1,0,21"), 21);
}

TEST(PasvReplyTest, RefusesByteAbove255)
{
    EXPECT_FALSE(ParsePasvPort("227 Entering Passive Mode (127,0,0,1,256,1)"));
    EXPECT_FALSE(ParsePasvPort("227 Entering Passive Mode (127,0,0,1,1,1000)"));
}

TEST(PasvReplyTest, RefusesTooFewNumbersAndPortZero)
{
    EXPECT_FALSE(ParsePasvPort("227 Entering Passive Mode (127,0,0,1,5)"));
    EXPECT_FALSE(ParsePasvPort("227 Entering Passive Mode (127,0,0,1,0,0)"));
    EXPECT_FALSE(ParsePasvPort("227 nothing here"));
    EXPECT_FALSE(ParsePasvPort(""));
}

TEST(EpsvReplyTest, ReadsPortBetweenDelimiters)
{
    EXPECT_EQ(ParseEpsvPort("229 Entering Extended Passive Mode (|||50123|)"), 50123);
    EXPECT_EQ(ParseEpsvPort("229 ok (!!!21!)"), 21);
}

TEST(EpsvReplyTest, RefusesMalformedReplies)
{
    EXPECT_FALSE(ParseEpsvPort("229 Entering Extended Passive Mode (|||70000|)"));
    EXPECT_FALSE(ParseEpsvPort("229 Entering Extended Passive Mode (||50123|)"));
    EXPECT_FALSE(ParseEpsvPort("229 Entering Extended Passive Mode (|||50123)"));
    EXPECT_FALSE(ParseEpsvPort("229 Entering Extended Passive Mode (|||0|)"));
    EXPECT_FALSE(ParseEpsvPort("229 Entering Extended Passive Mode"));
    EXPECT_FALSE(ParseEpsvPort("229 ("));
}
