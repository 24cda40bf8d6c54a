// What the panels draw themselves: the pictures of pixmap labels (PNG files
// decoded by the Windows Imaging Component into premultiplied 32-bit bitmaps,
// drawn scaled to the label), the rows of lists and the texts of labels kept
// off their frame by a margin.
#include <algorithm>
#include <windows.h>
#include <wincodec.h>

#include "platform/system/win32.h"
#include "platform/ui/ui_internal_win.h"

namespace ui_win {
namespace {

template <typename T>
struct Releaser {
    T* p = nullptr;
    ~Releaser() {
        if (p) p->Release();
    }
};

}  // namespace

HBITMAP LoadPicture(const std::string& path, SIZE& size) {
    // COM for this thread; harmless when it was already initialized.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    (void)com;
    Releaser<IWICImagingFactory> factory;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                reinterpret_cast<void**>(&factory.p))))
        return nullptr;
    Releaser<IWICBitmapDecoder> decoder;
    if (FAILED(factory.p->CreateDecoderFromFilename(Utf16(path).c_str(), nullptr, GENERIC_READ,
                                                    WICDecodeMetadataCacheOnDemand, &decoder.p)))
        return nullptr;
    Releaser<IWICBitmapFrameDecode> frame;
    if (FAILED(decoder.p->GetFrame(0, &frame.p))) return nullptr;
    Releaser<IWICFormatConverter> converter;
    if (FAILED(factory.p->CreateFormatConverter(&converter.p)) ||
        FAILED(converter.p->Initialize(frame.p, GUID_WICPixelFormat32bppPBGRA, WICBitmapDitherTypeNone, nullptr, 0,
                                       WICBitmapPaletteTypeCustom)))
        return nullptr;
    UINT width = 0, height = 0;
    converter.p->GetSize(&width, &height);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = static_cast<LONG>(width);
    info.bmiHeader.biHeight = -static_cast<LONG>(height);  // top-down rows, as WIC gives them
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap == nullptr) return nullptr;
    if (FAILED(converter.p->CopyPixels(nullptr, width * 4, width * height * 4, static_cast<BYTE*>(bits)))) {
        DeleteObject(bitmap);
        return nullptr;
    }
    size = {static_cast<LONG>(width), static_cast<LONG>(height)};
    return bitmap;
}

void DrawPicture(const DRAWITEMSTRUCT& item, const Control& control) {
    if (control.picture == nullptr) return;
    HDC source = CreateCompatibleDC(item.hDC);
    HGDIOBJ old = SelectObject(source, control.picture);
    const RECT& r = item.rcItem;
    SetStretchBltMode(item.hDC, HALFTONE);
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    GdiAlphaBlend(item.hDC, r.left, r.top, r.right - r.left, r.bottom - r.top, source, 0, 0,
                  control.picture_size.cx, control.picture_size.cy, blend);
    SelectObject(source, old);
    DeleteDC(source);
}

void DrawListRow(const DRAWITEMSTRUCT& item, const Control& control) {
    if (item.itemID == static_cast<UINT>(-1)) {
        if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &item.rcItem);
        return;
    }
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    const bool enabled = IsWindowEnabled(control.hwnd) != FALSE;
    // The row is given the list's width; a wider row scrolled into view is
    // drawn whole (FitListExtent), its end not replaced by an ellipsis.
    RECT row = item.rcItem;
    const auto extent = static_cast<LONG>(SendMessageW(control.hwnd, LB_GETHORIZONTALEXTENT, 0, 0));
    row.right = std::max(row.right, row.left + extent);
    FillRect(item.hDC, &row, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, GetSysColor(!enabled ? COLOR_GRAYTEXT : selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    const auto& rows = RowsOf(control);
    const std::wstring text =
        item.itemID < rows.size() ? Utf16(rows[item.itemID].label) : std::wstring();
    RECT box = row;
    box.left += 2;
    DrawTextW(item.hDC, text.c_str(), static_cast<int>(text.size()), &box,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &row);
}

void DrawMarginLabel(const DRAWITEMSTRUCT& item, const Control& control, const Panel& panel) {
    const Widget& w = *control.widget;
    FillRect(item.hDC, &item.rcItem,
             panel.splash ? panel.background_brush : GetSysColorBrush(COLOR_BTNFACE));
    SetBkMode(item.hDC, TRANSPARENT);
    COLORREF colour = panel.splash ? panel.foreground : GetSysColor(COLOR_BTNTEXT);
    if (!IsWindowEnabled(control.hwnd)) colour = GetSysColor(COLOR_GRAYTEXT);
    SetTextColor(item.hDC, colour);
    HGDIOBJ old = SelectObject(item.hDC, reinterpret_cast<HFONT>(SendMessageW(control.hwnd, WM_GETFONT, 0, 0)));
    const int margin = MulDiv(w.Number("margin", 0), panel.dpi, 96);
    RECT box = item.rcItem;
    InflateRect(&box, -margin, -margin);
    const std::string alignment = w.Text("alignment");
    UINT flags = DT_NOPREFIX | DT_EXPANDTABS;
    flags |= w.Flag("wordWrap", false) ? DT_WORDBREAK : DT_SINGLELINE;
    if (alignment.find("AlignHCenter") != std::string::npos) flags |= DT_CENTER;
    if (alignment.find("AlignRight") != std::string::npos) flags |= DT_RIGHT;
    if (!w.Flag("wordWrap", false) && alignment.find("AlignTop") == std::string::npos) flags |= DT_VCENTER;
    const std::wstring text = Utf16(WindowText(control.hwnd));
    DrawTextW(item.hDC, text.c_str(), static_cast<int>(text.size()), &box, flags);
    SelectObject(item.hDC, old);
}

}  // namespace ui_win
