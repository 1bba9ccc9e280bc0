#include "platform/inet/PwdReply.h"

#include <gtest/gtest.h>

TEST(PwdReplyTest, ReadsQuotedDirectory)
{
    EXPECT_EQ(ParsePwdReply("\"/home/user\" is the current directory"), "/home/user");
    EXPECT_EQ(ParsePwdReply("\"/\""), "/");
}

TEST(PwdReplyTest, DoubledQuoteIsOneQuote)
{
    EXPECT_EQ(ParsePwdReply("\"/a \"\"quoted\"\" name\" is current"), "/a \"quoted\" name");
    EXPECT_EQ(ParsePwdReply("\"/ends with \"\"\"\"\""), "/ends with \"\"");
}

TEST(PwdReplyTest, KeepsSpacesInsideQuotes)
{
    EXPECT_EQ(ParsePwdReply("\"/my files \" created"), "/my files ");
}

TEST(PwdReplyTest, AcceptsBarePath)
{
    EXPECT_EQ(ParsePwdReply("/home/user is current directory"), "/home/user");
}

TEST(PwdReplyTest, RefusesRepliesWithoutDirectory)
{
    EXPECT_FALSE(ParsePwdReply("\"/unterminated"));
    EXPECT_FALSE(ParsePwdReply("\"\" empty"));
    EXPECT_FALSE(ParsePwdReply("no directory here"));
    EXPECT_FALSE(ParsePwdReply(""));
}
