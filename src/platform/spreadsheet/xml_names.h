// Element lookup in the parts of a workbook package, whose elements may carry
// a namespace prefix ("x:row"): they are matched on their local name.
#pragma once

#include <pugixml.hpp>
#include <string>

inline bool IsNamed(const pugi::xml_node& node, const char* local) {
    if (node.type() != pugi::node_element) return false;
    const std::string name = node.name();
    const std::string wanted = local;
    if (name == wanted) return true;
    return name.size() > wanted.size() &&
           name.compare(name.size() - wanted.size(), wanted.size(), wanted) == 0 &&
           name[name.size() - wanted.size() - 1] == ':';
}

// The first child element of `parent` named `local`.
inline pugi::xml_node Child(const pugi::xml_node& parent, const char* local) {
    for (pugi::xml_node n = parent.first_child(); n; n = n.next_sibling())
        if (IsNamed(n, local)) return n;
    return {};
}

// The namespace prefix of an element named `local` ("x:" for "x:row", "" for "row").
inline std::string PrefixOf(const pugi::xml_node& node, const char* local) {
    const std::string name = node.name();
    return name.substr(0, name.size() - std::string(local).size());
}
