// The layout of a panel worked out as Qt's layouts do it, so the native
// windows look like the Qt ones: each widget's size hint, minimum and maximum
// from its class and texts, then box, grid and form layouts sharing out the
// room along each direction. Widths are settled first; heights follow from
// them, so word-wrapped labels grow as tall as their text needs.
#include "platform/ui/ui_layout.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace ui_layout {
namespace {

using ui_description::Layout;
using ui_description::LayoutItem;
using ui_description::Spacer;
using ui_description::Value;

constexpr int kUnlimited = 16777215;  // Qt's QWIDGETSIZE_MAX, written as such in the file

// Qt's defaults for the Windows and Fusion styles, in pixels at 96 dpi.
constexpr int kWindowMargin = 11;  // a dialog's own layout
constexpr int kChildMargin = 9;    // the layout of a widget inside a window
constexpr int kSpacing = 6;

// How a widget or spacer takes room along one direction (QSizePolicy).
struct Policy {
    bool grow = true;
    bool shrink = true;
    bool expand = false;
};
constexpr Policy kFixed{false, false, false};
constexpr Policy kMinimum{true, false, false};
constexpr Policy kPreferred{true, true, false};
constexpr Policy kExpanding{true, true, true};

Policy PolicyNamed(const std::string& size_type) {
    std::string name = size_type.substr(size_type.rfind(':') == std::string::npos ? 0 : size_type.rfind(':') + 1);
    if (name == "Fixed") return kFixed;
    if (name == "Minimum") return kMinimum;
    if (name == "Maximum") return {false, true, false};
    if (name == "Preferred") return kPreferred;
    if (name == "MinimumExpanding") return {true, false, true};
    if (name == "Ignored") return kPreferred;
    return kExpanding;
}

// What an item asks for along one direction.
struct Axis {
    int min = 0;
    int hint = 0;
    int max = kUnlimited;
    bool expanding = false;
    int stretch = 0;
    bool empty = false;  // hidden widget or spacer: no spacing beside it
};

int Capped(long long length) { return static_cast<int>(std::min<long long>(length, kUnlimited)); }

// Qt's rule for the largest size across a line of items (qMaxExpCalc).
void CombineMaximum(int& max, bool& expanding, bool& empty, const Axis& item) {
    if (expanding) {
        if (item.expanding) max = std::max(max, item.max);
    } else if (item.expanding || (empty && (!item.empty || max == 0))) {
        max = item.max;
    } else if (empty == item.empty) {
        max = std::min(max, item.max);
    }
    expanding = expanding || item.expanding;
    empty = empty && item.empty;
}

struct Context {
    const TextMetrics& metrics;
    const LiveState& live;
    double scale;

    int Scaled(int length) const {
        if (length >= kUnlimited) return kUnlimited;
        return static_cast<int>(std::lround(length * scale));
    }
    Size ScaledSize(const Widget& widget, const char* property, int fallback) const {
        const Value* value = widget.Find(property);
        if (value == nullptr || value->type != Value::Type::Size) return {fallback, fallback};
        return {Scaled(value->size.width), Scaled(value->size.height)};
    }
};

// ---------------------------------------------------------------- widgets

struct WidgetHints {
    Size hint;
    Size min;  // Qt's minimumSizeHint
    Policy horizontal = kPreferred;
    Policy vertical = kPreferred;
    bool height_for_width = false;
};

Font FontOf(const Widget& widget) {
    const Value* font = widget.Find("font");
    return font != nullptr && font->type == Value::Type::Font ? font->font : Font{};
}

// The text as shown: "&Run" shows "Run", "&&" shows "&".
std::string WithoutMnemonic(const std::string& text) {
    std::string shown;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size()) ++i;
        shown += text[i];
    }
    return shown;
}

Size TextSize(const std::string& text, const Font& font, int wrap_width, const Context& context) {
    Size size = context.metrics.Text(text.empty() ? "X" : text, font, wrap_width);
    if (text.empty()) size.width = 0;  // an empty line still takes a line's height
    return size;
}

int LineHeight(const Font& font, const Context& context) {
    return context.metrics.Text("X", font, 0).height;
}

// Room a label's frame and margin take on each side.
int LabelExtra(const Widget& label, const Context& context) {
    std::string frame = label.Text("frameShape");
    bool framed = !frame.empty() && frame != "QFrame::NoFrame";
    return context.Scaled(label.Number("margin", 0)) + (framed ? context.Scaled(2) : 0);
}

std::string ShownText(const Widget& widget, const Context& context) {
    std::string text = context.live.Text(widget);
    bool mnemonic = widget.class_name != "QLabel" || !widget.Text("buddy").empty();
    return mnemonic ? WithoutMnemonic(text) : text;
}

int LabelHeightForWidth(const Widget& label, int width, const Context& context) {
    int extra = 2 * LabelExtra(label, context);
    int wrap = std::max(1, width - extra);
    return TextSize(ShownText(label, context), FontOf(label), wrap, context).height + extra;
}

// A word-wrapped label asks for a width of about 80 average characters, then
// half or a quarter of it when its text fits in few lines, as Qt's does.
Size WrappedLabelHint(const Widget& label, const Context& context) {
    Font font = FontOf(label);
    std::string text = ShownText(label, context);
    int extra = 2 * LabelExtra(label, context);
    const std::string alphabet = "abcdefghijklmnopqrstuvwxyz";
    int average = std::max(1, context.metrics.Text(alphabet, font, 0).width / 26);
    int width = std::min(80 * average, context.ScaledSize(label, "maximumSize", kUnlimited).width) - extra;
    int line = LineHeight(font, context);
    Size box = TextSize(text, font, std::max(1, width), context);
    if (box.height < 4 * line && box.width > width / 2)
        box = TextSize(text, font, std::max(1, width / 2), context);
    if (box.height < 2 * line && box.width > width / 4)
        box = TextSize(text, font, std::max(1, width / 4), context);
    return {box.width + extra, box.height + extra};
}

WidgetHints LabelHints(const Widget& label, const Context& context) {
    WidgetHints hints;
    if (label.Find("pixmap") != nullptr) {
        // The picture's own size is not known here: the file gives it.
        hints.hint = hints.min = context.ScaledSize(label, "minimumSize", 0);
        return hints;
    }
    Font font = FontOf(label);
    std::string text = ShownText(label, context);
    int extra = 2 * LabelExtra(label, context);
    if (!label.Flag("wordWrap", false)) {
        Size size = TextSize(text, font, 0, context);
        hints.hint = hints.min = {size.width + extra, size.height + extra};
        return hints;
    }
    hints.height_for_width = true;
    hints.hint = WrappedLabelHint(label, context);
    int longest_word = TextSize(text, font, 1, context).width;
    int one_line = TextSize(text, font, 0, context).height + extra;
    hints.min = {longest_word + extra, std::min(one_line, hints.hint.height)};
    return hints;
}

WidgetHints ClassHints(const Widget& widget, const Context& context) {
    const std::string& kind = widget.class_name;
    auto s = [&](int length) { return context.Scaled(length); };
    Font font = FontOf(widget);
    WidgetHints hints;
    if (kind == "QLabel") return LabelHints(widget, context);
    if (kind == "QPushButton") {
        Size text = TextSize(ShownText(widget, context), font, 0, context);
        hints.hint = hints.min = {std::max(s(75), text.width + s(16)), std::max(s(23), text.height + s(8))};
        hints.horizontal = kMinimum;
        hints.vertical = kFixed;
    } else if (kind == "QCheckBox") {
        Size text = TextSize(ShownText(widget, context), font, 0, context);
        hints.hint = hints.min = {s(13) + s(6) + text.width, std::max(s(13), text.height) + s(2)};
        hints.vertical = kFixed;
    } else if (kind == "QLineEdit") {
        int x = context.metrics.Text("x", font, 0).width;
        int height = std::max(s(23), LineHeight(font, context) + s(8));
        hints.hint = {17 * x + s(8), height};
        hints.min = {context.metrics.Text("W", font, 0).width + s(8), height};
        hints.horizontal = kExpanding;
        hints.vertical = kFixed;
    } else if (kind == "QSpinBox") {
        std::string prefix = widget.Text("prefix");
        int widest = 0;
        for (int number : {widget.Number("minimum", 0), widget.Number("maximum", 99)})
            widest = std::max(widest, TextSize(prefix + std::to_string(number), font, 0, context).width);
        int height = std::max(s(23), LineHeight(font, context) + s(8));
        hints.hint = hints.min = {widest + s(2 + 8 + 17), height};
        hints.horizontal = kMinimum;
        hints.vertical = kFixed;
    } else if (kind == "QListWidget") {
        hints.hint = {s(256), s(192)};
        hints.min = {s(40), s(40)};
        hints.horizontal = hints.vertical = kExpanding;
    } else if (kind == "QProgressBar") {
        int line = LineHeight(font, context);
        hints.hint = {s(63) + 4 * context.metrics.Text("0", font, 0).width, line + s(8)};
        hints.min = {hints.hint.width, line + s(2)};
        hints.horizontal = kExpanding;
        hints.vertical = kFixed;
    } else if (kind == "Line") {
        bool vertical = widget.Text("orientation") == "Qt::Vertical";
        hints.hint = hints.min = vertical ? Size{s(3), 0} : Size{0, s(3)};
        hints.horizontal = vertical ? kFixed : kMinimum;
        hints.vertical = vertical ? kMinimum : kFixed;
    }
    return hints;
}

// ---------------------------------------------------------------- layouts

// Margins and spacing of one layout, in device pixels.
struct Params {
    int left = 0, top = 0, right = 0, bottom = 0;
    int horizontal_spacing = 0, vertical_spacing = 0;
};

// Where a layout sits: a widget's own layout has the style's margins (a
// window's wider); a layout inside another has none and takes its spacing.
struct Owner {
    bool top_level = true;
    bool window = false;
    int horizontal_spacing = kSpacing;
    int vertical_spacing = kSpacing;
};

Params ParamsOf(const Layout& layout, const Owner& owner, const Context& context) {
    const int margin = layout.Number(
        "margin", owner.top_level ? (owner.window ? kWindowMargin : kChildMargin) : 0);
    Params params;
    params.left = context.Scaled(layout.Number("leftMargin", margin));
    params.top = context.Scaled(layout.Number("topMargin", margin));
    params.right = context.Scaled(layout.Number("rightMargin", margin));
    params.bottom = context.Scaled(layout.Number("bottomMargin", margin));
    int spacing = layout.Number("spacing", -1);
    params.horizontal_spacing = layout.Number("horizontalSpacing", spacing);
    params.vertical_spacing = layout.Number("verticalSpacing", spacing);
    params.horizontal_spacing = params.horizontal_spacing >= 0
                                    ? context.Scaled(params.horizontal_spacing)
                                    : owner.top_level ? context.Scaled(kSpacing) : owner.horizontal_spacing;
    params.vertical_spacing = params.vertical_spacing >= 0
                                  ? context.Scaled(params.vertical_spacing)
                                  : owner.top_level ? context.Scaled(kSpacing) : owner.vertical_spacing;
    return params;
}

Owner NestedIn(const Params& params) {
    return {false, false, params.horizontal_spacing, params.vertical_spacing};
}

// Comma lists of the layout ("stretch", "columnMinimumWidth"...).
std::vector<int> NumberList(const Layout& layout, const char* property) {
    std::vector<int> numbers;
    const std::string text = layout.Text(property);
    if (layout.Find(property) == nullptr) return numbers;
    size_t start = 0;
    while (start <= text.size()) {
        size_t comma = text.find(',', start);
        if (comma == std::string::npos) comma = text.size();
        numbers.push_back(std::atoi(text.substr(start, comma - start).c_str()));
        start = comma + 1;
    }
    return numbers;
}

// Shares `space` out among items along one direction as Qt's qGeomCalc
// does; returns each item's position and length.
struct Span {
    int position = 0;
    int length = 0;
};

int SmartHint(const Axis& item) {
    // Stretched items share from their minimum, so the factors hold exactly.
    int hint = item.stretch > 0 ? item.min : item.hint;
    return std::max(item.min, std::min(hint, item.max));
}

std::vector<Span> Distribute(const std::vector<Axis>& items, int start, int space, int spacing) {
    size_t count = items.size();
    std::vector<Span> spans(count);
    std::vector<bool> done(count, false);
    int non_empty = 0, sum_min = 0, sum_hint = 0, sum_stretch = 0;
    bool wants_to_grow = false;
    for (const Axis& item : items) {
        non_empty += item.empty ? 0 : 1;
        sum_min += item.min;
        sum_hint += SmartHint(item);
        sum_stretch += item.stretch;
        wants_to_grow = wants_to_grow || item.expanding || item.stretch > 0;
    }
    bool all_empty_still = !wants_to_grow && non_empty == 0;
    int gaps = std::max(0, non_empty - 1);
    int room = space - gaps * spacing;
    int leftover = 0;
    if (room < sum_min) {
        // Less than the minimums: each gets its share of what there is.
        long long available = std::max(0, room), below = 0, handed = 0;
        for (size_t i = 0; i < count; ++i) {
            below += items[i].min;
            long long total = sum_min > 0 ? available * below / sum_min : 0;
            spans[i].length = static_cast<int>(total - handed);
            handed = total;
        }
    } else if (room < sum_hint) {
        // Between minimums and hints: every item gives up the same amount.
        int overdraft = sum_hint - room;
        int left = 0;
        for (size_t i = 0; i < count; ++i) {
            spans[i].length = SmartHint(items[i]);
            if (items[i].min >= SmartHint(items[i])) done[i] = true; else ++left;
        }
        bool settled = false;
        while (!settled && left > 0) {
            settled = true;
            int given = 0, index = 0;
            for (size_t i = 0; i < count; ++i) {
                if (done[i]) continue;
                int share = overdraft * (index + 1) / left - given;
                given += share;
                ++index;
                spans[i].length = SmartHint(items[i]) - share;
                if (spans[i].length < items[i].min) {
                    overdraft -= SmartHint(items[i]) - items[i].min;
                    spans[i].length = items[i].min;
                    done[i] = true;
                    --left;
                    settled = false;
                    break;
                }
            }
        }
    } else {
        // Room to spare: those who want to grow share it, by stretch factor
        // when they have one; the others keep their hint.
        int left = static_cast<int>(count);
        int room_left = room;
        for (size_t i = 0; i < count; ++i) {
            const Axis& item = items[i];
            if (item.max <= SmartHint(item) || (wants_to_grow && !item.expanding && item.stretch == 0) ||
                (!all_empty_still && item.empty && !item.expanding && item.stretch == 0)) {
                spans[i].length = SmartHint(item);
                done[i] = true;
                room_left -= spans[i].length;
                sum_stretch -= item.stretch;
                --left;
            }
        }
        int surplus = 0, deficit = 0;
        do {
            surplus = deficit = 0;
            // Shares worked out as running totals, so the rounding adds up.
            long long stretch_so_far = 0;
            int count_so_far = 0;
            long long handed = 0;
            for (size_t i = 0; i < count; ++i) {
                if (done[i]) continue;
                stretch_so_far += items[i].stretch;
                ++count_so_far;
                long long total = sum_stretch > 0 ? static_cast<long long>(room_left) * stretch_so_far / sum_stretch
                                                  : static_cast<long long>(room_left) * count_so_far / left;
                int length = static_cast<int>(total - handed);
                handed = total;
                spans[i].length = length;
                if (length < SmartHint(items[i]))
                    deficit += SmartHint(items[i]) - length;
                else if (length > items[i].max)
                    surplus += length - items[i].max;
            }
            if (deficit > 0 && surplus <= deficit) {
                for (size_t i = 0; i < count; ++i) {
                    if (!done[i] && spans[i].length < SmartHint(items[i])) {
                        spans[i].length = SmartHint(items[i]);
                        done[i] = true;
                        room_left -= spans[i].length;
                        sum_stretch -= items[i].stretch;
                        --left;
                    }
                }
            }
            if (surplus > 0 && surplus >= deficit) {
                for (size_t i = 0; i < count; ++i) {
                    if (!done[i] && spans[i].length > items[i].max) {
                        spans[i].length = items[i].max;
                        done[i] = true;
                        room_left -= spans[i].length;
                        sum_stretch -= items[i].stretch;
                        --left;
                    }
                }
            }
        } while (left > 0 && surplus != deficit);
        if (left == 0) leftover = std::max(0, room_left);
    }
    // Room nobody could take goes around the items, as in Qt.
    int extra = leftover / (gaps + 2);
    int position = start + extra;
    for (size_t i = 0; i < count; ++i) {
        spans[i].position = position;
        position += spans[i].length;
        if (!items[i].empty) position += spacing + extra;
    }
    return spans;
}

// Sum of items along a line, with spacing between the non-empty ones.
Axis AlongLine(const std::vector<Axis>& items, int spacing) {
    Axis line;
    line.max = 0;
    long long max = 0;
    int non_empty = 0;
    for (const Axis& item : items) {
        line.min += item.min;
        line.hint += item.hint;
        max += item.max;
        line.expanding = line.expanding || item.expanding || item.stretch > 0;
        non_empty += item.empty ? 0 : 1;
    }
    int gaps = std::max(0, non_empty - 1) * spacing;
    line.min += gaps;
    line.hint += gaps;
    line.max = Capped(max + gaps);
    line.empty = non_empty == 0;
    return line;
}

// The largest of items across a line.
Axis AcrossLine(const std::vector<std::pair<Axis, bool>>& items) {
    Axis line;
    bool expanding = false, empty = true;
    int max = kUnlimited;
    for (const auto& [item, hidden] : items) {
        line.min = std::max(line.min, item.min);
        line.hint = std::max(line.hint, item.hint);
        if (!hidden) CombineMaximum(max, expanding, empty, item);
    }
    line.max = std::max(max, line.min);
    line.expanding = expanding;
    line.empty = empty;
    return line;
}

Axis WithMargins(Axis axis, int before, int after) {
    axis.min += before + after;
    axis.hint += before + after;
    axis.max = Capped(static_cast<long long>(axis.max) + before + after);
    return axis;
}

using Placed = std::map<const Widget*, Rect>;

class Engine {
public:
    explicit Engine(const Context& context) : context_(context) {}

    Axis WidgetWidth(const Widget& widget) const;
    Axis WidgetHeight(const Widget& widget, int width) const;
    void PlaceWidget(const Widget& widget, Rect cell, Placed& placed) const;
    Axis LayoutWidth(const Layout& layout, const Owner& owner) const;
    Axis LayoutHeight(const Layout& layout, const Owner& owner, int width) const;
    void PlaceLayout(const Layout& layout, const Owner& owner, Rect area, Placed& placed) const;
    Owner OwnerOf(const Widget& widget) const {
        bool window = widget.class_name == "QDialog" || widget.class_name == "QMainWindow";
        return {true, window, context_.Scaled(kSpacing), context_.Scaled(kSpacing)};
    }
    bool Hidden(const Widget& widget) const { return !context_.live.Visible(widget); }

private:
    Axis ItemWidth(const LayoutItem& item, const Params& params) const;
    Axis ItemHeight(const LayoutItem& item, const Params& params, int width) const;
    bool ItemEmpty(const LayoutItem& item) const;
    bool ItemHidden(const LayoutItem& item) const { return item.widget && Hidden(*item.widget); }
    void PlaceItem(const LayoutItem& item, const Params& params, Rect cell, Placed& placed) const;
    Axis SpacerAxis(const Spacer& spacer, bool horizontal) const;
    Axis FromHints(const Widget& widget, bool horizontal, int hint, int min, const Policy& policy) const;

    // Grid and form layouts: the columns' widths and the rows' heights.
    std::vector<Axis> Columns(const Layout& layout, const Params& params) const;
    std::vector<Axis> Rows(const Layout& layout, const Params& params,
                           const std::vector<Span>& columns) const;
    std::vector<Span> ColumnSpans(const Layout& layout, const Params& params, int x, int width) const;
    Rect Cell(const LayoutItem& item, const std::vector<Span>& columns, const std::vector<Span>& rows) const;

    const Context& context_;
};

// A widget's axis from its hints, its policy and the file's minimum and
// maximum sizes (Qt's qSmartMinSize and qSmartMaxSize).
Axis Engine::FromHints(const Widget& widget, bool horizontal, int hint, int min,
                       const Policy& policy) const {
    Size file_min = context_.ScaledSize(widget, "minimumSize", 0);
    Size file_max = context_.ScaledSize(widget, "maximumSize", kUnlimited);
    int explicit_min = horizontal ? file_min.width : file_min.height;
    int explicit_max = horizontal ? file_max.width : file_max.height;
    Axis axis;
    axis.hint = std::max(std::min(std::max(hint, min), explicit_max), explicit_min);
    axis.min = policy.shrink ? min : std::max(hint, min);
    if (explicit_min > 0) axis.min = explicit_min;
    axis.min = std::min(axis.min, explicit_max);
    axis.max = explicit_max;
    if (explicit_max >= kUnlimited && !policy.grow) axis.max = axis.hint;
    axis.max = std::max(axis.max, axis.min);
    axis.expanding = policy.expand;
    return axis;
}

Axis Engine::WidgetWidth(const Widget& widget) const {
    if (Hidden(widget)) return {0, 0, 0, false, 0, true};
    if (widget.layout) {
        Axis inner = LayoutWidth(*widget.layout, OwnerOf(widget));
        return FromHints(widget, true, inner.hint, inner.min,
                         {inner.max > inner.hint, true, inner.expanding});
    }
    WidgetHints hints = ClassHints(widget, context_);
    return FromHints(widget, true, hints.hint.width, hints.min.width, hints.horizontal);
}

Axis Engine::WidgetHeight(const Widget& widget, int width) const {
    if (Hidden(widget)) return {0, 0, 0, false, 0, true};
    if (widget.layout) {
        Axis inner = LayoutHeight(*widget.layout, OwnerOf(widget), width);
        return FromHints(widget, false, inner.hint, inner.min,
                         {inner.max > inner.hint, true, inner.expanding});
    }
    WidgetHints hints = ClassHints(widget, context_);
    if (hints.height_for_width) {
        int height = LabelHeightForWidth(widget, width, context_);
        return FromHints(widget, false, height, height, hints.vertical);
    }
    return FromHints(widget, false, hints.hint.height, hints.min.height, hints.vertical);
}

// A widget in its cell: no larger than its maximum, centred in what is left.
void Engine::PlaceWidget(const Widget& widget, Rect cell, Placed& placed) const {
    if (Hidden(widget)) return;
    int width = std::min(cell.width, WidgetWidth(widget).max);
    int height = std::min(cell.height, WidgetHeight(widget, width).max);
    Rect rect{cell.x + (cell.width - width) / 2, cell.y + (cell.height - height) / 2, width, height};
    placed[&widget] = rect;
    if (widget.layout) PlaceLayout(*widget.layout, OwnerOf(widget), rect, placed);
}

Axis Engine::SpacerAxis(const Spacer& spacer, bool horizontal) const {
    Axis axis;
    axis.empty = true;
    if (spacer.vertical == horizontal) return axis;  // across: Qt's Minimum policy with no hint
    Policy policy = PolicyNamed(spacer.size_type);
    int hint = context_.Scaled(horizontal ? spacer.hint.width : spacer.hint.height);
    axis.hint = hint;
    axis.min = policy.shrink ? 0 : hint;
    axis.max = policy.grow ? kUnlimited : hint;
    axis.expanding = policy.expand;
    return axis;
}

bool Engine::ItemEmpty(const LayoutItem& item) const {
    if (item.spacer) return true;
    if (item.widget) return Hidden(*item.widget);
    for (const LayoutItem& inner : item.layout->items) {
        if (!ItemEmpty(inner)) return false;
    }
    return true;
}

Axis Engine::ItemWidth(const LayoutItem& item, const Params& params) const {
    if (item.widget) return WidgetWidth(*item.widget);
    if (item.spacer) return SpacerAxis(*item.spacer, true);
    Axis axis = LayoutWidth(*item.layout, NestedIn(params));
    axis.empty = ItemEmpty(item);
    return axis;
}

Axis Engine::ItemHeight(const LayoutItem& item, const Params& params, int width) const {
    if (item.widget) return WidgetHeight(*item.widget, width);
    if (item.spacer) return SpacerAxis(*item.spacer, false);
    Axis axis = LayoutHeight(*item.layout, NestedIn(params), width);
    axis.empty = ItemEmpty(item);
    return axis;
}

void Engine::PlaceItem(const LayoutItem& item, const Params& params, Rect cell, Placed& placed) const {
    if (item.widget) PlaceWidget(*item.widget, cell, placed);
    if (item.layout) PlaceLayout(*item.layout, NestedIn(params), cell, placed);
}

bool IsBox(const Layout& layout) {
    return layout.class_name == "QVBoxLayout" || layout.class_name == "QHBoxLayout";
}
bool IsForm(const Layout& layout) { return layout.class_name == "QFormLayout"; }

// The stretch factors of a box layout, one per item.
std::vector<Axis> WithStretch(std::vector<Axis> items, const Layout& layout) {
    std::vector<int> stretch = NumberList(layout, "stretch");
    for (size_t i = 0; i < items.size() && i < stretch.size(); ++i) items[i].stretch = std::max(0, stretch[i]);
    return items;
}

// A form layout's label column is as wide as its widest label; spanning rows
// are column 0 with a span of 2.
std::vector<Axis> Engine::Columns(const Layout& layout, const Params& params) const {
    int count = 1;
    for (const LayoutItem& item : layout.items) count = std::max(count, item.column + item.column_span);
    if (IsForm(layout)) count = 2;
    std::vector<Axis> columns(count);
    for (Axis& column : columns) column.empty = true;
    std::vector<int> minimum = NumberList(layout, "columnMinimumWidth");
    std::vector<int> stretch = NumberList(layout, "columnStretch");
    for (int c = 0; c < count; ++c) {
        if (c < static_cast<int>(minimum.size())) columns[c].min = columns[c].hint = context_.Scaled(minimum[c]);
        if (c < static_cast<int>(stretch.size())) columns[c].stretch = std::max(0, stretch[c]);
    }
    // Single cells first, as Qt does; spanning cells then widen the columns
    // they cover when those are too narrow.
    for (const LayoutItem& item : layout.items) {
        if (item.column_span != 1 || item.column >= count || ItemHidden(item)) continue;
        Axis cell = ItemWidth(item, params);
        Axis& column = columns[item.column];
        column.min = std::max(column.min, cell.min);
        column.hint = std::max(column.hint, cell.hint);
        CombineMaximum(column.max, column.expanding, column.empty, cell);
    }
    if (IsForm(layout)) {
        columns[0].max = columns[0].hint;  // labels keep their width
        columns[0].expanding = false;
        columns[1].max = kUnlimited;       // fields grow up to their own maximum
    }
    for (const LayoutItem& item : layout.items) {
        if (item.column_span == 1 || ItemHidden(item)) continue;
        int last = std::min(count, item.column + item.column_span);
        Axis cell = ItemWidth(item, params);
        int covered_min = 0, covered_hint = 0;
        bool any_expanding = false;
        for (int c = item.column; c < last; ++c) {
            covered_min += columns[c].min;
            covered_hint += columns[c].hint;
            any_expanding = any_expanding || columns[c].expanding;
            columns[c].empty = columns[c].empty && cell.empty;
        }
        int gaps = (last - item.column - 1) * params.horizontal_spacing;
        int widen_min = cell.min - covered_min - gaps, widen_hint = cell.hint - covered_hint - gaps;
        Axis& widest = columns[last - 1];
        widest.min += std::max(0, widen_min);
        widest.hint += std::max(0, widen_hint);
        widest.max = std::max(widest.max, widest.hint);
        if (cell.expanding && !any_expanding) widest.expanding = true;
    }
    for (Axis& column : columns) {
        column.hint = std::max(column.hint, column.min);
        column.max = std::max(column.max, column.hint);
        if (column.stretch > 0) column.expanding = true;
    }
    return columns;
}

Rect Engine::Cell(const LayoutItem& item, const std::vector<Span>& columns, const std::vector<Span>& rows) const {
    int first_column = std::min<int>(item.column, static_cast<int>(columns.size()) - 1);
    int last_column = std::min<int>(item.column + item.column_span, static_cast<int>(columns.size())) - 1;
    int first_row = std::min<int>(item.row, static_cast<int>(rows.size()) - 1);
    int last_row = std::min<int>(item.row + item.row_span, static_cast<int>(rows.size())) - 1;
    Rect cell;
    cell.x = columns[first_column].position;
    cell.width = columns[last_column].position + columns[last_column].length - cell.x;
    cell.y = rows[first_row].position;
    cell.height = rows[last_row].position + rows[last_row].length - cell.y;
    return cell;
}

std::vector<Axis> Engine::Rows(const Layout& layout, const Params& params, const std::vector<Span>& columns) const {
    int count = 1;
    for (const LayoutItem& item : layout.items) count = std::max(count, item.row + item.row_span);
    std::vector<Axis> rows(count);
    for (Axis& row : rows) row.empty = true;
    std::vector<int> minimum = NumberList(layout, "rowMinimumHeight");
    std::vector<int> stretch = NumberList(layout, "rowStretch");
    for (int r = 0; r < count; ++r) {
        if (r < static_cast<int>(minimum.size())) rows[r].min = rows[r].hint = context_.Scaled(minimum[r]);
        if (r < static_cast<int>(stretch.size())) rows[r].stretch = std::max(0, stretch[r]);
    }
    std::vector<Span> single_row(count);
    for (const LayoutItem& item : layout.items) {
        if (ItemHidden(item)) continue;
        Rect cell = Cell(item, columns, single_row);
        Axis height = ItemHeight(item, params, cell.width);
        int last = std::min(count, item.row + item.row_span);
        if (item.row_span == 1) {
            Axis& row = rows[item.row];
            row.min = std::max(row.min, height.min);
            row.hint = std::max(row.hint, height.hint);
            CombineMaximum(row.max, row.expanding, row.empty, height);
            continue;
        }
        int covered_min = 0, covered_hint = 0;
        for (int r = item.row; r < last; ++r) {
            covered_min += rows[r].min;
            covered_hint += rows[r].hint;
            rows[r].empty = rows[r].empty && height.empty;
        }
        int gaps = (last - item.row - 1) * params.vertical_spacing;
        rows[last - 1].min += std::max(0, height.min - covered_min - gaps);
        rows[last - 1].hint += std::max(0, height.hint - covered_hint - gaps);
    }
    for (Axis& row : rows) {
        row.hint = std::max(row.hint, row.min);
        row.max = std::max(row.max, row.hint);
        if (row.stretch > 0) row.expanding = true;
    }
    return rows;
}

std::vector<Span> Engine::ColumnSpans(const Layout& layout, const Params& params, int x, int width) const {
    return Distribute(Columns(layout, params), x, width, params.horizontal_spacing);
}

Axis Engine::LayoutWidth(const Layout& layout, const Owner& owner) const {
    Params params = ParamsOf(layout, owner, context_);
    Axis axis;
    if (IsBox(layout)) {
        std::vector<Axis> items;
        std::vector<std::pair<Axis, bool>> across;
        for (const LayoutItem& item : layout.items) {
            items.push_back(ItemWidth(item, params));
            across.push_back({items.back(), ItemHidden(item)});
        }
        axis = layout.class_name == "QHBoxLayout"
                   ? AlongLine(WithStretch(items, layout), params.horizontal_spacing)
                   : AcrossLine(across);
    } else {
        axis = AlongLine(Columns(layout, params), params.horizontal_spacing);
        if (IsForm(layout)) axis.max = kUnlimited;
    }
    return WithMargins(axis, params.left, params.right);
}

Axis Engine::LayoutHeight(const Layout& layout, const Owner& owner, int width) const {
    Params params = ParamsOf(layout, owner, context_);
    int inner = std::max(0, width - params.left - params.right);
    Axis axis;
    if (layout.class_name == "QVBoxLayout") {
        std::vector<Axis> items;
        for (const LayoutItem& item : layout.items) {
            int item_width = std::min(inner, ItemWidth(item, params).max);
            items.push_back(ItemHeight(item, params, item_width));
        }
        axis = AlongLine(WithStretch(items, layout), params.vertical_spacing);
    } else if (layout.class_name == "QHBoxLayout") {
        std::vector<Axis> widths;
        for (const LayoutItem& item : layout.items) widths.push_back(ItemWidth(item, params));
        std::vector<Span> spans = Distribute(WithStretch(widths, layout), 0, inner, params.horizontal_spacing);
        std::vector<std::pair<Axis, bool>> across;
        for (size_t i = 0; i < layout.items.size(); ++i) {
            across.push_back({ItemHeight(layout.items[i], params, spans[i].length),
                              ItemHidden(layout.items[i])});
        }
        axis = AcrossLine(across);
    } else {
        std::vector<Span> columns = ColumnSpans(layout, params, 0, inner);
        axis = AlongLine(Rows(layout, params, columns), params.vertical_spacing);
    }
    return WithMargins(axis, params.top, params.bottom);
}

void Engine::PlaceLayout(const Layout& layout, const Owner& owner, Rect area, Placed& placed) const {
    Params params = ParamsOf(layout, owner, context_);
    Rect inner{area.x + params.left, area.y + params.top,
               std::max(0, area.width - params.left - params.right),
               std::max(0, area.height - params.top - params.bottom)};
    if (IsBox(layout)) {
        bool horizontal = layout.class_name == "QHBoxLayout";
        std::vector<Axis> along;
        for (const LayoutItem& item : layout.items) {
            along.push_back(horizontal ? ItemWidth(item, params)
                                       : ItemHeight(item, params, std::min(inner.width, ItemWidth(item, params).max)));
        }
        std::vector<Span> spans = horizontal
            ? Distribute(WithStretch(along, layout), inner.x, inner.width, params.horizontal_spacing)
            : Distribute(WithStretch(along, layout), inner.y, inner.height, params.vertical_spacing);
        for (size_t i = 0; i < layout.items.size(); ++i) {
            Rect cell = horizontal ? Rect{spans[i].position, inner.y, spans[i].length, inner.height}
                                   : Rect{inner.x, spans[i].position, inner.width, spans[i].length};
            PlaceItem(layout.items[i], params, cell, placed);
        }
        return;
    }
    std::vector<Span> columns = ColumnSpans(layout, params, inner.x, inner.width);
    std::vector<Span> rows = Distribute(Rows(layout, params, columns), inner.y, inner.height,
                                        params.vertical_spacing);
    for (const LayoutItem& item : layout.items) {
        Rect cell = Cell(item, columns, rows);
        if (IsForm(layout) && item.widget && item.column_span == 1 && !Hidden(*item.widget)) {
            // Labels keep their own width, a little taller than one line at
            // most; fields start at the row's top, as wide as they may be.
            const Widget& widget = *item.widget;
            Axis width = WidgetWidth(widget);
            int w = std::min(cell.width, item.column == 0 ? width.hint : width.max);
            Axis height = WidgetHeight(widget, w);
            int h = item.column == 0 ? std::min(cell.height, height.hint * 7 / 4)
                                     : std::min(cell.height, height.max);
            Rect rect{cell.x, cell.y, w, h};
            placed[&widget] = rect;
            if (widget.layout) PlaceLayout(*widget.layout, OwnerOf(widget), rect, placed);
            continue;
        }
        PlaceItem(item, params, cell, placed);
    }
}

// A main window's central widget; the menu bar is the system's, outside the
// client area.
const Widget* CentralWidget(const Widget& window) {
    if (window.class_name != "QMainWindow") return nullptr;
    for (const auto& child : window.children) {
        if (child->class_name != "QMenuBar" && child->class_name != "QMenu" &&
            child->class_name != "QStatusBar" && child->class_name != "QToolBar")
            return child.get();
    }
    return nullptr;
}

// Widgets outside any layout stand at their "geometry", relative to their
// parent.
void PlaceByGeometry(const Widget& parent, int x, int y, const Engine& engine, const Context& context,
                     Placed& placed) {
    for (const auto& child : parent.children) {
        if (child->class_name == "QMenuBar" || child->class_name == "QMenu" || engine.Hidden(*child)) continue;
        const Value* geometry = child->Find("geometry");
        Rect rect;
        if (geometry != nullptr && geometry->type == Value::Type::Rect) {
            rect = {x + context.Scaled(geometry->rect.x), y + context.Scaled(geometry->rect.y),
                    context.Scaled(geometry->rect.width), context.Scaled(geometry->rect.height)};
        }
        placed[child.get()] = rect;
        if (child->layout)
            engine.PlaceLayout(*child->layout, engine.OwnerOf(*child), rect, placed);
        else
            PlaceByGeometry(*child, rect.x, rect.y, engine, context, placed);
    }
}

Size GeometrySize(const Widget& widget, const Context& context) {
    const Value* geometry = widget.Find("geometry");
    if (geometry == nullptr || geometry->type != Value::Type::Rect) return {};
    return {context.Scaled(geometry->rect.width), context.Scaled(geometry->rect.height)};
}

// What lays out the container's client area: its own layout, or its central
// widget's.
const Widget& LaidOut(const Widget& container) {
    const Widget* central = CentralWidget(container);
    return central != nullptr ? *central : container;
}


// A container's client size: its layout's hint (`preferred`) or minimum, or
// its geometry when it has no layout.
Size ClientSize(const Widget& container, const TextMetrics& metrics, const LiveState& live,
                bool preferred) {
    Context context{metrics, live, metrics.Scale()};
    Engine engine(context);
    const Widget& laid_out = LaidOut(container);
    if (!laid_out.layout) return GeometrySize(laid_out, context);
    Owner owner = engine.OwnerOf(laid_out);
    Axis width = engine.LayoutWidth(*laid_out.layout, owner);
    const int chosen = preferred ? width.hint : width.min;
    Axis height = engine.LayoutHeight(*laid_out.layout, owner, chosen);
    return {chosen, preferred ? height.hint : height.min};
}

}  // namespace

Size PreferredClientSize(const Widget& container, const TextMetrics& metrics, const LiveState& live) {
    return ClientSize(container, metrics, live, true);
}

Size MinimumClientSize(const Widget& container, const TextMetrics& metrics, const LiveState& live) {
    return ClientSize(container, metrics, live, false);
}

Size InitialClientSize(const Widget& container, const TextMetrics& metrics, const LiveState& live) {
    Context context{metrics, live, metrics.Scale()};
    Size geometry = GeometrySize(container, context);
    const Widget& laid_out = LaidOut(container);
    if (geometry.width <= 0 || geometry.height <= 0) return PreferredClientSize(container, metrics, live);
    if (!laid_out.layout) return geometry;
    Engine engine(context);
    Owner owner = engine.OwnerOf(laid_out);
    int width = std::max(geometry.width, engine.LayoutWidth(*laid_out.layout, owner).min);
    return {width, std::max(geometry.height, engine.LayoutHeight(*laid_out.layout, owner, width).min)};
}

std::map<const Widget*, Rect> Arrange(const Widget& container, Size client, const TextMetrics& metrics,
                                      const LiveState& live) {
    Context context{metrics, live, metrics.Scale()};
    Engine engine(context);
    Placed placed;
    Rect area{0, 0, client.width, client.height};
    const Widget* central = CentralWidget(container);
    if (central != nullptr) {
        placed[central] = area;
        if (central->layout)
            engine.PlaceLayout(*central->layout, engine.OwnerOf(*central), area, placed);
        else
            PlaceByGeometry(*central, 0, 0, engine, context, placed);
        return placed;
    }
    if (container.layout)
        engine.PlaceLayout(*container.layout, engine.OwnerOf(container), area, placed);
    else
        PlaceByGeometry(container, 0, 0, engine, context, placed);
    return placed;
}

}  // namespace ui_layout
