// The started plug-in with one document (as the axonometric tests have it), a grid of
// 10-point steps shown and snapped to within 4 points, and helpers that read the grid and
// ruler layers as the host holds them.
#pragma once

#include <string>
#include <vector>

#include "AxoFixture.h"
#include "axonometric/GridSnap.h"
#include "axonometric/GuideLayers.h"

namespace axotest {

struct GuidesTest : AxoTest {
    void SetUp() override {
        AxoTest::SetUp();
        g->prefs.snapToGrid = 1;
        g->prefs.objectSnapFullScreenCursor = 1;
        g->prefs.CADgridVisible = 0;
        g->prefs.ShowHorizontalGridLines = g->prefs.ShowVerticalGridLines = 1;
        g->prefs.ShowIsometricGridLines = 0;
        g->prefs.gridSnapTolerance = 4;
        g->gridSnapInc = 10;
    }

    void Zoom(AIReal zoom) {
        AIDocumentViewHandle view = nullptr;
        ASSERT_EQ(sAIDocumentView->GetNthDocumentView(0, &view), kNoErr);
        ASSERT_EQ(sAIDocumentView->SetDocumentViewZoom(view, zoom), kNoErr);
    }

    // Where the snap puts p; `snapped` says whether it did.
    AIRealPoint Snap(AIRealPoint p, bool* snapped = nullptr) {
        AIRealPoint out{-999, -999};
        const int16_t did = snapToGridCheckAxonometric(&p, &out);
        if (snapped) *snapped = did != 0;
        return did ? out : p;
    }

    standin::ObjId Polyline(std::vector<AIRealPoint> points, bool closed = false) {
        standin::ObjId id = 0;
        EXPECT_EQ(doc->addPolyline(points, closed, &id), kNoErr);
        return id;
    }

    const standin::Art* LayerArt(const char* title) const {
        const standin::ObjId id = doc->layerByTitle(title);
        return id ? doc->art(id) : nullptr;
    }
    std::vector<const standin::Art*> Members(const char* title, int16_t type) const {
        std::vector<const standin::Art*> out;
        const standin::ObjId layer = doc->layerByTitle(title);
        if (!layer) return out;
        for (standin::ObjId id : doc->children(layer))
            if (doc->art(id)->type == type) out.push_back(doc->art(id));
        return out;
    }
    static std::string Text(const standin::Art* t) { return readback::StoryText(*t); }
    std::vector<std::string> Labels() const {
        std::vector<std::string> out;
        for (const standin::Art* t : Members(kRulerLayerTitle, kTextFrameArt)) out.push_back(Text(t));
        return out;
    }
};

}  // namespace axotest
