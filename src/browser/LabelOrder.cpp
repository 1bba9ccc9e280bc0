#include "browser/LabelOrder.h"

#include "platform/AsciiCase.h"

int CompareLabels(std::string_view a, std::string_view b)
{
    return CompareNoCaseThenBytes(a, b);
}

std::size_t SortedInsertPosition(const std::vector<std::string>& sorted, const std::string& label)
{
    return static_cast<std::size_t>(std::upper_bound(sorted.begin(), sorted.end(), label, LabelLess()) - sorted.begin());
}
