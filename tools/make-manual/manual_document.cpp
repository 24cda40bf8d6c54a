#include "manual_document.h"

#include <QAbstractTextDocumentLayout>
#include <QFileInfo>
#include <QFont>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextFrame>
#include <QTextTable>
#include <algorithm>
#include <cmath>

namespace {

const char* const kBodyFamily = "DejaVu Sans";
const char* const kFixedFamily = "DejaVu Sans Mono";
const QColor kHeadingColour(0x1f, 0x3a, 0x5f);
const QColor kCaptionColour(0x55, 0x55, 0x55);
const QColor kRuleColour(0x99, 0x99, 0x99);
const QColor kHeaderRowColour(0xe8, 0xec, 0xf1);
const QColor kCodeBackground(0xf3, 0xf3, 0xf3);

bool IsFence(const QString& line) {
    const QString t = line.trimmed();
    return t.startsWith(QLatin1String("```")) || t.startsWith(QLatin1String("~~~"));
}

// Rewrites the character format of every fragment of the block (and of the block
// itself, for an empty one) with `change`.
template <typename Change>
void ChangeCharFormats(QTextBlock block, Change change) {
    struct Piece {
        int position, length;
        QTextCharFormat format;
    };
    QList<Piece> pieces;  // collected first: changing formats re-cuts the fragments
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        pieces.append({fragment.position(), fragment.length(), fragment.charFormat()});
    }
    auto* doc = const_cast<QTextDocument*>(block.document());
    for (Piece& piece : pieces) {
        change(piece.format);
        QTextCursor cursor(doc);
        cursor.setPosition(piece.position);
        cursor.setPosition(piece.position + piece.length, QTextCursor::KeepAnchor);
        cursor.setCharFormat(piece.format);
    }
    QTextCharFormat format = block.charFormat();
    change(format);
    QTextCursor(block).setBlockCharFormat(format);
}

void StyleHeading(QTextBlock block, int level) {
    ChangeCharFormats(block, [level](QTextCharFormat& f) {
        // The Markdown reader sizes headings relative to the body text; the sizes
        // wanted here are absolute.
        f.clearProperty(QTextFormat::FontSizeAdjustment);
        f.setFontWeight(QFont::Bold);
        f.setForeground(kHeadingColour);
        f.setFontPointSize(level == 1 ? 20 : level == 2 ? 13.5 : 11);
    });
}

bool IsCodeBlock(const QTextBlock& block) {
    return block.blockFormat().hasProperty(QTextFormat::BlockCodeLanguage);
}

}  // namespace

PreparedManual PrepareMarkdown(const QString& markdown, const QDir& imageBase,
                               const QString& version) {
    static const QRegularExpression picture(
        QStringLiteral("^\\s*!\\[([^\\]]*)\\]\\(([^)\\s]+)\\)\\s*$"));
    PreparedManual out;
    QStringList lines = markdown.split(QLatin1Char('\n'));
    QStringList result;
    bool inFence = false;
    for (QString line : lines) {
        if (IsFence(line)) inFence = !inFence;
        if (!inFence) line.replace(QLatin1String("{{version}}"), version);
        const auto match = inFence ? QRegularExpressionMatch() : picture.match(line);
        if (!match.hasMatch()) {
            result << line;
            continue;
        }
        const QString caption = match.captured(1).trimmed();
        const QString path = match.captured(2);
        if (QFileInfo(imageBase.filePath(path)).isFile()) {
            // Qt's Markdown reader drops a picture without alternative text; a
            // blank one keeps it (and gives it no caption).
            result << (caption.isEmpty() ? QStringLiteral("![ ](%1)").arg(path) : line)
                   << QString();
        } else {
            out.missing << path;
        }
        // The caption is its own paragraph, emphasised, so it reads as one.
        if (!caption.isEmpty()) {
            result << QStringLiteral("*%1*").arg(caption);
            out.captions << caption;
        }
    }
    out.markdown = result.join(QLatin1Char('\n'));
    return out;
}

ManualDocument::ManualDocument(const PreparedManual& prepared, const QDir& imageBase,
                               QSizeF pageSize)
    : layoutDevice_(8, 8, QImage::Format_RGB32), pageSize_(pageSize) {
    const int dotsPerMetre = qRound(kDocumentDpi / 0.0254);
    layoutDevice_.setDotsPerMeterX(dotsPerMetre);
    layoutDevice_.setDotsPerMeterY(dotsPerMetre);
    document_.documentLayout()->setPaintDevice(&layoutDevice_);
    document_.setDefaultFont(QFont(QString::fromLatin1(kBodyFamily), 10));
    document_.setDocumentMargin(0);
    // Texts such as "<Stop>" are the program's own, not HTML.
    document_.setMarkdown(prepared.markdown,
                          QTextDocument::MarkdownFeatures(QTextDocument::MarkdownDialectGitHub |
                                                          QTextDocument::MarkdownNoHTML));
    StyleBlocks(prepared.captions);
    StyleTables();
    PlacePictures(imageBase);
    document_.setPageSize(pageSize_);
    KeepHeadingsWithText();
}

void ManualDocument::LayOutWhole() {
    // The layout works lazily, block by block as positions are asked for; asked
    // in pieces around a table split across pages, it stops after the table.
    // The page count lays out the whole document at once.
    (void)document_.pageCount();
}

void ManualDocument::KeepHeadingsWithText() {
    // The text layout has no "keep with next": a heading that lands in the last
    // lines of a page starts a new page instead. One heading moved moves all that
    // follow, so look again from the start after each move.
    const double lowest = pageSize_.height() * 0.85;
    auto* layout = document_.documentLayout();
    for (bool moved = true; moved;) {
        moved = false;
        LayOutWhole();
        for (QTextBlock block = document_.begin(); block.isValid(); block = block.next()) {
            QTextBlockFormat bf = block.blockFormat();
            if (bf.headingLevel() < 2 || bf.pageBreakPolicy() != QTextFormat::PageBreak_Auto) {
                continue;
            }
            const double top = layout->blockBoundingRect(block).top();
            if (std::fmod(top, pageSize_.height()) < lowest) continue;
            bf.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            QTextCursor(block).setBlockFormat(bf);
            moved = true;
            break;
        }
    }
}

void ManualDocument::StyleBlocks(const QStringList& captions) {
    bool firstTopic = true;
    for (QTextBlock block = document_.begin(); block.isValid(); block = block.next()) {
        QTextBlockFormat bf = block.blockFormat();
        const int level = bf.headingLevel();
        if (level > 0) {
            if (level == 1) {
                // Each topic starts on a page of its own.
                bf.setPageBreakPolicy(firstTopic ? QTextFormat::PageBreak_Auto
                                                 : QTextFormat::PageBreak_AlwaysBefore);
                bf.setBottomMargin(14);
                firstTopic = false;
            } else {
                bf.setTopMargin(level == 2 ? 14 : 10);
                bf.setBottomMargin(5);
            }
            QTextCursor(block).setBlockFormat(bf);
            StyleHeading(block, level);
            continue;
        }
        if (block.textList() == nullptr && captions.contains(block.text().trimmed())) {
            bf.setAlignment(Qt::AlignHCenter);
            bf.setBottomMargin(12);
            QTextCursor(block).setBlockFormat(bf);
            ChangeCharFormats(block, [](QTextCharFormat& f) {
                f.setForeground(kCaptionColour);
                f.setFontPointSize(9);
            });
            continue;
        }
        if (IsCodeBlock(block)) {
            bf.setBackground(kCodeBackground);
            bf.setLeftMargin(10);
            // A code block is one text block per line: space only around the whole.
            bf.setTopMargin(IsCodeBlock(block.previous()) ? 0 : 2);
            bf.setBottomMargin(IsCodeBlock(block.next()) ? 0 : 8);
            QTextCursor(block).setBlockFormat(bf);
        } else if (bf.bottomMargin() < 6) {
            bf.setBottomMargin(6);
            QTextCursor(block).setBlockFormat(bf);
        }
        // Code spans and code blocks: a monospaced face that has every character.
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.charFormat().fontFixedPitch()) continue;
            QTextCursor cursor(&document_);
            cursor.setPosition(fragment.position());
            cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
            QTextCharFormat cf;
            cf.setFontFamilies({QString::fromLatin1(kFixedFamily)});
            cf.setFontPointSize(9);
            cursor.mergeCharFormat(cf);
        }
    }
}

void ManualDocument::StyleTables() {
    QList<QTextFrame*> frames{document_.rootFrame()};
    while (!frames.isEmpty()) {
        QTextFrame* frame = frames.takeFirst();
        frames << frame->childFrames();
        auto* table = qobject_cast<QTextTable*>(frame);
        if (table == nullptr) continue;
        QTextTableFormat tf = table->format();
        tf.setBorder(0.5);
        tf.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
        tf.setBorderBrush(kRuleColour);
        tf.setBorderCollapse(true);
        tf.setCellSpacing(0);
        tf.setCellPadding(4);
        tf.setWidth(QTextLength(QTextLength::PercentageLength, 100));
        tf.setHeaderRowCount(1);
        tf.setTopMargin(4);
        tf.setBottomMargin(8);
        table->setFormat(tf);
        // With collapsed borders each cell draws its own rules: one thin grid.
        for (int row = 0; row < table->rows(); ++row) {
            for (int column = 0; column < table->columns(); ++column) {
                QTextTableCell cell = table->cellAt(row, column);
                QTextTableCellFormat cf = cell.format().toTableCellFormat();
                cf.setBorder(0.5);
                cf.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
                cf.setBorderBrush(kRuleColour);
                if (row == 0) cf.setBackground(kHeaderRowColour);
                cell.setFormat(cf);
            }
        }
    }
}

void ManualDocument::PlacePictures(const QDir& imageBase) {
    // A picture fills at most the text width and a little over half a page, so
    // that its caption and some text stay beside it.
    const double maxWidth = pageSize_.width();
    const double maxHeight = pageSize_.height() * 0.55;
    for (QTextBlock block = document_.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            QTextImageFormat format = fragment.charFormat().toImageFormat();
            if (!format.isValid()) continue;
            const QImage image(imageBase.filePath(format.name()));
            if (image.isNull()) continue;
            document_.addResource(QTextDocument::ImageResource, QUrl(format.name()), image);
            const double scale =
                std::min({1.0, maxWidth / image.width(), maxHeight / image.height()});
            format.setWidth(image.width() * scale);
            format.setHeight(image.height() * scale);
            QTextCursor cursor(&document_);
            cursor.setPosition(fragment.position());
            cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
            cursor.setCharFormat(format);
            QTextBlockFormat bf = block.blockFormat();
            bf.setAlignment(Qt::AlignHCenter);
            bf.setTopMargin(6);
            bf.setBottomMargin(4);
            QTextCursor(block).setBlockFormat(bf);
        }
    }
}

QList<ManualTopic> ManualDocument::topics() const {
    (void)document_.pageCount();
    QList<ManualTopic> topics;
    const auto* layout = document_.documentLayout();
    for (QTextBlock block = document_.begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() != 1) continue;
        const double top = layout->blockBoundingRect(block).top();
        topics.append({block.text(), static_cast<int>((top + 1.0) / pageSize_.height())});
    }
    return topics;
}
