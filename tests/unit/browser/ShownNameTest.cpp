#include "browser/ShownName.h"

#include <gtest/gtest.h>

#include <string>

TEST(ShownNameTest, ValidTextStaysAndEveryOtherByteIsWrittenInHex)
{
    const struct {
        std::string name;
        std::string shown;
    } cases[] = {
        {"plain.txt", "plain.txt"},
        {"", ""},
        {"\xc3\xa9t\xc3\xa9 \xe6\x97\xa5\xe6\x9c\xac \xf0\x9f\x98\x80", "\xc3\xa9t\xc3\xa9 \xe6\x97\xa5\xe6\x9c\xac \xf0\x9f\x98\x80"},
        {"dir\xff", "dir\\xFF"},
        {"caf\xe9.txt", "caf\\xE9.txt"},                   // Latin-1
        {"\xc3", "\\xC3"},                                  // a sequence cut short
        {"\xc3" "a", "\\xC3a"},
        {"\xc0\xaf", "\\xC0\\xAF"},                         // overlong "/"
        {"\xe0\x80\xaf", "\\xE0\\x80\\xAF"},                // overlong, three bytes
        {"\xed\xa0\x80", "\\xED\\xA0\\x80"},                // a surrogate
        {"\xf4\x90\x80\x80", "\\xF4\\x90\\x80\\x80"},       // above U+10FFFF
        {"\x80\xbf", "\\x80\\xBF"},                         // continuation bytes alone
        {"tab\tname", "tab\\x09name"},
        {"line\r\nend", "line\\x0D\\x0Aend"},
        {"del\x7f", "del\\x7F"},
        {"c1\xc2\x85", "c1\\xC2\\x85"},                     // NEL, a C1 control
        {"back\\slash", "back\\slash"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ShownName(c.name), c.shown) << c.shown;
}
