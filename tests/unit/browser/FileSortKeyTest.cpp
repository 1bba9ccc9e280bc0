#include "browser/FileSortKey.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
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

constexpr std::int64_t kLatest = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kEarliest = std::numeric_limits<std::int64_t>::min();

}  // namespace

TEST(FileSortKeyTest, ByDateRowsWithoutATimeComeFirstThenTheRealTimes)
{
    // The window's test covers the centuries and the clock; here the edges of the range.
    const std::vector<std::string> names = Arranged(kArrangeByDate, {
        {"late", kLatest}, {"unknown", std::nullopt}, {"1969", -1}, {"early", kEarliest}, {"1970", 0},
    });
    EXPECT_EQ(names, (std::vector<std::string>{"unknown", "early", "1969", "1970", "late"}));
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
