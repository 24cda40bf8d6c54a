// The program marks a mnemonic "__X"; Windows' controls, Qt's widgets and the
// resource file write it "&X", and a plain "&" as "&&".
#include "platform/ui/ui_front.h"

namespace ui_front {

std::string ShownMnemonic(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&') {
            out += "&&";
        } else if (text[i] == '_' && i + 1 < text.size() && text[i + 1] == '_') {
            out += '&';
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string ProgramMnemonic(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size() && text[i + 1] == '&') {
            out += '&';
            ++i;
        } else if (text[i] == '&') {
            out += "__";
        } else {
            out += text[i];
        }
    }
    return out;
}

}  // namespace ui_front
