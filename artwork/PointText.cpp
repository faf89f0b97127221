// Point texts of the tools and the guides.
#include "artwork/PointText.h"

#include "IText.h"
#include "core/PlotwiseSuites.h"

namespace {

void SetFontSize(ATE::ITextRange& range, ATE::FontRef font, AIReal size) {
    ATE::ICharFeatures features;
    if (font) features.SetFont(ATE::IFont(font));
    features.SetFontSize(size);
    range.SetLocalCharFeatures(features);
}

}  // namespace

AIErr NewPointTextArt(AIArtHandle group, const std::string& text, AIRealPoint at, const PointTextLook& look,
                      AIArtHandle* frame) {
    if (text.empty()) return kNoErr;
    AIArtHandle made = nullptr;
    if (AIErr err = sAITextFrame->NewPointText(kPlaceInsideOnTop, group, kHorizontalTextOrientation, at, &made))
        return err;
    if (frame) *frame = made;
    ATE::TextRangeRef ref = nullptr;
    if (AIErr err = sAITextFrame->GetATETextRange(made, &ref)) return err;
    ATE::ITextRange range(ref);
    SetFontSize(range, look.font, look.size);
    if (look.justification) {
        ATE::IParaFeatures paragraph;
        paragraph.SetJustification(*look.justification);
        range.SetLocalParaFeatures(paragraph);
    }
    range.InsertAfter(text.data(), static_cast<ai_int32>(text.size()));
    return kNoErr;
}

AIErr SetTextFontSize(AIArtHandle frame, ATE::FontRef font, AIReal size) {
    ATE::TextRangeRef ref = nullptr;
    if (AIErr err = sAITextFrame->GetATETextRange(frame, &ref)) return err;
    ATE::ITextRange range(ref);
    SetFontSize(range, font, size);
    return kNoErr;
}
