#include "export/summary_content.h"

#include <string>

#include "export/export_record.h"
#include "export/test_outcomes.h"
#include "import/scanned_instrument.h"
#include "shell/messages.h"

namespace {

std::string CauseText(OutcomeCause cause) {
    switch (cause) {
        case OutcomeCause::NotDownloaded:
            return Texte(synthese_non_lu);
        case OutcomeCause::NoMeasuredValue:
            return Texte(synthese_sans_valeur);
        case OutcomeCause::InstrumentLost:
            return Texte(synthese_perdu);
        case OutcomeCause::Cancelled:
            return Texte(synthese_annule);
        case OutcomeCause::Stopped:
            return Texte(synthese_arrete);
        case OutcomeCause::NotSaved:
        case OutcomeCause::None:
            break;
    }
    return Texte(synthese_non_enregistre);
}

std::string WhatHappened(const TestOutcomeRecord& r) {
    switch (r.outcome) {
        case TestOutcome::Written:
            return Texte(synthese_ecrit);
        case TestOutcome::Erased:
            return Texte(synthese_efface);
        case TestOutcome::KeptInInstrument:
            return Texte(synthese_garde);
        case TestOutcome::AlreadyExported:
            return Texte(synthese_deja);
        case TestOutcome::Failed:
            return FillPlaceholders(Texte(synthese_echoue), {{"why", CauseText(r.cause)}});
        case TestOutcome::NotWritten:
            break;
    }
    return FillPlaceholders(Texte(synthese_pas_ecrit), {{"why", CauseText(r.cause)}});
}

// Below the table, how an export that did not end by itself ended.
std::string EndNote() {
    switch (ExportEnding()) {
        case ExportEnd::Stopped:
            return Texte(synthese_note_arret);
        case ExportEnd::InstrumentLost:
            return Texte(synthese_note_coupe);
        case ExportEnd::Complete:
            break;
    }
    return "";
}

}  // namespace

SummaryContent SummaryOfExport() {
    SummaryContent content;
    for (const TestOutcomeRecord& r : TestOutcomes())
        content.tests.push_back({r.object, r.test, r.listed, ExportObjectName(r.listed.num_objet),
                                 r.workbook, WhatHappened(r)});
    content.note = EndNote();
    content.serial = InstrumentSerial();
    return content;
}
