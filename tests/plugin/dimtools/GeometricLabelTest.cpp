// The geometric label lists the measurements of the art a label points at: the order and
// captions, missing values, the switches of the style, the empty read-out, the tracker
// asked for the art given, and the labels panel refreshed except while regenerating.
#include <gtest/gtest.h>

#include <cmath>

#include <cstring>
#include <string>

#include "DialogHostFixture.h"
#include "PanelServiceSpy.h"
#include "dimtools/LabelText.h"
#include "geometry/PlaneGeometry.h"
#include "geometry/UnitFormat.h"

namespace {

struct GeometricLabelTest : DialogHostFixture {
    void SetUp() override {
        DialogHostFixture::SetUp();
        auto& s = globals.prefs.style;
        s.upperUnits = kMillimeterUnits;
        s.upperDecimalPrecision = 1;
        s.appendUpperUnitLabels = 1;
        globals.prefs.scaler = 1.0f;  // the read-out as fresh globals start it: nothing known
    }
    void AllFlags(int on) {
        auto& s = globals.prefs.style;
        s.geoLabelX = s.geoLabelY = s.geoLabelW = s.geoLabelH = s.geoLabelP = s.geoLabelA = on;
    }
    std::string Label(AIArtHandle art = nullptr) {
        char text[1024];
        std::memset(text, 'x', sizeof text);
        GetGeometricLabelText(text, sizeof text, art);
        return text;
    }
};

TEST_F(GeometricLabelTest, ClosedPathWidthAndAreaInOrder) {
    // A 72 x 36 pt closed rectangle: 25.4 x 12.7 mm, perimeter 76.2 mm, area 322.58 mm².
    const auto measured = [this] {
        globals.geometryX = 144;
        globals.geometryY = 720;
        globals.geometryW = 72;
        globals.geometryH = 36;
        globals.geometryP = 216;
        globals.geometryA = 72 * 36;
    };
    measured();
    globals.prefs.style.geoLabelA = 1;
    globals.prefs.style.geoLabelW = 1;
    EXPECT_EQ(Label(), "Width: 25.4 mm  Area: 322.6 mm sq  ");
    AllFlags(1);
    EXPECT_EQ(Label(), "No data") << "the values are read once";
    measured();
    EXPECT_EQ(Label(), "X: 50.8 mm  Y: 254.0 mm  Width: 25.4 mm  Height: 12.7 mm  Perimeter: 76.2 mm  "
                       "Area: 322.6 mm sq  ");
}

TEST_F(GeometricLabelTest, OpenPathHasNoPerimeterAndScaleApplies) {
    globals.geometryW = 72;
    globals.geometryL = 100;  // an open path's length is never listed
    globals.prefs.scaler = 2.0f;
    AllFlags(1);
    EXPECT_EQ(Label(), "Width: 50.8 mm  ");
    // 0.75 mm wide at x 1000, as its floats give it: 2.7e-6 mm short of the half, within
    // the spacing of coordinates that far out (2.2e-5 mm): as the tracker reads it.
    globals.prefs.scaler = 1.0f;
    globals.geometryW = static_cast<double>(1000.0f + static_cast<float>(0.75 * 72 / 25.4)) - 1000;
    globals.geometryErrorW = std::ldexp(1.0, -14);  // half a float's spacing at each side
    EXPECT_EQ(Label(), "Width: 0.8 mm  ");
}

TEST_F(GeometricLabelTest, NothingKnownOrNothingSwitchedOn) {
    AllFlags(1);
    EXPECT_EQ(Label(), "No data");
    globals.geometryH = 36;
    AllFlags(0);
    EXPECT_EQ(Label(), "") << "values known but all switched off";
}

TEST_F(GeometricLabelTest, TheArtGivenRefreshesTheReadOutFirst) {
    PanelServiceSpy spy;
    AllFlags(1);
    PanelServiceSpy::onTrackerUpdate = [this](AIArtHandle) { globals.geometryH = 72; };
    auto* art = reinterpret_cast<AIArtHandle>(uintptr_t{42});
    EXPECT_EQ(Label(art), "Height: 25.4 mm  ");
    EXPECT_EQ(PanelServiceSpy::trackerUpdates, 1);
    EXPECT_EQ(PanelServiceSpy::trackerArt, art);
    EXPECT_EQ(PanelServiceSpy::labelFieldRefreshes, 1);
    // Without art the read-out is used as it is.
    globals.geometryH = 36;
    EXPECT_EQ(Label(), "Height: 12.7 mm  ");
    EXPECT_EQ(PanelServiceSpy::trackerUpdates, 1);
    // Regenerating leaves the panel alone.
    globals.updatingDimensions = 1;
    Label();
    EXPECT_EQ(PanelServiceSpy::labelFieldRefreshes, 2);
}

TEST_F(GeometricLabelTest, TextIsBoundedByTheCallersBuffer) {
    AllFlags(1);
    globals.geometryW = 72;
    char small[8];
    GetGeometricLabelText(small, sizeof small, nullptr);
    EXPECT_STREQ(small, "Width: ");
}

}  // namespace
