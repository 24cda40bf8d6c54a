// The workbook's document properties (docProps/core.xml): what a file
// manager's search and a spreadsheet program's "Properties" show of a
// workbook without opening its sheets.
#include <string>

#include "platform/spreadsheet/workbook_parts.h"

namespace {

const char* const CORE_TYPE =
    "http://schemas.openxmlformats.org/package/2006/relationships/metadata/core-properties";
const char* const CORE_CONTENT = "application/vnd.openxmlformats-package.core-properties+xml";
const char* const CORE_NAMESPACE =
    "http://schemas.openxmlformats.org/package/2006/metadata/core-properties";
const char* const DC_NAMESPACE = "http://purl.org/dc/elements/1.1/";
const char* const CORE_PART = "docProps/core.xml";
const char* const ROOT_RELS = "_rels/.rels";

// The prefix ("dc:") the part gives Dublin Core's namespace, declared on its
// root when it has none.
std::string DublinCorePrefix(pugi::xml_node root) {
    for (pugi::xml_attribute a = root.first_attribute(); a; a = a.next_attribute()) {
        const std::string name = a.name();
        if (name.rfind("xmlns:", 0) == 0 && std::string(a.value()) == DC_NAMESPACE)
            return name.substr(6) + ":";
    }
    root.append_attribute("xmlns:dc") = DC_NAMESPACE;
    return "dc:";
}

// Characters XML 1.0 cannot carry (control characters but tab and line breaks) left out.
std::string XmlCharacters(const std::string& text) {
    std::string kept;
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x20 || c == '\t' || c == '\n' || c == '\r') kept += c;
    return kept;
}

bool DeclaredPart(const pugi::xml_document& types, const std::string& name) {
    for (pugi::xml_node o = types.document_element().first_child(); o; o = o.next_sibling())
        if (IsNamed(o, "Override") && EqualsIgnoringCase(o.attribute("PartName").as_string(), name))
            return true;
    return false;
}

}  // namespace

int WorkbookPackage::SetTitle(const std::string& title) {
    if (!IsOpen()) return XLE_WORKBOOK_CLOSED;
    Impl& p = *impl_;
    std::string part = p.Target("", "/metadata/core-properties");
    pugi::xml_document core;
    if (part.empty() || !p.LoadXml(part, core)) {
        // A package without the part gets one, declared in its content types
        // and named by its root relationships.
        pugi::xml_document rels, types;
        if (!p.LoadXml(ROOT_RELS, rels) || !p.LoadXml("[Content_Types].xml", types))
            return XLE_DAMAGED_PACKAGE;
        if (part.empty()) {
            part = CORE_PART;
            pugi::xml_node r = rels.document_element().append_child(
                (PrefixOf(Child(rels.document_element(), "Relationship"), "Relationship") +
                 "Relationship")
                    .c_str());
            r.append_attribute("Id") = "rIdBriskelCore";
            r.append_attribute("Type") = CORE_TYPE;
            r.append_attribute("Target") = part.c_str();
            p.Entry(ROOT_RELS)->data = XmlText(rels);
        }
        if (!DeclaredPart(types, "/" + part)) {
            pugi::xml_node o = types.document_element().append_child("Override");
            o.append_attribute("PartName") = ("/" + part).c_str();
            o.append_attribute("ContentType") = CORE_CONTENT;
            p.Entry("[Content_Types].xml")->data = XmlText(types);
        }
        core.reset();
        pugi::xml_node declaration = core.append_child(pugi::node_declaration);
        declaration.append_attribute("version") = "1.0";
        declaration.append_attribute("encoding") = "UTF-8";
        declaration.append_attribute("standalone") = "yes";
        core.append_child("cp:coreProperties").append_attribute("xmlns:cp") = CORE_NAMESPACE;
        if (p.Entry(part) == nullptr) p.entries.push_back({part, ""});
    }
    pugi::xml_node root = core.document_element();
    const std::string prefix = DublinCorePrefix(root);
    pugi::xml_node element = Child(root, "title");
    if (!element) element = root.append_child((prefix + "title").c_str());
    element.text().set(XmlCharacters(title).c_str());
    p.Entry(part)->data = XmlText(core);
    return XLE_NO_ERROR;
}

std::string WorkbookPackage::Title() const {
    if (!IsOpen()) return "";
    pugi::xml_document core;
    const std::string part = impl_->Target("", "/metadata/core-properties");
    if (part.empty() || !impl_->LoadXml(part, core)) return "";
    return Child(core.document_element(), "title").text().as_string();
}
