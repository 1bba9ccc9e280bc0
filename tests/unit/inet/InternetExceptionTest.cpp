#include "platform/inet/InternetException.h"

#include <gtest/gtest.h>

TEST(InternetExceptionTest, CopiesTextCutToBuffer)
{
    CInternetException error(ERROR_INTERNET_EXTENDED_ERROR, "550 No such file");
    char buffer[8];
    EXPECT_TRUE(error.GetErrorMessage(buffer, sizeof(buffer)));
    EXPECT_STREQ(buffer, "550 No ");
    char wide[64];
    EXPECT_TRUE(error.GetErrorMessage(wide, sizeof(wide)));
    EXPECT_STREQ(wide, "550 No such file");
    EXPECT_EQ(error.m_dwError, ERROR_INTERNET_EXTENDED_ERROR);
}

TEST(InternetExceptionTest, NoTextGivesFalse)
{
    CInternetException error(ERROR_INTERNET_TIMEOUT, "");
    char buffer[16] = "junk";
    EXPECT_FALSE(error.GetErrorMessage(buffer, sizeof(buffer)));
    EXPECT_STREQ(buffer, "");
    EXPECT_FALSE(error.GetErrorMessage(nullptr, 0));
}
