// The host's rectangles and ellipses: the document's own shapes and the shape suite's are
// the same anchors, and an ellipse's anchors sit on its box with handles of kappa times
// each half-axis, worked out here by hand.
#include <gtest/gtest.h>

#include <vector>

#include "HostFixture.h"
#include "model/Art.h"

namespace {

class ShapeAnchorsTest : public HostTest {
protected:
    std::vector<AIPathSegment> segments(AIArtHandle art) {
        int16_t n = 0;
        EXPECT_EQ(sPath->GetPathSegmentCount(art, &n), kNoErr);
        std::vector<AIPathSegment> segs(static_cast<size_t>(n));
        EXPECT_EQ(sPath->GetPathSegments(art, 0, n, segs.data()), kNoErr);
        return segs;
    }
    std::vector<AIPathSegment> documentShape(bool oval, AIReal x, AIReal y, AIReal w, AIReal h) {
        standin::ObjId id = 0;
        EXPECT_EQ(oval ? doc->addEllipse(x, y, w, h, &id) : doc->addRect(x, y, w, h, &id), kNoErr);
        return segments(standin::toHandle<AIArtHandle>(id));
    }
    std::vector<AIPathSegment> suiteShape(bool oval, AIReal top, AIReal left, AIReal bottom, AIReal right) {
        AIArtHandle art = nullptr;
        EXPECT_EQ((oval ? sShape->NewOval : sShape->NewRect)(top, left, bottom, right, false, &art), kNoErr);
        return segments(art);
    }
};

void ExpectSame(const std::vector<AIPathSegment>& a, const std::vector<AIPathSegment>& b) {
    ASSERT_EQ(a.size(), b.size());
    for (size_t i = 0; i < a.size(); ++i) {
        for (auto [p, q] : {std::pair{a[i].p, b[i].p}, {a[i].in, b[i].in}, {a[i].out, b[i].out}}) {
            EXPECT_EQ(p.h, q.h) << i;
            EXPECT_EQ(p.v, q.v) << i;
        }
        EXPECT_EQ(a[i].corner, b[i].corner) << i;
    }
}

TEST_F(ShapeAnchorsTest, TheDocumentsShapesAreTheShapeSuitesAnchorForAnchor) {
    constexpr struct {
        AIReal x, y, w, h;
    } kBoxes[] = {{0, 0, 100, 50}, {120, 70, 60, 60}, {-50, -50, 100, 100}, {0.1f, 0.37f, 1.3f, 0.7f}};
    for (const auto& b : kBoxes)
        for (const bool oval : {true, false}) {
            SCOPED_TRACE(oval ? "oval" : "rectangle");
            ExpectSame(documentShape(oval, b.x, b.y, b.w, b.h), suiteShape(oval, b.y + b.h, b.x, b.y, b.x + b.w));
        }
}

TEST_F(ShapeAnchorsTest, AnEllipseRunsClockwiseFromTheTopOnItsBox) {
    // 100 by 50 from the origin: half-axes 50 and 25, handles 27.614237 and 13.807119.
    const AIReal kx = 27.614237f, ky = 13.807119f;
    const AIPathSegment expected[] = {{{50, 50}, {50 - kx, 50}, {50 + kx, 50}, false},
                                      {{100, 25}, {100, 25 + ky}, {100, 25 - ky}, false},
                                      {{50, 0}, {50 + kx, 0}, {50 - kx, 0}, false},
                                      {{0, 25}, {0, 25 - ky}, {0, 25 + ky}, false}};
    const AIRealPoint corners[] = {{0, 50}, {100, 50}, {100, 0}, {0, 0}};  // from the top left, clockwise
    // The same box through the document and through the shape suite.
    for (const bool fromSuite : {false, true}) {
        SCOPED_TRACE(fromSuite ? "shape suite" : "document");
        const auto shape = [&](bool oval) {
            return fromSuite ? suiteShape(oval, 50, 0, 0, 100) : documentShape(oval, 0, 0, 100, 50);
        };
        const std::vector<AIPathSegment> s = shape(true);
        ASSERT_EQ(s.size(), 4u);
        for (size_t i = 0; i < 4; ++i)
            for (auto [p, q] : {std::pair{s[i].p, expected[i].p}, {s[i].in, expected[i].in}, {s[i].out, expected[i].out}}) {
                EXPECT_NEAR(p.h, q.h, 1e-4) << i;
                EXPECT_NEAR(p.v, q.v, 1e-4) << i;
            }
        const std::vector<AIPathSegment> r = shape(false);
        ASSERT_EQ(r.size(), 4u);
        for (size_t i = 0; i < 4; ++i) {
            EXPECT_EQ(r[i].p.h, corners[i].h) << i;
            EXPECT_EQ(r[i].p.v, corners[i].v) << i;
            EXPECT_TRUE(r[i].corner) << i;
        }
    }
}

}  // namespace
