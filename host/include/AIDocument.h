// The document suite and document views: page setup, ruler origin, the document
// dictionary, and the views of the front document (one per open document, zoom 1.0
// unless set). With no document open the view count is 0.
#pragma once

#include "AITypes.h"

#define kAIDocumentSuite "AI Document Suite"
#define kAIDocumentSuiteVersion 1
#define kAIDocumentViewSuite "AI Document View Suite"
#define kAIDocumentViewSuiteVersion 1

struct AIPoint {
    int32_t h, v;
};

struct AIDocumentSuite {
    AIErr (*GetDocumentSetup)(AIDocumentSetup* setup);
    AIErr (*SetDocumentSetup)(const AIDocumentSetup* setup);
    AIErr (*GetDocumentRulerOrigin)(AIRealPoint* origin);
    AIErr (*SetDocumentRulerOrigin)(const AIRealPoint* origin);
    AIErr (*GetDocumentMaxArtboardBounds)(AIRealRect* bounds);
    // The document's dictionary, with one reference for the caller.
    AIErr (*GetDictionary)(AIDictionaryRef* dictionary);
    AIErr (*SyncDocument)();
    AIErr (*GetDocument)(AIDocumentHandle* document);
    // A number naming the front document's content: every change gives it a new one, and
    // undo and redo give back the number of the content they bring back. What a plug-in
    // works out from the document holds while the number is one it worked it out at.
    AIErr (*GetDocumentRevision)(uint64_t* revision);
};

struct AIDocumentViewSuite {
    AIErr (*CountDocumentViews)(int32_t* count);
    AIErr (*GetNthDocumentView)(int32_t index, AIDocumentViewHandle* view);
    AIErr (*GetDocumentViewZoom)(AIDocumentViewHandle view, AIReal* zoom);
    AIErr (*SetDocumentViewZoom)(AIDocumentViewHandle view, AIReal zoom);
    // Artwork points (y up) to view pixels (y down) and back, through the view's zoom and
    // centre.
    AIErr (*ArtworkPointToViewPoint)(AIDocumentViewHandle view, const AIRealPoint* artPoint,
                                     AIPoint* viewPoint);
    AIErr (*ViewPointToArtworkPoint)(AIDocumentViewHandle view, const AIPoint* viewPoint,
                                     AIRealPoint* artPoint);
    AIErr (*GetDocumentViewCenter)(AIDocumentViewHandle view, AIRealPoint* center);
    AIErr (*SetDocumentViewCenter)(AIDocumentViewHandle view, const AIRealPoint* center);
};
