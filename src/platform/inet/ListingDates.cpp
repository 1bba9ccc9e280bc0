// Month names and numeric dates of listings. The month table holds the abbreviations that
// `ls` prints in the locales servers are commonly set up in; the names are UTF-8.

#include "platform/inet/ListingDates.h"

#include "platform/inet/CivilTime.h"
#include "platform/inet/ListingFields.h"

#include <array>

namespace listing {

namespace {

struct MonthName {
    std::string_view name;   // lower case
    unsigned month;
};

// English first: almost every listing uses it, and the search stops at the first match.
constexpr std::array kMonthNames = {
    MonthName{"jan", 1}, MonthName{"feb", 2}, MonthName{"mar", 3}, MonthName{"apr", 4},
    MonthName{"may", 5}, MonthName{"jun", 6}, MonthName{"jul", 7}, MonthName{"aug", 8},
    MonthName{"sep", 9}, MonthName{"oct", 10}, MonthName{"nov", 11}, MonthName{"dec", 12},
    MonthName{"january", 1}, MonthName{"february", 2}, MonthName{"march", 3}, MonthName{"april", 4},
    MonthName{"june", 6}, MonthName{"july", 7}, MonthName{"august", 8}, MonthName{"sept", 9},
    MonthName{"september", 9}, MonthName{"october", 10}, MonthName{"november", 11},
    MonthName{"december", 12},
    // German (and Austrian Jänner)
    MonthName{"j\xC3\xA4n", 1}, MonthName{"m\xC3\xA4r", 3}, MonthName{"m\xC3\xA4rz", 3}, MonthName{"mrz", 3},
    MonthName{"mai", 5}, MonthName{"juni", 6}, MonthName{"juli", 7}, MonthName{"okt", 10},
    MonthName{"dez", 12},
    // French
    MonthName{"janv", 1}, MonthName{"f\xC3\xA9v", 2}, MonthName{"f\xC3\xA9vr", 2}, MonthName{"fev", 2},
    MonthName{"fevr", 2}, MonthName{"mars", 3}, MonthName{"avr", 4}, MonthName{"juin", 6},
    MonthName{"juil", 7}, MonthName{"ao\xC3\xBB", 8}, MonthName{"ao\xC3\xBBt", 8}, MonthName{"aout", 8},
    MonthName{"d\xC3\xA9" "c", 12},
    // Spanish, Portuguese, Italian
    MonthName{"ene", 1}, MonthName{"abr", 4}, MonthName{"ago", 8}, MonthName{"dic", 12},
    MonthName{"fev", 2}, MonthName{"set", 9}, MonthName{"out", 10},
    MonthName{"gen", 1}, MonthName{"mag", 5}, MonthName{"giu", 6}, MonthName{"lug", 7},
    MonthName{"ott", 10},
    // Dutch, Swedish, Danish, Norwegian
    MonthName{"mrt", 3}, MonthName{"mei", 5}, MonthName{"maj", 5}, MonthName{"des", 12},
    // Hungarian
    MonthName{"febr", 2}, MonthName{"m\xC3\xA1r", 3}, MonthName{"m\xC3\xA1rc", 3}, MonthName{"\xC3\xA1pr", 4},
    MonthName{"m\xC3\xA1j", 5}, MonthName{"j\xC3\xBAn", 6}, MonthName{"j\xC3\xBAl", 7},
    MonthName{"szept", 9},
    // Polish
    MonthName{"sty", 1}, MonthName{"lut", 2}, MonthName{"kwi", 4}, MonthName{"cze", 6},
    MonthName{"lip", 7}, MonthName{"sie", 8}, MonthName{"wrz", 9}, MonthName{"pa\xC5\xBA", 10},
    MonthName{"lis", 11}, MonthName{"gru", 12},
    // Czech, Slovenian, Croatian
    MonthName{"led", 1}, MonthName{"\xC3\xBAno", 2}, MonthName{"b\xC5\x99\x65", 3}, MonthName{"dub", 4},
    MonthName{"kv\xC4\x9B", 5}, MonthName{"\xC4\x8Dvn", 6}, MonthName{"\xC4\x8Dvc", 7}, MonthName{"srp", 8},
    MonthName{"z\xC3\xA1\xC5\x99", 9}, MonthName{"\xC5\x99\xC3\xADj", 10}, MonthName{"pro", 12},
    MonthName{"avg", 8},
    // Finnish
    MonthName{"tammi", 1}, MonthName{"helmi", 2}, MonthName{"maalis", 3}, MonthName{"huhti", 4},
    MonthName{"touko", 5}, MonthName{"kes\xC3\xA4", 6}, MonthName{"hein\xC3\xA4", 7}, MonthName{"elo", 8},
    MonthName{"syys", 9}, MonthName{"loka", 10}, MonthName{"marras", 11}, MonthName{"joulu", 12},
    // Russian, Ukrainian, Bulgarian
    MonthName{"\xD1\x8F\xD0\xBD\xD0\xB2", 1}, MonthName{"\xD1\x84\xD0\xB5\xD0\xB2", 2},
    MonthName{"\xD0\xBC\xD0\xB0\xD1\x80", 3}, MonthName{"\xD0\xB0\xD0\xBF\xD1\x80", 4},
    MonthName{"\xD0\xBC\xD0\xB0\xD0\xB9", 5}, MonthName{"\xD0\xBC\xD0\xB0\xD1\x8F", 5},
    MonthName{"\xD0\xB8\xD1\x8E\xD0\xBD", 6}, MonthName{"\xD0\xB8\xD1\x8E\xD0\xBB", 7},
    MonthName{"\xD0\xB0\xD0\xB2\xD0\xB3", 8}, MonthName{"\xD1\x81\xD0\xB5\xD0\xBD", 9},
    MonthName{"\xD0\xBE\xD0\xBA\xD1\x82", 10}, MonthName{"\xD0\xBD\xD0\xBE\xD1\x8F", 11},
    MonthName{"\xD0\xB4\xD0\xB5\xD0\xBA", 12},
};

constexpr std::size_t kLongestMonthName = 12;   // bytes, after folding
// Two-digit years from this one on are 19xx; below it, 20xx.
constexpr std::int64_t kFirstTwentiethCenturyYear = 70;
// A date given without a year lies within a day ahead of the server's clock at most; more
// means it is from the year before.
constexpr std::int64_t kFutureSlack = kSecondsPerDay;
// How far back a yearless 29 February may go to find a leap year.
constexpr int kLeapYearSearch = 8;

// Folds ASCII capitals, and a capital first letter of Latin-1 (U+00C0..U+00DE) or Cyrillic
// (U+0410..U+042F) written in UTF-8, to lower case; `out` holds at most kLongestMonthName bytes.
bool FoldMonthName(std::string_view name, char* out, std::size_t& length)
{
    if (name.empty() || name.size() > kLongestMonthName)
        return false;
    length = name.size();
    for (std::size_t i = 0; i < name.size(); ++i)
        out[i] = ToLowerAscii(name[i]);
    const auto lead = static_cast<unsigned char>(name[0]);
    if (name.size() >= 2) {
        const auto next = static_cast<unsigned char>(name[1]);
        if (lead == 0xC3 && next >= 0x80 && next <= 0x9E && next != 0x97) {
            out[1] = static_cast<char>(next + 0x20);
        } else if (lead == 0xD0 && next >= 0x90 && next <= 0x9F) {
            out[1] = static_cast<char>(next + 0x20);
        } else if (lead == 0xD0 && next >= 0xA0 && next <= 0xAF) {
            out[0] = static_cast<char>(0xD1);
            out[1] = static_cast<char>(next - 0x20);
        }
    }
    return true;
}

}  // namespace

unsigned MonthFromAnyName(std::string_view name)
{
    while (!name.empty() && (name.back() == '.' || name.back() == ','))
        name.remove_suffix(1);
    if (name.size() < 3 || IsDigit(name.front()))
        return 0;
    if (const unsigned english = MonthFromName(name))
        return english;
    char folded[kLongestMonthName];
    std::size_t length = 0;
    if (!FoldMonthName(name, folded, length))
        return 0;
    const std::string_view key(folded, length);
    for (const MonthName& entry : kMonthNames)
        if (entry.name == key)
            return entry.month;
    return 0;
}

std::int64_t ExpandYear(std::int64_t year, std::size_t digits)
{
    if (digits <= 2)
        return year + (year >= kFirstTwentiethCenturyYear ? 1900 : 2000);
    if (digits == 3)
        return year + 1900;
    return year;
}

bool ReadNumericDate(std::string_view field, ListingDate& date)
{
    std::size_t separator = field.find_first_of("-/.");
    if (separator == std::string_view::npos || separator == 0)
        return false;
    const char joiner = field[separator];
    std::string_view parts[3];
    std::size_t count = 0;
    for (std::string_view rest = field; count < 3;) {
        const std::size_t at = rest.find(joiner);
        parts[count++] = rest.substr(0, at);
        if (at == std::string_view::npos)
            break;
        rest = rest.substr(at + 1);
        if (count == 3)
            return false;   // a fourth part
    }
    if (count < 2)
        return false;
    for (std::size_t i = 0; i < count; ++i)
        if (parts[i].empty() || parts[i].size() > 4)
            return false;

    // Which part is the month: a name anywhere, else by position.
    unsigned values[3] = {0, 0, 0};
    int namedMonth = -1;
    for (std::size_t i = 0; i < count; ++i) {
        if (ParseDecimal(parts[i], values[i]))
            continue;
        const unsigned month = MonthFromAnyName(parts[i]);
        if (month == 0 || namedMonth >= 0)
            return false;
        namedMonth = static_cast<int>(i);
        values[i] = month;
    }

    date = ListingDate{};
    if (count == 2) {
        // "09-26": month and day, the year follows in a column of its own or is inferred.
        if (namedMonth == 1) {
            date.day = values[0];
            date.month = values[1];
        } else {
            date.month = values[0];
            date.day = values[1];
        }
    } else if (parts[0].size() == 4 && namedMonth != 0) {
        date.year = values[0];
        date.month = values[1];
        date.day = values[2];
    } else {
        if (namedMonth == 2 || parts[2].size() < 2)
            return false;
        date.year = ExpandYear(values[2], parts[2].size());
        if (namedMonth == 0 || (namedMonth < 0 && joiner != '.' && values[0] <= 12)) {
            date.month = values[0];
            date.day = values[1];
        } else {
            date.day = values[0];
            date.month = values[1];
        }
    }
    if (date.month < 1 || date.month > 12 || date.day < 1 || date.day > 31)
        return false;
    return date.year == 0 || (date.year > 0 && IsValidCivilDate(date.year, date.month, date.day));
}

std::optional<std::int64_t> ResolveListingTime(const ListingDate& date, std::int64_t nowUtc)
{
    CivilDateTime t{date.year, date.month, date.day, date.hour, date.minute, date.second};
    if (date.year != 0) {
        if (!IsValidCivilDate(t.year, t.month, t.day))
            return std::nullopt;
        return UtcFromCivil(t);
    }
    const std::int64_t now = nowUtc < kEarliestCivilTime ? kEarliestCivilTime
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

}  // namespace listing
