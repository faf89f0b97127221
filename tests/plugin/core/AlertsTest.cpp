// The shared alerts on the stand-in dialog manager: click state reset, silence while
// dimensions are regenerated, the art-must-be-clicked tip and its do-not-show-again
// answer.
#include <gtest/gtest.h>

#include "DialogHostFixture.h"
#include "core/PlotwiseAlerts.h"
#include "geometry/PlotwiseErrors.h"

namespace {

struct AlertTest : DialogHostFixture {
    void SetUp() override {
        DialogHostFixture::SetUp();
        globals.didFirstClick = globals.didSecondClick = 1;
        globals.clickNum = 3;
        globals.toolWasDragged = globals.autoToolInProgress = 1;
        globals.curvetoolNeedsToDrawText = globals.dragTipDisplayed = 1;
        globals.didThirdClick = 1;
    }
    void expectReset() {
        EXPECT_EQ(globals.didFirstClick, 0);
        EXPECT_EQ(globals.didSecondClick, 0);
        EXPECT_EQ(globals.clickNum, 0);
        EXPECT_EQ(globals.toolWasDragged, 0);
        EXPECT_EQ(globals.autoToolInProgress, 0);
        EXPECT_EQ(globals.curvetoolNeedsToDrawText, 0);
        EXPECT_EQ(globals.dragTipDisplayed, 0);
        EXPECT_EQ(globals.didThirdClick, 1);  // not part of the click state reset
    }
};

TEST_F(AlertTest, ErrorDialogResetsAndIsSilentWhileRegenerating) {
    EXPECT_EQ(doPlotwiseErrorDialog("Something failed"), kCADErr);
    expectReset();
    ASSERT_EQ(dm.alerts().size(), 1u);
    EXPECT_EQ(dm.alerts()[0].text, "Something failed");
    globals.updatingDimensions = 1;
    EXPECT_EQ(doPlotwiseErrorDialog("Quiet"), kCADErr);
    EXPECT_EQ(dm.alerts().size(), 1u);
    EXPECT_EQ(doDialogInputErrorDialog("Bad number"), kCADErr);  // answers typing even then
    EXPECT_EQ(dm.alerts().size(), 2u);
}

TEST_F(AlertTest, ArtMustBeClickedAsksOnceThenBeeps) {
    globals.prefs.displayArtMustBeClickedError = 1;
    dm.queueAlertAnswer(kADMMiddleButton);  // OK
    EXPECT_EQ(doArtMustBeClickedErrorDialog(), kCADErr);
    expectReset();
    ASSERT_EQ(dm.alerts().size(), 1u);
    EXPECT_EQ(dm.alerts()[0].kind, standin::AlertRecord::Kind::Question);
    EXPECT_EQ(dm.alerts()[0].text, "This tool must be used by clicking on an object.");
    EXPECT_EQ(dm.alerts()[0].buttons[0], "Don't show again");
    EXPECT_EQ(dm.alerts()[0].buttons[1], "OK");
    EXPECT_EQ(dm.alerts()[0].buttons[2], "Cancel");
    EXPECT_EQ(globals.prefs.displayArtMustBeClickedError, 1);
    dm.queueAlertAnswer(kADMLeftButton);  // do not show again
    doArtMustBeClickedErrorDialog();
    EXPECT_EQ(globals.prefs.displayArtMustBeClickedError, 0);
    doArtMustBeClickedErrorDialog();
    EXPECT_EQ(dm.alerts().size(), 2u);
    EXPECT_EQ(dm.beeps(), 1);
    globals.UsingMagicDims = 1;
    doArtMustBeClickedErrorDialog();
    EXPECT_EQ(dm.beeps(), 1);  // silent during automatic dimensioning
}

}  // namespace
