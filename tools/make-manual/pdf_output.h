// Prints the laid-out manual to a PDF file with Qt's own PDF writer: A4 pages,
// the topic's name at the head of each page after the first, the page number at
// the foot.
#pragma once

#include <QMarginsF>
#include <QPageSize>
#include <QSizeF>
#include <QString>

#include "manual_document.h"

struct PageGeometry {
    QPageSize paper{QPageSize::A4};
    QMarginsF marginsMm{20.0, 22.0, 20.0, 22.0};  // left, top, right, bottom
    int resolution = 300;                         // dots per inch of the PDF pages

    // The text area in the manual document's units.
    QSizeF TextArea() const;
};

// Writes the PDF to `path`; the file appears only when complete. On failure returns
// false with the reason in `error`.
bool WriteManualPdf(ManualDocument& manual, const PageGeometry& geometry, const QString& path,
                    const QString& title, QString* error);
