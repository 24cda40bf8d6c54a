// make-manual: turns the user manual's Markdown source into the PDF that the
// program opens from its Help menu.
//
//   make-manual INPUT.md OUTPUT.pdf [--version X.Y.Z] [--title TEXT]
//
// Pictures are looked up beside INPUT.md; a missing one leaves its caption.
// Needs no display: it runs on Qt's offscreen platform unless told otherwise.
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QStringList>
#include <QTemporaryDir>
#include <QTextStream>
#include <memory>

#include "manual_document.h"
#include "pdf_output.h"

namespace {

struct Options {
    QString input;
    QString output;
    QString version;
    QString title = QStringLiteral("Briskel View - User manual");
};

bool ParseArguments(const QStringList& args, Options* options) {
    QStringList positional;
    for (int i = 1; i < args.size(); ++i) {
        const QString& arg = args[i];
        if ((arg == QLatin1String("--version") || arg == QLatin1String("--title")) &&
            i + 1 < args.size()) {
            (arg == QLatin1String("--version") ? options->version : options->title) = args[++i];
        } else if (arg.startsWith(QLatin1String("--"))) {
            return false;
        } else {
            positional << arg;
        }
    }
    if (positional.size() != 2) return false;
    options->input = positional[0];
    options->output = positional[1];
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // Build machines often have no session runtime directory, which Qt warns
    // about; a private one for this run keeps the build output clean.
    std::unique_ptr<QTemporaryDir> runtime;
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        runtime = std::make_unique<QTemporaryDir>();
        if (runtime->isValid()) qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime->path()));
    }
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);

    Options options;
    if (!ParseArguments(app.arguments(), &options)) {
        err << "usage: make-manual INPUT.md OUTPUT.pdf [--version X.Y.Z] [--title TEXT]\n";
        return 2;
    }
    QFile source(options.input);
    if (!source.open(QIODevice::ReadOnly | QIODevice::Text)) {
        err << "make-manual: cannot read " << options.input << ": " << source.errorString() << "\n";
        return 1;
    }
    const QDir base = QFileInfo(options.input).absoluteDir();
    const PreparedManual prepared =
        PrepareMarkdown(QString::fromUtf8(source.readAll()), base, options.version);
    if (!prepared.missing.isEmpty()) {
        err << "make-manual: " << prepared.missing.size()
            << " picture(s) not there yet, captions stand in: "
            << prepared.missing.join(QLatin1String(", ")) << "\n";
    }

    const PageGeometry geometry;
    ManualDocument manual(prepared, base, geometry.TextArea());
    QString error;
    if (!WriteManualPdf(manual, geometry, options.output, options.title, &error)) {
        err << "make-manual: cannot write " << options.output << ": " << error << "\n";
        return 1;
    }
    return 0;
}
