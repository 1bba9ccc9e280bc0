#pragma once
// The order of a tree item's children: alphabetical by label, without regard to case.

#include "platform/AsciiCase.h"

#include <string_view>

// Negative, zero or positive as label `a` sorts before, with or after `b`: the order of names
// in every list of the program (CompareNoCaseThenBytes), total, so that every sort of the same
// labels, stable or not, gives the same sequence. Zero only for identical labels.
inline int CompareLabels(std::string_view a, std::string_view b)
{
    return CompareNoCaseThenBytes(a, b);
}
