// The comparison of two drawings, read through the host's suites (nothing is written): a
// tree of groups and compound paths walked member by member, paths by their anchors and
// paint, texts by their frame, their characters and the features of each, and every piece's
// dictionary entry by entry. Art of a kind it does not know is never alike, so the redraw
// that made it stands.
#include "dimensions/DrawnAlike.h"

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "IText.h"
#include "core/PlotwiseDictionary.h"
#include "core/PlotwiseSuites.h"

namespace {

// Art attributes a drawing shows; the selection is the user's, not the drawing's.
constexpr uint32_t kDrawnAttributes = kArtHidden | kArtLocked;
// Places on the page alike: a redraw works a point out again from the art it measures, and
// its last bits may differ from the first drawing's (a few float steps of page coordinates);
// what lies that close is where it was, and the drawing in place is kept.
constexpr double kSamePlace = 1e-3;
// Directions (a text's rotation) alike, likewise.
constexpr double kSameDirection = 1e-5;
// Longest text compared; a dimension's texts are far shorter.
constexpr ai_int32 kMostTextBytes = 4096;
// Deepest nesting of art or of dictionaries compared (a record is a few levels deep): what
// lies deeper is taken as different, and the redraw stands.
constexpr int kMostDepth = 128;

bool SameDictionary(AIDictionaryRef a, AIDictionaryRef b, int depth);

bool SameEntry(AIDictionaryRef a, AIDictionaryRef b, AIDictKey key, int depth) {
    AIEntryType type = kNoEntryType, other = kNoEntryType;
    if (sAIDictionary->GetEntryType(a, key, &type) || sAIDictionary->GetEntryType(b, key, &other) || type != other)
        return false;
    const auto same = [&](auto get, auto value) {
        decltype(value) x = value, y = value;
        return get(a, key, &x) == kNoErr && get(b, key, &y) == kNoErr && x == y;
    };
    switch (type) {
        case kIntegerEntryType: return same(sAIDictionary->GetIntegerEntry, int32_t{});
        case kBooleanEntryType: return same(sAIDictionary->GetBooleanEntry, ASBoolean{});
        case kRealEntryType: return same(sAIDictionary->GetRealEntry, AIReal{});
        case kStringEntryType: {
            const char *x = nullptr, *y = nullptr;
            return sAIDictionary->GetStringEntry(a, key, &x) == kNoErr &&
                   sAIDictionary->GetStringEntry(b, key, &y) == kNoErr && x && y && std::strcmp(x, y) == 0;
        }
        case kDictEntryType: {
            DictRef x, y;
            return sAIDictionary->GetDictEntry(a, key, x.put()) == kNoErr &&
                   sAIDictionary->GetDictEntry(b, key, y.put()) == kNoErr && SameDictionary(x.get(), y.get(), depth + 1);
        }
        default: return false;
    }
}

// A null dictionary is an empty one.
bool SameDictionary(AIDictionaryRef a, AIDictionaryRef b, int depth) {
    if (depth > kMostDepth) return false;
    int32_t count = 0, other = 0;
    if ((a && sAIDictionary->CountEntries(a, &count)) || (b && sAIDictionary->CountEntries(b, &other)) ||
        count != other)
        return false;
    if (count == 0) return true;
    return ForEachDictKey(a, [&](AIDictKey key) -> AIErr {
               return SameEntry(a, b, key, depth) ? kNoErr : kCanceledErr;
           }) == kNoErr;
}

// Art without a dictionary holds what art with an empty one holds; none is made to look.
bool SameArtDictionary(AIArtHandle a, AIArtHandle b) {
    DictRef x, y;
    if ((sAIArt->HasDictionary(a) && sAIArt->GetDictionary(a, x.put())) ||
        (sAIArt->HasDictionary(b) && sAIArt->GetDictionary(b, y.put())))
        return false;
    return SameDictionary(x.get(), y.get(), 0);
}

bool SamePaint(const AIPathStyle& a, const AIPathStyle& b) {
    const AIStrokeStyle &s = a.stroke, &t = b.stroke;
    if (a.fillPaint != b.fillPaint || a.strokePaint != b.strokePaint || !(a.fill.color == b.fill.color) ||
        a.fill.overprint != b.fill.overprint || a.clip != b.clip || a.lockClip != b.lockClip || a.evenodd != b.evenodd)
        return false;
    if (!(s.color == t.color) || s.overprint != t.overprint || s.width != t.width || s.cap != t.cap ||
        s.join != t.join || s.miterLimit != t.miterLimit || s.dash.length != t.dash.length ||
        s.dash.offset != t.dash.offset)
        return false;
    for (int16_t i = 0; i < s.dash.length && i < kMaxDashComponents; ++i)
        if (s.dash.array[i] != t.dash.array[i]) return false;
    return true;
}

bool Near(AIReal a, AIReal b, double tolerance) { return std::fabs(static_cast<double>(a) - b) <= tolerance; }

bool SamePoint(const AIRealPoint& a, const AIRealPoint& b) {
    return Near(a.h, b.h, kSamePlace) && Near(a.v, b.v, kSamePlace);
}

bool SamePath(AIArtHandle a, AIArtHandle b) {
    int16_t count = 0, other = 0;
    ASBoolean closed = false, otherClosed = false;
    AIPathStyle style{}, otherStyle{};
    if (sAIPath->GetPathSegmentCount(a, &count) || sAIPath->GetPathSegmentCount(b, &other) || count != other ||
        sAIPath->GetPathClosed(a, &closed) || sAIPath->GetPathClosed(b, &otherClosed) || closed != otherClosed ||
        sAIPathStyle->GetPathStyle(a, &style) || sAIPathStyle->GetPathStyle(b, &otherStyle) ||
        !SamePaint(style, otherStyle))
        return false;
    std::vector<AIPathSegment> x(static_cast<size_t>(count)), y(x.size());
    if (count > 0 && (sAIPath->GetPathSegments(a, 0, count, x.data()) || sAIPath->GetPathSegments(b, 0, count, y.data())))
        return false;
    for (size_t i = 0; i < x.size(); ++i)
        if (!SamePoint(x[i].p, y[i].p) || !SamePoint(x[i].in, y[i].in) || !SamePoint(x[i].out, y[i].out) ||
            x[i].corner != y[i].corner)
            return false;
    return true;
}

ATE::ITextRange Range(AIArtHandle text) {
    ATE::TextRangeRef ref = nullptr;
    if (sAITextFrame->GetATETextRange(text, &ref)) ref = nullptr;
    return ATE::ITextRange(ref);
}

std::string Contents(const ATE::ITextRange& range) {
    std::string text(static_cast<size_t>(kMostTextBytes), '\0');
    text.resize(static_cast<size_t>(range.GetContents(text.data(), kMostTextBytes)));
    return text;
}

// Every feature numbered first..last alike, assigned or not, as get (the suite's getter of
// one kind of value) reads it from each set.
template <typename Value, typename Ref>
bool SameFields(AIErr (*get)(Ref, ai_int32, Value*, ASBoolean*), Ref a, Ref b, ai_int32 first, ai_int32 last) {
    for (ai_int32 field = first; field <= last; ++field) {
        Value u{}, v{};
        ASBoolean p = false, q = false;
        get(a, field, &u, &p);
        get(b, field, &v, &q);
        if (p != q || u != v) return false;
    }
    return true;
}

bool SameCharFeatures(const ATE::ICharFeatures& a, const ATE::ICharFeatures& b) {
    bool x = false, y = false;
    if (!SameFields(sATEText->CharFeatures_GetReal, a.GetRef(), b.GetRef(), ATE::kCharFontSize,
                    ATE::kCharLineDashOffset) ||
        !SameFields(sATEText->CharFeatures_GetInt, a.GetRef(), b.GetRef(), ATE::kCharTracking, ATE::kCharLineJoin))
        return false;
    if (a.GetFill(&x) != b.GetFill(&y) || x != y || a.GetStroke(&x) != b.GetStroke(&y) || x != y) return false;
    if (!(a.GetFont(&x) == b.GetFont(&y)) || x != y) return false;
    if (!(a.GetFillColor(&x).GetAIColor() == b.GetFillColor(&y).GetAIColor()) || x != y) return false;
    if (!(a.GetStrokeColor(&x).GetAIColor() == b.GetStrokeColor(&y).GetAIColor()) || x != y) return false;
    return a.GetLineDashArray(&x) == b.GetLineDashArray(&y) && x == y;
}

bool SameParaFeatures(const ATE::IParaFeatures& a, const ATE::IParaFeatures& b) {
    bool x = false, y = false;
    return a.GetJustification(&x) == b.GetJustification(&y) && x == y &&
           SameFields(sATEText->ParaFeatures_GetReal, a.GetRef(), b.GetRef(), ATE::kParaStartIndent,
                      ATE::kParaDesiredLetterSpacing);
}

bool SameText(AIArtHandle a, AIArtHandle b) {
    AIRealMatrix m{}, n{};
    if (!sATEText || sAITextFrame->GetTextFrameMatrix(a, &m) || sAITextFrame->GetTextFrameMatrix(b, &n) ||
        !Near(m.a, n.a, kSameDirection) || !Near(m.b, n.b, kSameDirection) || !Near(m.c, n.c, kSameDirection) ||
        !Near(m.d, n.d, kSameDirection) || !SamePoint({m.tx, m.ty}, {n.tx, n.ty}))
        return false;
    const ATE::ITextRange x = Range(a), y = Range(b);
    if (x.IsNull() || y.IsNull() || Contents(x) != Contents(y)) return false;
    if (!SameParaFeatures(x.GetUniqueParaFeatures(), y.GetUniqueParaFeatures())) return false;
    for (ai_int32 i = 0, size = x.GetSize(); i < size; ++i) {
        ATE::ITextRange u = x.Clone(), v = y.Clone();
        for (ATE::ITextRange* r : {&u, &v}) {
            r->SetStart(i);
            r->SetEnd(i + 1);
        }
        if (!SameCharFeatures(u.GetUniqueCharFeatures(), v.GetUniqueCharFeatures())) return false;
    }
    return true;
}

bool SameArt(AIArtHandle a, AIArtHandle b, bool (*passOver)(AIArtHandle), int depth);

bool SameMembers(AIArtHandle a, AIArtHandle b, bool (*passOver)(AIArtHandle), int depth) {
    std::vector<AIArtHandle> x = ArtMembers(a), y = ArtMembers(b);
    if (passOver) {
        std::erase_if(x, passOver);
        std::erase_if(y, passOver);
    }
    if (x.size() != y.size()) return false;
    for (size_t i = 0; i < x.size(); ++i)
        if (!SameArt(x[i], y[i], nullptr, depth + 1)) return false;
    return true;
}

bool SameArt(AIArtHandle a, AIArtHandle b, bool (*passOver)(AIArtHandle), int depth) {
    if (depth > kMostDepth) return false;
    int16_t type = kUnknownArt, other = kUnknownArt;
    uint32_t attr = 0, otherAttr = 0;
    if (sAIArt->GetArtType(a, &type) || sAIArt->GetArtType(b, &other) || type != other ||
        sAIArt->GetArtUserAttr(a, kDrawnAttributes, &attr) || sAIArt->GetArtUserAttr(b, kDrawnAttributes, &otherAttr) ||
        attr != otherAttr || !SameArtDictionary(a, b))
        return false;
    switch (type) {
        case kGroupArt:
        case kCompoundPathArt: return SameMembers(a, b, passOver, depth);
        case kPathArt: return SamePath(a, b);
        case kTextFrameArt: return SameText(a, b);
        default: return false;
    }
}

}  // namespace

std::vector<AIArtHandle> ArtMembers(AIArtHandle art) {
    std::vector<AIArtHandle> members;
    AIArtHandle child = nullptr;
    for (AIErr err = sAIArt->GetArtFirstChild(art, &child); !err && child; err = sAIArt->GetArtSibling(child, &child))
        members.push_back(child);
    return members;
}

bool DrawnAlike(AIArtHandle drawn, AIArtHandle redrawn, bool (*passOver)(AIArtHandle)) {
    return drawn && redrawn && SameArt(drawn, redrawn, passOver, 0);
}
