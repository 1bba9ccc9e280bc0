#include "browser/LabelOrder.h"

#include <gtest/gtest.h>

#include <random>
#include <utility>

namespace {

// A mix of labels that differ in case, repeat, share prefixes and carry punctuation.
std::vector<std::string> MixedLabels(std::size_t count, unsigned seed)
{
    const std::vector<std::string> stems{"dir", "Dir", "DIR", "a", "B", "_x", "x_", "10", "9", "é", "dummy", ""};
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

}  // namespace

TEST(LabelOrderTest, InsertPositionKeepsTheSequenceSorted)
{
    const std::vector<std::string> sorted{"alpha", "Beta", "beta", "gamma"};
    EXPECT_EQ(SortedInsertPosition(sorted, "Alpha"), 0u);
    EXPECT_EQ(SortedInsertPosition(sorted, "alpha"), 1u);
    EXPECT_EQ(SortedInsertPosition(sorted, "BETA"), 1u);
    EXPECT_EQ(SortedInsertPosition(sorted, "beta"), 3u);
    EXPECT_EQ(SortedInsertPosition(sorted, "delta"), 3u);
    EXPECT_EQ(SortedInsertPosition(sorted, "Zeta"), 4u);
    EXPECT_EQ(SortedInsertPosition({}, "x"), 0u);
}

TEST(LabelOrderTest, BatchInsertEqualsResortingAfterEveryInsertion)
{
    const std::vector<std::string> existing = MixedLabels(300, 1);
    const std::vector<std::string> added = MixedLabels(700, 2);

    std::vector<std::string> expected = existing;
    std::sort(expected.begin(), expected.end(), LabelLess());
    std::vector<std::string> actual = expected;
    for (const std::string& label : added) {
        expected.push_back(label);
        std::sort(expected.begin(), expected.end(), LabelLess());
    }
    InsertSorted(actual, added);
    EXPECT_EQ(actual, expected);
}

TEST(LabelOrderTest, BatchInsertCarriesEachLabelsData)
{
    using Child = std::pair<std::string, int>;
    std::vector<Child> children{{"b", 1}, {"D", 2}};
    InsertSorted(children, {{"C", 3}, {"a", 4}, {"e", 5}}, [](const Child& child) -> const std::string& {
        return child.first;
    });
    EXPECT_EQ(children, (std::vector<Child>{{"a", 4}, {"b", 1}, {"C", 3}, {"D", 2}, {"e", 5}}));
}

TEST(LabelOrderTest, TwentyThousandChildrenInsertInOneSortedPass)
{
    std::vector<std::string> added = MixedLabels(20000, 3);
    std::vector<std::string> children;
    InsertSorted(children, added);
    ASSERT_EQ(children.size(), added.size());
    EXPECT_TRUE(std::is_sorted(children.begin(), children.end(), LabelLess()));
    std::sort(added.begin(), added.end(), LabelLess());
    EXPECT_EQ(children, added);
}
