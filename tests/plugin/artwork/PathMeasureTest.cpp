// Path routines on path art of the stand-in host: lengths segment by segment with the
// host's error for an index past the end, spans, and areas of a closed circle.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "AIArt.h"
#include "AIHitTest.h"
#include "AILayer.h"
#include "AIPath.h"
#include "AIPathStyle.h"
#include "geometry/BezierGeometry.h"
#include "Host.h"
#include "core/PlotwiseSelection.h"
#include "artwork/PathEditing.h"
#include "artwork/PathMeasure.h"
#include "geometry/PlaneGeometry.h"
#include "core/PlotwiseSuites.h"

namespace {

struct PathTest : ::testing::Test {
    standin::Host host;
    void SetUp() override {
        host.newDocument();
        host.beginMessage();
        const void* p = nullptr;
        ASSERT_EQ(host.suites().acquire(kAIArtSuite, kAIArtSuiteVersion, &p), kNoErr);
        sAIArt = static_cast<AIArtSuite*>(const_cast<void*>(p));
        ASSERT_EQ(host.suites().acquire(kAIPathSuite, kAIPathSuiteVersion, &p), kNoErr);
        sAIPath = static_cast<AIPathSuite*>(const_cast<void*>(p));
        ASSERT_EQ(host.suites().acquire(kAIHitTestSuite, kAIHitTestSuiteVersion, &p), kNoErr);
        sAIHitTest = static_cast<AIHitTestSuite*>(const_cast<void*>(p));
        ASSERT_EQ(host.suites().acquire(kAILayerSuite, kAILayerSuiteVersion, &p), kNoErr);
        sAILayer = static_cast<AILayerSuite*>(const_cast<void*>(p));
        ASSERT_EQ(host.suites().acquire(kAIMatchingArtSuite, kAIMatchingArtSuiteVersion, &p), kNoErr);
        sAIMatchingArt = static_cast<AIMatchingArtSuite*>(const_cast<void*>(p));
        ASSERT_EQ(host.suites().acquire(kAIMdMemorySuite, kAIMdMemorySuiteVersion, &p), kNoErr);
        sAIMdMemory = static_cast<AIMdMemorySuite*>(const_cast<void*>(p));
        ASSERT_EQ(host.suites().acquire(kAIPathStyleSuite, kAIPathStyleSuiteVersion, &p), kNoErr);
        sAIPathStyle = static_cast<AIPathStyleSuite*>(const_cast<void*>(p));
    }
    void TearDown() override {
        host.endMessage();
        sAIArt = nullptr;
        sAIPath = nullptr;
        sAIHitTest = nullptr;
        sAILayer = nullptr;
        sAIMatchingArt = nullptr;
        sAIMdMemory = nullptr;
        sAIPathStyle = nullptr;
    }
    AIArtHandle path(const std::vector<AIPathSegment>& segs, bool closed, int16_t order = kPlaceAboveAll,
                     AIArtHandle prep = nullptr) {
        AIArtHandle art = nullptr;
        EXPECT_EQ(sAIArt->NewArt(kPathArt, order, prep, &art), kNoErr);
        EXPECT_EQ(sAIPath->SetPathSegmentCount(art, static_cast<int16_t>(segs.size())), kNoErr);
        EXPECT_EQ(sAIPath->SetPathSegments(art, 0, static_cast<int16_t>(segs.size()), segs.data()), kNoErr);
        EXPECT_EQ(sAIPath->SetPathClosed(art, closed), kNoErr);
        return art;
    }
};

AIPathSegment corner(float h, float v) { return {{h, v}, {h, v}, {h, v}, 1}; }

TEST_F(PathTest, LengthBetweenAnchors) {
    AIArtHandle art = path({corner(0, 0), corner(30, 40), corner(30, 0)}, false);
    AIReal len = 0;
    ASSERT_EQ(calculatePathLength(art, 0, 1, &len), kNoErr);
    EXPECT_NEAR(len, 50, 1e-4);
    ASSERT_EQ(calculatePathLength(art, 0, 2, &len), kNoErr);
    EXPECT_NEAR(len, 90, 1e-4);
    ASSERT_EQ(calculatePathLength(art, 2, 2, &len), kNoErr);
    EXPECT_EQ(len, 0);
    EXPECT_NE(calculatePathLength(art, 0, 3, &len), kNoErr);  // past the last anchor
    EXPECT_EQ(len, kMissingValue);
    EXPECT_NE(calculatePathLength(nullptr, 0, 1, &len), kNoErr);
}

TEST_F(PathTest, AreaOfAClosedCircleAndSpans) {
    const float r = 50, k = 0.5522847498f * r;
    AIArtHandle art = path({{{r, 0}, {r, -k}, {r, k}, 0},
                            {{0, r}, {k, r}, {-k, r}, 0},
                            {{-r, 0}, {-r, k}, {-r, -k}, 0},
                            {{0, -r}, {-k, -r}, {k, -r}, 0}},
                           true);
    double area = 0, perimeter = 0;
    ASSERT_EQ(getPathAreaAndPerimeter(art, &area, &perimeter), kNoErr);
    EXPECT_NEAR(area, M_PI * r * r, 1e-3 * area);
    EXPECT_NEAR(perimeter, 2 * M_PI * r, 0.05);
    AIReal hostArea = 0;
    ASSERT_EQ(sAIPath->GetPathArea(art, &hostArea), kNoErr);
    EXPECT_NEAR(area, std::fabs(hostArea), 1e-3 * area);  // the host's own measure agrees
    AIRealBezier bez{};
    ASSERT_EQ(ZMKGetPathRealBezier(art, 3, &bez), kNoErr);
    EXPECT_EQ(bez.p3.h, r);  // the closing span ends at anchor 0
    EXPECT_NE(ZMKGetPathRealBezier(art, 4, &bez), kNoErr);
    const AIReal t = TAtLength(art, 0, static_cast<AIReal>(M_PI * r / 4));
    EXPECT_NEAR(t, 0.5, 0.01);
}

std::vector<AIPathSegment> segments(AIArtHandle art) {
    int16_t n = 0;
    sAIPath->GetPathSegmentCount(art, &n);
    std::vector<AIPathSegment> out(static_cast<size_t>(n));
    sAIPath->GetPathSegments(art, 0, n, out.data());
    return out;
}

TEST_F(PathTest, AnchorsAddedByParameter) {
    // A curved span split at t keeps its shape: the halves meet at the old curve point.
    AIArtHandle curve = path({{{0, 0}, {0, 0}, {0, 50}, 0}, {{100, 0}, {100, 50}, {100, 0}, 0}}, false);
    AIRealBezier before{};
    ASSERT_EQ(ZMKGetPathRealBezier(curve, 0, &before), kNoErr);
    ASSERT_EQ(AddBezierPoint(curve, 0, 0.25f), kNoErr);
    auto s = segments(curve);
    ASSERT_EQ(s.size(), 3u);
    const AIRealPoint expected = bezierPointAt(before, 0.25f);
    EXPECT_NEAR(s[1].p.h, expected.h, 1e-4);
    EXPECT_NEAR(s[1].p.v, expected.v, 1e-4);
    AIRealBezier right{};
    ASSERT_EQ(ZMKGetPathRealBezier(curve, 1, &right), kNoErr);
    const AIRealPoint onRight = bezierPointAt(right, 0.5f), onOld = bezierPointAt(before, 0.625f);
    EXPECT_NEAR(onRight.h, onOld.h, 1e-3);
    EXPECT_NEAR(onRight.v, onOld.v, 1e-3);
    EXPECT_EQ(AddBezierPoint(curve, 5, 0.5f), kOutOfRangeErr);
    // y = 60 - x^2 / 60 between corner anchors: their handles make the curve split at its top.
    AIArtHandle arch = path({{{-60, 0}, {-60, 0}, {-20, 80}, 1}, {{60, 0}, {20, 80}, {60, 0}, 1}}, false);
    ASSERT_EQ(AddBezierPoint(arch, 0, 0.5f), kNoErr);
    EXPECT_NEAR(segments(arch)[1].p.h, 0, 1e-4);
    EXPECT_NEAR(segments(arch)[1].p.v, 60, 1e-4);
}

TEST_F(PathTest, GroupAreasAndCompoundMembers) {
    AIArtHandle group = nullptr;
    ASSERT_EQ(sAIArt->NewArt(kGroupArt, kPlaceAboveAll, nullptr, &group), kNoErr);
    path({corner(0, 0), corner(10, 0), corner(10, 10), corner(0, 10)}, true, kPlaceInsideOnTop, group);
    path({corner(0, 0), corner(30, 40)}, false, kPlaceInsideOnTop, group);
    AIArtHandle compound = nullptr;
    ASSERT_EQ(sAIArt->NewArt(kCompoundPathArt, kPlaceInsideOnTop, group, &compound), kNoErr);
    path({corner(0, 0), corner(20, 0), corner(20, 20), corner(0, 20)}, true, kPlaceInsideOnTop, compound);
    path({corner(5, 5), corner(5, 15), corner(15, 15), corner(15, 5)}, true, kPlaceInsideOnTop, compound);  // a hole
    AIReal area = 0, compArea = 0, perimeter = 0;
    ASSERT_EQ(getGroupAreaAndPerimeter(group, group, 0, &area, &compArea, &perimeter), kNoErr);
    EXPECT_NEAR(area, 100, 1e-3);
    EXPECT_NEAR(compArea, 400 - 100, 1e-3);  // opposite orientations subtract
    EXPECT_NEAR(perimeter, 40 + 50 + 80 + 40, 1e-3);
    ASSERT_EQ(getGroupAreaAndPerimeter(group, group, 0, &area, &compArea, &perimeter), kNoErr);
    EXPECT_NEAR(area, 200, 1e-3);  // the outputs accumulate

    // A hole wound as its outline is: a hole by the even-odd rule, filled by the non-zero one.
    AIArtHandle plate = nullptr;
    ASSERT_EQ(sAIArt->NewArt(kCompoundPathArt, kPlaceAboveAll, nullptr, &plate), kNoErr);
    path({corner(0, 0), corner(20, 0), corner(20, 20), corner(0, 20)}, true, kPlaceInsideOnTop, plate);
    path({corner(5, 5), corner(15, 5), corner(15, 15), corner(5, 15)}, true, kPlaceInsideOnTop, plate);
    for (const auto& [evenOdd, filled] : {std::pair{true, 300.0}, std::pair{false, 400.0}}) {
        AIPathStyle style{};
        ASSERT_EQ(sAIPathStyle->GetPathStyle(plate, &style), kNoErr);
        style.evenodd = evenOdd;
        ASSERT_EQ(sAIPathStyle->SetPathStyle(plate, &style), kNoErr);
        area = compArea = perimeter = 0;
        ASSERT_EQ(getGroupAreaAndPerimeter(plate, plate, 0, &area, &compArea, &perimeter), kNoErr);
        EXPECT_NEAR(area + std::fabs(compArea), filled, 1e-3) << evenOdd;
        EXPECT_NEAR(perimeter, 80 + 40, 1e-3);
    }
}

TEST_F(PathTest, DeselectAllArt) {
    AIArtHandle a = path({corner(0, 0), corner(10, 0)}, false);
    AIArtHandle group = nullptr;
    ASSERT_EQ(sAIArt->NewArt(kGroupArt, kPlaceAboveAll, nullptr, &group), kNoErr);
    AIArtHandle b = path({corner(0, 0), corner(10, 10)}, false, kPlaceInsideOnTop, group);
    for (AIArtHandle art : {a, b, group}) ASSERT_EQ(sAIArt->SetArtUserAttr(art, kArtSelected, kArtSelected), kNoErr);
    ASSERT_EQ(deselectAllArt(), kNoErr);
    for (AIArtHandle art : {a, b, group}) {
        uint32_t attr = 1;
        ASSERT_EQ(sAIArt->GetArtUserAttr(art, kArtSelected | kArtFullySelected, &attr), kNoErr);
        EXPECT_EQ(attr, 0u);
    }
}

}  // namespace
