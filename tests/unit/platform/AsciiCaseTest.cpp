// Case-insensitive comparison, the same in every locale: what the registry, the profile list,
// the trees and the listing parsers take for one name.

#include "platform/AsciiCase.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <random>
#include <string>
#include <vector>

namespace {

// A mix of labels that differ in case, repeat, share prefixes and carry punctuation.
std::vector<std::string> MixedLabels(std::size_t count, unsigned seed)
{
    const std::vector<std::string> stems{"dir", "Dir", "DIR", "a", "B", "_x", "x_", "10", "9", "é", "É", "dummy", ""};
    std::mt19937 random(seed);
    std::vector<std::string> labels;
    for (std::size_t i = 0; i < count; ++i) {
        std::string label = stems[random() % stems.size()];
        label += std::to_string(random() % 50);
        if (random() % 3 == 0)
            label += stems[random() % stems.size()];
        labels.push_back(label);
    }
    return labels;
}

TEST(AsciiCaseTest, OnlyAsciiLettersFoldWhateverTheLocale)
{
    // A locale that folds bytes above 127 must change nothing: names the registry keeps apart
    // stay apart everywhere.
    std::setlocale(LC_ALL, "C.UTF-8");
    struct Case {
        const char* a;
        const char* b;
        bool equal;
    };
    const Case cases[] = {
        {"Software", "SOFTWARE", true}, {"a-Z_9", "A-z_9", true}, {"", "", true},
        {"é", "É", false},              // UTF-8 bytes compare by value
        {"\xC0", "\xE0", false},        // Latin-1 letters are not letters here
        {"@[`{", "@[`{", true},         // the neighbours of the letter ranges do not fold
        {"[", "{", false},
        {"ab", "abc", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(EqualsNoCase(c.a, c.b), c.equal) << c.a << " / " << c.b;
        EXPECT_EQ(CompareNoCase(c.a, c.b) == 0, c.equal) << c.a << " / " << c.b;
    }
    std::setlocale(LC_ALL, "C");
    static_assert(ToLowerAscii('Q') == 'q' && ToLowerAscii('@') == '@' && ToLowerAscii('[') == '[');
}

TEST(AsciiCaseTest, PrefixMatchIgnoresCaseAndNeedsTheWholePrefix)
{
    EXPECT_TRUE(StartsWithNoCase("DWORD:0000002a", "dword:"));
    EXPECT_TRUE(StartsWithNoCase("Lab Two", "lab t"));
    EXPECT_TRUE(StartsWithNoCase("anything", ""));
    EXPECT_FALSE(StartsWithNoCase("lab", "labx"));
    EXPECT_FALSE(StartsWithNoCase("", "a"));
}

TEST(AsciiCaseTest, NamesSortAlphabeticallyAndCaseDecidesOnlyTies)
{
    std::vector<std::string> names = {"beta", "Alpha", "alpha", "Gamma", "_x", "Beta2", "é", "Zebra", "dir", "Dir2"};
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return CompareNoCaseThenBytes(a, b) < 0; });
    EXPECT_EQ(names, (std::vector<std::string>{"_x", "Alpha", "alpha", "beta", "Beta2", "dir", "Dir2", "Gamma",
                                               "Zebra", "é"}));
    EXPECT_NE(CompareNoCaseThenBytes("Dir", "dir"), 0);
    EXPECT_LT(CompareNoCaseThenBytes("dir", "DIS"), 0);
    EXPECT_LT(CompareNoCaseThenBytes("DIR", "dis"), 0);
    EXPECT_EQ(CompareNoCase("Dir", "dir"), 0);
}

TEST(AsciiCaseTest, NameOrderIsTotalAndTransitive)
{
    const std::vector<std::string> labels = MixedLabels(60, 7);
    for (const std::string& a : labels) {
        for (const std::string& b : labels) {
            const int ab = CompareNoCaseThenBytes(a, b);
            EXPECT_EQ(ab == 0, a == b) << a << " " << b;
            EXPECT_EQ(ab < 0, CompareNoCaseThenBytes(b, a) > 0) << a << " " << b;
            for (const std::string& c : labels) {
                if (ab < 0 && CompareNoCaseThenBytes(b, c) < 0) {
                    EXPECT_LT(CompareNoCaseThenBytes(a, c), 0) << a << " " << b << " " << c;
                }
            }
        }
    }
}

}  // namespace
