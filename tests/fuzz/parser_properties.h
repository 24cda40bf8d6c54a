// What every parser of outside data promises, whatever arrived. Each check
// returns "" when the promise holds, else what broke; the fuzz targets abort on
// a broken promise and the unit tests assert on it.
#pragma once

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

#include "link/answer_text.h"
#include "link/memory_listing.h"
#include "link/status_identity.h"
#include "shell/globals.h"
#include "shell/settings_reader.h"
#include "store/store.h"

namespace properties {

inline std::string InRange(const char* what, long value, long low, long high) {
    if (value >= low && value <= high) return "";
    return std::string(what) + " " + std::to_string(value) + " outside " + std::to_string(low) +
           ".." + std::to_string(high);
}

// The date and number fields of a listing entry stay within what two (or, for
// the year, four) digits can spell.
inline std::string EntryFields(const ListingEntry& e, int currentYear) {
    std::string broken;
    for (const std::string& b :
         {InRange("number", e.number, 0, 99), InRange("present", e.present, 0, 99),
          InRange("month", e.mois, 0, 12), InRange("day", e.jour, 0, 99),
          InRange("hour", e.heure, 0, 99), InRange("minute", e.minute, 0, 99)}) {
        if (broken.empty()) broken = b;
    }
    if (broken.empty() && e.annee != currentYear) broken = InRange("year", e.annee, 0, 9999);
    return broken;
}

inline std::string DirectoryListingHolds(const DirectoryListing& d, int currentYear) {
    if (d.ran_out_at_name && !d.ran_past_total) return "ran out at a name without running past";
    if (d.ran_past_total && d.nb_total != 0) return "a listing run past its total counts objects";
    if (!d.ran_past_total && d.nb_total != static_cast<int>(d.entries.size()))
        return "nb_total " + std::to_string(d.nb_total) + " for " +
               std::to_string(d.entries.size()) + " entries";
    for (const ListingEntry& e : d.entries)
        if (std::string b = EntryFields(e, currentYear); !b.empty()) return b;
    return "";
}

inline std::string TestListingHolds(const TestListing& t, int currentYear) {
    if (std::string b = InRange("count", t.count, 0, 999); !b.empty()) return b;
    if (t.entries.size() > static_cast<std::size_t>(t.count)) return "more entries than the count";
    for (const ListingEntry& e : t.entries) {
        if (std::string b = EntryFields(e, currentYear); !b.empty()) return b;
        if (e.type_mes < 0 || e.type_mes >= NB_KINDS || tab_type[e.type_mes] == nullptr)
            return "kind " + std::to_string(e.type_mes) + " has no extension";
    }
    return "";
}

inline std::string IdentityHolds(int result, const IdentityFields& f) {
    if (result != 0 && result != -1) return "result " + std::to_string(result);
    if ((result == 0) != (f.has_fab && f.has_sub)) return "result disagrees with the last fields";
    if (std::memchr(f.firmware, '\0', sizeof f.firmware) == nullptr) return "firmware unterminated";
    for (const char* c = f.firmware; *c != '\0'; ++c)
        if (!IsDigit(*c) && *c != '.') return "firmware holds a character not digit nor dot";
    if (f.has_model && (std::strlen(f.model) != 6 || FindNoCase(f.model, 2, "ZR") != 0 ||
                        !IsDigit(f.model[2])))
        return "model is not ZR and a digit, six characters";
    if (f.has_serial && f.serial < 0) return "negative serial number";
    return "";
}

// A filtered answer holds only the characters the filter keeps.
inline std::string FilteredHolds(const char* text, std::size_t kept, std::size_t outSize) {
    if (kept >= outSize) return "filter wrote past its buffer";
    if (text[kept] != '\0') return "filtered text unterminated";
    for (std::size_t i = 0; i < kept; ++i) {
        const char c = text[i];
        if (!IsLetterOrDigit(c) && std::strchr("=-.:/+*", c) == nullptr)
            return "filter kept the character " + std::to_string(static_cast<unsigned char>(c));
    }
    return "";
}

// A dump translation holds letters and digits only.
inline std::string DumpDigitsHold(const char* text, std::size_t written, std::size_t outSize) {
    if (written >= outSize) return "dump translation wrote past its buffer";
    if (std::strlen(text) != written) return "dump length disagrees with its text";
    for (std::size_t i = 0; i < written; ++i)
        if (!IsLetterOrDigit(text[i])) return "dump kept a character not letter nor digit";
    return "";
}

// A real slot reads back as the value, in plain decimal notation.
inline std::string RealSlotHolds(const char* slot, float value) {
    if (!std::isfinite(value)) return "";
    if (std::strchr(slot, 'e') != nullptr || std::strchr(slot, 'E') != nullptr)
        return std::string("exponent left in ") + slot;
    char* end = nullptr;
    const float back = std::strtof(slot, &end);
    if (end == slot || *end != '\0') return std::string("slot is no number: ") + slot;
    if (back != value) return std::string("slot ") + slot + " is not the value";
    return "";
}

inline std::string SettingsHold(bool complete, const SettingsValues& v,
                                const SettingsValues& before) {
    // The record's width counts characters, and a folder is taken whole or not at all.
    if (CharacterCount(v.working_folder) > MAX_WORKING_FOLDER) return "working folder too long";
    if (!v.working_folder.empty() &&
        (v.working_folder.back() == ' ' || v.working_folder.back() == '\t'))
        return "working folder keeps a trailing blank";
    if (v.working_folder.find('\n') != std::string::npos) return "working folder holds a line end";
    if (!complete && (v.language != before.language ||
                      std::memcmp(v.window, before.window, sizeof v.window) != 0))
        return "a damaged file changed the language or the window";
    return "";
}

}  // namespace properties
