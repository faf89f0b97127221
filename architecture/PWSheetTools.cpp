// Tables and title blocks.
#include "architecture/PWSheetTools.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "architecture/ArchitectureGlobals.h"
#include "architecture/ArchitectureMessages.h"
#include "architecture/ArtMaking.h"
#include "architecture/PWToolOptions.h"
#include "artwork/DrawingLayer.h"
#include "core/UserLayer.h"
#include "drawtools/DrawToolSupport.h"
#include "geometry/PlaneGeometry.h"
#include "geometry/PointMath.h"

namespace {

constexpr GlobalsView<ArchitectureGlobals> g;

constexpr int32_t kMostRowsOrColumns = 50;
constexpr AIReal kPageMargin = 18;  // a quarter inch: where a clicked title block sits
constexpr AIReal kCapHeight = 0.7f;  // of the text size, to centre a line in its row
constexpr AIReal kPadding = 0.15f;   // of the row height, each side of a text

AIRealPoint OntoPage(AIRealPoint p, const AIRealRect& page) {
    return {std::clamp(p.h, page.left, page.right), std::clamp(p.v, page.bottom, page.top)};
}

// The rectangle moved (and, only when larger than the page, cut) onto the page.
AIRealRect OntoPage(const AIRealRect& r, const AIRealRect& page) {
    const AIReal w = std::min(r.right - r.left, page.right - page.left);
    const AIReal h = std::min(r.top - r.bottom, page.top - page.bottom);
    const AIReal left = std::clamp(r.left, page.left, page.right - w);
    const AIReal top = std::clamp(r.top, page.bottom + h, page.top);
    return {left, top, left + w, top - h};
}

AIErr Line(AIArtHandle group, const AIPathStyle& paint, AIRealPoint a, AIRealPoint b) {
    return NewPath(group, kPlaceInsideOnTop, {CornerAnchor(a), CornerAnchor(b)}, false, &paint);
}

AIErr Frame(AIArtHandle group, const AIPathStyle& paint, const AIRealRect& r) {
    return NewPath(group, kPlaceInsideOnTop,
                   {CornerAnchor({r.left, r.top}), CornerAnchor({r.right, r.top}), CornerAnchor({r.right, r.bottom}),
                    CornerAnchor({r.left, r.bottom})},
                   true, &paint);
}

// A line of text in a row whose bottom is at `bottom`, centred on x or starting there.
AIErr RowText(AIArtHandle group, const std::string& text, AIReal x, AIReal bottom, AIReal rowHeight, AIReal size,
              bool centred, AIReal width) {
    const AIReal pad = kPadding * rowHeight;
    const AIRealPoint at{centred ? x : x + pad, bottom + (rowHeight - kCapHeight * size) / 2};
    return PlaceText(group, text, at, size, centred, width - 2 * pad);
}

std::vector<std::string> Split(const std::string& text, char at) {
    std::vector<std::string> parts;
    size_t from = 0;
    for (size_t to; (to = text.find(at, from)) != std::string::npos; from = to + 1)
        parts.push_back(text.substr(from, to - from));
    parts.push_back(text.substr(from));
    return parts;
}

}  // namespace

// --- the label-like tools ---

AIErr PWLabelTool::mouseDrag(AIRealPoint cursor) {
    if (!unusable().empty()) return kNoErr;  // said at the release
    AIRealRect page{};
    GetPageRect(&page);
    const AIRealPoint c = OntoPage(g->firstClick, page), q = OntoPage(cursor, page);
    const AIReal dx = q.h - c.h, dy = q.v - c.v;
    const AIReal angle = RadiansToDegrees(static_cast<AIReal>(std::atan2(dy, dx)));
    if (AIErr err = updateTrackerWindow(q.h, q.v, dx, dy, dx, dy, kMissingValue, angle, kMissingValue,
                                        2 * (std::fabs(dx) + std::fabs(dy)), std::fabs(dx * dy)))
        return err;
    if (std::fabs(dx) < 1 || std::fabs(dy) < 1) return kNoErr;  // nothing to draw in yet
    return place({std::min(c.h, q.h), std::max(c.v, q.v), std::max(c.h, q.h), std::min(c.v, q.v)});
}

AIErr PWLabelTool::mouseUp(AIRealPoint click, bool dragged) {
    AIErr err = kNoErr;
    if (const std::string why = unusable(); !why.empty()) {
        err = SayWords(why);
    } else if (!dragged) {
        AIRealRect page{};
        GetPageRect(&page);
        err = place(OntoPage(clickRect(click, page), page));
    }
    // The drafter's own layer is current again, whichever layer the art went on.
    if (AIErr restored = RestoreSaveLayer(); restored && !err) err = restored;
    return err;
}

AIErr PWLabelTool::place(const AIRealRect& r) const {
    if (AIErr err = prepLayer(1)) return err;
    return drawIn(g->group, r);
}

// --- table ---

PWTableTool::PWTableTool()
    : _rows("ZMKPWTableTool", "rows", 4),
      _columns("ZMKPWTableTool", "columns", 3),
      _rowHeight("ZMKPWTableTool", "rowHeight", 18),
      _columnWidth("ZMKPWTableTool", "columnWidth", 72),
      _headings("ZMKPWTableTool", "headings", "") {
    own({&_rows, &_columns, &_rowHeight, &_columnWidth, &_headings});
}

std::string PWTableTool::unusable() const {
    const auto count = [](const PWPersistentInt32& n) { return n.get() >= 1 && n.get() <= kMostRowsOrColumns; };
    if (count(_rows) && count(_columns) && UsableLength(_rowHeight) && UsableLength(_columnWidth)) return {};
    return ArchitectureText(kSheetSettingsMessage, {ArchitectureText(kTableWord)});
}

AIRealRect PWTableTool::clickRect(AIRealPoint click, const AIRealRect&) const {
    const auto w = static_cast<AIReal>(_columns.get() * _columnWidth.get());
    const auto h = static_cast<AIReal>(_rows.get() * _rowHeight.get());
    return {click.h, click.v, click.h + w, click.v - h};
}

AIErr PWTableTool::drawIn(AIArtHandle group, const AIRealRect& r) const {
    const AIPathStyle paint = UnfilledPaint();
    const int32_t rows = _rows.get(), columns = _columns.get();
    const AIReal rowHeight = (r.top - r.bottom) / rows, columnWidth = (r.right - r.left) / columns;
    if (AIErr err = Frame(group, paint, r)) return err;
    for (int32_t k = 1; k < rows; ++k) {
        const AIReal y = r.top - k * rowHeight;
        if (AIErr err = Line(group, paint, {r.left, y}, {r.right, y})) return err;
    }
    for (int32_t k = 1; k < columns; ++k) {
        const AIReal x = r.left + k * columnWidth;
        if (AIErr err = Line(group, paint, {x, r.top}, {x, r.bottom})) return err;
    }
    if (_headings.get().empty()) return kNoErr;
    const std::vector<std::string> headings = Split(_headings.get(), '|');
    for (size_t k = 0; k < headings.size() && k < static_cast<size_t>(columns); ++k)
        if (AIErr err = RowText(group, headings[k], r.left + (k + 0.5f) * columnWidth, r.top - rowHeight, rowHeight,
                                rowHeight / 2, true, columnWidth))
            return err;
    return kNoErr;
}

AIErr PWTableTool::editOptions() {
    const OptionField fields[] = {
        {.item = 4, .count = &_rows, .least = 1, .most = kMostRowsOrColumns},
        {.item = 6, .count = &_columns, .least = 1, .most = kMostRowsOrColumns},
        {.item = 8, .length = &_rowHeight},
        {.item = 10, .length = &_columnWidth},
        {.item = 12, .text = &_headings},
    };
    return RunOptionsDialog("TableOptions", 16980, fields);
}

// --- title block ---

PWTitleBlockTool::PWTitleBlockTool()
    : _width("ZMKPWTitleBlockTool", "width", 288),
      _height("ZMKPWTitleBlockTool", "height", 90),
      _title("ZMKPWTitleBlockTool", "title", "Title"),
      _project("ZMKPWTitleBlockTool", "project", ""),
      _drawnBy("ZMKPWTitleBlockTool", "drawnBy", ""),
      _sheet("ZMKPWTitleBlockTool", "sheet", "1") {
    own({&_width, &_height, &_title, &_project, &_drawnBy, &_sheet});
}

std::string PWTitleBlockTool::unusable() const {
    if (UsableLength(_width) && UsableLength(_height)) return {};
    return ArchitectureText(kSheetSettingsMessage, {ArchitectureText(kTitleBlockWord)});
}

AIRealRect PWTitleBlockTool::clickRect(AIRealPoint, const AIRealRect& page) const {
    const AIReal right = page.right - kPageMargin, bottom = page.bottom + kPageMargin;
    return {right - static_cast<AIReal>(_width.get()), bottom + static_cast<AIReal>(_height.get()), right, bottom};
}

AIErr PWTitleBlockTool::drawIn(AIArtHandle group, const AIRealRect& r) const {
    const AIPathStyle paint = UnfilledPaint();
    const AIReal width = r.right - r.left, height = r.top - r.bottom;
    const AIReal titleHeight = 0.4f * height, rowHeight = 0.3f * height;
    const AIReal y1 = r.top - titleHeight, y2 = y1 - rowHeight, middle = r.left + width / 2;
    if (AIErr err = Frame(group, paint, r)) return err;
    for (AIReal y : {y1, y2})
        if (AIErr err = Line(group, paint, {r.left, y}, {r.right, y})) return err;
    if (AIErr err = Line(group, paint, {middle, y1}, {middle, r.bottom})) return err;
    if (AIErr err = RowText(group, _title.get(), middle, y1, titleHeight, titleHeight / 2, true, width)) return err;
    struct Cell {
        AIReal left, bottom;
        int32_t caption;
        std::string value;
    };
    const Cell cells[] = {
        {r.left, y2, kProjectCaption, _project.get()},
        {middle, y2, kScaleCaption, g->prefs.scaleStr},
        {r.left, r.bottom, kDrawnByCaption, _drawnBy.get()},
        {middle, r.bottom, kSheetCaption, _sheet.get()},
    };
    for (const Cell& c : cells)
        if (AIErr err = RowText(group, ArchitectureText(c.caption) + c.value, c.left, c.bottom, rowHeight,
                                0.4f * rowHeight, false, width / 2))
            return err;
    return kNoErr;
}

AIErr PWTitleBlockTool::editOptions() {
    const OptionField fields[] = {
        {.item = 4, .length = &_width},    {.item = 6, .length = &_height}, {.item = 8, .text = &_title},
        {.item = 10, .text = &_project}, {.item = 12, .text = &_drawnBy}, {.item = 14, .text = &_sheet},
    };
    return RunOptionsDialog("TitleBlockOptions", 16990, fields);
}
