#include "browser/FileSortKey.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace {

struct Row {
    std::string name;
    std::optional<std::int64_t> modified;
};

// Sorts the rows the way the file list does and returns their names.
std::vector<std::string> Arranged(int arrangeBy, std::vector<Row> rows)
{
    std::stable_sort(rows.begin(), rows.end(), [arrangeBy](const Row& a, const Row& b) {
        return CompareFileRows(arrangeBy, {a.name, a.modified}, {b.name, b.modified}) < 0;
    });
    std::vector<std::string> names;
    for (const Row& row : rows)
        names.push_back(row.name);
    return names;
}

constexpr std::int64_t kHour = 3600;
constexpr std::int64_t k1999 = 915148800 - 1;     // 1998-12-31 23:59:59 UTC
constexpr std::int64_t k2026 = 1767225600;         // 2026-01-01 00:00:00 UTC
constexpr std::int64_t k2038 = 2147483648;         // one second past the 32-bit end
constexpr std::int64_t k2099 = 4102444800 - 1;     // 2099-12-31 23:59:59 UTC

}  // namespace

TEST(FileSortKeyTest, ByDateFollowsTheRealTimeAcrossCenturiesAndAroundNoon)
{
    // Every pair here sorted wrongly when the shown text ("12/31/99  11:59:59  PM") was the key:
    // 2026 and 2099 before 1999, 12:30 AM after 11:00 AM, 12:00 PM after 11:59 PM.
    const std::int64_t day = k2026 + 10 * 24 * kHour;
    const std::vector<std::string> names = Arranged(kArrangeByDate, {
        {"2099", k2099},
        {"pm-11", day + 23 * kHour},
        {"2038", k2038},
        {"noon", day + 12 * kHour},
        {"am-0030", day + kHour / 2},
        {"1999", k1999},
        {"1969", -1},
        {"am-11", day + 11 * kHour},
        {"2026", k2026},
        {"1970", 0},
        {"unknown", std::nullopt},
    });
    EXPECT_EQ(names, (std::vector<std::string>{"unknown", "1969", "1970", "1999", "2026", "am-0030", "am-11",
                                               "noon", "pm-11", "2038", "2099"}));
}

TEST(FileSortKeyTest, EqualKeysFallBackToNameOrderInEveryArrangement)
{
    // Stored in reverse name order, so a sort that left equal keys alone would show it.
    const std::vector<Row> rows = {
        {"zeta.txt", 100}, {"Beta.TXT", 100}, {"beta.txt", 100}, {"alpha.txt", 100}, {"Alpha.txt", 100},
    };
    const std::vector<std::string> byName = {"Alpha.txt", "alpha.txt", "Beta.TXT", "beta.txt", "zeta.txt"};
    for (int arrangeBy : {kArrangeByName, kArrangeByDate, kArrangeByType, -1, 3})
        EXPECT_EQ(Arranged(arrangeBy, rows), byName) << arrangeBy;
}

TEST(FileSortKeyTest, ByNameComparesWholeNamesWithoutRegardToCase)
{
    const std::string prefix(40, 'n');
    const std::vector<std::string> names = Arranged(kArrangeByName, {
        {prefix + "-two", 1},
        {"_under", 1},
        {"\xc3\xa9t\xc3\xa9", 1},
        {prefix + "-one", 2},
        {"Zulu", 1},
        {"apple", 1},
        {"\xff" "dir", 1},
    });
    // Names longer than any cut-off still come in full name order; "_" sorts before letters
    // and bytes above ASCII after them.
    EXPECT_EQ(names, (std::vector<std::string>{"_under", "apple", prefix + "-one", prefix + "-two", "Zulu",
                                               "\xc3\xa9t\xc3\xa9", "\xff" "dir"}));
}

TEST(FileSortKeyTest, ByTypeNamesWithoutExtensionComeFirstAndCaseDoesNotCount)
{
    const std::vector<std::string> names = Arranged(kArrangeByType, {
        {"b.TXT", 5},
        {"Makefile", 1},
        {"a.doc", 9},
        {"c.txt", 1},
        {"archive.tar.gz", 3},
        {"README", 2},
        {".bashrc", 4},
        {"trailing.", 4},
    });
    EXPECT_EQ(names, (std::vector<std::string>{"Makefile", "README", "trailing.", ".bashrc", "a.doc",
                                               "archive.tar.gz", "b.TXT", "c.txt"}));
}
