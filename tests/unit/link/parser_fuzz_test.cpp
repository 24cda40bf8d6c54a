// Random and mutated answers through every parser of the link. Each input sits
// in a heap block of exactly its size, so a read past it is caught by the
// address sanitizer build; every result must stay inside its documented range.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "link/answer_filter.h"
#include "link/memory_listing.h"
#include "link/modbus.h"
#include "link/status_identity.h"

namespace {

const std::vector<std::string> kSeeds = {
    "ls -l\r\ndrwxr-xr-x    1 0        0               0 Mar 05 14:07 01\r\n"
    "drwxr-xr-x    1 0        0               0 Nov 05  2008 02\r\ntotal 2\r\nkorvid:/etc/mem$ ",
    "ls -l\r\n-rw-r--r--    1 0        0             118 Nov 05  2008 12.l\r\n"
    "-rw-r--r--    1 0        0              50 Mar 05 10:25 07.a\r\ntotal "
    "2\r\nkorvid:/etc/mem/03$ ",
    "od -hxv /etc/mem/03/12.l\r\n0000000 0201 0403 0605 0807 0a09 0c0b 0e0d "
    "100f\r\n0000020\r\nkorvid:/etc/mem/03$ ",
    "ident\r\nModele : ZR8812\r\nversion hardware = 12\r\nversion firmware = 1.05\r\nserial number "
    "= 123\r\n"
    "fab ident = 0101\r\nsub ident = 0002\r\nkorvid:/$ ",
    ":0103020100F9\r\n",
    "btb status.RotPos\r\nstatus.RotPos= 25\r\nkorvid:/$ ",
};

std::string Mutate(std::string s, std::mt19937& rng) {
    std::uniform_int_distribution<int> op(0, 5);
    std::uniform_int_distribution<int> byte(0, 255);
    const int edits = 1 + static_cast<int>(rng() % 8);
    for (int e = 0; e < edits; ++e) {
        const std::size_t at = s.empty() ? 0 : rng() % s.size();
        switch (op(rng)) {
            case 0:
                if (!s.empty()) s[at] = static_cast<char>(byte(rng));
                break;
            case 1:
                s.insert(at, 1, static_cast<char>(byte(rng)));
                break;
            case 2:
                if (!s.empty()) s.erase(at, 1 + rng() % 8);
                break;
            case 3:
                s = s.substr(0, at);
                break;  // cut in the middle
            case 4:
                s.insert(at, s.substr(at, rng() % 64));
                break;
            default:
                s.insert(at, "0123456789total-r=ZR.korvid"[rng() % 27] + std::string());
                break;
        }
    }
    return s;
}

std::string RandomText(std::mt19937& rng) {
    static const std::string alphabet = "0123456789abcdefABCDEF -:.=/\r\n$dtotalrZRkorvid";
    std::string s(rng() % 3000, ' ');
    for (char& c : s)
        c = (rng() % 4 == 0) ? static_cast<char>(rng() % 256) : alphabet[rng() % alphabet.size()];
    return s;
}

void RunEveryParser(const std::string& input) {
    const std::vector<char> in(input.begin(), input.end());
    const char* data = in.empty() ? "" : in.data();
    std::vector<char> out(4000);
    EXPECT_LT(FilterAnswer(data, in.size(), out.data(), out.size()), out.size());
    EXPECT_LT(TranslateDump(data, in.size(), out.data(), out.size()), out.size());

    const DirectoryListing dirs = ParseDirectoryListing(data, in.size(), 2026);
    EXPECT_GE(dirs.nb_total, 0);
    for (const ListingEntry& e : dirs.entries) {
        EXPECT_GE(e.number, 0);
        EXPECT_LE(e.number, 99);
    }
    const TestListing tests = ParseTestListing(data, in.size(), 2026);
    EXPECT_GE(tests.count, 0);
    EXPECT_LE(tests.count, 99);
    for (const ListingEntry& e : tests.entries) {
        EXPECT_GE(e.number, 0);
        EXPECT_LE(e.number, 99);
        EXPECT_GE(e.type_mes, 0);
        EXPECT_LT(e.type_mes, 9);
    }
    IdentityFields f;
    const int identity = ParseIdentity(data, in.size(), f);
    EXPECT_TRUE(identity == 0 || identity == -1);
    EXPECT_LT(std::string(f.firmware).size(), sizeof f.firmware);

    char taken[3];
    const int value = StatusValue(data, std::min<std::size_t>(in.size(), 4), 2, taken);
    EXPECT_GE(value, 0);
    EXPECT_LE(value, 99);
    IsValidModbusLine(data, in.size());
    IsOneRegisterAnswer(data, in.size());
    EXPECT_GE(ModbusLrc(data, in.size()), -1);
}

TEST(ParserFuzz, MutatedAnswersStayWithinTheirBuffersAndRanges) {
    std::mt19937 rng(20261207);
    for (int round = 0; round < 400; ++round) {
        for (const std::string& seed : kSeeds) RunEveryParser(Mutate(seed, rng));
    }
}

TEST(ParserFuzz, RandomAnswersStayWithinTheirBuffersAndRanges) {
    std::mt19937 rng(7);
    for (int round = 0; round < 300; ++round) RunEveryParser(RandomText(rng));
    RunEveryParser("");
    RunEveryParser(std::string(60000, '7'));
    RunEveryParser(std::string(60000, '='));
}

}  // namespace
