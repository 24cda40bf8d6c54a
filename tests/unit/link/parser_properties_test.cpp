// Properties of the parsers of the instrument's answers, checked against an
// independent reading of answers printed the way the instrument prints them:
// listings of 0 to 100 entries read back whole, dumps read back as their
// bytes, and damaged dumps give nothing. Mutated answers keep every parser
// within the promises of fuzz/parser_properties.h (which the fuzz targets
// check too), and those promises catch the results of planted bugs.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <ctime>
#include <random>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "fuzz/parser_properties.h"
#include "link/answer_filter.h"
#include "link/com_port.h"
#include "link/memory_listing.h"
#include "link/status_identity.h"
#include "memory_fs.h"
#include "unit/import/dump_text.h"

namespace {

constexpr int kYear = 2026;
constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                   "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

std::string Filtered(const std::string& answer) {
    std::vector<char> out(REP_BUF_SIZE);
    FilterAnswer(answer.data(), answer.size(), out.data(), out.size());
    return out.data();
}

// The fields of one printed listing line, read by splitting at blanks.
ListingEntry ReadLine(const std::string& line) {
    std::istringstream in(line);
    std::string mode, links, owner, group, size, month, day, when, name;
    in >> mode >> links >> owner >> group >> size >> month >> day >> when >> name;
    ListingEntry e;
    for (int m = 0; m < 12; ++m)
        if (month == kMonths[m]) e.mois = m + 1;
    e.jour = std::stoi(day);
    if (when.find(':') != std::string::npos) {
        e.heure = std::stoi(when.substr(0, 2));
        e.minute = std::stoi(when.substr(3, 2));
        e.annee = kYear;
    } else {
        e.annee = std::stoi(when);
        e.heure = 12;
    }
    e.number = std::stoi(name.substr(0, 2));
    return e;
}

struct PrintedListing {
    std::string answer;
    std::vector<ListingEntry> expected;
    std::string letters;  // tests: the extension letter of each
};

// A listing as the instrument prints it: `count` entries with distinct
// numbers, dated from recent to years old, a day below 10 padded with a zero
// or a blank, then "total" and the prompt.
PrintedListing PrintListing(bool directories, int count, std::mt19937& rng) {
    std::vector<int> numbers(100);
    for (int i = 0; i < 100; ++i) numbers[i] = i;
    std::shuffle(numbers.begin(), numbers.end(), rng);
    numbers.resize(static_cast<std::size_t>(count));
    std::sort(numbers.begin(), numbers.end());
    const std::time_t now = std::time(nullptr);
    PrintedListing p{"ls -l\r\n", {}, ""};
    for (int n : numbers) {
        const std::time_t when = now - static_cast<std::time_t>(rng() % (6u * 365 * 24 * 3600));
        const char letter = "aceklmrpv"[rng() % 9];
        char name[8];
        std::snprintf(name, sizeof name, directories ? "%02d" : "%02d.%c", n, letter);
        p.letters += letter;
        const std::string line =
            zr8812::format_listing_entry(directories, rng() % 100000, when, name, now, rng() % 2);
        p.answer += line + "\r\n";
        p.expected.push_back(ReadLine(line));
    }
    p.answer += "total " + std::to_string(count) + "\r\nkorvid:/etc/mem$ ";
    return p;
}

void ExpectSameEntry(const ListingEntry& got, const ListingEntry& want, bool year_known) {
    EXPECT_EQ(std::make_tuple(got.number, got.mois, got.jour, got.heure, got.minute, got.annee),
              std::make_tuple(want.number, want.mois, want.jour, want.heure,
                              year_known ? 0 : want.minute, want.annee));
}

TEST(ListingProperties, DirectoryListingsOfUpToAHundredObjectsReadBackWhole) {
    std::mt19937 rng(1);
    for (int count : {0, 1, 2, 9, 10, 11, 57, 99, 100}) {
        const PrintedListing p = PrintListing(true, count, rng);
        const DirectoryListing d =
            ParseDirectoryListing(Filtered(p.answer).c_str(), REP_BUF_SIZE, kYear);
        ASSERT_EQ(d.nb_total, count) << p.answer;
        EXPECT_FALSE(d.ran_past_total);
        ASSERT_EQ(d.entries.size(), p.expected.size());
        for (std::size_t i = 0; i < d.entries.size(); ++i)
            ExpectSameEntry(d.entries[i], p.expected[i], p.expected[i].annee != kYear);
        EXPECT_EQ(properties::DirectoryListingHolds(d, kYear), "");
    }
}

TEST(ListingProperties, TestListingsOfUpToAHundredTestsReadBackWhole) {
    std::mt19937 rng(2);
    for (int count : {0, 1, 9, 10, 11, 99, 100}) {
        const PrintedListing p = PrintListing(false, count, rng);
        const TestListing t = ParseTestListing(Filtered(p.answer).c_str(), REP_BUF_SIZE, kYear);
        ASSERT_EQ(t.count, count) << p.answer;
        ASSERT_EQ(t.entries.size(), p.expected.size());
        for (std::size_t i = 0; i < t.entries.size(); ++i) {
            ExpectSameEntry(t.entries[i], p.expected[i], p.expected[i].annee != kYear);
            EXPECT_EQ(tab_type[t.entries[i].type_mes][1], p.letters[i]);
        }
        EXPECT_EQ(properties::TestListingHolds(t, kYear), "");
    }
}

// ---- Dumps ------------------------------------------------------------------

std::string DumpAnswer(const std::string& bytes) {
    return "od -hxv /etc/mem/01/01.l\r\n" + zr8812::format_dump(bytes) + "korvid:/etc/mem/01$ ";
}

std::string Translated(const std::string& answer) {
    std::vector<char> out(REP_BUF_SIZE);
    const std::size_t n = TranslateDump(answer.data(), answer.size(), out.data(), out.size());
    EXPECT_EQ(properties::DumpDigitsHold(out.data(), n, out.size()), "");
    return out.data();
}

std::string RandomBytes(std::mt19937& rng, std::size_t size) {
    std::string bytes(size, '\0');
    for (char& c : bytes) c = static_cast<char>(rng() & 0xFF);
    return bytes;
}

TEST(DumpProperties, EveryFileReadsBackAsItsWords) {
    std::mt19937 rng(3);
    for (std::size_t size : {0, 2, 14, 16, 18, 48, 50, 118, 150, 300, 1000}) {
        const std::string bytes = RandomBytes(rng, size);
        EXPECT_EQ(Translated(DumpAnswer(bytes)),
                  DumpDigitsOf(std::vector<uint8_t>(bytes.begin(), bytes.end())))
            << size << " bytes";
    }
}

// Lines of a printed dump, each with its line end.
std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = text.find("\r\n", at);
        lines.push_back(text.substr(at, end + 2 - at));
        at = end + 2;
    }
    return lines;
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& l : lines) text += l;
    return text;
}

TEST(DumpProperties, DamagedDumpsGiveNothing) {
    std::mt19937 rng(4);
    const std::vector<std::string> lines = Lines(zr8812::format_dump(RandomBytes(rng, 118)));
    ASSERT_EQ(lines.size(), 9u);  // 8 lines of data, the final offset
    const std::string echo = "od -hxv /etc/mem/01/01.l\r\n";
    const std::string prompt = "korvid:/etc/mem/01$ ";
    auto with = [&](std::vector<std::string> l) { return echo + Joined(l) + prompt; };

    std::vector<std::string> repeated = lines;
    repeated.insert(repeated.begin() + 3, lines[2]);
    std::vector<std::string> backwards = lines;
    std::swap(backwards[4], backwards[5]);
    std::vector<std::string> missing = lines;
    missing.erase(missing.begin() + 6);
    std::vector<std::string> no_final_offset(lines.begin(), lines.end() - 1);
    std::vector<std::string> prompt_amid = lines;
    prompt_amid.insert(prompt_amid.begin() + 4, prompt + "\r\n");
    std::vector<std::string> prompt_in_a_line = lines;
    prompt_in_a_line[2].insert(20, prompt);
    std::vector<std::string> wrong_size = lines;
    wrong_size.back() = "0000200\r\n";

    for (const auto& [what, answer] :
         std::vector<std::pair<std::string, std::string>>{
             {"a line repeated", with(repeated)},
             {"two lines swapped", with(backwards)},
             {"a line missing", with(missing)},
             {"no final offset", with(no_final_offset)},
             {"a prompt between lines", with(prompt_amid)},
             {"a prompt within a line", with(prompt_in_a_line)},
             {"a final offset that is not the size", with(wrong_size)},
             {"no prompt", echo + Joined(lines)},
             {"cut in half", with(lines).substr(0, with(lines).size() / 2)}}) {
        EXPECT_EQ(Translated(answer), "") << what;
    }
    EXPECT_NE(Translated(with(lines)), "");
}

// ---- Mutated answers -----------------------------------------------------------

std::string Mutate(std::string s, std::mt19937& rng) {
    const int edits = 1 + static_cast<int>(rng() % 8);
    for (int e = 0; e < edits; ++e) {
        const std::size_t at = s.empty() ? 0 : rng() % s.size();
        switch (rng() % 6) {
            case 0:
                if (!s.empty()) s[at] = static_cast<char>(rng() & 0xFF);
                break;
            case 1:
                s.insert(at, 1, static_cast<char>(rng() & 0xFF));
                break;
            case 2:
                if (!s.empty()) s.erase(at, 1 + rng() % 8);
                break;
            case 3:
                s = s.substr(0, at);
                break;
            case 4:
                s.insert(at, s.substr(at, rng() % 64));
                break;
            default:
                s.insert(at, std::string(1, "0123456789total-r=ZR.korvid"[rng() % 27]));
                break;
        }
    }
    return s;
}

void ExpectEveryParserHolds(const std::string& answer) {
    // In a block of exactly its size, so that the sanitizer build sees any read past it.
    const std::vector<char> in(answer.begin(), answer.end());
    const char* data = in.empty() ? "" : in.data();
    std::vector<char> out(REP_BUF_SIZE);
    const std::size_t kept = FilterAnswer(data, in.size(), out.data(), out.size());
    ASSERT_EQ(properties::FilteredHolds(out.data(), kept, out.size()), "") << answer;
    const std::string filtered = out.data();
    ASSERT_EQ(properties::DirectoryListingHolds(
                  ParseDirectoryListing(filtered.c_str(), filtered.size() + 1, kYear), kYear),
              "")
        << answer;
    ASSERT_EQ(properties::TestListingHolds(
                  ParseTestListing(filtered.c_str(), filtered.size() + 1, kYear), kYear),
              "")
        << answer;
    IdentityFields f;
    const int identity = ParseIdentity(filtered.c_str(), filtered.size() + 1, f);
    ASSERT_EQ(properties::IdentityHolds(identity, f), "") << answer;
    const std::size_t n = TranslateDump(data, in.size(), out.data(), out.size());
    ASSERT_EQ(properties::DumpDigitsHold(out.data(), n, out.size()), "") << answer;
}

TEST(ParserProperties, MutatedAnswersKeepEveryPromise) {
    std::mt19937 rng(20261207);
    std::vector<std::string> seeds = {
        PrintListing(true, 100, rng).answer, PrintListing(false, 100, rng).answer,
        DumpAnswer(RandomBytes(rng, 118)),
        "ident\r\nModele : ZR8812\r\nversion hardware = 12\r\nversion firmware = 1.05\r\n"
        "serial number = 123\r\nfab ident = 0101\r\nsub ident = 0002\r\nkorvid:/$ "};
    for (int round = 0; round < 300; ++round)
        for (const std::string& seed : seeds) ExpectEveryParserHolds(Mutate(seed, rng));
    ExpectEveryParserHolds("");
    ExpectEveryParserHolds(std::string(60000, '7'));
}

// ---- The promises catch broken results ------------------------------------------

TEST(ParserProperties, PromisesCatchTheResultsOfPlantedBugs) {
    std::mt19937 rng(5);
    const PrintedListing p = PrintListing(true, 3, rng);
    DirectoryListing d = ParseDirectoryListing(Filtered(p.answer).c_str(), REP_BUF_SIZE, kYear);
    ASSERT_EQ(properties::DirectoryListingHolds(d, kYear), "");
    DirectoryListing counted_wrong = d;
    ++counted_wrong.nb_total;  // a count that disagrees with what was read
    EXPECT_NE(properties::DirectoryListingHolds(counted_wrong, kYear), "");
    DirectoryListing number_100 = d;
    number_100.entries[1].number = 100;  // three digits taken for a name
    EXPECT_NE(properties::DirectoryListingHolds(number_100, kYear), "");

    TestListing t;
    t.count = 1;
    t.entries.push_back(ListingEntry{});
    t.entries[0].type_mes = 9;  // a letter looked up past the table
    EXPECT_NE(properties::TestListingHolds(t, kYear), "");

    IdentityFields f;
    std::memset(f.firmware, '1', sizeof f.firmware);  // a firmware text without its end
    f.has_fab = f.has_sub = true;
    EXPECT_NE(properties::IdentityHolds(0, f), "");

    EXPECT_NE(properties::RealSlotHolds("1.5e+03", 1500.0f), "");
    EXPECT_NE(properties::RealSlotHolds("0.3", 0.25f), "");
    EXPECT_NE(properties::FilteredHolds("ls -l", 5, 10), "");
}

}  // namespace
