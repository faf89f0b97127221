// Text frames in the document model: the story store over the open documents and the
// "AI Text Frame Suite" (new point text, its range, its matrix, its outlines).
#include "text/TextHost.h"

#include <algorithm>
#include <memory>

#include "Host.h"
#include "text/Layout.h"

namespace standin::text {
namespace {

struct Frame {
    Document* doc = nullptr;
    const Art* art = nullptr;
    AIErr error = kNoErr;  // why there is no frame
};

// The live text frame a handle names, in any open document of the current host.
Frame findFrame(AIArtHandle handle) {
    Host* host = Host::current();
    if (!handle) return {nullptr, nullptr, kBadParameterErr};
    const ObjId id = fromHandle(handle);
    Document* doc = host ? host->documentOf(id) : nullptr;
    if (!doc || !doc->isArt(id)) return {nullptr, nullptr, kStaleHandleErr};
    const Art* art = doc->art(id);
    if (!art) return {nullptr, nullptr, kStaleHandleErr};
    if (art->type != kTextFrameArt) return {nullptr, nullptr, kWrongTypeErr};
    return {doc, art, kNoErr};
}

class DocumentStories : public StoryStore {
public:
    const Story* findStory(AIArtHandle frame) const override {
        const Frame f = findFrame(frame);
        return f.art ? &f.art->story : nullptr;
    }
    AIErr editStory(AIArtHandle frame, const std::function<void(Story&)>& edit) override {
        const Frame f = findFrame(frame);
        if (!f.art) return kStaleHandleErr;
        if (f.doc->effectivelyLocked(f.art->id)) return kLockedErr;
        Art* art = f.doc->editArt(f.art->id);  // journaled: undo restores the story
        if (!art) return kStaleHandleErr;
        edit(art->story);
        return kNoErr;
    }
};

struct HostText {
    DocumentStories stories;
    std::unique_ptr<TextEngine> engine;
};

HostText& hostText() {
    static HostText text;
    if (!text.engine) text.engine = std::make_unique<TextEngine>(text.stories);
    return text;
}

AIErr NewPointText(ai_int16 paintOrder, AIArtHandle prep, ai_int16 orientation, AIRealPoint anchor,
                   AIArtHandle* textFrame) {
    if (!textFrame) return kBadParameterErr;
    *textFrame = nullptr;
    if (orientation != kHorizontalTextOrientation) return kBadParameterErr;
    Host* host = Host::current();
    Document* doc = host ? host->frontDocument() : nullptr;
    if (!doc) return kNoDocumentErr;
    ObjId id = 0;
    if (AIErr e = doc->newArt(kTextFrameArt, paintOrder, fromHandle(prep), &id)) return e;
    Art* art = doc->editArt(id);
    if (!art) return kStaleHandleErr;
    art->story = Story{};
    art->story.matrix = {1, 0, 0, 1, anchor.h, anchor.v};
    *textFrame = toHandle<AIArtHandle>(id);
    return kNoErr;
}

AIErr GetATETextRange(AIArtHandle textFrame, ATE::TextRangeRef* range) {
    if (!range) return kBadParameterErr;
    *range = nullptr;
    const Frame f = findFrame(textFrame);
    if (!f.art) return f.error;
    *range = hostTextEngine().newRange(textFrame, 0, storyLength(f.art->story));
    return kNoErr;
}

AIErr GetTextFrameMatrix(AIArtHandle textFrame, AIRealMatrix* matrix) {
    if (!matrix) return kBadParameterErr;
    const Frame f = findFrame(textFrame);
    if (!f.art) return f.error;
    *matrix = f.art->story.matrix;
    return kNoErr;
}

AIPathStyle glyphStyle(const CharFeatures& c) {
    AIPathStyle s = defaultPathStyle();
    s.fillPaint = c.fill;
    s.fill.color = c.fillColor;
    s.strokePaint = c.stroke;
    s.stroke.color = c.strokeColor;
    s.stroke.width = c.lineWidth;
    s.stroke.cap = c.lineCap;
    s.stroke.join = c.lineJoin;
    s.stroke.miterLimit = c.miterLimit;
    s.stroke.dash.offset = c.lineDashOffset;
    s.stroke.dash.length = static_cast<int16_t>(std::min<size_t>(c.lineDashArray.size(), kMaxDashComponents));
    for (int16_t i = 0; i < s.stroke.dash.length; ++i) s.stroke.dash.array[i] = c.lineDashArray[static_cast<size_t>(i)];
    return s;
}

AIErr newGlyphPath(Document& doc, ObjId container, const OutlineContour& contour, const AIPathStyle& style) {
    ObjId id = 0;
    if (AIErr e = doc.newArt(kPathArt, kPlaceInsideOnBottom, container, &id)) return e;
    Art* path = doc.editArt(id);
    if (!path) return kStaleHandleErr;
    path->segments = contour.segments;
    path->segmentSelection.assign(contour.segments.size(), 0);
    path->closed = true;
    path->style = style;
    return kNoErr;
}

// One path per glyph, or a compound path when the glyph has several contours (so counters
// such as the hole of an "o" stay open when painted).
AIErr CreateOutline(AIArtHandle textFrame, AIArtHandle* outline) {
    if (!outline) return kBadParameterErr;
    *outline = nullptr;
    const Frame f = findFrame(textFrame);
    if (!f.art) return f.error;
    Document& doc = *f.doc;
    const ObjId textId = f.art->id;
    const Story story = f.art->story;  // the art record may move while art is added
    ObjId group = 0;
    if (AIErr e = doc.newArt(kGroupArt, kPlaceAbove, textId, &group)) return e;
    // A failure half way leaves nothing behind.
    const auto fail = [&](AIErr e) {
        doc.disposeArt(group);
        return e;
    };
    for (const GlyphOutline& glyph : outlineStory(story, hostTextEngine().fonts())) {
        const AIPathStyle style = glyphStyle(story.runs[glyph.run].features);
        ObjId container = group;
        if (glyph.contours.size() > 1) {
            if (AIErr e = doc.newArt(kCompoundPathArt, kPlaceInsideOnBottom, group, &container)) return fail(e);
        }
        for (const OutlineContour& c : glyph.contours)
            if (AIErr e = newGlyphPath(doc, container, c, style)) return fail(e);
    }
    *outline = toHandle<AIArtHandle>(group);
    return kNoErr;
}

bool frameBounds(const Art& text, const AIRealMatrix* m, AIRealRect* bounds) {
    if (!bounds || text.type != kTextFrameArt) return false;
    *bounds = storyBounds(text.story, hostTextEngine().fonts(), m);
    return true;
}

}  // namespace

TextEngine& hostTextEngine() { return *hostText().engine; }

void registerTextSuites(SuiteRegistry& registry) {
    HostText& text = hostText();
    text.engine.reset();  // a new host starts with no references, focus or selection
    text.engine = std::make_unique<TextEngine>(text.stories);
    Document::textBounds = &frameBounds;
    registry.add(kAITextFrameSuite, kAITextFrameSuiteVersion, &textFrameSuite());
    registry.add(kAIFontSuite, kAIFontSuiteVersion, &TextEngine::fontSuite());
    registry.add(kAIATEPaintSuite, kAIATEPaintSuiteVersion, &TextEngine::paintSuite());
    registry.add(kATETextSuite, kATETextSuiteVersion, &TextEngine::ateSuite());
    registry.add(kAIUnicodeStringSuite, kAIUnicodeStringSuiteVersion, &TextEngine::unicodeSuite());
}

const AITextFrameSuite& textFrameSuite() {
    static const AITextFrameSuite suite{NewPointText, GetATETextRange, CreateOutline, GetTextFrameMatrix};
    return suite;
}

}  // namespace standin::text
