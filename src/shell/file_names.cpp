#include "shell/file_names.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

namespace {

struct Range {
    char32_t first, last;
};

bool InRanges(char32_t c, const Range* ranges, std::size_t count) {
    return std::any_of(ranges, ranges + count,
                       [c](const Range& r) { return c >= r.first && c <= r.last; });
}

// Control characters, and the invisible characters that reorder, hide or
// join what a name shows: direction marks, embeddings, overrides and
// isolates, zero-width spaces, the soft hyphen, the byte-order mark, tags.
// The zero-width joiner and non-joiner stay: Persian and Indian scripts spell
// words with them.
constexpr Range NEVER_IN_NAME[] = {
    {0x00, 0x1F},     {0x7F, 0x9F},     {0xAD, 0xAD},       {0x61C, 0x61C},   {0x180E, 0x180E},
    {0x200B, 0x200B}, {0x200E, 0x200F}, {0x2028, 0x202E},   {0x2060, 0x2064}, {0x2066, 0x206F},
    {0xFEFF, 0xFEFF}, {0xFFF9, 0xFFFB}, {0xE0000, 0xE007F},
};

// Blanks of every script: left out at the end of a name, where nobody sees them.
constexpr Range BLANKS[] = {{0x20, 0x20},     {0xA0, 0xA0},     {0x1680, 0x1680}, {0x2000, 0x200A},
                            {0x202F, 0x202F}, {0x205F, 0x205F}, {0x3000, 0x3000}};

bool HeldByFileNames(char32_t c) {
    if (c < 0x80 && c != 0 && std::strchr("<>:\"/\\|?*", static_cast<char>(c)) != nullptr)
        return false;
    return !InRanges(c, NEVER_IN_NAME, std::size(NEVER_IN_NAME));
}

}  // namespace

std::size_t Utf8CharacterAt(std::string_view text, std::size_t at, char32_t& c) {
    const auto byte = [&](std::size_t k) -> unsigned {
        return at + k < text.size() ? static_cast<unsigned char>(text[at + k]) : 0u;
    };
    const unsigned lead = byte(0);
    if (lead < 0x80) {
        c = lead;
        return 1;
    }
    // 0xC0 and 0xC1 would only start overlong forms; past 0xF4 lies no character.
    if (lead < 0xC2 || lead > 0xF4) return 0;
    const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    c = lead & (0x7Fu >> length);
    // Below this value a shorter sequence would do: an overlong form.
    const char32_t lowest = length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(k) & 0xC0) != 0x80) return 0;
        c = (c << 6) | (byte(k) & 0x3F);
    }
    if (c < lowest || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0;
    return length;
}

namespace {

// One character of a name being filtered: its UTF-8 text, whether it is the
// typed one, whether it is a blank.
struct Piece {
    std::string text;
    bool kept;
    bool blank;
};

std::vector<Piece> Filtered(std::string_view typed) {
    std::vector<Piece> pieces;
    for (std::size_t at = 0; at < typed.size();) {
        char32_t c = 0;
        const std::size_t length = Utf8CharacterAt(typed, at, c);
        if (length == 0) {
            // One "_" for the ill-formed sequence and the stray bytes after it.
            pieces.push_back({"_", false, false});
            for (++at; at < typed.size() && (static_cast<unsigned char>(typed[at]) & 0xC0) == 0x80;)
                ++at;
            continue;
        }
        if (HeldByFileNames(c))
            pieces.push_back({std::string(typed.substr(at, length)), true,
                              InRanges(c, BLANKS, std::size(BLANKS))});
        else
            pieces.push_back({"_", false, false});
        at += length;
    }
    return pieces;
}

std::size_t Utf16Units(std::string_view text) {
    std::size_t units = 0;
    // A character of four UTF-8 bytes is a surrogate pair: two units.
    for (char c : text) {
        const auto b = static_cast<unsigned char>(c);
        units += (b & 0xC0) == 0x80 ? 0 : (b >= 0xF0 ? 2 : 1);
    }
    return units;
}

// The longest start of `part` that leaves room for `bytes` and `units` more.
std::string CutToFit(std::string_view part, std::size_t bytes, std::size_t units) {
    if (bytes > MAX_FILE_NAME_BYTES || units > MAX_FILE_NAME_UNITS) return "";
    std::size_t end = 0, usedUnits = 0;
    for (std::size_t at = 0; at < part.size();) {
        std::size_t length = 1;
        while (at + length < part.size() &&
               (static_cast<unsigned char>(part[at + length]) & 0xC0) == 0x80)
            ++length;
        const std::size_t characterUnits = Utf16Units(part.substr(at, length));
        if (at + length > MAX_FILE_NAME_BYTES - bytes ||
            usedUnits + characterUnits > MAX_FILE_NAME_UNITS - units)
            break;
        at += length;
        usedUnits += characterUnits;
        end = at;
    }
    return std::string(part.substr(0, end));
}

std::string Upper(std::string_view text) {
    std::string upper(text);
    for (char& c : upper)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return upper;
}

// Where the stem of `name` ends when Windows takes it for a device (blanks
// before the dot do not count), std::string::npos otherwise.
std::size_t ReservedStemEnd(const std::string& name) {
    const std::size_t end = std::min(name.find('.'), name.size());
    std::string_view stem(name.data(), end);
    while (!stem.empty() && stem.back() == ' ') stem.remove_suffix(1);
    const std::string upper = Upper(stem);
    static const std::array<std::string_view, 6> DEVICES = {"CON", "PRN",    "AUX",
                                                            "NUL", "CONIN$", "CONOUT$"};
    if (std::find(DEVICES.begin(), DEVICES.end(), upper) != DEVICES.end()) return end;
    const std::string_view port = std::string_view(upper).substr(0, 3);
    if (port != "COM" && port != "LPT") return std::string::npos;
    const std::string_view number = std::string_view(upper).substr(3);
    // Windows counts the superscript digits ¹, ² and ³ as port numbers too.
    const bool digit = number.size() == 1 && number[0] >= '1' && number[0] <= '9';
    const bool superscript = number == "\u00B9" || number == "\u00B2" || number == "\u00B3";
    return digit || superscript ? end : std::string::npos;
}

}  // namespace

std::string FileNamePart(std::string_view typed, std::size_t most, std::string_view fallback) {
    std::vector<Piece> pieces = Filtered(typed);
    if (pieces.size() > most) pieces.resize(most);
    while (!pieces.empty() && (pieces.back().blank || pieces.back().text == ".")) pieces.pop_back();
    if (!pieces.empty() && (pieces[0].text == "." || pieces[0].text == "-"))
        pieces[0] = {"_", false, false};
    if (std::none_of(pieces.begin(), pieces.end(), [](const Piece& p) { return p.kept; }))
        return std::string(fallback);
    std::string name;
    for (const Piece& p : pieces) name += p.text;
    return name;
}

std::string FitBeside(std::string_view part, std::string_view others) {
    return CutToFit(part, others.size(), Utf16Units(others));
}

std::string WholeFileName(std::string_view part, std::string_view rest, std::string_view reserve) {
    const std::size_t bytes = rest.size() + reserve.size();
    const std::size_t units = Utf16Units(rest) + Utf16Units(reserve);
    std::string name = CutToFit(part, bytes, units) + std::string(rest);
    if (ReservedStemEnd(name) == std::string::npos) return name;
    // Room for the "_" that follows the stem.
    name = CutToFit(part, bytes + 1, units + 1) + std::string(rest);
    const std::size_t stem = ReservedStemEnd(name);
    if (stem != std::string::npos) name.insert(stem, "_");
    return name;
}
