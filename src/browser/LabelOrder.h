#pragma once
// The order of a tree item's children: alphabetical by label, without regard to case.

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Negative, zero or positive as label `a` sorts before, with or after `b`: the order of names
// in every list of the program (CompareNoCaseThenBytes), total, so that every sort of the same
// labels, stable or not, gives the same sequence. Zero only for identical labels.
int CompareLabels(std::string_view a, std::string_view b);

struct LabelLess {
    bool operator()(const std::string& a, const std::string& b) const { return CompareLabels(a, b) < 0; }
};

// Where `label` joins the labels `sorted` (in CompareLabels order) so that they stay as
// re-sorting would leave them: after any equal ones. Logarithmic.
std::size_t SortedInsertPosition(const std::vector<std::string>& sorted, const std::string& label);

// Adds `added` to `sorted` (in CompareLabels order, each element's label given by `labelOf`).
// The result equals inserting the elements one by one and re-sorting after each, at the cost
// of one sort of `added` and one merge: n log n for tens of thousands of children.
template <class T, class LabelOf>
void InsertSorted(std::vector<T>& sorted, std::vector<T> added, LabelOf labelOf)
{
    const auto less = [&](const T& a, const T& b) { return CompareLabels(labelOf(a), labelOf(b)) < 0; };
    std::stable_sort(added.begin(), added.end(), less);
    const auto middle = static_cast<std::ptrdiff_t>(sorted.size());
    sorted.insert(sorted.end(), std::make_move_iterator(added.begin()), std::make_move_iterator(added.end()));
    std::inplace_merge(sorted.begin(), sorted.begin() + middle, sorted.end(), less);
}

inline void InsertSorted(std::vector<std::string>& sorted, std::vector<std::string> added)
{
    InsertSorted(sorted, std::move(added), [](const std::string& label) -> const std::string& { return label; });
}
