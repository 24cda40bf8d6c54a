// Texts measured by GDI with the message font at a window's DPI, for the
// layout of the panels.
#include <windows.h>

#include <map>

#include "platform/system/win32.h"
#include "platform/ui/ui_internal_win.h"

namespace ui_win {
namespace {

class GdiMetrics : public ui_layout::TextMetrics {
public:
    explicit GdiMetrics(int dpi) : dpi_(dpi), dc_(CreateCompatibleDC(nullptr)) {}
    ~GdiMetrics() override {
        for (auto& [key, font] : fonts_) DeleteObject(font);
        DeleteDC(dc_);
    }
    GdiMetrics(const GdiMetrics&) = delete;
    GdiMetrics& operator=(const GdiMetrics&) = delete;

    ui_layout::Size Text(const std::string& text, const ui_layout::Font& font,
                         int wrap_width) const override {
        HGDIOBJ old = SelectObject(dc_, Font(font));
        const std::wstring wide = Utf16(text.empty() ? std::string(" ") : text);
        RECT box{0, 0, wrap_width > 0 ? wrap_width : 0, 0};
        // The layout hands texts as they are shown, mnemonic marks already
        // taken out: an "&" left (in an instrument's test name) is drawn.
        UINT flags = DT_CALCRECT | DT_EXPANDTABS | DT_NOPREFIX;
        if (wrap_width > 0) flags |= DT_WORDBREAK;
        DrawTextW(dc_, wide.c_str(), static_cast<int>(wide.size()), &box, flags);
        SelectObject(dc_, old);
        ui_layout::Size size;
        size.width = text.empty() ? 0 : box.right - box.left;
        size.height = box.bottom - box.top;
        return size;
    }

    double Scale() const override { return dpi_ / 96.0; }

private:
    HFONT Font(const ui_layout::Font& font) const {
        const int key = font.point_size * 2 + (font.bold ? 1 : 0);
        auto it = fonts_.find(key);
        if (it != fonts_.end()) return it->second;
        return fonts_[key] = MessageFont(dpi_, font.point_size, font.bold);
    }

    int dpi_;
    HDC dc_;
    mutable std::map<int, HFONT> fonts_;
};

}  // namespace

std::unique_ptr<ui_layout::TextMetrics> MetricsFor(int dpi) { return std::make_unique<GdiMetrics>(dpi); }

}  // namespace ui_win
