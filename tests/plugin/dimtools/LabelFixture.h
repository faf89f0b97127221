// What the label and datum tests share, on top of the radial tests' fixture: a label style
// (lettered, boxed, elbow leader 20 long, border 4, stretched frames), the label parts
// called directly inside one host event, the paths of a group read back from the document
// with their bounds, and the text box of a label measured independently with the font.
#pragma once

#include <string>
#include <vector>

#include "RadialAngleFixture.h"
#include "dimensions/DimensionDrawing.h"
#include "dimensions/DimensionPaint.h"
#include "text/Layout.h"
#include "text/TextHost.h"

namespace dimtest {

struct LabelTest : RadialAngleTest {
    void SetUp() override {
        RadialAngleTest::SetUp();
        auto& s = g->prefs.style;
        s.labelLeader = s.alphaLabelMenuOption = g->prefs.incrementalLabelAlpha = 0;
        ChooseLabelFormat(0);
        s.labelShape = s.stretchLabelShape = 1;
        s.labelLeaderLength = 20;
        s.labelBorder = 4;
        CopyCString(g->prefs.customLabelDefaultText, "Custom");
    }

    // Runs `draw` inside one host event as a tool's drag would: the text metrics and paint
    // of the style, a new group on the user's layer; the group made.
    ObjId InGroup(const std::function<AIErr(AIArtHandle group)>& draw, AIErr expected = kNoErr) {
        ObjId made = 0;
        EXPECT_EQ(session->hostEvent([&] {
            sAILayer->GetCurrentLayer(&g->saveLayer);
            getPlatformCurrentTextSizeAndLeading(&g->textSize, &g->textLeading);
            if (AIErr err = setPathAndArrowheadStyles()) return err;
            if (AIErr err = PrepDimensionLayer()) return err;
            made = standin::fromHandle(g->group);
            return draw(g->group);
        }), expected);
        return made;
    }

    // The paths of a group in paint order, bottom first.
    std::vector<const standin::Art*> Paths(ObjId group) const {
        std::vector<const standin::Art*> out;
        doc->walk([&](const standin::Art& a, int) { if (a.type == kPathArt) out.push_back(&a); }, group);
        std::reverse(out.begin(), out.end());
        return out;
    }
    // The closed paths of more than three anchors: frames and flags (terminators have three).
    std::vector<const standin::Art*> Frames(ObjId group) const {
        std::vector<const standin::Art*> out;
        for (const standin::Art* a : Paths(group))
            if (a->closed && a->segments.size() > 3) out.push_back(a);
        return out;
    }
    AIRealRect BoundsOf(const standin::Art* art) const { return Bounds(art->id); }

    // The outline bounds of a text of the label style (DejaVu Sans 10, leading 12), laid out
    // by the host from a story built here; lines split at "\r".
    static AIRealRect TextBox(const std::string& text) {
        standin::text::Story story;
        standin::text::TextRun run;
        run.text = text;
        run.features.font = "DejaVu Sans";
        run.features.size = 10;
        run.features.leading = 12;
        story.runs = {run};
        return standin::text::storyBounds(story, standin::text::hostTextEngine().fonts());
    }
};

}  // namespace dimtest
