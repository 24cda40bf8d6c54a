// Panels, the same on every system: loading by handle from the resource
// file, showing and hiding, the stack of popups, discarding a panel with the
// panels loaded under it, and the clean start tests ask for. Handles of
// discarded panels stay invalid forever.
#include <algorithm>
#include <functional>
#include <memory>

#include "platform/system/system.h"
#include "platform/ui/ui_dispatch.h"
#include "platform/ui/ui_front.h"

namespace {

// Relative names are taken in the program directory.
std::string ResourcePath(const std::string& file_name) {
    const bool drive = file_name.size() > 2 && file_name[1] == ':';
    if (drive || (!file_name.empty() && (file_name[0] == '/' || file_name[0] == '\\')))
        return file_name;
    std::string dir;
    GetProjectDir(dir);
    return JoinPath(dir, file_name);
}

// The parsed file, read again when its content changed (tests rewrite it);
// nullptr when it cannot be read. It is kept only while a panel holds it
// (Windows builds its windows from it; Qt's loader needs it only to load),
// and its content known again by size and hash, not by a copy of its bytes.
std::shared_ptr<const ui_description::ResourceFile> ReadResourceFile(const std::string& path) {
    static struct {
        std::string path;
        std::size_t size = 0, hash = 0;
        std::weak_ptr<const ui_description::ResourceFile> file;
    } cache;
    std::string bytes;
    if (ReadWholeFile(path, bytes) != 1) return nullptr;
    const std::size_t hash = std::hash<std::string>{}(bytes);
    auto kept = cache.file.lock();
    if (kept && cache.path == path && cache.size == bytes.size() && cache.hash == hash) return kept;
    auto file = std::make_shared<ui_description::ResourceFile>();
    std::string error;
    if (!ui_description::ParseResourceFile(bytes, *file, error)) return nullptr;
    cache = {path, bytes.size(), hash, file};
    return file;
}

void RemoveFromPopups(int panel) {
    auto& stack = ui_front::Popups();
    stack.erase(std::remove(stack.begin(), stack.end(), panel), stack.end());
}

// The popup on top, the panel itself left out: what a panel shown now belongs to.
int TopPopupBelow(int panel) {
    const auto& stack = ui_front::Popups();
    for (auto it = stack.rbegin(); it != stack.rend(); ++it) {
        if (*it != panel) return *it;
    }
    return 0;
}

bool IsPopup(int panel) {
    const auto& stack = ui_front::Popups();
    return std::find(stack.begin(), stack.end(), panel) != stack.end();
}

}  // namespace

int LoadPanel(int parentPanel, const std::string& fileName, int panelResourceId) {
    if (parentPanel != 0 && !IsPanelValid(parentPanel)) return UIE_INVALID_HANDLE;
    const std::string path = ResourcePath(fileName);
    const auto file = ReadResourceFile(path);
    if (file == nullptr) return UIE_FILE_NOT_FOUND;
    const auto found = file->panels.find(panelResourceId);
    if (found == file->panels.end() || found->second.root == nullptr) return UIE_PANEL_NOT_FOUND;
    return ui_native::LoadPanel(parentPanel, path, file, found->second);
}

int DisplayPanel(int panel) {
    if (!IsPanelValid(panel)) return UIE_INVALID_HANDLE;
    ui_native::ShowPanel(panel, TopPopupBelow(panel), false);
    return UIE_NO_ERROR;
}

int HidePanel(int panel) {
    if (!IsPanelValid(panel)) return UIE_INVALID_HANDLE;
    RemoveFromPopups(panel);
    ui_native::HidePanel(panel);
    return UIE_NO_ERROR;
}

int DiscardPanel(int panel) {
    if (!IsPanelValid(panel)) return UIE_INVALID_HANDLE;
    // Child panels go with their parent, as their windows do.
    for (int child : ui_front::PanelsUnder(panel)) DiscardPanel(child);
    if (!IsPanelValid(panel)) return UIE_NO_ERROR;
    RemoveFromPopups(panel);
    // The panel may be discarded from one of its own callbacks: its record
    // goes now, the window's late events find no panel any more.
    ui_front::ForgetPanel(panel);
    ui_native::DestroyPanel(panel);
    return UIE_NO_ERROR;
}

int InstallPopup(int panel) {
    if (!IsPanelValid(panel)) return UIE_INVALID_HANDLE;
    RemoveFromPopups(panel);
    const int below = TopPopupBelow(panel);
    ui_front::Popups().push_back(panel);
    ui_native::ShowPanel(panel, below, true);
    return UIE_NO_ERROR;
}

int RemovePopup(int panel) {
    if (panel == 0) {
        if (ui_front::Popups().empty()) return UIE_NOT_A_POPUP;
        panel = ui_front::Popups().back();
    } else if (!IsPopup(panel)) {
        return IsPanelValid(panel) ? UIE_NOT_A_POPUP : UIE_INVALID_HANDLE;
    }
    RemoveFromPopups(panel);
    ui_native::HidePanel(panel);
    return UIE_NO_ERROR;
}

QWidget* PanelWidgetForTesting(int panel) {
    return IsPanelValid(panel) ? ui_native::PanelWidget(panel) : nullptr;
}

int MakeApplicationActive() {
    // Bring back the window the user was working in: the active one, else the
    // most recently loaded visible top-level panel (a dialog panel shown over
    // the main window must stay above it).
    if (ui_native::ActivateActiveWindow()) return UIE_NO_ERROR;
    const std::vector<int> panels = ui_front::PanelsUnder(0);
    for (auto it = panels.rbegin(); it != panels.rend(); ++it) {
        if (!IsPanelValid(*it) || !ui_native::PanelVisible(*it)) continue;
        ui_native::ActivatePanel(*it);
        break;
    }
    return UIE_NO_ERROR;
}

void ResetUserInterfaceForTesting() {
    for (int handle : ui_front::AllPanels()) DiscardPanel(handle);
    ui_front::ForgetAllPanels();
    ui_dispatch::ResetForTesting();
    SetWaitCursor(0);
    SetPopupResponder(nullptr);
    ui_native::ResetForTesting();
}
