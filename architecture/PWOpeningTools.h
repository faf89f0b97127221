// The door and window insertion tools: a click on a wall of a house cuts an opening of the
// tool's width there, centred on the click, and draws its symbol. The width is the real one,
// as typed: it is drawn, and every length the tool names is, at the scale of the layer of
// the wall it is cut into, whatever layer is current. A door opens to the face
// of the wall nearer the click, hinged at the end of the opening towards the wall's start
// (option: at the other end). Where the opening does not fit (wider than the wall, past its
// end into a corner, over another door or window, or over a wall meeting this one) nothing
// is cut and the tool says why; while the cursor is over such a place the annotator warns
// beside it. Double-clicking the tool asks for its width ("DoorOptions", "WindowOptions").
#pragma once

#include <cstdint>

#include "architecture/PWTool.h"

class PWOpeningTool : public PWTool {
public:
    AIErr deselect() override;
    AIErr trackCursor(AIRealPoint cursor) override;
    AIErr mouseUp(AIRealPoint click, bool dragged) override;
    AIErr editOptions() override;

protected:
    PWOpeningTool(int32_t kind, const char* prefix, double width, const char* dialog, int32_t dialogID);

private:
    int32_t _kind;
    const char* _dialog;
    int32_t _dialogID;
    PWPersistentDouble _width;  // at full size
};

class PWDoorInsertionTool final : public PWOpeningTool, public PWToolInstance<PWDoorInsertionTool> {
    friend class PWToolInstance<PWDoorInsertionTool>;
    PWDoorInsertionTool();
};

class PWWindowInsertionTool final : public PWOpeningTool, public PWToolInstance<PWWindowInsertionTool> {
    friend class PWToolInstance<PWWindowInsertionTool>;
    PWWindowInsertionTool();
};
