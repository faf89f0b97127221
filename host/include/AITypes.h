// Basic types shared by every host suite: error codes, reals, points, rectangles,
// matrices, path segments, paint and the opaque handles the host hands out.
// Coordinates are document points (1/72 inch), h to the right and v upwards.
#pragma once

#include <cstddef>
#include <cstdint>

typedef int32_t AIErr;
typedef int32_t ASErr;
typedef float AIReal;
typedef unsigned char ASBoolean;
typedef unsigned char AIBoolean;
typedef int32_t ai_int32;
typedef int16_t ai_int16;

// Four-character error codes; 0 is success.
constexpr AIErr kNoErr = 0;
constexpr AIErr kBadParameterErr = 'PARM';   // null handle, negative count, bad argument
constexpr AIErr kStaleHandleErr = 'STAL';    // disposed, undone or unknown object
constexpr AIErr kOutOfRangeErr = 'RANG';     // segment or entry index out of range
constexpr AIErr kLockedErr = 'LOCK';         // creation or edit on a locked or hidden layer
constexpr AIErr kNoSuchKey = 'NOKY';         // dictionary or preference key missing
constexpr AIErr kNoDocumentErr = 'DOC?';     // no document open
constexpr AIErr kDataFilterErr = 'DFER';     // file cannot be opened by a data filter
constexpr AIErr kMatrixNotInvertibleErr = 'NMAT';
constexpr AIErr kNotImplementedErr = 'UNIM';
constexpr AIErr kWrongTypeErr = 'TYPE';      // entry holds another type
constexpr AIErr kOutOfMemoryErr = 'MEM!';
constexpr AIErr kUnknownSuiteErr = 'SUI?';   // no suite of that name and version
constexpr AIErr kCanceledErr = 'STOP';

struct AIRealPoint {
    AIReal h;
    AIReal v;
};
typedef AIRealPoint ASRealPoint;

// y up: top > bottom.
struct AIRealRect {
    AIReal left;
    AIReal top;
    AIReal right;
    AIReal bottom;
};
typedef AIRealRect ASRealRect;

// (x, y) -> (a·x + c·y + tx, b·x + d·y + ty).
struct AIRealMatrix {
    AIReal a, b, c, d, tx, ty;
};

struct AIPathSegment {
    AIRealPoint p;
    AIRealPoint in;
    AIRealPoint out;
    ASBoolean corner;
};

struct AIRealBezier {
    AIRealPoint p0, p1, p2, p3;
};

struct AIDocumentSetup {
    AIReal width;
    AIReal height;
};

// Art types.
enum : int16_t {
    kAnyArt = -1,
    kUnknownArt = 0,
    kGroupArt = 1,
    kPathArt = 2,
    kCompoundPathArt = 3,
    kRasterArt = 9,
    kPluginArt = 10,
    kForeignArt = 11,
    kTextFrameArt = 12,
    kLegacyTextArt = 15,
};

// Paint orders for new, duplicated and reordered art.
enum : int16_t {
    kPlaceAbove = 1,
    kPlaceBelow = 2,
    kPlaceInsideOnTop = 3,
    kPlaceInsideOnBottom = 4,
    kPlaceAboveAll = 5,
    kPlaceBelowAll = 6,
};

// User attributes.
enum : uint32_t {
    kArtSelected = 0x1,
    kArtLocked = 0x2,
    kArtHidden = 0x4,
    kArtFullySelected = 0x8,
};

// Paint.
enum AIColorTag : int16_t {
    kGrayColor = 0,
    kFourColor = 1,
    kPattern = 2,
    kCustomColor = 3,
    kGradient = 4,
    kThreeColor = 5,
    kNoneColor = 6,
};
typedef struct _t_AICustomColorOpaque* AICustomColorHandle;
typedef struct _t_AIGradientOpaque* AIGradientHandle;
typedef struct _t_AIPatternOpaque* AIPatternHandle;

struct AIGrayColorStyle { AIReal gray; };
struct AIFourColorStyle { AIReal cyan, magenta, yellow, black; };
struct AIThreeColorStyle { AIReal red, green, blue; };
struct AICustomColorStyle { AICustomColorHandle color; AIReal tint; };
struct AIGradientStyle { AIGradientHandle gradient; };
struct AIPatternStyle { AIPatternHandle pattern; };

struct AIColor {
    AIColorTag kind;
    union {
        AIGrayColorStyle g;
        AIFourColorStyle f;
        AIThreeColorStyle rgb;
        AICustomColorStyle c;
        AIGradientStyle b;
        AIPatternStyle p;
    } c;
};

// Colours compare by kind and the components that kind uses.
inline bool operator==(const AIColor& a, const AIColor& b) {
    if (a.kind != b.kind) return false;
    switch (a.kind) {
    case kGrayColor: return a.c.g.gray == b.c.g.gray;
    case kFourColor:
        return a.c.f.cyan == b.c.f.cyan && a.c.f.magenta == b.c.f.magenta && a.c.f.yellow == b.c.f.yellow &&
               a.c.f.black == b.c.f.black;
    case kThreeColor: return a.c.rgb.red == b.c.rgb.red && a.c.rgb.green == b.c.rgb.green && a.c.rgb.blue == b.c.rgb.blue;
    case kCustomColor: return a.c.c.color == b.c.c.color && a.c.c.tint == b.c.c.tint;
    case kGradient: return a.c.b.gradient == b.c.b.gradient;
    case kPattern: return a.c.p.pattern == b.c.p.pattern;
    case kNoneColor: return true;
    }
    return true;
}

enum : int16_t { kAIButtCap = 0, kAIRoundCap = 1, kAIProjectingCap = 2 };
enum : int16_t { kAIMiterJoin = 0, kAIRoundJoin = 1, kAIBevelJoin = 2 };

constexpr int kMaxDashComponents = 6;
struct AIDashStyle {
    int16_t length;  // 0 = solid
    AIReal offset;
    AIReal array[kMaxDashComponents];
};

struct AIFillStyle {
    AIColor color;
    ASBoolean overprint;
};

struct AIStrokeStyle {
    AIColor color;
    ASBoolean overprint;
    AIReal width;
    AIDashStyle dash;
    int16_t cap;
    int16_t join;
    AIReal miterLimit;
};

struct AIPathStyle {
    ASBoolean fillPaint;
    ASBoolean strokePaint;
    AIFillStyle fill;
    AIStrokeStyle stroke;
    ASBoolean clip;
    ASBoolean lockClip;
    ASBoolean evenodd;
};

// Opaque handles: each names a stable object of the host.
struct ArtObject;
typedef ArtObject* AIArtHandle;
typedef struct _t_AILayerOpaque* AILayerHandle;
typedef struct _t_AIDocumentOpaque* AIDocumentHandle;
typedef struct _t_AIDocumentViewOpaque* AIDocumentViewHandle;
typedef struct _t_AIDictionaryOpaque* AIDictionaryRef;
typedef struct _t_AIDictKeyOpaque* AIDictKey;
typedef struct _t_AIDictionaryIteratorOpaque* AIDictionaryIterator;
typedef struct _t_AIHitOpaque* AIHitRef;
typedef struct _t_AIMdMemoryOpaque* AIMdMemoryHandle;
typedef struct _t_AIToolOpaque* AIToolHandle;
typedef struct _t_AITimerOpaque* AITimerHandle;
// One step of the user's undo: the step a message's changes go to.
typedef struct _t_AIUndoStepOpaque* AIUndoStepRef;
typedef struct _t_AINotifierOpaque* AINotifierHandle;
typedef struct _t_AIMenuItemOpaque* AIMenuItemHandle;
typedef struct _t_AIMenuGroupOpaque* AIMenuGroup;
typedef struct _t_AIAnnotatorOpaque* AIAnnotatorHandle;
typedef struct _t_SPPluginOpaque* SPPluginRef;
typedef struct _t_AIFontKeyOpaque* AIFontKey;
