// `ls -l` lines as Unix servers send them:
//   -rw-r--r--    1 1000     1000           12 Dec 08 02:28 a.txt        (vsftpd)
//   lrwxrwxrwx   1 root     root            5 Dec 08 03:16 link -> a.txt (pyftpdlib)
//   crw-r--r--   1 root     root       4,  64 Mar  4  2019 tty0
//   -rw-r--r--   1 owner group     12 2024-01-05 13:45 name               (ISO dates)
// The owner and group columns vary (group missing, numeric, link count missing), so the
// parser finds the date columns first and reads the size just before them.

#include "platform/inet/CivilTime.h"
#include "platform/inet/ListingFields.h"
#include "platform/inet/ListingParser.h"

#include <array>

using namespace listing;

namespace {

// Permissions, link count, owner, group, "major," "minor", three date columns: a line whose
// date has not begun by then is no `ls -l` line.
constexpr std::size_t kMaxFieldsThroughDate = 16;
// A date given with a time lies within a day ahead of the server's clock at most; more means
// it is from the year before.
constexpr std::int64_t kFutureSlack = kSecondsPerDay;
// How far back a time-only 29 February may go to find a leap year.
constexpr int kLeapYearSearch = 8;

constexpr bool IsFileTypeChar(char c)
{
    // - file, d directory, l link, c/b devices, p fifo, s socket, D door (Solaris).
    return c == '-' || c == 'd' || c == 'l' || c == 'c' || c == 'b' || c == 'p' || c == 's' ||
           c == 'D';
}

constexpr bool IsModeChar(char c)
{
    return c == '-' || c == 'r' || c == 'w' || c == 'x' || c == 's' || c == 'S' || c == 't' ||
           c == 'T' || c == 'l' || c == 'L';
}

bool IsPermissions(std::string_view field)
{
    if (field.size() != 10 && field.size() != 11)
        return false;
    if (!IsFileTypeChar(field[0]))
        return false;
    for (std::size_t i = 1; i < 10; ++i)
        if (!IsModeChar(field[i]))
            return false;
    // ACL (+), extended attributes (@), SELinux context (.).
    return field.size() == 10 || field[10] == '+' || field[10] == '@' || field[10] == '.';
}

struct DateColumns {
    unsigned month = 0;
    unsigned day = 0;
    std::int64_t year = 0;   // 0 when the listing gave a time instead
    unsigned hour = 0;
    unsigned minute = 0;
    unsigned second = 0;
    std::size_t fieldCount = 0;   // how many fields the date took
};

// "Dec 08 02:28", "dec 8 2019": month, day, then a time or a year.
bool ReadMonthDate(const std::string_view* fields, std::size_t available, DateColumns& date)
{
    if (available < 3)
        return false;
    date.month = MonthFromName(fields[0]);
    if (date.month == 0)
        return false;
    if (fields[1].size() > 2 || !ParseDecimal(fields[1], date.day) || date.day < 1 || date.day > 31)
        return false;
    date.year = 0;
    if (fields[2].size() == 4 && fields[2].find(':') == std::string_view::npos) {
        unsigned year = 0;
        if (!ParseFixedDigits(fields[2], 4, year) || year == 0)
            return false;
        date.year = year;
        date.hour = date.minute = date.second = 0;
    } else if (!ParseClock(fields[2], date.hour, date.minute, date.second)) {
        return false;
    }
    date.fieldCount = 3;
    return true;
}

// "2024-01-05 13:45".
bool ReadIsoDate(const std::string_view* fields, std::size_t available, DateColumns& date)
{
    if (available < 2)
        return false;
    const std::string_view d = fields[0];
    if (d.size() != 10 || d[4] != '-' || d[7] != '-')
        return false;
    unsigned year = 0;
    if (!ParseFixedDigits(d.substr(0, 4), 4, year) || year == 0 ||
        !ParseFixedDigits(d.substr(5, 2), 2, date.month) || date.month < 1 || date.month > 12 ||
        !ParseFixedDigits(d.substr(8, 2), 2, date.day))
        return false;
    if (!ParseClock(fields[1], date.hour, date.minute, date.second))
        return false;
    date.year = year;
    date.fieldCount = 2;
    return true;
}

std::optional<std::int64_t> ResolveTime(const DateColumns& date, std::int64_t nowUtc)
{
    CivilDateTime t{date.year, date.month, date.day, date.hour, date.minute, date.second};
    if (date.year != 0) {
        if (!IsValidCivilDate(t.year, t.month, t.day))
            return std::nullopt;
        return UtcFromCivil(t);
    }
    const std::int64_t now =
        nowUtc < kEarliestCivilTime ? kEarliestCivilTime
        : nowUtc > kLatestCivilTime ? kLatestCivilTime
                                    : nowUtc;
    const std::int64_t currentYear = CivilFromUtc(now).year;
    // The current year unless that is in the future, then the year before. Only a 29 February
    // can be invalid in both; it then belongs to the last leap year that is not in the future.
    for (int back = 0; back <= kLeapYearSearch; ++back) {
        t.year = currentYear - back;
        if (!IsValidCivilDate(t.year, t.month, t.day))
            continue;
        const std::int64_t seconds = UtcFromCivil(t);
        if (seconds <= now + kFutureSlack)
            return seconds;
    }
    return std::nullopt;
}

// The size column: a number, or "major, minor" / "major,minor" for a device. Returns how many
// fields it took (0 when it is neither), and whether it is a device.
std::size_t ReadSizeBackwards(const std::string_view* fields, std::size_t count,
                              std::uint64_t& size, bool& device)
{
    device = false;
    const std::string_view last = fields[count - 1];
    if (ParseDecimal(last, size))
    {
        if (count >= 2) {
            const std::string_view major = fields[count - 2];
            std::uint64_t ignored = 0;
            if (major.size() >= 2 && major.back() == ',' &&
                ParseDecimal(major.substr(0, major.size() - 1), ignored)) {
                device = true;
                return 2;
            }
        }
        return 1;
    }
    const std::size_t comma = last.find(',');
    std::uint64_t major = 0;
    std::uint64_t minor = 0;
    if (comma != std::string_view::npos && ParseDecimal(last.substr(0, comma), major) &&
        ParseDecimal(last.substr(comma + 1), minor)) {
        device = true;
        return 1;
    }
    return 0;
}

}  // namespace

std::optional<ListingEntry> ParseUnixListingLine(std::string_view line, std::int64_t nowUtc)
{
    std::array<std::string_view, kMaxFieldsThroughDate> fields;
    std::size_t count = 0;
    std::size_t pos = 0;
    while (count < fields.size()) {
        const std::string_view field = NextField(line, pos);
        if (field.empty())
            break;
        fields[count++] = field;
    }
    if (count < 4 || !IsPermissions(fields[0]))
        return std::nullopt;

    // The first place where a date follows a size and at least one owner column. Names come
    // after the date, so a name that looks like a date cannot be taken for it.
    for (std::size_t at = 3; at < count; ++at) {
        DateColumns date;
        if (!ReadMonthDate(&fields[at], count - at, date) &&
            !ReadIsoDate(&fields[at], count - at, date))
            continue;
        std::uint64_t size = 0;
        bool device = false;
        const std::size_t sizeFields = ReadSizeBackwards(&fields[1], at - 1, size, device);
        if (sizeFields == 0 || at - 1 - sizeFields < 1)
            continue;

        // The name is everything after the one blank that ends the date, leading blanks and
        // all: "Dec 08 03:16   leading.txt" names "  leading.txt".
        const std::size_t nameStart = EndOf(line, fields[at + date.fieldCount - 1]) + 1;
        if (nameStart >= line.size())
            return std::nullopt;
        const std::optional<std::int64_t> modified = ResolveTime(date, nowUtc);
        if (!modified)
            return std::nullopt;

        ListingEntry entry;
        std::string_view name = line.substr(nameStart);
        if (fields[0][0] == 'l') {
            entry.isLink = true;
            constexpr std::string_view kArrow = " -> ";
            const std::size_t arrow = name.find(kArrow);
            if (arrow != std::string_view::npos) {
                entry.linkTarget.assign(name.substr(arrow + kArrow.size()));
                name = name.substr(0, arrow);
            }
        }
        if (name.empty())
            return std::nullopt;
        entry.name.assign(name);
        entry.isDirectory = fields[0][0] == 'd';
        // A device's "size" is its device numbers; it has no length to report.
        entry.size = device ? 0 : size;
        entry.sizeKnown = !device;
        entry.modified = *modified;
        entry.timeKnown = true;
        return entry;
    }
    return std::nullopt;
}
