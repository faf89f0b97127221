// The text engine's references and the "ATE Text Suite" behind the wrapper classes of
// IText.h. References (ranges, stories, story lists, feature sets, paints) are counted by
// the host: each one handed out carries one reference that its wrapper releases. The
// plug-in acquires the suite at start-up and stores it in `sATEText` (declared here).
#pragma once

#include "AITypes.h"

namespace ATE {

typedef struct _t_ATETextRange* TextRangeRef;
typedef struct _t_ATEStory* StoryRef;
typedef struct _t_ATEStories* StoriesRef;
typedef struct _t_ATECharFeatures* CharFeaturesRef;
typedef struct _t_ATEParaFeatures* ParaFeaturesRef;
typedef struct _t_ATEFont* FontRef;  // not counted: valid while the host runs
typedef struct _t_ATEApplicationPaint* ApplicationPaintRef;

enum ParagraphJustification : int32_t {
    kLeftJustify = 0,
    kRightJustify = 1,
    kCenterJustify = 2,
    kFullJustifyLastLineLeft = 3,
    kFullJustifyLastLineRight = 4,
    kFullJustifyLastLineCenter = 5,
    kFullJustifyLastLineFull = 6,
};

// Fields of a character feature set, by value kind.
enum CharFeatureField : int32_t {
    // reals
    kCharFontSize = 1,
    kCharLeading,
    kCharBaselineShift,
    kCharHorizontalScale,  // 1.0 = 100 %
    kCharVerticalScale,
    kCharLineWidth,
    kCharMiterLimit,
    kCharLineDashOffset,
    // integers
    kCharTracking,  // thousandths of an em
    kCharLineCap,
    kCharLineJoin,
    // booleans
    kCharFill,
    kCharStroke,
    // paints
    kCharFillColor,
    kCharStrokeColor,
};

enum ParaFeatureField : int32_t {
    kParaJustification = 1,  // integer
    kParaStartIndent,        // reals from here
    kParaEndIndent,
    kParaFirstLineIndent,
    kParaSpaceBefore,
    kParaDesiredWordSpacing,
    kParaDesiredLetterSpacing,
};

}  // namespace ATE

#define kATETextSuite "ATE Text Suite"
#define kATETextSuiteVersion 1

// Every call returns kNoErr, kBadParameterErr (null or wrong kind of reference, bad field),
// kStaleHandleErr (released reference, or the text it reads was deleted) or kOutOfRangeErr.
// Positions count characters (the shaku pair is one character); 0x0D is a character.
struct ATETextSuite {
    AIErr (*AddRef)(const void* ref);
    AIErr (*Release)(const void* ref);

    // Ranges.
    AIErr (*Range_Clone)(ATE::TextRangeRef range, ATE::TextRangeRef* copy);
    AIErr (*Range_GetStart)(ATE::TextRangeRef range, ai_int32* start);
    AIErr (*Range_SetStart)(ATE::TextRangeRef range, ai_int32 start);  // clamped to the story; end follows
    AIErr (*Range_GetEnd)(ATE::TextRangeRef range, ai_int32* end);
    AIErr (*Range_SetEnd)(ATE::TextRangeRef range, ai_int32 end);  // clamped; start follows back
    AIErr (*Range_GetSize)(ATE::TextRangeRef range, ai_int32* size);
    // Inserts platform bytes at the range's end and extends the range over them. The new
    // characters take the features of the character before them (or the defaults), with
    // the features last set on the empty range laid over them.
    AIErr (*Range_InsertAfter)(ATE::TextRangeRef range, const char* platform, ai_int32 byteCount);
    // The range's platform bytes into out[0..capacity): whole characters only, always
    // NUL-terminated when capacity > 0; *written excludes the terminator.
    AIErr (*Range_GetContents)(ATE::TextRangeRef range, char* out, ai_int32 capacity, ai_int32* written);
    // Only the assigned fields are applied; on an empty range they are kept for the next
    // insertion. Paragraph features apply to the whole story (one paragraph set per story).
    AIErr (*Range_SetLocalCharFeatures)(ATE::TextRangeRef range, ATE::CharFeaturesRef features);
    AIErr (*Range_SetLocalParaFeatures)(ATE::TextRangeRef range, ATE::ParaFeaturesRef features);
    // New feature sets whose fields are assigned where the value is the same over the whole
    // range (an empty range reports what an insertion there would get, all assigned).
    AIErr (*Range_GetUniqueCharFeatures)(ATE::TextRangeRef range, ATE::CharFeaturesRef* features);
    AIErr (*Range_GetUniqueParaFeatures)(ATE::TextRangeRef range, ATE::ParaFeaturesRef* features);
    // Makes the range the text selection, or adds it to the selection.
    AIErr (*Range_Select)(ATE::TextRangeRef range, ASBoolean addToSelection);
    AIErr (*Range_GetStory)(ATE::TextRangeRef range, ATE::StoryRef* story);

    // Stories.
    AIErr (*Story_GetTextRange)(ATE::StoryRef story, ATE::TextRangeRef* range);  // the whole story
    AIErr (*Story_GetStories)(ATE::StoryRef story, ATE::StoriesRef* stories);
    // Manual kerning over the range; the stand-in's stories carry none, so 0.
    AIErr (*Story_GetKern)(ATE::StoryRef story, ATE::TextRangeRef range, ai_int32* kern);
    AIErr (*Story_IsEqual)(ATE::StoryRef a, ATE::StoryRef b, ASBoolean* equal);
    AIErr (*Stories_SetFocus)(ATE::StoriesRef stories, ATE::StoryRef story);
    AIErr (*Stories_LoseFocus)(ATE::StoriesRef stories);
    AIErr (*Stories_GetFocus)(ATE::StoriesRef stories, ATE::StoryRef* story);  // null when none

    // Character features.
    AIErr (*CharFeatures_New)(ATE::CharFeaturesRef* features);  // nothing assigned
    AIErr (*CharFeatures_Clone)(ATE::CharFeaturesRef features, ATE::CharFeaturesRef* copy);
    AIErr (*CharFeatures_GetReal)(ATE::CharFeaturesRef f, ai_int32 field, AIReal* value, ASBoolean* assigned);
    AIErr (*CharFeatures_SetReal)(ATE::CharFeaturesRef f, ai_int32 field, AIReal value);
    AIErr (*CharFeatures_GetInt)(ATE::CharFeaturesRef f, ai_int32 field, ai_int32* value, ASBoolean* assigned);
    AIErr (*CharFeatures_SetInt)(ATE::CharFeaturesRef f, ai_int32 field, ai_int32 value);
    AIErr (*CharFeatures_GetBool)(ATE::CharFeaturesRef f, ai_int32 field, ASBoolean* value, ASBoolean* assigned);
    AIErr (*CharFeatures_SetBool)(ATE::CharFeaturesRef f, ai_int32 field, ASBoolean value);
    AIErr (*CharFeatures_GetFont)(ATE::CharFeaturesRef f, ATE::FontRef* font, ASBoolean* assigned);
    AIErr (*CharFeatures_SetFont)(ATE::CharFeaturesRef f, ATE::FontRef font);
    // The paint comes with a reference of its own.
    AIErr (*CharFeatures_GetPaint)(ATE::CharFeaturesRef f, ai_int32 field, ATE::ApplicationPaintRef* paint,
                                   ASBoolean* assigned);
    AIErr (*CharFeatures_SetPaint)(ATE::CharFeaturesRef f, ai_int32 field, ATE::ApplicationPaintRef paint);
    // *count is the array's full length; at most capacity values are written.
    AIErr (*CharFeatures_GetDashArray)(ATE::CharFeaturesRef f, AIReal* values, ai_int32 capacity, ai_int32* count,
                                       ASBoolean* assigned);
    AIErr (*CharFeatures_SetDashArray)(ATE::CharFeaturesRef f, const AIReal* values, ai_int32 count);

    // Paragraph features.
    AIErr (*ParaFeatures_New)(ATE::ParaFeaturesRef* features);
    AIErr (*ParaFeatures_Clone)(ATE::ParaFeaturesRef features, ATE::ParaFeaturesRef* copy);
    AIErr (*ParaFeatures_GetReal)(ATE::ParaFeaturesRef f, ai_int32 field, AIReal* value, ASBoolean* assigned);
    AIErr (*ParaFeatures_SetReal)(ATE::ParaFeaturesRef f, ai_int32 field, AIReal value);
    AIErr (*ParaFeatures_GetInt)(ATE::ParaFeaturesRef f, ai_int32 field, ai_int32* value, ASBoolean* assigned);
    AIErr (*ParaFeatures_SetInt)(ATE::ParaFeaturesRef f, ai_int32 field, ai_int32 value);

    // Application paints (made by the "AI ATE Paint Suite").
    AIErr (*Paint_GetAIColor)(ATE::ApplicationPaintRef paint, AIColor* color);
};

// Set by the plug-in from AcquireSuite(kATETextSuite, ...) at start-up, cleared at
// shut-down. One variable for the whole program (inline), so the plug-in does not define it:
//   basic->AcquireSuite(kATETextSuite, kATETextSuiteVersion, reinterpret_cast<const void**>(&sATEText));
//   basic->AcquireSuite(kAIUnicodeStringSuite, kAIUnicodeStringSuiteVersion,
//                       reinterpret_cast<const void**>(&sAIUnicodeString));
// and at shut-down the matching ReleaseSuite calls, then both set back to null.
inline const ATETextSuite* sATEText = nullptr;
