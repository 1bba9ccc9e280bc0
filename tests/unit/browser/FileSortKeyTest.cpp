#include "browser/FileSortKey.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

std::string DateKey(const std::string& modified)
{
    return FileSortKey(kArrangeByDate, "any.name", modified);
}

// Sorts rows of (name, modified) the way the file list does and returns the names.
std::vector<std::string> Arranged(int arrangeBy, std::vector<std::pair<std::string, std::string>> rows)
{
    std::stable_sort(rows.begin(), rows.end(), [arrangeBy](const auto& a, const auto& b) {
        return CompareSortKeys(FileSortKey(arrangeBy, a.first, a.second),
                               FileSortKey(arrangeBy, b.first, b.second)) < 0;
    });
    std::vector<std::string> names;
    for (const auto& row : rows)
        names.push_back(row.first);
    return names;
}

}  // namespace

TEST(FileSortKeyTest, NameKeyIsTheFirst29Characters)
{
    EXPECT_EQ(FileSortKey(kArrangeByName, "readme.txt", "x"), "readme.txt");
    const std::string longName = "abcdefghijklmnopqrstuvwxyz0123456789.txt";
    EXPECT_EQ(FileSortKey(kArrangeByName, longName, ""), longName.substr(0, 29));
    EXPECT_EQ(CompareSortKeys(FileSortKey(kArrangeByName, longName + "-one", ""),
                              FileSortKey(kArrangeByName, longName + "-two", "")),
              0);
}

TEST(FileSortKeyTest, KeysNeverSplitACharacter)
{
    const std::string ascii28(28, 'a');
    EXPECT_EQ(FileSortKey(kArrangeByName, ascii28 + "éz", ""), ascii28 + "é");
    EXPECT_EQ(FileSortKey(kArrangeByName, ascii28 + "zé", ""), ascii28 + "z");
    EXPECT_EQ(FileSortKey(kArrangeByName, "日本語", ""), "日本語");
}

TEST(FileSortKeyTest, DateKeyPutsYearDayAndHalfDayBeforeTheTime)
{
    EXPECT_EQ(DateKey("12/31/98  11:59:59  PM"), "98" "12/31" "PM" "  11:59:59  PM");
    EXPECT_EQ(DateKey("12/31/98  11:59:59  PM \t\r\n"), "9812/31PM  11:59:59  PM");
    EXPECT_EQ(DateKey("01/02/03  04:05:06  AM"), "0301/02AM  04:05:06  AM");
}

TEST(FileSortKeyTest, DateKeyOfShortOrOddTextsTakesWhatIsThere)
{
    EXPECT_EQ(DateKey(""), "");
    EXPECT_EQ(DateKey("   "), "");
    EXPECT_EQ(DateKey("???"), "?????");
    EXPECT_EQ(DateKey("1"), "11");
    EXPECT_EQ(DateKey("12/31/9"), "912/31/9");
    EXPECT_EQ(DateKey("12/31/98"), "9812/3198");
    EXPECT_EQ(DateKey("12/31/98 X"), "98" "12/31" " X" " X");
}

TEST(FileSortKeyTest, DateKeyIsCutTo29Characters)
{
    const std::string key = DateKey("12/31/98  11:59:59  PM and a long tail of text");
    EXPECT_EQ(key.size(), 29u);
    EXPECT_EQ(key.substr(0, 9), "9812/31xt");
}

TEST(FileSortKeyTest, TypeKeyIsWhatFollowsTheFirstDot)
{
    EXPECT_EQ(FileSortKey(kArrangeByType, "a.tar.gz", ""), "tar.gz");
    EXPECT_EQ(FileSortKey(kArrangeByType, "README", ""), "");
    EXPECT_EQ(FileSortKey(kArrangeByType, ".bashrc", ""), "bashrc");
    EXPECT_EQ(FileSortKey(kArrangeByType, "trailing.", ""), "");
    EXPECT_EQ(FileSortKey(kArrangeByType, "x." + std::string(40, 'e'), ""), std::string(29, 'e'));
}

TEST(FileSortKeyTest, UnknownArrangementSortsByName)
{
    EXPECT_EQ(FileSortKey(-1, "name.txt", "12/31/98  11:59:59  PM"), "name.txt");
    EXPECT_EQ(FileSortKey(3, "name.txt", "12/31/98  11:59:59  PM"), "name.txt");
}

TEST(FileSortKeyTest, KeysCompareWithoutRegardToCase)
{
    EXPECT_EQ(CompareSortKeys("TXT", "txt"), 0);
    EXPECT_LT(CompareSortKeys("abc", "ABD"), 0);
    EXPECT_GT(CompareSortKeys("Z", "a"), 0);
    EXPECT_LT(CompareSortKeys("", "a"), 0);
    EXPECT_LT(CompareSortKeys("a", "ab"), 0);
    // Letters fold to lower case, so "_" stands before every letter.
    EXPECT_LT(CompareSortKeys("_", "A"), 0);
    EXPECT_LT(CompareSortKeys("_", "a"), 0);
    // Bytes beyond ASCII compare by value, after every ASCII character.
    EXPECT_GT(CompareSortKeys("é", "z"), 0);
}

TEST(FileSortKeyTest, ByDateAllMorningsComeBeforeAllAfternoonsOfADay)
{
    const std::vector<std::string> names = Arranged(kArrangeByDate, {
        {"late-pm", "03/15/99  11:30:00  PM"},
        {"early-pm", "03/15/99  01:00:00  PM"},
        {"late-am", "03/15/99  11:59:59  AM"},
        {"early-am", "03/15/99  01:00:00  AM"},
    });
    EXPECT_EQ(names, (std::vector<std::string>{"early-am", "late-am", "early-pm", "late-pm"}));
}

TEST(FileSortKeyTest, ByDateTwelveOClockComesAfterElevenOfItsHalfDay)
{
    EXPECT_GT(CompareSortKeys(DateKey("03/15/99  12:30:00  AM"), DateKey("03/15/99  11:00:00  AM")), 0);
    EXPECT_GT(CompareSortKeys(DateKey("03/15/99  12:00:00  PM"), DateKey("03/15/99  11:59:59  PM")), 0);
    EXPECT_LT(CompareSortKeys(DateKey("03/15/99  12:00:00  PM"), DateKey("03/16/99  01:00:00  AM")), 0);
}

TEST(FileSortKeyTest, ByDateTwoDigitYearsCompareAsText)
{
    const std::vector<std::string> names = Arranged(kArrangeByDate, {
        {"1999", "12/31/99  11:59:59  PM"},
        {"2000", "01/01/00  12:00:00  AM"},
        {"1998", "06/01/98  10:00:00  AM"},
        {"unknown", "???"},
    });
    EXPECT_EQ(names, (std::vector<std::string>{"2000", "1998", "1999", "unknown"}));
}

TEST(FileSortKeyTest, ByTypeNamesWithoutExtensionComeFirstAndCaseDoesNotCount)
{
    const std::vector<std::string> names = Arranged(kArrangeByType, {
        {"b.TXT", ""},
        {"Makefile", ""},
        {"a.doc", ""},
        {"c.txt", ""},
        {"archive.tar.gz", ""},
        {"README", ""},
    });
    EXPECT_EQ(names, (std::vector<std::string>{"Makefile", "README", "a.doc", "archive.tar.gz", "b.TXT", "c.txt"}));
}

TEST(FileSortKeyTest, RowsWithUnknownSizeSortByNameLikeAnyOther)
{
    // The size never enters a key: a row read as "???" keeps its place by name.
    const std::vector<std::string> names = Arranged(kArrangeByName, {
        {"zeta.bin", ""},
        {"Alpha.bin", "???"},
        {"beta.bin", ""},
    });
    EXPECT_EQ(names, (std::vector<std::string>{"Alpha.bin", "beta.bin", "zeta.bin"}));
}
