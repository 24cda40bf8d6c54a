// The instrument's memory tree /etc/mem/: one directory per object (two-digit
// number), one file per test (two-digit number and the kind's extension), read
// from "ls -l" listings after the answer filter has removed every blank and
// line end, so fields are told apart by character class only.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "link/link_context.h"

// Searches for a field never look at or beyond this position of the filtered
// text. A full memory (100 objects, or 100 tests in one object) filters to
// about 3000 characters, so the limit is the most one listing read can bring
// (10000 bytes): a shorter one would lose the end of a full listing, "total"
// with it, and the scan would find nothing.
constexpr std::size_t LISTING_SEARCH_LIMIT = 10000;

// One entry of a listing as the parsers read it.
struct ListingEntry {
    int32_t present = 0;  // from the first number of the line
    int32_t jour = 0, mois = 0, annee = 0, heure = 0, minute = 0;
    int32_t number = 0;    // object or test number, 0..99
    int32_t type_mes = 0;  // tests: index of the extension in tab_type
    bool time_shown = false;  // the listing showed a time, not the year
};

struct DirectoryListing {
    int32_t nb_total = 0;               // directories read; 0 on any failure
    bool ran_out_at_name = false;       // the walk ended looking for an object number (error 22)
    bool ran_past_total = false;        // the entries ran past "total" (error 13)
    std::vector<ListingEntry> entries;  // as read, also those before a failure
};
// Parses a filtered directory listing; `currentYear` dates entries that show a time.
DirectoryListing ParseDirectoryListing(const char* text, std::size_t length, int currentYear);

struct TestListing {
    int32_t count = 0;                  // the listing's "total", 0 without one
    bool has_total = false;             // "total" ends the listing
    std::vector<ListingEntry> entries;  // tests with a valid name, in order
};
TestListing ParseTestListing(const char* text, std::size_t length, int currentYear);

// The year of an entry listed with a time instead of its year. The instrument
// lists a time only for recent entries, so a month and day well ahead of today
// are last year's: in January a December entry is from last December, not from
// the coming one.
int YearOfRecentEntry(int month, int day, int todayMonth, int todayDay, int todayYear);

// Today's year, which dates the entries listed with a time.
int CurrentYear();

// 1..12 for an English month abbreviation (case ignored), 0 otherwise.
int chermois(const char* text);

// Lists the directory of `object` into `listing`, without touching Director or
// the scan panel (the check of an export's erasures). False when the directory
// could not be entered or its listing was not read whole.
bool ListObjectTests(LinkContext& ctx, int object, TestListing& listing);
