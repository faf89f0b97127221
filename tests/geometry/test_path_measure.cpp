// Path routines on path art of the stand-in host: lengths segment by segment with the
// host's error for an index past the end, pieces, and areas of a closed circle.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "AIArt.h"
#include "AIPath.h"
#include "Host.h"
#include "PathMeasure.h"
#include "PlaneGeometry.h"
#include "PlotwiseSuites.h"

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
    }
    void TearDown() override {
        host.endMessage();
        sAIArt = nullptr;
        sAIPath = nullptr;
    }
    AIArtHandle path(const std::vector<AIPathSegment>& segs, bool closed) {
        AIArtHandle art = nullptr;
        EXPECT_EQ(sAIArt->NewArt(kPathArt, kPlaceAboveAll, nullptr, &art), kNoErr);
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

TEST_F(PathTest, AreaOfAClosedCircleAndPieces) {
    const float r = 50, k = 0.5522847498f * r;
    AIArtHandle art = path({{{r, 0}, {r, -k}, {r, k}, 0},
                            {{0, r}, {k, r}, {-k, r}, 0},
                            {{-r, 0}, {-r, k}, {-r, -k}, 0},
                            {{0, -r}, {-k, -r}, {k, -r}, 0}},
                           true);
    AIReal area = 0, perimeter = 0;
    ASSERT_EQ(getPathAreaAndPerimeter(art, &area, &perimeter), kNoErr);
    EXPECT_NEAR(area, M_PI * r * r, 1e-3 * area);
    EXPECT_NEAR(perimeter, 2 * M_PI * r, 0.05);
    AIReal hostArea = 0;
    ASSERT_EQ(sAIPath->GetPathArea(art, &hostArea), kNoErr);
    EXPECT_NEAR(area, std::fabs(hostArea), 1e-3 * area);  // the host's own measure agrees
    AIRealBezier bez{};
    ASSERT_EQ(ZMKGetPathRealBezier(art, 3, &bez), kNoErr);
    EXPECT_EQ(bez.p3.h, r);  // the closing piece ends at anchor 0
    EXPECT_NE(ZMKGetPathRealBezier(art, 4, &bez), kNoErr);
    const AIReal t = TAtLength(art, 0, static_cast<AIReal>(M_PI * r / 4));
    EXPECT_NEAR(t, 0.5, 0.01);
}

}  // namespace
