#pragma once
// The order of the file list's rows for each of its three arrangements.

#include "profiles/ProfileState.h"   // kArrangeByName, kArrangeByDate, kArrangeByType

#include <cstdint>
#include <optional>
#include <string_view>

// What a row is sorted by: its file's true name and its modification time (seconds since
// 1970-01-01 UTC; none when unknown).
struct FileSortFields {
    std::string_view name;
    std::optional<std::int64_t> modified;
};

// Negative, zero or positive as row `a` sorts before, with or after row `b` when arranged by
// `arrangeBy` (any other value arranges by name):
//   by name: the names, ASCII letters compared without regard to case;
//   by date: the modification times, older first (rows without a time before all others); the
//            shown text, with its two-digit year and twelve-hour clock, is never compared;
//   by type: the part of the name after its first "." (empty without one), without regard to
//            case.
// Rows equal by date or type, and names that differ only in case, then follow the order of
// the tree's labels (CompareLabels), so zero only for identical names and times.
int CompareFileRows(int arrangeBy, const FileSortFields& a, const FileSortFields& b);
