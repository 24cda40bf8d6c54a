// The user manual as a laid-out text document: Markdown in, one topic (top-level
// heading) per page, pictures scaled to the page, a caption where a picture is
// still missing.
#pragma once

#include <QDir>
#include <QImage>
#include <QList>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <QTextDocument>

// The Markdown text with every picture line resolved against `imageBase`: a picture
// that exists keeps its line and gets its caption (the alternative text) below it;
// a missing one is replaced by its caption alone, so the manual builds before its
// screenshots exist. A picture without alternative text gets no caption. Every "{{version}}"
// becomes `version`. Lines inside fenced code blocks are left alone.
struct PreparedManual {
    QString markdown;
    QStringList captions;  // the caption paragraphs added, to be styled as captions
    QStringList missing;   // relative paths of the pictures not found
};
PreparedManual PrepareMarkdown(const QString& markdown, const QDir& imageBase,
                               const QString& version);

// A top-level heading and the page (0-based) it starts on.
struct ManualTopic {
    QString title;
    int firstPage = 0;
};

class ManualDocument {
   public:
    // Lays out the prepared Markdown on pages of `pageSize` (document units of
    // `kDocumentDpi` per inch). Pictures come from `imageBase`.
    ManualDocument(const PreparedManual& prepared, const QDir& imageBase, QSizeF pageSize);

    static constexpr int kDocumentDpi = 96;

    QTextDocument& document() { return document_; }
    int pageCount() const { return document_.pageCount(); }
    QList<ManualTopic> topics() const;

   private:
    void StyleBlocks(const QStringList& captions);
    void StyleTables();
    void PlacePictures(const QDir& imageBase);
    void LayOutWhole();
    void KeepHeadingsWithText();

    QImage layoutDevice_;  // fixes the layout's resolution, whatever the screen
    QTextDocument document_;
    QSizeF pageSize_;
};
