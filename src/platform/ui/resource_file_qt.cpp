// Reading BRISKEL.UIR: a Designer file whose root widget holds one child
// widget per panel, each carrying its number in the dynamic property "panel".
// Each panel is cut out as a UI description of its own, so loading a panel
// builds only that panel's widgets.
#include <QFile>
#include <QFileInfo>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include "platform/ui/ui_internal_qt.h"

namespace ui_detail {
namespace {

struct ParsedFile {
    QString path;
    QDateTime modified;
    qint64 size = -1;
    bool valid = false;
    std::map<int, QByteArray> panels;
};

ParsedFile& Cache() {
    static ParsedFile cache;
    return cache;
}

// Copies the element the reader stands on (a start tag) through its end tag.
// Notes the number of a "panel" property found directly under it.
QByteArray CopyPanelElement(QXmlStreamReader& reader, int& panel_number) {
    QByteArray body;
    QXmlStreamWriter writer(&body);
    writer.writeStartDocument();
    writer.writeStartElement("ui");
    writer.writeAttribute("version", "4.0");
    int depth = 0;
    bool in_panel_property = false;
    panel_number = 0;
    do {
        if (reader.isStartElement()) {
            ++depth;
            if (depth == 2 && reader.name() == u"property" &&
                reader.attributes().value("name") == u"panel") {
                in_panel_property = true;
            }
            if (in_panel_property && reader.name() == u"number") {
                panel_number = reader.readElementText().trimmed().toInt();
                writer.writeTextElement("number", QString::number(panel_number));
                --depth;
                reader.readNext();
                continue;
            }
        }
        writer.writeCurrentToken(reader);
        if (reader.isEndElement()) {
            if (depth == 2 && reader.name() == u"property") in_panel_property = false;
            if (--depth == 0) break;
        }
        reader.readNext();
    } while (!reader.atEnd());
    writer.writeEndElement();
    writer.writeEndDocument();
    return body;
}

bool Parse(const QByteArray& text, std::map<int, QByteArray>& panels) {
    QXmlStreamReader reader(text);
    int depth = 0;  // 1 = <ui>, 2 = the root widget
    bool root_seen = false;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement()) {
            ++depth;
            if (depth == 1 && reader.name() != u"ui") return false;
            if (depth == 2 && reader.name() == u"widget") root_seen = true;
            if (depth == 3 && reader.name() == u"widget") {
                int number = 0;
                QByteArray body = CopyPanelElement(reader, number);
                --depth;
                if (number > 0 && panels.count(number) == 0) panels[number] = body;
            }
        } else if (reader.isEndElement()) {
            --depth;
        }
    }
    return !reader.hasError() && root_seen;
}

}  // namespace

QByteArray PanelDescription(const std::string& path, int resource_id, int& status) {
    const QString qpath = QString::fromStdString(path);
    QFileInfo info(qpath);
    if (!info.exists() || !info.isFile()) {
        status = UIE_FILE_NOT_FOUND;
        return {};
    }
    ParsedFile& cache = Cache();
    if (cache.path != info.absoluteFilePath() || cache.modified != info.lastModified() ||
        cache.size != info.size()) {
        cache = ParsedFile{};
        cache.path = info.absoluteFilePath();
        cache.modified = info.lastModified();
        cache.size = info.size();
        QFile file(qpath);
        if (file.open(QIODevice::ReadOnly)) cache.valid = Parse(file.readAll(), cache.panels);
    }
    if (!cache.valid) {
        status = UIE_FILE_NOT_FOUND;
        return {};
    }
    auto it = cache.panels.find(resource_id);
    if (it == cache.panels.end()) {
        status = UIE_PANEL_NOT_FOUND;
        return {};
    }
    status = UIE_NO_ERROR;
    return it->second;
}

void ForgetResourceCache() { Cache() = ParsedFile{}; }

}  // namespace ui_detail
