#include "pdf_output.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

namespace {

constexpr double kMmPerInch = 25.4;
const QColor kMarginTextColour(0x66, 0x66, 0x66);

double MmToDots(double mm, int dpi) {
    return mm / kMmPerInch * dpi;
}

QString TopicOfPage(const QList<ManualTopic>& topics, int page) {
    QString title;
    for (const ManualTopic& topic : topics) {
        if (topic.firstPage <= page) title = topic.title;
    }
    return title;
}

// The topic's name above the text and the page number below it, outside the text area.
void PaintMargins(QPainter& painter, const PageGeometry& g, const QRectF& text, int page,
                  int pageCount, const QString& topic) {
    painter.save();
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(8);
    painter.setFont(font);
    painter.setPen(kMarginTextColour);
    const double gap = MmToDots(6, g.resolution);
    const double band = MmToDots(6, g.resolution);
    if (page > 0 && !topic.isEmpty()) {
        const QRectF head(text.left(), text.top() - gap - band, text.width(), band);
        painter.drawText(head, Qt::AlignRight | Qt::AlignBottom, topic);
        painter.drawLine(QPointF(text.left(), text.top() - gap * 0.6),
                         QPointF(text.right(), text.top() - gap * 0.6));
    }
    const QRectF foot(text.left(), text.bottom() + gap, text.width(), band);
    painter.drawText(foot, Qt::AlignHCenter | Qt::AlignTop,
                     QStringLiteral("%1 / %2").arg(page + 1).arg(pageCount));
    painter.restore();
}

}  // namespace

QSizeF PageGeometry::TextArea() const {
    const QSizeF paperMm = paper.size(QPageSize::Millimeter);
    const double dpi = ManualDocument::kDocumentDpi;
    return {MmToDots(paperMm.width() - marginsMm.left() - marginsMm.right(), 1) * dpi,
            MmToDots(paperMm.height() - marginsMm.top() - marginsMm.bottom(), 1) * dpi};
}

bool WriteManualPdf(ManualDocument& manual, const PageGeometry& g, const QString& path,
                    const QString& title, QString* error) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *error = file.errorString();
        return false;
    }
    QPdfWriter writer(&file);
    writer.setPageSize(g.paper);
    writer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    writer.setResolution(g.resolution);
    writer.setTitle(title);
    writer.setCreator(QStringLiteral("Briskel View make-manual"));

    QTextDocument& doc = manual.document();
    const QSizeF area = g.TextArea();
    const double scale = double(g.resolution) / ManualDocument::kDocumentDpi;
    const QRectF text(MmToDots(g.marginsMm.left(), g.resolution),
                      MmToDots(g.marginsMm.top(), g.resolution), area.width() * scale,
                      area.height() * scale);
    const QList<ManualTopic> topics = manual.topics();
    const int pageCount = manual.pageCount();

    QPainter painter;
    if (!painter.begin(&writer)) {
        *error = QStringLiteral("cannot start the PDF writer");
        return false;
    }
    for (int page = 0; page < pageCount; ++page) {
        if (page > 0) writer.newPage();
        painter.save();
        painter.translate(text.topLeft());
        painter.scale(scale, scale);
        painter.translate(0, -page * area.height());
        const QRectF visible(0, page * area.height(), area.width(), area.height());
        painter.setClipRect(visible);
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = visible;
        context.palette.setColor(QPalette::Text, Qt::black);
        doc.documentLayout()->draw(&painter, context);
        painter.restore();
        PaintMargins(painter, g, text, page, pageCount, TopicOfPage(topics, page));
    }
    painter.end();
    if (!file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
}
