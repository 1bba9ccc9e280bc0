// The date columns of `ls -l` lines in the shapes and languages servers print them.

#include "platform/inet/UnixDateColumns.h"

#include "platform/inet/ListingFields.h"

namespace listing {

namespace {

// A day of the month, "8", "08", "26.", "08,".
bool ReadDay(std::string_view field, unsigned& day)
{
    if (!field.empty() && (field.back() == '.' || field.back() == ','))
        field.remove_suffix(1);
    return field.size() <= 2 && ParseDecimal(field, day) && day >= 1 && day <= 31;
}

bool ReadYear(std::string_view field, std::int64_t& year)
{
    unsigned value = 0;
    if (!ParseFixedDigits(field, 4, value) || value == 0)
        return false;
    year = value;
    return true;
}

// The column after a day and month: a year or a time. Returns whether it is one.
bool ReadYearOrClock(std::string_view field, ListingDate& date)
{
    if (ReadYear(field, date.year))
        return true;
    date.year = 0;
    return ParseClock(field, date.hour, date.minute, date.second, /*allowEndOfDay=*/true);
}

// "Dec 08 02:28", "dec 8 2019", "Okt. 26 2003", and "Oct 08, 2002 09:47" with both.
std::size_t ReadMonthFirst(const std::string_view* fields, std::size_t available, ListingDate& date)
{
    if (available < 3 || (date.month = MonthFromAnyName(fields[0])) == 0 || !ReadDay(fields[1], date.day))
        return 0;
    if (!ReadYearOrClock(fields[2], date))
        return 0;
    // Only a day written with a comma is followed by a year and then a time.
    if (date.year != 0 && fields[1].back() == ',' && available > 3 &&
        ParseClock(fields[3], date.hour, date.minute, date.second, true))
        return 4;
    return 3;
}

// "26. Juli 20:10", "2. Okt. 2003", "01 oct 2004", "23 май 2011".
std::size_t ReadDayFirst(const std::string_view* fields, std::size_t available, ListingDate& date)
{
    if (available < 3 || !ReadDay(fields[0], date.day) || (date.month = MonthFromAnyName(fields[1])) == 0)
        return 0;
    return ReadYearOrClock(fields[2], date) ? 3 : 0;
}

// "2003-09-26 13:45", "1999/10/12", "24-04-2003 17:12", "01-jun-99", "09-26 2000".
std::size_t ReadNumericFirst(const std::string_view* fields, std::size_t available, ListingDate& date)
{
    if (!ReadNumericDate(fields[0], date))
        return 0;
    if (date.year == 0)
        return available >= 2 && ReadYearOrClock(fields[1], date) ? 2 : 0;
    if (available >= 2 && ParseClock(fields[1], date.hour, date.minute, date.second, true))
        return 2;
    return 1;
}

// East Asian dates: numbers marked as year, month or day (年月日 in Chinese and Japanese,
// 년월일 in Korean), in one column or several: "4月 18日 2003年", "2003年10月26日",
// "10월 6일 12:34", "8月 17 08:52".
enum class DatePart { None, Year, Month, Day };

constexpr std::string_view kYearMarks[] = {"\xE5\xB9\xB4", "\xEB\x85\x84"};
constexpr std::string_view kMonthMarks[] = {"\xE6\x9C\x88", "\xEC\x9B\x94"};
constexpr std::string_view kDayMarks[] = {"\xE6\x97\xA5", "\xEC\x9D\xBC"};

DatePart MarkAt(std::string_view text, std::size_t& pos)
{
    const std::string_view rest = text.substr(pos);
    const auto matches = [&](const std::string_view (&marks)[2]) {
        for (const std::string_view mark : marks)
            if (rest.substr(0, mark.size()) == mark) {
                pos += mark.size();
                return true;
            }
        return false;
    };
    if (matches(kYearMarks))
        return DatePart::Year;
    if (matches(kMonthMarks))
        return DatePart::Month;
    if (matches(kDayMarks))
        return DatePart::Day;
    return DatePart::None;
}

struct MarkedDate {
    std::int64_t year = 0;
    unsigned month = 0;
    unsigned day = 0;
};

// Adds one column's numbers to `marked`; false when the column is not made of them.
bool AddMarkedColumn(std::string_view field, MarkedDate& marked)
{
    std::size_t pos = 0;
    while (pos < field.size()) {
        const std::size_t start = pos;
        while (pos < field.size() && IsDigit(field[pos]))
            ++pos;
        const std::string_view digits = field.substr(start, pos - start);
        unsigned value = 0;
        if (digits.empty() || digits.size() > 4 || !ParseDecimal(digits, value))
            return false;
        switch (MarkAt(field, pos)) {
        case DatePart::Year:
            if (marked.year != 0 || value == 0)
                return false;
            marked.year = value;
            break;
        case DatePart::Month:
            if (marked.month != 0 || value < 1 || value > 12)
                return false;
            marked.month = value;
            break;
        case DatePart::Day:
            if (marked.day != 0 || marked.month == 0 || value < 1 || value > 31)
                return false;
            marked.day = value;
            break;
        case DatePart::None:
            // A bare number is the day right after the month. (A bare year before the month
            // could not be told from a size of four digits.)
            if (marked.month != 0 && marked.day == 0 && digits.size() <= 2 && value >= 1 && value <= 31)
                marked.day = value;
            else
                return false;
            if (pos != field.size())
                return false;
            break;
        }
    }
    return true;
}

std::size_t ReadMarkedDate(const std::string_view* fields, std::size_t available, ListingDate& date)
{
    if (!IsDigit(fields[0].front()))
        return 0;
    MarkedDate marked;
    std::size_t used = 0;
    while (used < available && used < 3 && !(marked.month != 0 && marked.day != 0)) {
        if (!AddMarkedColumn(fields[used], marked))
            return 0;
        ++used;
    }
    if (marked.month == 0 || marked.day == 0)
        return 0;
    // A year marked as one may follow the day in a column of its own.
    MarkedDate withYear = marked;
    if (marked.year == 0 && used < available && AddMarkedColumn(fields[used], withYear) && withYear.year != 0) {
        marked = withYear;
        ++used;
    }
    date.year = marked.year;
    date.month = marked.month;
    date.day = marked.day;
    if (date.year == 0) {
        if (used >= available || !ReadYearOrClock(fields[used], date))
            return 0;
        ++used;
    }
    return used;
}

}  // namespace

std::size_t ReadUnixDateColumns(const std::string_view* fields, std::size_t available, ListingDate& date)
{
    if (std::size_t used = ReadMonthFirst(fields, available, date))
        return used;
    if (IsDigit(fields[0].front())) {
        if (std::size_t used = ReadDayFirst(fields, available, date))
            return used;
        date = ListingDate{};
        if (std::size_t used = ReadNumericFirst(fields, available, date))
            return used;
        date = ListingDate{};
        return ReadMarkedDate(fields, available, date);
    }
    return 0;
}

}  // namespace listing
