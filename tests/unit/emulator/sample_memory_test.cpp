// The sample memory covers every layout the export knows, and is written to
// disk as described.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <set>
#include <sstream>

#include "line_client.h"
#include "record_digits.h"
#include "records.h"

namespace emulator_test {
namespace {

std::time_t noon_of_7_december_2026() {
    std::tm fields{};
    fields.tm_year = 126, fields.tm_mon = 11, fields.tm_mday = 7, fields.tm_hour = 12;
    fields.tm_isdst = -1;
    return std::mktime(&fields);
}

const std::time_t kNow = noon_of_7_december_2026();

// Values of one field over the sample tests of one kind, optionally filtered.
template <typename Keep>
std::set<double> values(char kind, std::size_t digit, Assembly assembly, Keep keep) {
    std::set<double> found;
    for (const auto& test : zr8812::sample_tests(kNow)) {
        if (test.kind_letter != kind) continue;
        const std::string digits = DumpDigitsOf(test.bytes);
        if (keep(digits)) found.insert(read_field(digits, digit, assembly));
    }
    return found;
}

std::set<double> values(char kind, std::size_t digit, Assembly assembly) {
    return values(kind, digit, assembly, [](const std::string&) { return true; });
}

bool contains_all(const std::set<double>& found, std::initializer_list<double> wanted) {
    for (double value : wanted) {
        if (!found.count(value)) return false;
    }
    return true;
}

auto loop_function(int function) {
    return [function](const std::string& d) { return read_field(d, 0, Assembly::U8) == function; };
}

// The trip mode the program derives: 2 trip select, 1 no trip, 0 trip.
double trip_mode(const std::string& d) {
    if (read_field(d, 234, Assembly::U8) != 0) return 2;
    return read_field(d, 6, Assembly::U8) != 0 ? 1 : 0;
}

std::set<double> trip_modes(int function) {
    std::set<double> modes;
    for (const auto& test : zr8812::sample_tests(kNow)) {
        const std::string digits = DumpDigitsOf(test.bytes);
        if (test.kind_letter == 'l' && loop_function(function)(digits))
            modes.insert(trip_mode(digits));
    }
    return modes;
}

// Whether a listing has an entry dated "HH:MM" (mark ':') or with a year
// (mark ' '): the listing's columns are fixed, the time or year ends at 54.
bool has_date_form(const std::string& listing, char mark) {
    std::istringstream lines(listing);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.size() > 56 && (line[0] == 'd' || line[0] == '-')) {
            if (mark == ':' && line[52] == ':') return true;
            if (mark == ' ' && line[50] == ' ' &&
                std::isdigit(static_cast<unsigned char>(line[51])))
                return true;
        }
    }
    return false;
}

TEST(SampleMemory, IsModestAndEveryRecordHasItsLayoutSize) {
    const auto tests = zr8812::sample_tests(kNow);
    EXPECT_GE(tests.size(), 15u);
    EXPECT_LE(tests.size(), 25u);
    const std::map<char, std::size_t> sizes = {{'a', zr8812::kCurrentSize},
                                               {'e', zr8812::kEarthSize},
                                               {'l', zr8812::kLoopSize},
                                               {'r', zr8812::kRcdSize},
                                               {'v', zr8812::kVoltageSize}};
    for (const auto& test : tests) {
        if (test.supported()) {
            EXPECT_EQ(test.bytes.size(), sizes.at(test.kind_letter)) << test.description;
        }
    }
    EXPECT_TRUE(
        std::any_of(tests.begin(), tests.end(), [](const auto& t) { return !t.supported(); }));
}

TEST(SampleMemory, CoversEveryLayoutOfTheExport) {
    const auto any = [](const std::string&) { return true; };
    EXPECT_TRUE(contains_all(values('a', 96, Assembly::U8), {0, 1, 2})) << "clamp types";
    EXPECT_TRUE(values('a', 68, Assembly::I32).count(0)) << "a period of 0";
    const auto methods = values('e', 82, Assembly::U8);
    EXPECT_TRUE(contains_all(methods, {0, 1}));
    EXPECT_TRUE(std::any_of(methods.begin(), methods.end(), [](double m) { return m > 1; }));
    EXPECT_TRUE(contains_all(values('l', 0, Assembly::U8, any), {0, 1, 2, 3})) << "loop functions";
    EXPECT_TRUE(contains_all(trip_modes(0), {0, 1}));
    EXPECT_TRUE(contains_all(trip_modes(2), {0, 1, 2}));
    EXPECT_EQ(values('l', 232, Assembly::U8, loop_function(3)).size(), 2u) << "earth variants";

    std::set<double> impedances;
    for (std::size_t digit : {28, 60, 92, 132}) {
        const auto found = values('l', digit, Assembly::Real);
        impedances.insert(found.begin(), found.end());
    }
    EXPECT_TRUE(impedances.count(15.0)) << "15 ohms keeps the inductance";
    EXPECT_TRUE(std::any_of(impedances.begin(), impedances.end(),
                            [](double z) { return z > 15 && z < 16; }));
    EXPECT_GT(*impedances.rbegin(), 1000.0);
    EXPECT_GT(*values('e', 4, Assembly::I32).rbegin(), 1000000.0) << "earth above 1000 ohms";

    EXPECT_TRUE(contains_all(values('r', 30, Assembly::U8), {0x11, 0x10, 0x01, 0x00, 0x12}));
    const auto validity = values('r', 0, Assembly::U16);
    EXPECT_LT(*validity.begin(), 50);
    EXPECT_GE(*validity.rbegin(), 50);
    EXPECT_TRUE(validity.count(49) && validity.count(50)) << "both sides of the limit";
    EXPECT_TRUE(contains_all(values('r', 26, Assembly::U8), {1, 2})) << "slope and pulse";
    const auto pulse = [](const std::string& d) { return read_field(d, 26, Assembly::U8) == 2; };
    EXPECT_TRUE(contains_all(values('r', 24, Assembly::U8, pulse), {2, 5, 150, 250}))
        << "multipliers";
    EXPECT_TRUE(values('v', 20, Assembly::Real).count(0)) << "a voltage of 0";
}

TEST(SampleMemory, HasAnEmptyObjectAndGapsInItsNumbers) {
    const auto tests = zr8812::sample_tests(kNow);
    std::set<int> with_tests, objects;
    std::map<int, std::set<int>> numbers;
    for (const auto& t : tests) {
        with_tests.insert(t.object);
        numbers[t.object].insert(t.test);
    }
    for (const auto& o : zr8812::sample_objects(kNow)) objects.insert(o.object);
    EXPECT_TRUE(
        std::includes(objects.begin(), objects.end(), with_tests.begin(), with_tests.end()));
    EXPECT_GT(objects.size(), with_tests.size()) << "an object without tests";
    EXPECT_LT(objects.size(), static_cast<std::size_t>(*objects.rbegin() - *objects.begin() + 1));
    EXPECT_TRUE(std::any_of(numbers.begin(), numbers.end(), [](const auto& entry) {
        const auto& n = entry.second;
        return n.size() < static_cast<std::size_t>(*n.rbegin() - *n.begin() + 1);
    })) << "gaps in test numbers";
}

TEST(SampleMemory, IsWrittenWithItsDatesAndListedInBothDateForms) {
    TempDir memory;
    ASSERT_TRUE(zr8812::make_sample_memory(memory.path(), kNow));
    std::size_t files = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(memory.path())) {
        files += entry.is_regular_file();
    }
    EXPECT_EQ(files, zr8812::sample_tests(kNow).size());
    for (const auto& t : zr8812::sample_tests(kNow)) {
        const std::string path = memory.path() + "/" + (t.object < 10 ? "0" : "") +
                                 std::to_string(t.object) + "/" + t.file_name();
        std::ifstream file(path, std::ios::binary);
        const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(file), {}};
        EXPECT_EQ(bytes, t.bytes) << path;
        struct stat info {};
        ASSERT_EQ(stat(path.c_str(), &info), 0);
        EXPECT_EQ(info.st_mtime, t.when) << path;
    }

    zr8812::EmulatorOptions options;
    options.memory_dir = memory.path();
    options.start_in_command_mode = true;
    options.fixed_clock = kNow;
    zr8812::Emulator emulator(options);
    ASSERT_TRUE(emulator.start());
    LineClient client(emulator.device_path());
    for (const char* folder : {"/etc/mem", "/etc/mem/01", "/etc/mem/04"}) {
        client.command(std::string("cd ") + folder);
        const std::string listing = client.command("ls -l");
        const bool expect_recent = std::string(folder) != "/etc/mem/04";
        const bool expect_old = std::string(folder) != "/etc/mem/01";
        EXPECT_EQ(has_date_form(listing, ':'), expect_recent) << listing;
        EXPECT_EQ(has_date_form(listing, ' '), expect_old) << listing;
    }
    EXPECT_NE(client.command("ls -l /etc/mem/05").find("total 0\r\n"), std::string::npos);
}

}  // namespace
}  // namespace emulator_test
