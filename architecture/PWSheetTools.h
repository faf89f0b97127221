// The label-like class-based tools, which put art on the sheet rather than in the drawing:
// the table and the title block. A drag gives the rectangle, kept on the page, the tracker
// showing it as the rectangle tool's; a click places one of the tool's own size, a table
// with its top-left corner at the click and a title block in the page's bottom-right corner
// inside a margin, moved onto the page where it would leave it. Lines take the stroke of new
// art, unfilled; texts are in the host's default face, sized to their rows and made smaller
// where they would not fit. They go on the dimension layer when the drafter keeps one, else
// on the drawing layer. Sizes are paper sizes, at every drawing scale the same.
#pragma once

#include <string>

#include "architecture/PWTool.h"

class PWLabelTool : public PWTool {
public:
    AIErr mouseDrag(AIRealPoint cursor) override;
    AIErr mouseUp(AIRealPoint click, bool dragged) override;

protected:
    // Why the tool's settings cannot be drawn ("" when they can).
    virtual std::string unusable() const = 0;
    // The rectangle a click places (art coordinates, y up), before it is moved onto the page.
    virtual AIRealRect clickRect(AIRealPoint click, const AIRealRect& page) const = 0;
    virtual AIErr drawIn(AIArtHandle group, const AIRealRect& r) const = 0;

private:
    AIErr place(const AIRealRect& r) const;
};

// A grid of rows and columns; the first row shows the headings, "|" between them.
class PWTableTool final : public PWLabelTool, public PWToolInstance<PWTableTool> {
public:
    AIErr editOptions() override;

private:
    friend class PWToolInstance<PWTableTool>;
    PWTableTool();
    std::string unusable() const override;
    AIRealRect clickRect(AIRealPoint click, const AIRealRect& page) const override;
    AIErr drawIn(AIArtHandle group, const AIRealRect& r) const override;
    PWPersistentInt32 _rows, _columns;
    PWPersistentDouble _rowHeight, _columnWidth;
    PWPersistentString _headings;
};

// The drawing's title across the top; the project and the scale (the current scale's
// label), the drafter and the sheet below it.
class PWTitleBlockTool final : public PWLabelTool, public PWToolInstance<PWTitleBlockTool> {
public:
    AIErr editOptions() override;

private:
    friend class PWToolInstance<PWTitleBlockTool>;
    PWTitleBlockTool();
    std::string unusable() const override;
    AIRealRect clickRect(AIRealPoint click, const AIRealRect& page) const override;
    AIErr drawIn(AIArtHandle group, const AIRealRect& r) const override;
    PWPersistentDouble _width, _height;
    PWPersistentString _title, _project, _drawnBy, _sheet;
};
