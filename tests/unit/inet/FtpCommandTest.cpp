#include "platform/inet/FtpCommand.h"

#include "platform/inet/InternetException.h"

#include <gtest/gtest.h>

namespace {

std::uint32_t RefusalCode(std::string_view argument)
{
    try {
        FormatCommand("STOR", argument);
    } catch (const CInternetException& error) {
        return error.m_dwError;
    }
    return 0;
}

}  // namespace

TEST(FtpCommandTest, EndsCommandWithCrLf)
{
    EXPECT_EQ(FormatCommand("PWD"), "PWD\r\n");
    EXPECT_EQ(FormatCommand("CWD", "/pub/my files"), "CWD /pub/my files\r\n");
    EXPECT_EQ(FormatCommand("OPTS", "UTF8 ON"), "OPTS UTF8 ON\r\n");
}

TEST(FtpCommandTest, RefusesPathWithLineBreak)
{
    EXPECT_EQ(RefusalCode("a.txt\r\nDELE b.txt"), ERROR_INTERNET_INVALID_PARAMETER);
    EXPECT_EQ(RefusalCode("a.txt\nDELE b.txt"), ERROR_INTERNET_INVALID_PARAMETER);
    EXPECT_EQ(RefusalCode("a.txt\r"), ERROR_INTERNET_INVALID_PARAMETER);
}

TEST(FtpCommandTest, RefusesEveryControlByte)
{
    for (int c = 0; c < 0x20; ++c)
        EXPECT_EQ(RefusalCode(std::string("a") + static_cast<char>(c) + "b"), ERROR_INTERNET_INVALID_PARAMETER) << c;
    EXPECT_EQ(RefusalCode(std::string("a\0b", 3)), ERROR_INTERNET_INVALID_PARAMETER);
}

TEST(FtpCommandTest, RefusalTextDoesNotRepeatTheArgument)
{
    try {
        FormatCommand("PASS", "Secret-123\n");
        FAIL();
    } catch (const CInternetException& error) {
        EXPECT_EQ(error.GetText().find("Secret"), std::string::npos);
    }
}

TEST(FtpCommandTest, DoublesTelnetIac)
{
    EXPECT_EQ(FormatCommand("RETR", "a\xff" "b"), "RETR a\xff\xff" "b\r\n");
}

TEST(FtpCommandTest, KeepsUtf8AndSpaces)
{
    EXPECT_EQ(FormatCommand("MKD", " lead and trail "), "MKD  lead and trail \r\n");
    EXPECT_EQ(FormatCommand("MKD", "caf\xc3\xa9"), "MKD caf\xc3\xa9\r\n");
}
