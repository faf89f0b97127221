// The art suite: create, dispose, walk and inspect the art tree of the front document.
// Art handles name stable objects; a call on disposed or undone art returns
// kStaleHandleErr ('STAL') and ValidArt answers false.
#pragma once

#include "AITypes.h"

#define kAIArtSuite "AI Art Suite"
#define kAIArtSuiteVersion 1

// Bounds flags. Every bound is the exact geometric bound of the curves without stroke;
// the flags are accepted for the callers' sake and do not change the result.
enum : int32_t {
    kVisibleBounds = 0x02,
    kNoStrokeBounds = 0x02,
    kExcludeHiddenObjectBounds = 0x40,
};

struct AIArtSuite {
    // types: kGroupArt, kPathArt, kCompoundPathArt (kTextFrameArt through the text suites).
    // A new path has no segments, is open and takes the document's current path style.
    AIErr (*NewArt)(int16_t type, int16_t paintOrder, AIArtHandle prep, AIArtHandle* newArt);
    AIErr (*DisposeArt)(AIArtHandle art);
    AIErr (*GetArtType)(AIArtHandle art, int16_t* type);
    // Null (and no error) where there is no such art.
    AIErr (*GetArtParent)(AIArtHandle art, AIArtHandle* parent);
    AIErr (*GetArtFirstChild)(AIArtHandle art, AIArtHandle* child);  // topmost child
    AIErr (*GetArtSibling)(AIArtHandle art, AIArtHandle* sibling);   // next one down
    AIErr (*GetArtPriorSibling)(AIArtHandle art, AIArtHandle* sibling);
    AIErr (*GetFirstArtOfLayer)(AILayerHandle layer, AIArtHandle* art);  // the layer's group
    AIErr (*GetLayerOfArt)(AIArtHandle art, AILayerHandle* layer);
    AIErr (*GetArtBounds)(AIArtHandle art, AIRealRect* bounds);
    AIErr (*GetArtTransformBounds)(AIArtHandle art, const AIRealMatrix* matrix, int32_t flags,
                                   AIRealRect* bounds);
    // Reads the attributes of `mask` (kArtSelected, kArtLocked, kArtHidden, kArtFullySelected);
    // a layer's group reads locked and hidden as its layer is.
    AIErr (*GetArtUserAttr)(AIArtHandle art, uint32_t mask, uint32_t* attr);
    // Setting kArtFullySelected also selects the art with every anchor.
    AIErr (*SetArtUserAttr)(AIArtHandle art, uint32_t mask, uint32_t attr);
    // The art's dictionary, created on first request, with one reference for the caller.
    AIErr (*GetDictionary)(AIArtHandle art, AIDictionaryRef* dictionary);
    AIErr (*DuplicateArt)(AIArtHandle art, int16_t paintOrder, AIArtHandle prep, AIArtHandle* newArt);
    AIErr (*ReorderArt)(AIArtHandle art, int16_t paintOrder, AIArtHandle prep);
    AIErr (*SetArtCenterPointVisible)(AIArtHandle art, ASBoolean visible);
    AIErr (*GetArtCenterPointVisible)(AIArtHandle art, ASBoolean* visible);
    AIErr (*IsArtLayerGroup)(AIArtHandle art, ASBoolean* isLayerGroup);
    // True when the handle names live art of the front document (of any open document
    // when searchAllLayerLists is set).
    ASBoolean (*ValidArt)(AIArtHandle art, ASBoolean searchAllLayerLists);
    ASBoolean (*ArtHasFill)(AIArtHandle art);
    ASBoolean (*ArtHasStroke)(AIArtHandle art);
    // The stand-in has no plug-in art: always an error.
    AIErr (*GetPluginArtEditArt)(AIArtHandle art, AIArtHandle* editArt);
    // Whether the art has a dictionary yet (GetDictionary makes one when there is none), so
    // that a look for an entry need not give art a dictionary it does not have.
    ASBoolean (*HasDictionary)(AIArtHandle art);
};
