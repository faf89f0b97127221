// Annotators: transient drawing over the document views. The host sends
// "AI Annotation"/"AI Draw" with a view and a drawer; everything drawn goes through the
// drawer suite in view coordinates (pixels, y down) and is kept until the next drawing.
#pragma once

#include "AIDocument.h"
#include "AILayer.h"  // AIRGBColor
#include "AITypes.h"
#include "SPMessages.h"

#define kAIAnnotatorSuite "AI Annotator Suite"
#define kAIAnnotatorSuiteVersion 1
#define kAIAnnotatorDrawerSuite "AI Annotator Drawer Suite"
#define kAIAnnotatorDrawerSuiteVersion 1

typedef struct _t_AIAnnotatorDrawer AIAnnotatorDrawer;

struct AIRect {
    int32_t left, top, right, bottom;  // view pixels, y down
};

struct AIAnnotatorMessage {
    SPMessageData d;
    AIAnnotatorHandle annotator;
    AIDocumentViewHandle view;
    AIAnnotatorDrawer* drawer;
    AIRect invalidationRect;  // the area to redraw
};

struct AIAnnotatorSuite {
    // New annotators are active.
    AIErr (*AddAnnotator)(SPPluginRef self, const char* name, AIAnnotatorHandle* annotator);
    AIErr (*GetAnnotatorName)(AIAnnotatorHandle annotator, const char** name);
    AIErr (*GetAnnotatorActive)(AIAnnotatorHandle annotator, ASBoolean* active);
    AIErr (*SetAnnotatorActive)(AIAnnotatorHandle annotator, ASBoolean active);
    AIErr (*GetAnnotatorPlugin)(AIAnnotatorHandle annotator, SPPluginRef* plugin);
    AIErr (*CountAnnotators)(int32_t* count);
    AIErr (*GetNthAnnotator)(int32_t n, AIAnnotatorHandle* annotator);
    // Asks for a redraw of that area of the view (null view: every view).
    AIErr (*InvalAnnotationRect)(AIDocumentViewHandle view, const AIRect* rect);
};

struct AIAnnotatorDrawerSuite {
    AIErr (*SetColor)(AIAnnotatorDrawer* drawer, const AIRGBColor* color);
    AIErr (*SetLineWidth)(AIAnnotatorDrawer* drawer, AIReal width);
    AIErr (*SetLineDashed)(AIAnnotatorDrawer* drawer, ASBoolean dashed);
    AIErr (*DrawLine)(AIAnnotatorDrawer* drawer, const AIPoint* start, const AIPoint* end);
    AIErr (*DrawRect)(AIAnnotatorDrawer* drawer, const AIRect* rect, ASBoolean fill);
    AIErr (*DrawEllipse)(AIAnnotatorDrawer* drawer, const AIRect* rect, ASBoolean fill);
    // Clears a rectangle to the view's background (behind labels).
    AIErr (*ClearRect)(AIAnnotatorDrawer* drawer, const AIRect* rect);
    AIErr (*SetFontSize)(AIAnnotatorDrawer* drawer, AIReal size);
    // Text with its baseline's left end at `origin` (platform text, copied).
    AIErr (*DrawText)(AIAnnotatorDrawer* drawer, const char* text, const AIPoint* origin);
    AIErr (*GetTextBounds)(AIAnnotatorDrawer* drawer, const char* text, const AIPoint* origin, AIRect* bounds);
};
