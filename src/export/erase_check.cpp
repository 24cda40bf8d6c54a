#include "export/erase_check.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "export/lost_instrument.h"
#include "export/test_outcomes.h"
#include "import/port_lost.h"
#include "link/memory_listing.h"
#include "platform/ui/ui.h"
#include "shell/globals.h"
#include "shell/messages.h"
#include "store/store.h"

namespace {

using TestEntry = std::pair<int, int>;  // object entry, test entry
std::vector<TestEntry> answered;        // "rm" answered without an error, not yet checked
std::vector<TestEntry> gone;            // no longer listed
std::vector<int> emptied;               // object numbers listed empty after their erasures

bool StillListed(const TestListing& listing, const FicTest& test) {
    return std::any_of(listing.entries.begin(), listing.entries.end(), [&](const ListingEntry& e) {
        return e.number == test.num_test && e.type_mes == test.type_mes;
    });
}

void TellStillInInstrument(const FicTest& test) {
    const std::string text = EraseUnconfirmedText(test.num_objet, test.num_test, test.type_mes);
    LogWrite(std::string(Texte(titre_erreur)) + " = " + text + "\n");
    MessagePopup(Texte(titre_erreur), text);
}

}  // namespace

void StartEraseCheck() {
    answered.clear();
    gone.clear();
    emptied.clear();
}

void NoteErased(int object, int test) {
    answered.emplace_back(object, test);
}

bool CheckErasures(int object) {
    std::vector<TestEntry> ofObject;
    std::erase_if(answered, [&](const TestEntry& e) {
        if (e.first != object) return false;
        ofObject.push_back(e);
        return true;
    });
    if (ofObject.empty()) return true;
    TestListing listing;
    const bool read = ListObjectTests(ProgramLink(), object, listing);
    if (!read && InstrumentPortLost()) return false;
    for (const auto& [o, t] : ofObject) {
        const FicTest& test = Director[o].tests[t];
        // A listing that cannot be read proves nothing either way.
        if (!read || StillListed(listing, test)) {
            RecordErasure(o, t, TestOutcome::KeptInInstrument);
            TellStillInInstrument(test);
        } else {
            gone.emplace_back(o, t);
        }
    }
    // Only a folder read whole and found empty frees the object's number.
    if (read && listing.entries.empty()) emptied.push_back(Director[object].num_objet);
    return true;
}

std::vector<int> EmptiedObjects() {
    return emptied;
}

bool ForgetErasedTests() {
    for (const auto& [o, t] : gone) {
        Director[o].tests[t] = FicTest{};
        if (Director[o].nb_test > 0) --Director[o].nb_test;
    }
    const bool any = !gone.empty();
    gone.clear();
    return any;
}
