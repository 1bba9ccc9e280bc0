#include "browser/FileSortKey.h"

#include "browser/LabelOrder.h"
#include "platform/AsciiCase.h"

namespace {

std::string_view TypeKey(std::string_view name)
{
    const std::size_t dot = name.find('.');
    return dot == std::string_view::npos ? std::string_view() : name.substr(dot + 1);
}

int CompareTimes(const std::optional<std::int64_t>& a, const std::optional<std::int64_t>& b)
{
    if (a == b)
        return 0;
    return a < b ? -1 : 1;   // an empty optional is less than any time
}

}  // namespace

int CompareFileRows(int arrangeBy, const FileSortFields& a, const FileSortFields& b)
{
    int order = 0;
    switch (arrangeBy) {
    case kArrangeByDate: order = CompareTimes(a.modified, b.modified); break;
    case kArrangeByType: order = CompareNoCase(TypeKey(a.name), TypeKey(b.name)); break;
    default: break;
    }
    if (order != 0)
        return order;
    order = CompareLabels(a.name, b.name);
    return order != 0 ? order : CompareTimes(a.modified, b.modified);
}
