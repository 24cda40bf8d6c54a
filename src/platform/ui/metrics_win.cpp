// Texts measured by GDI with the message font at a window's DPI, for the
// layout of the panels.
#include <windows.h>

#include <map>
#include <tuple>

#include "platform/system/win32.h"
#include "platform/ui/ui_internal_win.h"

namespace ui_win {
namespace {

// Every text the program sets lays its panel out again, and nearly all the
// panel's other texts measure as they did the last time: their sizes are
// kept, by DPI, font and wrapping width. The progress texts bring new ones
// all the time, so the store is emptied when it has grown large.
using MeasureKey = std::tuple<int, int, int, std::string>;  // DPI, font, wrap, text
constexpr size_t kMostMeasuresKept = 4096;

std::map<MeasureKey, ui_layout::Size>& Measured() {
    static std::map<MeasureKey, ui_layout::Size> sizes;
    return sizes;
}

class GdiMetrics : public ui_layout::TextMetrics {
public:
    explicit GdiMetrics(int dpi) : dpi_(dpi) {}
    ~GdiMetrics() override {
        for (auto& [key, font] : fonts_) DeleteObject(font);
        if (dc_ != nullptr) DeleteDC(dc_);
    }
    GdiMetrics(const GdiMetrics&) = delete;
    GdiMetrics& operator=(const GdiMetrics&) = delete;

    ui_layout::Size Text(const std::string& text, const ui_layout::Font& font,
                         int wrap_width) const override {
        MeasureKey key{dpi_, FontKey(font), wrap_width, text};
        auto known = Measured().find(key);
        if (known != Measured().end()) return known->second;
        if (Measured().size() >= kMostMeasuresKept) Measured().clear();
        return Measured()[std::move(key)] = Measure(text, font, wrap_width);
    }

    double Scale() const override { return dpi_ / 96.0; }

private:
    static int FontKey(const ui_layout::Font& font) { return font.point_size * 2 + (font.bold ? 1 : 0); }

    ui_layout::Size Measure(const std::string& text, const ui_layout::Font& font, int wrap_width) const {
        if (dc_ == nullptr) dc_ = CreateCompatibleDC(nullptr);
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

    HFONT Font(const ui_layout::Font& font) const {
        const int key = FontKey(font);
        auto it = fonts_.find(key);
        if (it != fonts_.end()) return it->second;
        return fonts_[key] = MessageFont(dpi_, font.point_size, font.bold);
    }

    int dpi_;
    mutable HDC dc_ = nullptr;  // made at the first text not measured before
    mutable std::map<int, HFONT> fonts_;
};

}  // namespace

std::unique_ptr<ui_layout::TextMetrics> MetricsFor(int dpi) { return std::make_unique<GdiMetrics>(dpi); }

void ForgetMeasuredTexts() { Measured().clear(); }

}  // namespace ui_win
