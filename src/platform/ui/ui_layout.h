// Sizes and places the widgets of a panel from its description, as Qt's box,
// grid and form layouts would: size hints from the texts measured by the
// system, margins, spacing, stretch, spacers, minimum and maximum sizes, and
// fixed geometries for widgets outside a layout. Lengths written in the file
// are pixels at 96 dpi and are scaled to the monitor; texts are measured
// already scaled. No system calls here: the system measures through
// TextMetrics.
#pragma once

#include <map>

#include "platform/ui/ui_description.h"

namespace ui_layout {

using ui_description::Font;
using ui_description::Rect;
using ui_description::Size;
using ui_description::Widget;

class TextMetrics {
public:
    virtual ~TextMetrics() = default;
    // The extent of `text` in `font` (point size 0 = the message font),
    // broken into lines no wider than `wrap_width` when it is positive.
    // Lines are separated by '\n' in the text too.
    virtual Size Text(const std::string& text, const Font& font, int wrap_width) const = 0;
    // Device pixels per pixel at 96 dpi (1.0 at 100 %, 1.5 at 150 %).
    virtual double Scale() const = 0;
};

// What the program has changed since loading: the texts it set and the
// widgets it showed or hid. Without it, the file's own texts and "visible"
// properties hold.
class LiveState {
public:
    virtual ~LiveState() = default;
    virtual std::string Text(const Widget& widget) const { return widget.Text("text"); }
    virtual bool Visible(const Widget& widget) const { return widget.Flag("visible", true); }
};

// The client size a panel (or any container widget) asks for: its layout's
// size hint, or its "geometry" when it has no layout.
Size PreferredClientSize(const Widget& container, const TextMetrics& metrics,
                         const LiveState& live = {});
Size MinimumClientSize(const Widget& container, const TextMetrics& metrics,
                       const LiveState& live = {});

// The client size a panel opens at, as the Qt program shows it: its
// "geometry" (scaled), grown to what its layout needs at that width. Without
// a geometry, its preferred client size.
Size InitialClientSize(const Widget& container, const TextMetrics& metrics,
                       const LiveState& live = {});

// Every widget below `container` (not the container itself), placed in a
// client area of `client` size; rectangles are relative to the container's
// client area, nested widgets included (a child widget's own children are
// placed relative to the same origin). Hidden widgets take no room, as in Qt,
// and are left out, with what they hold. A label gets its cell's height as
// in Qt, where its text stands centred vertically unless aligned otherwise.
std::map<const Widget*, Rect> Arrange(const Widget& container, Size client,
                                      const TextMetrics& metrics, const LiveState& live = {});

}  // namespace ui_layout
