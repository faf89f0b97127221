// The dimension kit's host with the resources' texts, live dimensions switched on, a plain
// style, and stand-in tool routines for a few kinds of dimension that record what the
// regeneration set up for them and draw a small live group. Dimensions and their click
// records are written straight through the stored-data routines, so the regeneration and
// link upkeep are tested apart from any real tool.
#pragma once

#include <string>
#include <vector>

#include "DimensionPartsFixture.h"
#include "dimensions/ClickChain.h"
#include "dimensions/DimensionDrawing.h"
#include "dimensions/DimensionLines.h"
#include "dimensions/DimensionRegeneration.h"
#include "dimensions/DimensionStorage.h"

namespace livetest {

// What a stand-in routine saw when it was called.
struct Seen {
    int32_t id, kind;
    AIRealPoint firstClick, secondClick, endPoint;
    std::vector<AIRealPoint> chain;
    std::vector<std::string> texts;
    AIToolHandle tool;
    int labelTool, updating, live;
    AIReal arrowheadLength;
    AIArtHandle updateArt;
};
inline std::vector<Seen> gSeen;
inline AIErr gFailWith = kNoErr;  // the stand-in makes its group, then fails with this
inline bool gFailLate = false;     // ... only after it has written the dimension's record
inline AIToolHandle gStandInTool = reinterpret_cast<AIToolHandle>(uintptr_t{0x7001});
inline AIToolHandle& StandInTool() { return gStandInTool; }

inline AIErr StandInRoutine() {
    Seen s{g->curDimID, g->curDimType, g->firstClick, g->secondClick, g->endPoint, {}, {}, g->curTool,
           g->labelToolSelected, g->updatingDimensions, g->prefs.createLiveDimensions,
           g->prefs.style.arrowheadLength, g->updateArt};
    for (const cdDataStruct* n = g->firstChainDimDataPtr; n; n = n->nextPtr) {
        s.chain.push_back(n->theLoc);
        s.texts.emplace_back(n->textData.dimStr);
    }
    gSeen.push_back(s);
    if (AIErr err = PrepDimensionLayer()) return err;
    if (AIErr err = drawDimensionLine(g->firstClick, g->endPoint, g->group)) return err;
    if (gFailWith && !gFailLate) return gFailWith;
    if (AIErr err = SetDimensionData(g->group, nullptr)) return err;
    return gFailWith;
}

// Stand-ins for kinds no real tool draws yet; kInclineDatum has no routine.
inline const PlotwiseDimensionKindRow kStandInKinds[] = {
    {kIncline, &StandInRoutine},
    {kInclineDatum, nullptr},
    {kArcLen, &StandInRoutine, &StandInTool},
    {kRadius, &StandInRoutine},
    {kBezCurve, &StandInRoutine},
    {kDatumTarget, &StandInRoutine},
};

class LiveDimensionFixture : public DimensionPartsFixture {
protected:
    PlotwiseSubsystem standIns{.name = "stand-in dimension kinds", .dimensionKinds = kStandInKinds};

    void SetUp() override {
        DimensionPartsFixture::SetUp();
        host_.resources().setDir(PLOTWISE_RESOURCE_DIR);
        AddPlotwiseSubsystem(&standIns);
        gSeen.clear();
        gFailWith = kNoErr;
        gFailLate = false;
        auto& p = g->prefs;
        p.createLiveDimensions = 1;
        p.scale = 33;
        p.scaler = 1.0f;
        CopyCString(p.scaleStr, "1:1");
        auto& s = p.style;
        s.live = 1;
        s.dimensionTextSize = 10;
        s.arrowheadStyle = 1;
        s.arrowheadLength = 9;
        s.arrowheadAngle = 15;
        s.dimTextPrecedenceFlag = 0;
        ASSERT_EQ(sAILayer->GetCurrentLayer(&g->saveLayer), kNoErr);
    }
    void TearDown() override {
        FreeLiveDimensionGroupDataList();
        FreeDimensionedObjectDataList();
        doFreeHitLocs();
        RemovePlotwiseSubsystem(&standIns);
        DimensionPartsFixture::TearDown();
    }

    AIArtHandle Path(const std::vector<AIRealPoint>& points, bool closed = false) {
        standin::ObjId id = 0;
        EXPECT_EQ(doc_->addPolyline(points, closed, &id), kNoErr);
        return standin::toHandle<AIArtHandle>(id);
    }
    // A live dimension group of the current style under id, holding a line from (0, 0) to (10, 0).
    AIArtHandle Dimension(int32_t id, AIArtHandle inside = nullptr) {
        AIArtHandle group = NewArt(kGroupArt, inside);
        AIArtHandle line = NewArt(kPathArt, group);
        const AIPathSegment segments[2] = {{{0, 0}, {0, 0}, {0, 0}, true}, {{10, 0}, {10, 0}, {10, 0}, true}};
        EXPECT_EQ(sAIPath->SetPathSegments(line, 0, 2, segments), kNoErr);
        Plotwise3_Live_Dimension_Data style = g->prefs.style;
        style.id = id;
        EXPECT_EQ(SetDimensionData(group, &style), kNoErr);
        return group;
    }
    static Plotwise3_dimensioned_object_data Click(int32_t id, int32_t clickNum, int32_t kind, int32_t type,
                                                   int32_t segment = 0, AIReal x = 0, AIReal y = 0) {
        Plotwise3_dimensioned_object_data c{};
        c.id = id;
        c.clickNum = clickNum;
        c.dimType = kind;
        c.clickType = type;
        c.segNumBefore = segment;
        c.segNumAfter = segment;
        c.x = x;
        c.y = y;
        return c;
    }
    // Stores a click on art: an anchor, a point, or (clickNum -1) the drag offset.
    void Store(AIArtHandle art, Plotwise3_dimensioned_object_data c) {
        ASSERT_EQ(SetDimensionedObjectData(art, &c), kNoErr);
    }
    void Anchor(AIArtHandle art, int32_t id, int32_t clickNum, int32_t kind, int32_t segment) {
        Store(art, Click(id, clickNum, kind, kLiveDimClickedSegmentPoint, segment));
    }
    void Drag(AIArtHandle art, int32_t id, int32_t kind, AIReal length, AIReal angle) {
        Plotwise3_dimensioned_object_data c = Click(id, -1, kind, kLiveDimClickedSegmentPoint, 0);
        c.endPointOffsetLength = length;
        c.endPointOffsetAngle = angle;
        Store(art, c);
    }

    bool Valid(AIArtHandle art) { return sAIArt->ValidArt(art, false) != 0; }
    // The live groups of the document, top first.
    std::vector<AIArtHandle> LiveGroups() {
        std::vector<AIArtHandle> out;
        doc_->walk([&](const standin::Art& a, int) {
            AIArtHandle h = standin::toHandle<AIArtHandle>(a.id);
            if (a.type == kGroupArt && !a.isLayerGroup() && IsDimension(h)) out.push_back(h);
        });
        return out;
    }
    std::vector<std::string> Alerts() { return readback::Alerts(session_->dialogs()); }
};

}  // namespace livetest
