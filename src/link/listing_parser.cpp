// Parsers of the filtered "ls -l" listings. Every read is bounded by the
// filtered text and by LISTING_SEARCH_LIMIT.
#include <algorithm>
#include <cctype>
#include <cstring>

#include "store/store.h"
#include "link/answer_text.h"
#include "link/memory_listing.h"

namespace {

const char* const MONTHS[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
// Hour and minute of an entry that shows its year instead of a time.
const char* const titre_date[2] = {"12", "00"};

constexpr std::size_t MAX_FIRST_NUMBER = 14;
constexpr std::size_t TEST_WINDOW = 28;

// A walk over the filtered text; positions never reach `end`.
struct Cursor {
    const char* text;
    std::size_t end;
    std::size_t pos = 0;

    long Next(bool (*wanted)(char)) const {
        for (std::size_t i = pos; i < end; ++i)
            if (wanted(text[i])) return static_cast<long>(i);
        return -1;
    }
    // Decimal value of at most `count` digits at `at` (stops at a non-digit).
    int Number(std::size_t at, std::size_t count) const {
        int value = 0;
        for (std::size_t i = at; i < at + count && i < end && IsDigit(text[i]); ++i)
            value = value * 10 + (text[i] - '0');
        return value;
    }
    char At(std::size_t i) const { return i < end ? text[i] : '\0'; }
};

// Years an entry may carry: the instrument's clock lies between these.
constexpr int FIRST_LISTED_YEAR = 1900;
constexpr int LAST_LISTED_YEAR = 2099;

// How many digits the day at `day` takes. "ls -l" pads a day below 10 with a
// zero ("Dec 04") or with a blank ("Dec  4"), and the filter has taken the
// blank away, so the day is told by what follows it: a time has two digits of
// hour before its colon; a year has four digits and lies within the years an
// entry may carry, which only one of the two readings gives. A day of one
// digit is never 0. Anything else is read as two digits.
std::size_t DayDigits(const Cursor& c, std::size_t day) {
    const bool blankPadded = c.At(day) != '0';
    if (blankPadded && c.At(day + 3) == ':') return 1;
    if (c.At(day + 4) == ':') return 2;
    const auto yearAt = [&c](std::size_t at) {
        for (std::size_t i = at; i < at + 4; ++i)
            if (!IsDigit(c.At(i))) return false;
        const int year = c.Number(at, 4);
        return year >= FIRST_LISTED_YEAR && year <= LAST_LISTED_YEAR;
    };
    if (blankPadded && !yearAt(day + 2) && yearAt(day + 1)) return 1;
    return 2;
}

// The fields every entry shares, from the month to the year or time. False
// when one is missing or starts at or beyond `stop`.
enum class Field { Month, Day, DateOrTime, None };
Field ReadDate(Cursor& c, std::size_t stop, int currentYear, ListingEntry& e) {
    const long month = c.Next(IsLetter);
    if (month < 0 || static_cast<std::size_t>(month) >= stop) return Field::Month;
    char name[4] = {c.At(month), c.At(month + 1), c.At(month + 2), '\0'};
    e.mois = chermois(name);
    c.pos = std::min(c.end, static_cast<std::size_t>(month) + 3);

    const long day = c.Next(IsDigit);
    if (day < 0 || static_cast<std::size_t>(day) >= stop) return Field::Day;
    const std::size_t dayDigits = DayDigits(c, static_cast<std::size_t>(day));
    e.jour = c.Number(day, dayDigits);
    c.pos = std::min(c.end, static_cast<std::size_t>(day) + dayDigits);

    const long when = c.Next(IsDigit);
    if (when < 0 || static_cast<std::size_t>(when) >= stop) return Field::DateOrTime;
    if (IsDigit(c.At(when + 2))) {
        e.annee = c.Number(when, 4);
        e.heure = std::atoi(titre_date[0]);
        e.minute = std::atoi(titre_date[1]);
        c.pos = std::min(c.end, static_cast<std::size_t>(when) + 4);
    } else {
        e.heure = c.Number(when, 2);
        e.minute = c.Number(when + 3, 2);
        e.annee = currentYear;
        e.time_shown = true;
        c.pos = std::min(c.end, static_cast<std::size_t>(when) + 5);
    }
    return Field::None;
}

// Position just after the first "total" found by stepping over the text: at
// each "t" five characters are compared, a mismatch skips them. -1 when absent.
long EndOfTotal(const Cursor& c) {
    std::size_t i = 0;
    while (i < c.end) {
        if (c.text[i] == 't') {
            if (i + 5 <= c.end && std::strncmp(c.text + i, "total", 5) == 0)
                return static_cast<long>(i + 5);
            i += 5;
        } else {
            ++i;
        }
    }
    return -1;
}

// The count after "total": two characters from the next digit at or after `from`.
// How far back from the end of an object listing "total" is looked for.
constexpr std::size_t TOTAL_WINDOW = 12;

int CountAfter(const Cursor& c, std::size_t from) {
    Cursor k = c;
    k.pos = from;
    const long digit = k.Next(IsDigit);
    // Up to three digits: a full memory counts 100 objects, or 100 tests in
    // one object, and two digits would read that as 10 and lose the rest.
    return digit < 0 ? 0 : k.Number(static_cast<std::size_t>(digit), 3);
}

}  // namespace

int YearOfRecentEntry(int month, int day, int todayMonth, int todayDay, int todayYear) {
    // Tests lie in the past; a few weeks ahead is only the two clocks
    // disagreeing, more than that is the same day of last year.
    const int daysAhead = (month - todayMonth) * 31 + (day - todayDay);
    return daysAhead > 31 ? todayYear - 1 : todayYear;
}

int chermois(const char* text) {
    for (int m = 0; m < 12; ++m)
        if (EqualsNoCase(text, MONTHS[m])) return m + 1;
    return 0;
}

DirectoryListing ParseDirectoryListing(const char* text, std::size_t length, int currentYear) {
    DirectoryListing result;
    Cursor c{text, std::min({length, TextLength(text, length), LISTING_SEARCH_LIMIT})};
    if (FindNoCase(text, c.end, "rror") >= 0 || FindChar(text, c.end, 'd') < 0) return result;
    const long total = EndOfTotal(c);
    if (total < 0) return result;  // no "total": no directories
    const std::size_t stop = static_cast<std::size_t>(total);
    int count = CountAfter(c, stop);

    while (count > 0) {
        ListingEntry e;
        bool beyond = false;
        const long first = c.Next(IsDigit);
        if (first < 0 || static_cast<std::size_t>(first) >= stop) {
            beyond = true;
        } else {
            std::size_t run = 0;
            while (run < MAX_FIRST_NUMBER && IsDigit(c.At(first + run))) ++run;
            e.present = c.Number(first, std::min<std::size_t>(run, 2));
            c.pos = first + run;
            if (ReadDate(c, stop, currentYear, e) != Field::None) {
                beyond = true;
            } else {
                const long name = c.Next(IsDigit);
                if (name < 0 || static_cast<std::size_t>(name) >= stop) {
                    beyond = true;
                    result.ran_out_at_name = true;
                } else {
                    e.number = c.Number(name, 2);
                    c.pos = std::min(c.end, static_cast<std::size_t>(name) + 2);
                    result.entries.push_back(e);
                    ++result.nb_total;
                    --count;
                }
            }
        }
        if (beyond) {
            result.ran_past_total = true;
            result.nb_total = 0;
            count = 0;
        }
    }
    return result;
}

TestListing ParseTestListing(const char* text, std::size_t length, int currentYear) {
    TestListing result;
    Cursor c{text, std::min({length, TextLength(text, length), LISTING_SEARCH_LIMIT})};
    if (FindNoCase(text, c.end, "total") >= 0) {
        // The count sits at the very end, just before the prompt's first
        // letter: "total" is the last one among the final characters. (Eight
        // characters back would only fit a count of two digits; a full
        // object holds 100 tests.)
        const std::size_t from = c.end >= TOTAL_WINDOW ? c.end - TOTAL_WINDOW : 0;
        long t = -1;
        for (std::size_t i = from; i + 5 <= c.end; ++i)
            if (std::strncmp(text + i, "total", 5) == 0) t = static_cast<long>(i);
        if (t >= 0) {
            result.has_total = true;
            result.count = CountAfter(c, static_cast<std::size_t>(t) + 5);
        }
    }
    for (int repetition = 0; repetition < result.count; ++repetition) {
        const std::size_t window = std::min(c.end, c.pos + TEST_WINDOW);
        long mark = -1;
        for (std::size_t i = c.pos; i + 1 < window; ++i) {
            if (text[i] == '-' && text[i + 1] == 'r') {
                mark = static_cast<long>(i);
                break;
            }
        }
        if (mark < 0) continue;  // nothing stored, the position stays
        c.pos = static_cast<std::size_t>(mark) + 1;

        ListingEntry e;
        const long first = c.Next(IsDigit);
        if (first < 0) break;
        e.present = c.Number(first, IsDigit(c.At(first + 1)) ? 2 : 1);
        c.pos = first + (IsDigit(c.At(first + 1)) ? 2 : 1);
        if (ReadDate(c, c.end, currentYear, e) != Field::None) break;
        const long name = c.Next(IsDigit);
        if (name < 0) break;
        // The name follows the date or time at once; anything between them
        // ("../../05.l") makes it no name of a test in this directory.
        const bool right_after_date = static_cast<std::size_t>(name) == c.pos;
        c.pos = std::min(c.end, static_cast<std::size_t>(name) + 2);
        if (c.At(name + 2) != '.') continue;  // "7.l" is no test name
        e.number = c.Number(name, 2);
        const char letter = c.At(name + 3);
        c.pos = std::min(c.end, static_cast<std::size_t>(name) + 3);
        int kind = -1;
        for (int k = 0; k < NB_KINDS && kind < 0; ++k)
            if (tab_type[k] != nullptr && tab_type[k][0] == '.' && tab_type[k][1] == letter)
                kind = k;
        if (kind < 0) continue;  // an extension the program does not know
        // Nor does anything follow the extension but the next entry or "total".
        const char after = c.At(name + 4);
        if (!right_after_date || (after != '\0' && after != '-' && after != 'd' && after != 't'))
            continue;
        e.type_mes = kind;
        c.pos = std::min(c.end, static_cast<std::size_t>(name) + 4);
        result.entries.push_back(e);
    }
    return result;
}
