#pragma once
// A table row of the listing parser tests: one line and the entry it must give.

#include "platform/inet/CivilTime.h"
#include "platform/inet/ListingEntry.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string_view>

struct ListingRow {
    std::string_view line;
    std::string_view name;
    bool directory = false;
    std::optional<std::uint64_t> size;      // nullopt: unknown
    std::optional<std::int64_t> modified;   // nullopt: unknown
};

inline constexpr std::int64_t Utc(std::int64_t year, unsigned month, unsigned day, unsigned hour = 0,
                                  unsigned minute = 0, unsigned second = 0)
{
    return UtcFromCivil(CivilDateTime{year, month, day, hour, minute, second});
}

// Checks one row against what a parser gave for its line.
inline void ExpectRow(const ListingRow& row, const std::optional<ListingEntry>& entry)
{
    SCOPED_TRACE(testing::Message() << "line: " << row.line);
    ASSERT_TRUE(entry.has_value());
    EXPECT_EQ(entry->name, row.name);
    EXPECT_EQ(entry->isDirectory, row.directory);
    EXPECT_EQ(entry->sizeKnown, row.size.has_value());
    if (row.size) {
        EXPECT_EQ(entry->size, *row.size);
    }
    EXPECT_EQ(entry->timeKnown, row.modified.has_value());
    if (row.modified) {
        EXPECT_EQ(entry->modified, *row.modified);
    }
}
