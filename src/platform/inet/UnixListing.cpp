// `ls -l` lines as Unix servers (and many that imitate them) send them:
//   -rw-r--r--    1 1000     1000           12 Dec 08 02:28 a.txt        (vsftpd)
//   lrwxrwxrwx   1 root     root            5 Dec 08 03:16 link -> a.txt (pyftpdlib)
//   crw-r--r--   1 root     root       4,  64 Mar  4  2019 tty0
//   -rw-r--r--   1 owner group     12 2024-01-05 13:45 name               (ISO dates)
//   -rw-r--r--   1 user  gruppe  2235 26. Juli 20:10 name                 (German locale)
//   -rw-r--r--   1 user  staff   8473 4月 18日 2003年 name                (Japanese locale)
// The owner and group columns vary (group missing, numeric, link count missing or glued to
// the permissions, a size glued to a long group), so the parser finds the date columns first
// and reads the size just before them.

#include "platform/inet/ListingDates.h"
#include "platform/inet/ListingFields.h"
#include "platform/inet/ListingParser.h"
#include "platform/inet/UnixDateColumns.h"

#include <algorithm>
#include <array>

using namespace listing;

namespace {

// Permissions, link count, owner, group, "major," "minor", date columns: a line whose date
// has not begun by then is no `ls -l` line.
constexpr std::size_t kMaxFieldsThroughDate = 16;
// How many columns a date takes at most: "Oct 08, 2002 09:47".
constexpr std::size_t kMaxDateFields = 4;

// U+3000 IDEOGRAPHIC SPACE, which East Asian locales put between the parts of a date.
constexpr std::string_view kWideSpace = "\xE3\x80\x80";

// The length of the separator at `pos`: a blank, a wide space, or none (0).
std::size_t SeparatorAt(std::string_view text, std::size_t pos)
{
    if (IsBlank(text[pos]))
        return 1;
    if (static_cast<unsigned char>(text[pos]) == 0xE3 && text.substr(pos, 3) == kWideSpace)
        return 3;
    return 0;
}

std::string_view NextUnixField(std::string_view text, std::size_t& pos)
{
    while (pos < text.size()) {
        const std::size_t blank = SeparatorAt(text, pos);
        if (blank == 0)
            break;
        pos += blank;
    }
    const std::size_t start = pos;
    while (pos < text.size() && SeparatorAt(text, pos) == 0)
        ++pos;
    return text.substr(start, pos - start);
}

constexpr bool IsFileTypeChar(char c)
{
    // - file, d directory, l link, c/b devices, p fifo, s socket, D door and P event port
    // (Solaris), n network special (HP-UX), w whiteout (BSD), C contiguous and M migrated
    // (older systems), ? unknown.
    constexpr std::string_view kTypes = "-dlcbpsDPnwCM?";
    return kTypes.find(c) != std::string_view::npos;
}

constexpr bool IsModeChar(char c)
{
    return c == '-' || c == 'r' || c == 'w' || c == 'x' || c == 's' || c == 'S' || c == 't' ||
           c == 'T' || c == 'l' || c == 'L' || c == '?';
}

// "-rw-r--r--", with an ACL (+), extended-attribute (@) or SELinux (.) marker, and with the
// link count glued on where it was too wide for its column ("-rw-r--r--+12").
bool IsPermissions(std::string_view field)
{
    if (field.size() < 10 || !IsFileTypeChar(field[0]))
        return false;
    for (std::size_t i = 1; i < 10; ++i)
        if (!IsModeChar(field[i]))
            return false;
    std::size_t pos = 10;
    if (pos < field.size() && (field[pos] == '+' || field[pos] == '@' || field[pos] == '.'))
        ++pos;
    for (; pos < field.size(); ++pos)
        if (!IsDigit(field[pos]))
            return false;
    return true;
}

struct SizeColumn {
    std::size_t fields = 0;   // how many columns it took; 0 when there is none
    std::uint64_t bytes = 0;
    bool known = false;       // false for a device's numbers or a negative size
    bool glued = false;       // the size's digits end the group column
};

// "33.5k", "12M", "1.2G": a size some servers round to a unit.
bool ReadSizeWithUnit(std::string_view field, std::uint64_t& bytes)
{
    if (field.size() < 2)
        return false;
    int shift = 0;
    switch (ToLowerAscii(field.back())) {
    case 'k': shift = 10; break;
    case 'm': shift = 20; break;
    case 'g': shift = 30; break;
    case 't': shift = 40; break;
    default: return false;
    }
    const std::string_view number = field.substr(0, field.size() - 1);
    const std::size_t dot = number.find('.');
    std::uint64_t whole = 0;
    std::uint64_t fraction = 0;
    if (!ParseDecimal(number.substr(0, dot), whole) || whole >= (std::uint64_t{1} << 20))
        return false;
    std::uint64_t scale = 1;
    if (dot != std::string_view::npos) {
        const std::string_view digits = number.substr(dot + 1);
        if (digits.empty() || digits.size() > 3 || !ParseDecimal(digits, fraction))
            return false;
        for (std::size_t i = 0; i < digits.size(); ++i)
            scale *= 10;
    }
    bytes = (whole << shift) + (fraction << shift) / scale;
    return true;
}

// The size column, read backwards from just before the date: a number, a negative number (a
// 32-bit counter that overflowed: unknown), a number with a unit, "major, minor" or
// "major,minor" for a device, or digits glued to the end of a long group name.
SizeColumn ReadSizeBackwards(const std::string_view* fields, std::size_t count)
{
    SizeColumn size;
    const std::string_view last = fields[count - 1];
    if (ParseDecimal(last, size.bytes)) {
        size.fields = 1;
        size.known = true;
        if (count >= 2) {
            const std::string_view major = fields[count - 2];
            std::uint64_t ignored = 0;
            if (major.size() >= 2 && major.back() == ',' && ParseDecimal(major.substr(0, major.size() - 1), ignored)) {
                size = SizeColumn{2, 0, false, false};
            }
        }
        return size;
    }
    std::uint64_t ignored = 0;
    if (last.size() >= 2 && last.front() == '-' && ParseDecimal(last.substr(1), ignored))
        return SizeColumn{1, 0, false, false};
    if (ReadSizeWithUnit(last, size.bytes))
        return SizeColumn{1, size.bytes, true, false};
    const std::size_t comma = last.find(',');
    std::uint64_t minor = 0;
    if (comma != std::string_view::npos && ParseDecimal(last.substr(0, comma), ignored) &&
        ParseDecimal(last.substr(comma + 1), minor))
        return SizeColumn{1, 0, false, false};
    // "longgroup123456": the group filled its column and the size follows without a blank.
    std::size_t digits = last.size();
    while (digits > 0 && IsDigit(last[digits - 1]))
        --digits;
    if (digits > 0 && digits < last.size() && !IsDigit(last[0]) && ParseDecimal(last.substr(digits), size.bytes))
        return SizeColumn{1, size.bytes, true, true};
    return SizeColumn{};
}

ListingEntry MakeEntry(char type, std::string_view name)
{
    ListingEntry entry;
    if (type == 'l') {
        entry.isLink = true;
        constexpr std::string_view kArrow = " -> ";
        const std::size_t arrow = name.find(kArrow);
        if (arrow != std::string_view::npos) {
            entry.linkTarget.assign(name.substr(arrow + kArrow.size()));
            name = name.substr(0, arrow);
        }
    }
    entry.name.assign(name);
    entry.isDirectory = type == 'd';
    return entry;
}

// A line with no date at all: "-rw-r--r-- 1 owner group 1234 name". Read only when every
// column is there, and when what would be the name does not begin with a digit, a month or a
// time, so that a line with a broken date is not read as a file with a strange name.
std::optional<ListingEntry> ReadWithoutDate(std::string_view line, const std::string_view* fields, std::size_t count)
{
    constexpr std::size_t kSizeColumn = 4;
    std::uint64_t links = 0;
    std::uint64_t bytes = 0;
    if (count <= kSizeColumn + 1 || !ParseDecimal(fields[1], links) || !ParseDecimal(fields[kSizeColumn], bytes) ||
        IsDigit(fields[kSizeColumn + 1].front()))
        return std::nullopt;
    for (std::size_t i = kSizeColumn + 1; i < count && i <= kSizeColumn + 3; ++i) {
        unsigned h = 0, m = 0, s = 0, year = 0;
        ListingDate date;
        if (ParseClock(fields[i], h, m, s, true) || MonthFromAnyName(fields[i]) != 0 ||
            ReadNumericDate(fields[i], date) || ParseFixedDigits(fields[i], 4, year))
            return std::nullopt;
    }
    const std::size_t nameStart = EndOf(line, fields[kSizeColumn]) + 1;
    ListingEntry entry = MakeEntry(fields[0][0], line.substr(nameStart));
    if (entry.name.empty())
        return std::nullopt;
    entry.size = bytes;
    entry.sizeKnown = true;
    return entry;
}

}  // namespace

std::optional<ListingEntry> ParseUnixListingLine(std::string_view line, std::int64_t nowUtc)
{
    std::array<std::string_view, kMaxFieldsThroughDate> fields;
    std::size_t count = 0;
    std::size_t pos = 0;
    while (count < fields.size()) {
        const std::string_view field = NextUnixField(line, pos);
        if (field.empty())
            break;
        fields[count++] = field;
    }
    if (count < 4 || !IsPermissions(fields[0]))
        return std::nullopt;

    // The first place where a date follows a size and at least one owner column. Names come
    // after the date, so a name that looks like a date cannot be taken for it.
    bool sawDate = false;
    for (std::size_t at = 2; at < count; ++at) {
        ListingDate date;
        const std::size_t dateFields = ReadUnixDateColumns(&fields[at], std::min(count - at, kMaxDateFields), date);
        if (dateFields == 0)
            continue;
        sawDate = true;
        const SizeColumn size = ReadSizeBackwards(&fields[1], at - 1);
        // One column at least before the size (the owner), unless the size is glued to it.
        if (size.fields == 0 || (at - 1 - size.fields < 1 && !size.glued))
            continue;

        // The name is everything after the one separator that ends the date, leading blanks
        // and all: "Dec 08 03:16   leading.txt" names "  leading.txt".
        const std::size_t dateEnd = EndOf(line, fields[at + dateFields - 1]);
        if (dateEnd >= line.size())
            return std::nullopt;
        const std::size_t nameStart = dateEnd + SeparatorAt(line, dateEnd);
        const std::optional<std::int64_t> modified = ResolveListingTime(date, nowUtc);
        if (!modified || nameStart >= line.size())
            return std::nullopt;

        ListingEntry entry = MakeEntry(fields[0][0], line.substr(nameStart));
        if (entry.name.empty())
            return std::nullopt;
        entry.size = size.bytes;
        entry.sizeKnown = size.known;
        entry.modified = *modified;
        entry.timeKnown = true;
        return entry;
    }
    if (sawDate)
        return std::nullopt;
    return ReadWithoutDate(line, fields.data(), count);
}
