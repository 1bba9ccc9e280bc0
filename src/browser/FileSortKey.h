#pragma once
// The keys the file list sorts its rows by, one per row, compared without regard to case.

#include <cstddef>
#include <string>

constexpr int kArrangeByName = 0;
constexpr int kArrangeByDate = 1;
constexpr int kArrangeByType = 2;
// Keys are cut to this many characters (UTF-8 sequences are never split).
constexpr std::size_t kSortKeyLength = 29;

// The key of a row for `arrangeBy` (any other value sorts by name):
//   by name: the name;
//   by date: from the modified text T, trailing white space removed: the year (2 characters
//            from index 6), month and day (the first 5), AM or PM (the last 2), then the time
//            with its blanks and marker (from index 8), so "12/31/98  11:59:59  PM" gives
//            "9812/31PM  11:59:59  PM". Two-digit years compare as text, and 12 o'clock sorts
//            after 11 o'clock of its half-day. Short or odd texts give what parts they have.
//   by type: the part of the name after its first "." (empty without one).
std::string FileSortKey(int arrangeBy, const std::string& name, const std::string& modified);

// Negative, zero or positive as `a` sorts before, with or after `b`, ASCII letters compared
// without regard to case.
int CompareSortKeys(const std::string& a, const std::string& b);
