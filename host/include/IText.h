// The text-engine wrapper classes: header-only, each holding one counted reference and
// calling the host through `sATEText` (ATESuite.h). They never throw: a call that fails
// (no suite, released or deleted text) does nothing and getters return the type's zero
// with "assigned" false.
#pragma once

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "AIUnicodeString.h"
#include "ATESuite.h"

namespace ATE {

namespace detail {

// One counted reference of the host.
template <typename Ref>
class Counted {
public:
    Counted() = default;
    explicit Counted(Ref ref) : ref_(ref) {}  // adopts the reference
    Counted(const Counted& o) : ref_(o.ref_) {
        if (ref_ && sATEText) sATEText->AddRef(ref_);
    }
    Counted(Counted&& o) noexcept : ref_(std::exchange(o.ref_, nullptr)) {}
    Counted& operator=(Counted o) noexcept {
        std::swap(ref_, o.ref_);
        return *this;
    }
    ~Counted() {
        if (ref_ && sATEText) sATEText->Release(ref_);
    }
    Ref GetRef() const { return ref_; }
    bool IsNull() const { return ref_ == nullptr; }

protected:
    Ref ref_ = nullptr;
};

inline bool ok(AIErr e) { return e == kNoErr; }

}  // namespace detail

class IFont {
public:
    IFont() = default;
    explicit IFont(FontRef ref) : ref_(ref) {}
    FontRef GetRef() const { return ref_; }
    bool IsNull() const { return ref_ == nullptr; }
    bool operator==(const IFont& o) const { return ref_ == o.ref_; }

private:
    FontRef ref_ = nullptr;
};

class IApplicationPaint : public detail::Counted<ApplicationPaintRef> {
public:
    IApplicationPaint() = default;
    explicit IApplicationPaint(ApplicationPaintRef ref) : Counted(ref) {}
    // The colour the paint was made from (kNoneColor when unknown).
    AIColor GetAIColor() const {
        AIColor c{};
        c.kind = kNoneColor;
        if (!ref_ || !sATEText || !detail::ok(sATEText->Paint_GetAIColor(ref_, &c))) c.kind = kNoneColor;
        return c;
    }
};

class ICharFeatures : public detail::Counted<CharFeaturesRef> {
public:
    // A new, empty feature set (nothing assigned).
    ICharFeatures() {
        if (sATEText && !detail::ok(sATEText->CharFeatures_New(&ref_))) ref_ = nullptr;
    }
    explicit ICharFeatures(CharFeaturesRef ref) : Counted(ref) {}
    ICharFeatures Clone() const {
        CharFeaturesRef copy = nullptr;
        if (ref_ && sATEText && !detail::ok(sATEText->CharFeatures_Clone(ref_, &copy))) copy = nullptr;
        return ICharFeatures(copy);
    }

    IFont GetFont(bool* isAssigned = nullptr) const {
        FontRef f = nullptr;
        ASBoolean a = false;
        if (!ref_ || !sATEText || !detail::ok(sATEText->CharFeatures_GetFont(ref_, &f, &a))) f = nullptr, a = false;
        if (isAssigned) *isAssigned = a;
        return IFont(f);
    }
    void SetFont(const IFont& font) {
        if (ref_ && sATEText) sATEText->CharFeatures_SetFont(ref_, font.GetRef());
    }
    AIReal GetFontSize(bool* a = nullptr) const { return real(kCharFontSize, a); }
    void SetFontSize(AIReal v) { setReal(kCharFontSize, v); }
    AIReal GetLeading(bool* a = nullptr) const { return real(kCharLeading, a); }
    void SetLeading(AIReal v) { setReal(kCharLeading, v); }
    AIReal GetBaselineShift(bool* a = nullptr) const { return real(kCharBaselineShift, a); }
    void SetBaselineShift(AIReal v) { setReal(kCharBaselineShift, v); }
    AIReal GetHorizontalScale(bool* a = nullptr) const { return real(kCharHorizontalScale, a); }
    void SetHorizontalScale(AIReal v) { setReal(kCharHorizontalScale, v); }
    AIReal GetVerticalScale(bool* a = nullptr) const { return real(kCharVerticalScale, a); }
    void SetVerticalScale(AIReal v) { setReal(kCharVerticalScale, v); }
    AIReal GetLineWidth(bool* a = nullptr) const { return real(kCharLineWidth, a); }
    void SetLineWidth(AIReal v) { setReal(kCharLineWidth, v); }
    AIReal GetMiterLimit(bool* a = nullptr) const { return real(kCharMiterLimit, a); }
    void SetMiterLimit(AIReal v) { setReal(kCharMiterLimit, v); }
    AIReal GetLineDashOffset(bool* a = nullptr) const { return real(kCharLineDashOffset, a); }
    void SetLineDashOffset(AIReal v) { setReal(kCharLineDashOffset, v); }
    ai_int32 GetTracking(bool* a = nullptr) const { return integer(kCharTracking, a); }
    void SetTracking(ai_int32 v) { setInteger(kCharTracking, v); }
    ai_int32 GetLineCap(bool* a = nullptr) const { return integer(kCharLineCap, a); }
    void SetLineCap(ai_int32 v) { setInteger(kCharLineCap, v); }
    ai_int32 GetLineJoin(bool* a = nullptr) const { return integer(kCharLineJoin, a); }
    void SetLineJoin(ai_int32 v) { setInteger(kCharLineJoin, v); }
    bool GetFill(bool* a = nullptr) const { return boolean(kCharFill, a); }
    void SetFill(bool v) { setBoolean(kCharFill, v); }
    bool GetStroke(bool* a = nullptr) const { return boolean(kCharStroke, a); }
    void SetStroke(bool v) { setBoolean(kCharStroke, v); }
    IApplicationPaint GetFillColor(bool* a = nullptr) const { return paint(kCharFillColor, a); }
    void SetFillColor(const IApplicationPaint& p) { setPaint(kCharFillColor, p); }
    IApplicationPaint GetStrokeColor(bool* a = nullptr) const { return paint(kCharStrokeColor, a); }
    void SetStrokeColor(const IApplicationPaint& p) { setPaint(kCharStrokeColor, p); }
    std::vector<AIReal> GetLineDashArray(bool* isAssigned = nullptr) const {
        std::vector<AIReal> values;
        ai_int32 count = 0;
        ASBoolean a = false;
        if (ref_ && sATEText && detail::ok(sATEText->CharFeatures_GetDashArray(ref_, nullptr, 0, &count, &a)) &&
            count > 0) {
            values.resize(static_cast<size_t>(count));
            if (!detail::ok(sATEText->CharFeatures_GetDashArray(ref_, values.data(), count, &count, &a)))
                values.clear(), a = false;
            values.resize(std::min(values.size(), static_cast<size_t>(count < 0 ? 0 : count)));
        }
        if (isAssigned) *isAssigned = a;
        return values;
    }
    void SetLineDashArray(const std::vector<AIReal>& values) {
        if (ref_ && sATEText)
            sATEText->CharFeatures_SetDashArray(ref_, values.data(), static_cast<ai_int32>(values.size()));
    }

private:
    AIReal real(ai_int32 field, bool* isAssigned) const {
        AIReal v = 0;
        ASBoolean a = false;
        if (!ref_ || !sATEText || !detail::ok(sATEText->CharFeatures_GetReal(ref_, field, &v, &a))) v = 0, a = false;
        if (isAssigned) *isAssigned = a;
        return v;
    }
    void setReal(ai_int32 field, AIReal v) {
        if (ref_ && sATEText) sATEText->CharFeatures_SetReal(ref_, field, v);
    }
    ai_int32 integer(ai_int32 field, bool* isAssigned) const {
        ai_int32 v = 0;
        ASBoolean a = false;
        if (!ref_ || !sATEText || !detail::ok(sATEText->CharFeatures_GetInt(ref_, field, &v, &a))) v = 0, a = false;
        if (isAssigned) *isAssigned = a;
        return v;
    }
    void setInteger(ai_int32 field, ai_int32 v) {
        if (ref_ && sATEText) sATEText->CharFeatures_SetInt(ref_, field, v);
    }
    bool boolean(ai_int32 field, bool* isAssigned) const {
        ASBoolean v = false, a = false;
        if (!ref_ || !sATEText || !detail::ok(sATEText->CharFeatures_GetBool(ref_, field, &v, &a))) v = false, a = false;
        if (isAssigned) *isAssigned = a;
        return v != 0;
    }
    void setBoolean(ai_int32 field, bool v) {
        if (ref_ && sATEText) sATEText->CharFeatures_SetBool(ref_, field, v);
    }
    IApplicationPaint paint(ai_int32 field, bool* isAssigned) const {
        ApplicationPaintRef p = nullptr;
        ASBoolean a = false;
        if (!ref_ || !sATEText || !detail::ok(sATEText->CharFeatures_GetPaint(ref_, field, &p, &a)))
            p = nullptr, a = false;
        if (isAssigned) *isAssigned = a;
        return IApplicationPaint(p);
    }
    void setPaint(ai_int32 field, const IApplicationPaint& p) {
        if (ref_ && sATEText) sATEText->CharFeatures_SetPaint(ref_, field, p.GetRef());
    }
};

class IParaFeatures : public detail::Counted<ParaFeaturesRef> {
public:
    IParaFeatures() {
        if (sATEText && !detail::ok(sATEText->ParaFeatures_New(&ref_))) ref_ = nullptr;
    }
    explicit IParaFeatures(ParaFeaturesRef ref) : Counted(ref) {}
    IParaFeatures Clone() const {
        ParaFeaturesRef copy = nullptr;
        if (ref_ && sATEText && !detail::ok(sATEText->ParaFeatures_Clone(ref_, &copy))) copy = nullptr;
        return IParaFeatures(copy);
    }
    ParagraphJustification GetJustification(bool* isAssigned = nullptr) const {
        ai_int32 v = 0;
        ASBoolean a = false;
        if (!ref_ || !sATEText || !detail::ok(sATEText->ParaFeatures_GetInt(ref_, kParaJustification, &v, &a)))
            v = 0, a = false;
        if (isAssigned) *isAssigned = a;
        return static_cast<ParagraphJustification>(v);
    }
    void SetJustification(ParagraphJustification v) {
        if (ref_ && sATEText) sATEText->ParaFeatures_SetInt(ref_, kParaJustification, v);
    }
    AIReal GetStartIndent(bool* a = nullptr) const { return real(kParaStartIndent, a); }
    void SetStartIndent(AIReal v) { setReal(kParaStartIndent, v); }
    AIReal GetEndIndent(bool* a = nullptr) const { return real(kParaEndIndent, a); }
    void SetEndIndent(AIReal v) { setReal(kParaEndIndent, v); }
    AIReal GetFirstLineIndent(bool* a = nullptr) const { return real(kParaFirstLineIndent, a); }
    void SetFirstLineIndent(AIReal v) { setReal(kParaFirstLineIndent, v); }
    AIReal GetSpaceBefore(bool* a = nullptr) const { return real(kParaSpaceBefore, a); }
    void SetSpaceBefore(AIReal v) { setReal(kParaSpaceBefore, v); }
    AIReal GetDesiredWordSpacing(bool* a = nullptr) const { return real(kParaDesiredWordSpacing, a); }
    void SetDesiredWordSpacing(AIReal v) { setReal(kParaDesiredWordSpacing, v); }
    AIReal GetDesiredLetterSpacing(bool* a = nullptr) const { return real(kParaDesiredLetterSpacing, a); }
    void SetDesiredLetterSpacing(AIReal v) { setReal(kParaDesiredLetterSpacing, v); }

private:
    AIReal real(ai_int32 field, bool* isAssigned) const {
        AIReal v = 0;
        ASBoolean a = false;
        if (!ref_ || !sATEText || !detail::ok(sATEText->ParaFeatures_GetReal(ref_, field, &v, &a))) v = 0, a = false;
        if (isAssigned) *isAssigned = a;
        return v;
    }
    void setReal(ai_int32 field, AIReal v) {
        if (ref_ && sATEText) sATEText->ParaFeatures_SetReal(ref_, field, v);
    }
};

class IStory;
class IStories;

class ITextRange : public detail::Counted<TextRangeRef> {
public:
    ITextRange() = default;
    explicit ITextRange(TextRangeRef ref) : Counted(ref) {}  // adopts the reference

    ITextRange Clone() const {
        TextRangeRef copy = nullptr;
        if (ref_ && sATEText && !detail::ok(sATEText->Range_Clone(ref_, &copy))) copy = nullptr;
        return ITextRange(copy);
    }
    ai_int32 GetStart() const { return get(sATEText ? sATEText->Range_GetStart : nullptr); }
    void SetStart(ai_int32 start) {
        if (ref_ && sATEText) sATEText->Range_SetStart(ref_, start);
    }
    ai_int32 GetEnd() const { return get(sATEText ? sATEText->Range_GetEnd : nullptr); }
    void SetEnd(ai_int32 end) {
        if (ref_ && sATEText) sATEText->Range_SetEnd(ref_, end);
    }
    ai_int32 GetSize() const { return get(sATEText ? sATEText->Range_GetSize : nullptr); }

    // Platform bytes (NUL-terminated, or the given count).
    void InsertAfter(const char* text) {
        if (text) InsertAfter(text, static_cast<ai_int32>(std::char_traits<char>::length(text)));
    }
    void InsertAfter(const char* text, ai_int32 byteCount) {
        if (ref_ && sATEText && text && byteCount > 0) sATEText->Range_InsertAfter(ref_, text, byteCount);
    }
    void InsertAfter(const ai::UnicodeString& text) {
        const std::string bytes = text.as_Platform();
        InsertAfter(bytes.data(), static_cast<ai_int32>(bytes.size()));
    }

    // At most maxLength - 1 bytes and a terminator; returns the bytes written.
    ai_int32 GetContents(char* text, ai_int32 maxLength) const {
        ai_int32 written = 0;
        if (!text || maxLength <= 0) return 0;
        text[0] = '\0';
        if (!ref_ || !sATEText || !detail::ok(sATEText->Range_GetContents(ref_, text, maxLength, &written))) {
            text[0] = '\0';
            return 0;
        }
        return written;
    }

    void SetLocalCharFeatures(const ICharFeatures& f) {
        if (ref_ && sATEText) sATEText->Range_SetLocalCharFeatures(ref_, f.GetRef());
    }
    void SetLocalParaFeatures(const IParaFeatures& f) {
        if (ref_ && sATEText) sATEText->Range_SetLocalParaFeatures(ref_, f.GetRef());
    }
    ICharFeatures GetUniqueCharFeatures() const {
        CharFeaturesRef f = nullptr;
        if (ref_ && sATEText && !detail::ok(sATEText->Range_GetUniqueCharFeatures(ref_, &f))) f = nullptr;
        return ICharFeatures(f);
    }
    IParaFeatures GetUniqueParaFeatures() const {
        ParaFeaturesRef f = nullptr;
        if (ref_ && sATEText && !detail::ok(sATEText->Range_GetUniqueParaFeatures(ref_, &f))) f = nullptr;
        return IParaFeatures(f);
    }
    void Select(bool addToSelection = false) const {
        if (ref_ && sATEText) sATEText->Range_Select(ref_, addToSelection);
    }
    inline IStory GetStory() const;

private:
    ai_int32 get(AIErr (*fn)(TextRangeRef, ai_int32*)) const {
        ai_int32 v = 0;
        if (!ref_ || !fn || !detail::ok(fn(ref_, &v))) v = 0;
        return v;
    }
};

class IStory : public detail::Counted<StoryRef> {
public:
    IStory() = default;
    explicit IStory(StoryRef ref) : Counted(ref) {}
    ITextRange GetTextRange() const {
        TextRangeRef r = nullptr;
        if (ref_ && sATEText && !detail::ok(sATEText->Story_GetTextRange(ref_, &r))) r = nullptr;
        return ITextRange(r);
    }
    inline IStories GetStories() const;
    ai_int32 GetKern(const ITextRange& range) const {
        ai_int32 k = 0;
        if (!ref_ || !sATEText || !detail::ok(sATEText->Story_GetKern(ref_, range.GetRef(), &k))) k = 0;
        return k;
    }
    bool operator==(const IStory& o) const {
        ASBoolean eq = false;
        if (ref_ == o.ref_) return true;
        if (!ref_ || !o.ref_ || !sATEText || !detail::ok(sATEText->Story_IsEqual(ref_, o.ref_, &eq))) return false;
        return eq != 0;
    }
    bool operator!=(const IStory& o) const { return !(*this == o); }
};

class IStories : public detail::Counted<StoriesRef> {
public:
    IStories() = default;
    explicit IStories(StoriesRef ref) : Counted(ref) {}
    void SetFocus(const IStory& story) {
        if (ref_ && sATEText) sATEText->Stories_SetFocus(ref_, story.GetRef());
    }
    void LoseFocus() {
        if (ref_ && sATEText) sATEText->Stories_LoseFocus(ref_);
    }
    bool HasFocus() const { return !GetFocus().IsNull(); }
    IStory GetFocus() const {
        StoryRef s = nullptr;
        if (ref_ && sATEText && !detail::ok(sATEText->Stories_GetFocus(ref_, &s))) s = nullptr;
        return IStory(s);
    }
};

inline IStory ITextRange::GetStory() const {
    StoryRef s = nullptr;
    if (ref_ && sATEText && !detail::ok(sATEText->Range_GetStory(ref_, &s))) s = nullptr;
    return IStory(s);
}

inline IStories IStory::GetStories() const {
    StoriesRef s = nullptr;
    if (ref_ && sATEText && !detail::ok(sATEText->Story_GetStories(ref_, &s))) s = nullptr;
    return IStories(s);
}

}  // namespace ATE
