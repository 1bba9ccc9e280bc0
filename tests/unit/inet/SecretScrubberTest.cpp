#include "platform/inet/SecretScrubber.h"

#include <gtest/gtest.h>

#include <string>

// A server may echo the password in any reply; every length of password is hidden, the short
// ones wherever they stand alone (inside a word, one or two letters say nothing).
TEST(SecretScrubber, HidesPasswordsOfEveryLength)
{
    struct Case {
        std::string text;
        std::string secret;
        std::string expected;
    };
    const Case cases[] = {
        {"530 Login incorrect for hunter2.", "hunter2", "530 Login incorrect for ********."},
        {"530 hunter2hunter2", "hunter2", "530 ****************"},
        {"530 Bad password: ab", "ab", "530 Bad password: ********"},
        {"530 Password 'x' refused", "x", "530 Password '********' refused"},
        {"530 x", "x", "530 ********"},
        {"331 Please specify the password.", "a", "331 Please specify the password."},
        {"331 Please specify the password.", "as", "331 Please specify the password."},
        {"230 Welcome", "", "230 Welcome"},
        {"530 ** refused", "**", "530 ******** refused"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text + " / " + c.secret);
        EXPECT_EQ(ScrubSecret(c.text, c.secret), c.expected);
    }
}
