#include "browser/LabelOrder.h"

#include "browser/TextFold.h"

int CompareLabels(std::string_view a, std::string_view b)
{
    const int folded = CompareFolded(a, b);
    if (folded != 0)
        return folded;
    return a.compare(b) < 0 ? -1 : (a.compare(b) > 0 ? 1 : 0);
}

std::size_t SortedInsertPosition(const std::vector<std::string>& sorted, const std::string& label)
{
    return static_cast<std::size_t>(std::upper_bound(sorted.begin(), sorted.end(), label, LabelLess()) - sorted.begin());
}
