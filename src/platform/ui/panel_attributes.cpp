// Panel attributes, the same on every system: which attributes a panel
// takes and which values they accept; the system places, zooms, dims and
// names the panel's window.
#include "platform/ui/ui_front.h"

namespace {

bool IsPlace(int attribute) {
    return attribute == ATTR_TOP || attribute == ATTR_LEFT || attribute == ATTR_HEIGHT ||
           attribute == ATTR_WIDTH;
}

bool IsZoom(int value) {
    return value == VAL_NO_ZOOM || value == VAL_MINIMIZE || value == VAL_MAXIMIZE;
}

}  // namespace

int SetPanelAttribute(int panel, int attribute, int value) {
    if (!IsPanelValid(panel)) return UIE_INVALID_HANDLE;
    if (IsPlace(attribute)) {
        const bool size = attribute == ATTR_HEIGHT || attribute == ATTR_WIDTH;
        if (size && value <= 0) return UIE_INVALID_ATTRIBUTE;
        ui_native::SetPanelPlace(panel, attribute, value);
        return UIE_NO_ERROR;
    }
    switch (attribute) {
        case ATTR_WINDOW_ZOOM:
            if (!IsZoom(value)) return UIE_INVALID_ATTRIBUTE;
            ui_native::SetPanelZoom(panel, value);
            return UIE_NO_ERROR;
        case ATTR_VISIBLE:
            return value ? DisplayPanel(panel) : HidePanel(panel);
        case ATTR_DIMMED:
            ui_native::SetPanelDimmed(panel, value != 0);
            return UIE_NO_ERROR;
        default:
            return UIE_INVALID_ATTRIBUTE;
    }
}

int SetPanelAttribute(int panel, int attribute, const std::string& value) {
    if (!IsPanelValid(panel)) return UIE_INVALID_HANDLE;
    if (attribute != ATTR_TITLE) return UIE_INVALID_ATTRIBUTE;
    ui_native::SetPanelTitle(panel, value);
    return UIE_NO_ERROR;
}

int GetPanelAttribute(int panel, int attribute, int& value) {
    if (!IsPanelValid(panel)) return UIE_INVALID_HANDLE;
    if (IsPlace(attribute)) {
        value = ui_native::PanelPlace(panel, attribute);
        return UIE_NO_ERROR;
    }
    switch (attribute) {
        case ATTR_WINDOW_ZOOM:
            value = ui_native::PanelZoom(panel);
            return UIE_NO_ERROR;
        case ATTR_VISIBLE:
            value = ui_native::PanelVisible(panel) ? 1 : 0;
            return UIE_NO_ERROR;
        case ATTR_DIMMED:
            value = ui_native::PanelDimmed(panel) ? 1 : 0;
            return UIE_NO_ERROR;
        default:
            return UIE_INVALID_ATTRIBUTE;
    }
}

int GetPanelAttribute(int panel, int attribute, std::string& value) {
    if (!IsPanelValid(panel)) return UIE_INVALID_HANDLE;
    if (attribute != ATTR_TITLE) return UIE_INVALID_ATTRIBUTE;
    value = ui_native::PanelTitle(panel);
    return UIE_NO_ERROR;
}

int SetPanelPos(int panel, int top, int left) {
    if (!IsPanelValid(panel)) return UIE_INVALID_HANDLE;
    ui_native::MovePanel(panel, top, left);
    return UIE_NO_ERROR;
}
