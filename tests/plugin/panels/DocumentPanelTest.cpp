// The document panel worked as a user would: the number format redraws every value (rulers,
// stale links, every live dimension) and gives the selection back, and picked again does
// nothing; the dimension-layer box creates one "Dimension Layer" above the current top-level
// layer, deleting a custom scale resets the layers, the slot and the current scale together,
// adding one and cancelling redraws nothing, and the panel's height follows the scale style
// and the user.
#include <algorithm>
#include <cstring>

#include "AITag.h"
#include "PanelSessionFixture.h"
#include "core/PlotwiseSelection.h"
#include "core/PluginWork.h"
#include "panels/CustomScaleDialogItems.h"
#include "panels/DocumentPanel.h"
#include "panels/ScaleSection.h"
#include "units/LayerScales.h"
#include "units/PlotwiseUnits.h"

namespace paneltest {
namespace {

using Strings = std::vector<std::string>;

struct StoredScale {
    int32_t id;
    AIReal scaler;
    std::string label;
};

class DocumentPanelTest : public PanelSession {
protected:
    // The scale stored on a layer, read through the host's model.
    StoredScale Stored(const char* title) {
        const standin::Art* layer = Doc().art(Doc().layerByTitle(title));
        const standin::Dict* d = layer ? Doc().dict(layer->dictionary) : nullptr;
        if (!d || !d->find("ZA3_ScaleID")) return {-1, 0, ""};
        return {std::get<int32_t>(*d->find("ZA3_ScaleID")), std::get<AIReal>(*d->find("ZA3_Scaler")),
                std::get<standin::DictText>(*d->find("ZA3_ScaleStr")).str()};
    }
    // The index of the layer list's row of that layer.
    int32_t Row(const std::string& title) {
        const Strings rows = Entries(kLayerList);
        for (size_t i = 0; i < rows.size(); ++i)
            if (rows[i].rfind(title + " - ", 0) == 0 && rows[i].find(" - ", title.size() + 3) == std::string::npos)
                return static_cast<int32_t>(i);
        ADD_FAILURE() << "no row for " << title;
        return -1;
    }
    bool Tagged(standin::ObjId art) { return readback::Tagged(Doc(), art, kObjectWasSelectedTag); }
    std::string Formatted(double points, int16_t units, int16_t precision) {
        char text[256] = {};
        doScaleAndUnits(0, points, text, 1, units, precision);
        return text;
    }
    int CountRequests(const std::string& what) {
        return static_cast<int>(std::count(Requests().begin(), Requests().end(), what));
    }
};

TEST_F(DocumentPanelTest, ANewNumberFormatRedrawsEveryValueAndGivesTheSelectionBack) {
    Start();
    session->newDocument();
    standin::ObjId picked = 0, other = 0;
    ASSERT_EQ(Doc().addRect(0, 0, 10, 10, &picked), kNoErr);
    ASSERT_EQ(Doc().addRect(20, 0, 10, 10, &other), kNoErr);
    ASSERT_EQ(Doc().select(picked), kNoErr);
    session->settle();
    EXPECT_EQ(View(kNumberFormatPopup).text, "1,234.56");
    EXPECT_EQ(Formatted(1234.5 * 72 / 25.4, kMillimeterUnits, 2).rfind("1,234.50", 0), 0u);
    Requests().clear();

    ASSERT_EQ(Pick(kNumberFormatPopup, 1), kNoErr);
    EXPECT_EQ(g->prefs.numberFormat, 1);
    EXPECT_EQ(g->prefs.useThousandsSeparator, 1);
    EXPECT_EQ(Requests(), (Strings{"rulers 1 1", "cleanup", "regenerate 0"}));
    EXPECT_TRUE(Tagged(picked));
    EXPECT_FALSE(Tagged(other));
    EXPECT_EQ(Formatted(1234.5 * 72 / 25.4, kMillimeterUnits, 2).rfind("1.234,50", 0), 0u);

    // The redraw may have deselected; once the timer has fired the same art is selected.
    {
        const PluginWork redraw{WorkKind::kOther};
        ASSERT_EQ(deselectAllArt(), kNoErr);
    }
    session->ticks(10);
    EXPECT_EQ(Doc().selection(), std::vector<standin::ObjId>{picked});
    EXPECT_FALSE(Tagged(picked));

    // The format in use picked again redraws nothing and tags nothing.
    Requests().clear();
    ASSERT_EQ(Pick(kNumberFormatPopup, 1), kNoErr);
    EXPECT_TRUE(Requests().empty());
    EXPECT_FALSE(Tagged(picked));

    // The thousands box reads both items too.
    Requests().clear();
    ASSERT_EQ(Press(kThousandsCheckBox), kNoErr);
    EXPECT_EQ(g->prefs.useThousandsSeparator, 0);
    EXPECT_EQ(g->prefs.numberFormat, 1);
    EXPECT_EQ(Requests(), (Strings{"rulers 1 1", "cleanup", "regenerate 0"}));
    EXPECT_EQ(Formatted(1234.5 * 72 / 25.4, kMillimeterUnits, 2).rfind("1234,50", 0), 0u);
}

TEST_F(DocumentPanelTest, AStoredFormatThePopupDoesNotOfferShowsTheDefault) {
    Store().putInteger("ZelmarkPlotwise7", "numberFormat", 2);
    Start();
    EXPECT_EQ(View(kNumberFormatPopup).text, "1,234.56");
    EXPECT_EQ(View(kNumberFormatPopup).value, 0);
}

TEST_F(DocumentPanelTest, TheDimensionLayerBoxMakesOneLayerAboveTheTopLevelLayer) {
    Start();
    session->newDocument();
    Doc().addLayer("Site");
    Doc().addLayer("Plan");
    const standin::ObjId walls = Doc().insertLayer(Doc().layerByTitle("Plan"), kPlaceInsideOnTop, "Walls");
    ASSERT_EQ(Doc().setCurrentLayer(walls), kNoErr);
    auto dimensionLayers = [&] {
        Strings titles;
        for (standin::ObjId l : Doc().topLayers()) titles.push_back(Doc().art(l)->layer->title);
        return titles;
    };

    // With no dimensioning tool only the preference changes.
    g->dimensionToolSelected = 0;
    ASSERT_EQ(Press(kDimensionLayerCheckBox), kNoErr);
    EXPECT_EQ(g->prefs.createDimensionLayer, 0);
    ASSERT_EQ(Press(kDimensionLayerCheckBox), kNoErr);
    EXPECT_EQ(g->prefs.createDimensionLayer, 1);
    EXPECT_EQ(dimensionLayers(), (Strings{"Plan", "Site", "Layer 1"}));

    g->dimensionToolSelected = 1;
    ASSERT_EQ(Press(kDimensionLayerCheckBox), kNoErr);
    EXPECT_EQ(dimensionLayers(), (Strings{"Plan", "Site", "Layer 1"}));  // switched off: nothing
    ASSERT_EQ(Press(kDimensionLayerCheckBox), kNoErr);
    EXPECT_EQ(dimensionLayers(), (Strings{"Dimension Layer", "Plan", "Site", "Layer 1"}));
    const standin::LayerProps& made = *Doc().art(Doc().layerByTitle("Dimension Layer"))->layer;
    EXPECT_TRUE(made.visible && made.editable && made.printed && made.preview);
    EXPECT_FALSE(made.dimPlaced);
    EXPECT_EQ(made.color.red, 65535);
    EXPECT_EQ(made.color.green, 0);
    EXPECT_EQ(made.color.blue, 0);
    EXPECT_EQ(g->saveLayer, standin::suites::layerHandle(walls));

    // Ticked again: the layer is found, not made twice.
    ASSERT_EQ(Press(kDimensionLayerCheckBox), kNoErr);
    ASSERT_EQ(Press(kDimensionLayerCheckBox), kNoErr);
    EXPECT_EQ(dimensionLayers(), (Strings{"Dimension Layer", "Plan", "Site", "Layer 1"}));
}

TEST_F(DocumentPanelTest, DeletingACustomScaleResetsLayersSlotAndCurrentScaleTogether) {
    Store().putReal("ZelmarkPlotwise7", "customScaler1", 120.0f);
    Store().putString("ZelmarkPlotwise7", "customScaleStr1", "1\" = 10'");
    Start();
    session->newDocument();
    Doc().addLayer("A");
    Doc().addLayer("B");
    Doc().addLayer("C");
    ASSERT_EQ(Press(kLayerScaleRadio), kNoErr);
    for (const char* title : {"A", "B"}) {
        ASSERT_EQ(Pick(kLayerList, Row(title)), kNoErr);
        ASSERT_EQ(Pick(kScalePopup, 0), kNoErr);
    }
    ASSERT_EQ(Pick(kLayerList, Row("C")), kNoErr);
    ASSERT_EQ(Pick(kScalePopup, 25), kNoErr);
    EXPECT_EQ(Stored("A").label, "1\" = 10'");
    EXPECT_EQ(Stored("C").label, "1:50");
    EXPECT_EQ(Entries(kADMPopoutMenuItemID), (Strings{"Add Custom Scale...", "Delete Custom Scale"}));

    ASSERT_EQ(Pick(kLayerList, Row("A")), kNoErr);
    ASSERT_EQ(View(kScalePopup).text, "1\" = 10'");
    EXPECT_EQ(g->prefs.scaler, 120.0f) << "the scale shown is the one lengths are typed at";
    Requests().clear();
    ASSERT_EQ(Pick(kADMPopoutMenuItemID, 1), kNoErr);
    for (const char* title : {"A", "B"}) {
        EXPECT_EQ(Stored(title).id, 33) << title;
        EXPECT_EQ(Stored(title).scaler, 1.0f) << title;
        EXPECT_EQ(Stored(title).label, "1:1") << title;
    }
    EXPECT_EQ(Stored("C").id, 25);
    EXPECT_EQ(g->prefs.customScaler1, 0.0f);
    EXPECT_STREQ(g->prefs.customScaleStr1, "");
    EXPECT_EQ(g->prefs.scale, 33);
    EXPECT_EQ(g->prefs.scaler, 1.0f);
    EXPECT_STREQ(g->prefs.scaleStr, "1:1");
    EXPECT_EQ(Entries(kADMPopoutMenuItemID), (Strings{"Add Custom Scale...", "Delete Custom Scale(off)"}));
    EXPECT_EQ(Entries(kScalePopup)[0], "Custom(off)");
    EXPECT_EQ(View(kLayerList).text, "A - 1:1");
    EXPECT_GE(CountRequests("regenerate 0"), 1);
    EXPECT_EQ(CountRequests("rulers 1 0"), 1);
}

TEST_F(DocumentPanelTest, DeletingWhileAFixedScaleIsShownTakesNoScaleOff) {
    Store().putReal("ZelmarkPlotwise7", "customScaler2", 96.0f);
    Store().putString("ZelmarkPlotwise7", "customScaleStr2", "eighth");
    Start();
    session->newDocument();
    Doc().addLayer("C");
    ASSERT_EQ(Press(kLayerScaleRadio), kNoErr);
    ASSERT_EQ(Pick(kLayerList, Row("C")), kNoErr);
    ASSERT_EQ(Pick(kScalePopup, 25), kNoErr);
    Requests().clear();
    ASSERT_EQ(Pick(kADMPopoutMenuItemID, 1), kNoErr);
    EXPECT_EQ(Stored("C").id, 25);
    EXPECT_EQ(g->prefs.customScaler2, 96.0f);
    EXPECT_TRUE(Requests().empty());
}

TEST_F(DocumentPanelTest, AddingACustomScaleAndCancellingRedrawsNothing) {
    Start();
    session->newDocument();
    standin::ModalAnswer cancel;
    cancel.dialog = kCustomScaleDialogName;
    cancel.actions.push_back(Pressed(2));
    Dialogs().queueModalAnswer(cancel);
    Requests().clear();
    ASSERT_EQ(Pick(kADMPopoutMenuItemID, 0), kNoErr);
    EXPECT_TRUE(Dialogs().failures().empty()) << Dialogs().failures().front();
    EXPECT_EQ(Dialogs().pendingModalAnswers(), 0u);
    EXPECT_TRUE(Requests().empty());
}

TEST_F(DocumentPanelTest, TheHeightFollowsTheScaleStyleAndTheUsersResize) {
    Start();
    session->newDocument();
    EXPECT_EQ(LocalRect().bottom, 244);
    EXPECT_FALSE(Dialogs().item(sADMDialog->GetItem(panel, kADMHostItemID))->visible);

    ASSERT_EQ(Press(kLayerScaleRadio), kNoErr);
    EXPECT_EQ(LocalRect().bottom, 334);
    ADMRect list{};
    sADMItem->GetBoundsRect(sADMDialog->GetItem(panel, kLayerList), &list);
    EXPECT_EQ(list.bottom, 330);

    ASSERT_EQ(session->hostEvent([&] { return Dialogs().userResize(panel, 206, 400); }), kNoErr);
    EXPECT_EQ(g->prefs.CADdocumentHeight, 400);
    sADMItem->GetBoundsRect(sADMDialog->GetItem(panel, kLayerList), &list);
    EXPECT_EQ(list.bottom, 396);

    ASSERT_EQ(Press(kDocumentScaleRadio), kNoErr);
    EXPECT_EQ(LocalRect().bottom, 244);
    ASSERT_EQ(session->hostEvent([&] { return Dialogs().userResize(panel, 206, 300); }), kNoErr);
    EXPECT_EQ(g->prefs.CADdocumentHeight, 400);  // kept only in layer-based style
    // The document keeps the height with its scale style.
    ASSERT_EQ(session->hostEvent(&SaveCADdocumentScaleSettings), kNoErr);
    const standin::Dict* d = Doc().dict(Doc().state().dictionary);
    ASSERT_NE(d, nullptr);
    ASSERT_NE(d->find("ZA3_CADdocHeight"), nullptr);
    EXPECT_EQ(std::get<int32_t>(*d->find("ZA3_CADdocHeight")), 400);
}

TEST_F(DocumentPanelTest, LiveDimensionsAndNumericInputAreStoredAsChosen) {
    Start();
    EXPECT_EQ(View(kLiveDimensionsCheckBox).value, 1);
    ASSERT_EQ(Press(kLiveDimensionsCheckBox), kNoErr);
    EXPECT_EQ(g->prefs.createLiveDimensions, 0);
    ASSERT_EQ(Pick(kNumericUnitsPopup, kFeetFractionalInchMarkUnits), kNoErr);
    ASSERT_EQ(Pick(kNumericPrecisionPopup, 4), kNoErr);
    EXPECT_EQ(g->prefs.NumericInputUnits, kFeetFractionalInchMarkUnits);
    EXPECT_EQ(g->prefs.NumericInputPrecision, 4);
    EXPECT_EQ(View(kNumericPrecisionPopup).text, "1/16");
    // Each choice shows the tracker's read-out again in the new form; nothing is redrawn.
    EXPECT_EQ(Requests(), (Strings{"tracker", "tracker"}));
}

}  // namespace
}  // namespace paneltest
