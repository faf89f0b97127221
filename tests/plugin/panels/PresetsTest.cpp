// The presets as a drafter meets them: the built-in presets of a first start, written with
// the keys and values the preference list and the built-in table give; the version-6
// upgrade; files that are damaged or hostile refused whole; a preset's values used only
// within their domains; the Define, Edit, Rename and Load dialogs; a failed save; and the
// shortcuts panel's master units and precision.
#include <algorithm>
#include <cmath>
#include <fstream>
#include <limits>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <tuple>


#include "../../ScratchFolder.h"
#include "io/DocumentFile.h"
#include "PanelSessionFixture.h"
#include "panels/DocumentPanelItems.h"
#include "panels/GuidesPanel.h"
#include "panels/PresetsCatalog.h"
#include "panels/PresetRecord.h"
#include "panels/PresetsDialogs.h"
#include "panels/ShortcutsPanel.h"
#include "core/PlotwiseStrings.h"
#include "panels/LabelsPanelItems.h"
#include "panels/TextPanelItems.h"

namespace paneltest {
namespace {

using standin::io::CatalogValue;

struct Listed {
    std::string key, type, value;
};

// The 178 preset settings of the preference list, in the preset record's order.
std::vector<Listed> PresetSettings() {
    std::ifstream in(std::filesystem::path(PLOTWISE_SOURCE_DIR) / "tests/plugin/core/PreferenceKeys.txt");
    std::vector<Listed> out;
    std::string line, prefix;
    while (out.size() < 178 && std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream words(line);
        Listed l;
        words >> prefix >> l.key >> l.type >> std::ws;
        std::getline(words, l.value);
        out.push_back(l);
    }
    return out;
}

// A listed value as the preset holds it ("face" and the quoted texts as the built-ins have them).
CatalogValue Expected(const Listed& l) {
    if (l.type == "integer") return static_cast<int32_t>(std::stol(l.value));
    if (l.type == "real") return std::stof(l.value);
    if (l.type == "boolean") return l.value == "true";
    return l.value == "face" ? std::string("Helvetica") : l.value.substr(1, l.value.size() - 2);
}

// The built-in presets as their table gives them: the values both share, by type, in the
// table's own words, then the 29 settings in which they differ.
constexpr const char* kSharedBooleans = R"("LockAxoView" = true, "createLiveDimensions" = true,
    "useThousandsSeparator" = true, "createDimensionLayer" = true, "appendNumericInputUnits" = true,
    "constrainProportions" = false, "displayAreaInAcres" = false, "appendCADtrackerUnits" = true,
    "createCADgridsLayer" = false, "appendRulerUnits" = true, "showWallInfo" = true, "updateLiveDimensions" = false,
    "snapToGrid" = true, "DERurureLayerVisible" = false, "DERurureLayerExists" = false,
    "CADgridsLayerVisible" = false, "ShowHorizontalGridLines" = true, "ShowVerticalGridLines" = true,
    "ShowIsometricGridLines" = false, "trimToolDeletes" = true, "slideDimText" = true, "showCADtrackerInfo" = true,
    "DisplayDrawDimLayerWarning" = true, "DisplayArtMustBeClickedError" = true, "liveDimensionFormatMenu" = false,
    "axoNoForeshortening" = true, "forceDimLinesOutside" = false, "NumericLabelsUseLeadingZeros" = false,
    "geoLabelX" = false, "geoLabelY" = false, "geoLabelW" = false, "geoLabelH" = false, "geoLabelP" = false,
    "geoLabelA" = true, "stretchLabelShape" = true, "objectSnapFullScreenCursor" = true,
    "AutoDimensionHorizontal" = true, "AutoDimensionVertical" = true, "AutoDimensionInclined" = false,
    "AutoDimensionRadialCrosshairs" = true, "AutoDimensionRadialNone" = false, "CUSTOM_ALWAYS_ABOVE" = true,
    "CUSTOM_FORCE_SLASH" = false, "autoExpandAxoArt" = false, "upperRefDimension" = false,
    "lowerRefDimension" = false, "okToConnectCADlinePaths" = true)";
constexpr const char* kSharedIntegers = R"("currentAxoViewIndex" = 6, "numberFormat" = 0,
    "dimensionColorComponent1" = 0, "dimensionColorComponent2" = 0, "dimensionColorComponent3" = 0,
    "dimensionColorComponent4" = 0, "dimensionCustomColorType" = 1, "dimensionColorEntry" = 0,
    "dimensionColorType" = 5, "useUniversalTextAngle" = 0, "moveLargeDimensionText" = 0, "aTextPlacement" = 1,
    "dualDimensions" = 0, "appendUpperUnitLabels" = 1, "appendLowerUnitLabels" = 1, "upperTolerance" = 0,
    "upperToleranceSuperscript" = 0, "lowerTolerance" = 0, "lowerToleranceSuperscript" = 0, "appendDiamLabels" = 1,
    "diameterLabelsBefore" = 1, "makeSectionLineDoubleThick" = 1, "primeSection" = 1, "chainDatum" = 0,
    "JISDatumTerminator" = 0, "repeatType" = 0, "moveType" = 4, "rowDirection" = 1, "colDirection" = 1,
    "wallDatum" = 1, "liveDimension" = 1, "dimensionDataID" = 0, "labelIncType" = 1, "CADgridSnapTolerance" = 4,
    "gridColorRed" = 20316, "gridColorBlue" = 65535, "gridColorGreen" = 32767, "gridColorEntry" = 10,
    "GridlineEntry" = 1, "CADgridNumSubdiv" = 5, "CADgridLineStyle" = 0, "DimFormat" = 0, "DimNextNum" = 1,
    "DimNextAlpha" = 0, "textSpacing" = 14, "LabelNextNum" = 1, "LabelNextAlpha" = 0,
    "NumericLabelsNumberOfLeadingZeros" = 0, "alphaLabelMenuOption" = 1, "numericLabelMenuOption" = 1,
    "customLabelMenuOption" = 1, "terminatorDirection" = 1)";
constexpr const char* kSharedReals = R"("isoPadPosTempT" = 35.266666, "isoPadPosTempR" = 45,
    "isoViewT" = 35.266666, "isoViewR" = 45, "isoViewA" = 0.52362305, "isoViewB" = 2.6179695,
    "isoViewC" = -0.42920363, "isoViewAF" = 0.81650805, "isoViewBF" = 0.81650805, "isoViewCF" = 0.8164736,
    "customAxoView1R" = 0, "customAxoView2R" = 0, "customAxoView3R" = 0, "customAxoView4R" = 0,
    "customAxoView5R" = 0, "customAxoView1T" = 0, "customAxoView2T" = 0, "customAxoView3T" = 0,
    "customAxoView4T" = 0, "customAxoView5T" = 0, "dimensionCustomColorTint" = 100, "dimensionTextSize" = 14,
    "dimensionWeight" = 1, "arrowheadLength" = 9, "arrowheadWeight" = 1, "arrowheadAngle" = 17.5,
    "textDistanceAboveLine" = 4.5, "witnessGap" = 4.5, "witnessExtension" = 9, "witnessWeight" = 1,
    "autoDimensionOffset" = 27, "chamferDistance1" = 72, "chamferDistance2" = 72, "filletRadius" = 72,
    "wallThickness" = 432, "labelLeaderLength" = 90, "CADgridSpacing" = 141.73228, "diameterLeaderLength" = 36)";
constexpr const char* kSharedStrings = R"("customAxoView1Str" = "", "customAxoView2Str" = "",
    "customAxoView3Str" = "", "customAxoView4Str" = "", "customAxoView5Str" = "", "CADcustomColorName" = "",
    "dimensionTextFaceStr" = "Helvetica", "longLabelText" = "", "labelStatic" = "Zelmark, Inc.",
    "rulerFontStr" = "Helvetica", "CUSTOM_LABEL_DEFAULT_TEXT" = "Custom", "CUSTOM_DIM_DEFAULT_TEXT" = "Custom")";

struct Differing {
    const char* key;
    CatalogValue architecture, engineering;
};
const Differing kDiffering[] = {
    {"NumericInputUnits", 14, 5}, {"NumericInputPrecision", 2, 3}, {"arrowheadStyle", 3, 1},
    {"hTextPlacement", 2, 1}, {"vTextPlacement", 4, 1},
    {"upperToleranceValue", std::string(".125"), std::string(".005")}, {"upperToleranceUnits", 8, 5},
    {"lowerToleranceValue", std::string(".125"), std::string(".005")}, {"lowerToleranceUnits", 8, 5},
    {"diameterLeaderSpansCircle", 1, 0}, {"CADtrackerUnits", 14, 5}, {"CADtrackerPrecision", 2, 3},
    {"upperDecimalPrecision", 2, 3}, {"upperFractionalPrecision", 2, 3}, {"lowerDecimalPrecision", 2, 3},
    {"lowerFractionalPrecision", 2, 3}, {"rulerPrecision", 2, 3}, {"upperUnits", 14, 5}, {"lowerUnits", 14, 5},
    {"rulerUnits", 14, 5}, {"labelLeader", 0, 1}, {"labelShape", 2, 0}, {"labelBorder", 15, 9},
    {"LabelFormat", 0, 1}, {"annotateFullScreenCursor", false, true}, {"AutoDimensionRadialRadius", true, false},
    {"AutDimensionRadialDiameter", false, true}, {"MasterUnits", 14, 5}, {"MasterPrecision", 2, 3}};

// One built-in preset's 178 settings: the shared lists read as written, then its own column.
std::map<std::string, CatalogValue> BuiltIn(bool architecture) {
    std::map<std::string, CatalogValue> out;
    const std::regex entry(R"re("([^"]+)" = ("[^"]*"|[^,\s]+))re");
    const auto read = [&](const char* list, auto convert) {
        const std::string text(list);
        for (std::sregex_iterator m(text.begin(), text.end(), entry), end; m != end; ++m)
            out[(*m)[1]] = convert((*m)[2].str());
    };
    read(kSharedBooleans, [](const std::string& v) { return CatalogValue(v == "true"); });
    read(kSharedIntegers, [](const std::string& v) { return CatalogValue(static_cast<int32_t>(std::stol(v))); });
    read(kSharedReals, [](const std::string& v) { return CatalogValue(std::stof(v)); });
    read(kSharedStrings, [](const std::string& v) { return CatalogValue(v.substr(1, v.size() - 2)); });
    for (const Differing& d : kDiffering) out[d.key] = architecture ? d.architecture : d.engineering;
    return out;
}

class PresetsTest : public PanelSession {
protected:
    void SetUp() override {
        PanelSession::SetUp();
        host.catalogs().setFolder(folder.dir);
    }
    // A host that quits and starts again with the plug-in loaded but not started.
    void Fresh() {
        LoadPlugin();
        host.catalogs().setFolder(folder.dir);
    }
    std::string FileText() {
        std::ifstream in(folder.dir / "CADpresets", std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    void WriteFile(const std::string& text) { folder.write("CADpresets", text); }
    // A file of the given version holding the given collections (JSON members each).
    static std::string File(int version, const std::vector<std::string>& collections) {
        std::string out = "{\"owner\": \"\", \"description\": \"\", \"version\": " + std::to_string(version) +
                          ", \"collections\": [";
        for (size_t i = 0; i < collections.size(); ++i) out += (i ? ",{" : "{") + collections[i] + "}";
        return out + "]}";
    }
    const standin::Catalog* Catalog() { return host.catalogs().find("CADpresetsCatalog"); }
    std::vector<std::string> Names() {
        std::vector<std::string> out;
        for (const standin::Collection* c : Catalog()->collections)
            out.push_back(std::get<std::string>(*c->data.find("collectionName")));
        return out;
    }
    const standin::io::CatalogCollection& Preset(size_t i) { return Catalog()->collections.at(i)->data; }
    ADMDialogRef Shortcuts() { return Dialogs().findDialog("CADshortcuts"); }
    // Queues the user's actions in a modal dialog, then presses a shortcuts panel button.
    AIErr Through(int32_t button, const std::string& dialog, std::vector<standin::UserAction> actions) {
        for (const auto& a : actions) Dialogs().appendModalAction(dialog, a);
        panel = Shortcuts();
        return Press(button);
    }
    AIErr Define(const std::string& name) {
        return Through(kDefinePresetButton, "CADpresetsDefine", {Typed(kPresetNameField, name), Pressed(1)});
    }
    std::string LastAlert() { return Dialogs().alerts().empty() ? "" : Dialogs().alerts().back().text; }

    ScratchFolder folder;
};

TEST_F(PresetsTest, AFirstStartWritesTheTwoBuiltInPresetsWithEveryKey) {
    Start();
    ASSERT_EQ(Names(), (std::vector<std::string>{"Basic Architecture", "Basic Engineering"}));
    for (size_t p = 0; p < 2; ++p) {
        const auto want = BuiltIn(p == 0);
        ASSERT_EQ(want.size(), 178u);
        EXPECT_EQ(Preset(p).keys.size(), 179u);
        for (const auto& [key, value] : want) {
            const CatalogValue* got = Preset(p).find(key);
            ASSERT_NE(got, nullptr) << key;
            EXPECT_EQ(*got, value) << Names()[p] << " " << key;
        }
    }
    EXPECT_NE(FileText().find("\"version\": 7"), std::string::npos);
    // The next start reads the file and writes nothing.
    const std::string written = FileText();
    std::filesystem::last_write_time(folder.dir / "CADpresets", std::filesystem::file_time_type{});
    ASSERT_EQ(session->restart(), kNoErr);
    EXPECT_EQ(Names().size(), 2u);
    EXPECT_EQ(std::filesystem::last_write_time(folder.dir / "CADpresets"), std::filesystem::file_time_type{});
    EXPECT_EQ(FileText(), written);
}

// The unit codes of versions 3 to 6 move to today's; the other settings of the upgrade
// are reset whatever the version.
TEST_F(PresetsTest, AFileOfVersion3To6IsUpgradedOnceAndRewritten) {
    const std::string file = R"("collectionName": {"string": "Old"}, "CUSTOM_NO_FORESHORTENING": {"boolean": true},
           "autoExpandAxoArt": {"boolean": true}, "okToConnectCADlinePaths": {"boolean": false},
           "NumericInputUnits": {"integer": 1}, "upperToleranceUnits": {"integer": 13},
           "lowerToleranceUnits": {"integer": 14}, "CADtrackerUnits": {"integer": 15}, "upperUnits": {"integer": 0},
           "lowerUnits": {"integer": 16}, "rulerUnits": {"integer": -3}, "MasterUnits": {"integer": 7})";
    const std::map<std::string, CatalogValue> want = {
        {"autoExpandAxoArt", false}, {"upperRefDimension", false}, {"lowerRefDimension", false},
        {"okToConnectCADlinePaths", true}, {"axoNoForeshortening", false}, {"CUSTOM_NO_FORESHORTENING", true},
        {"NumericInputUnits", 2}, {"upperToleranceUnits", 15}, {"lowerToleranceUnits", 18},
        {"CADtrackerUnits", 1}, {"upperUnits", 0}, {"lowerUnits", 16}, {"rulerUnits", -3}, {"MasterUnits", 9}};
    for (int version : {3, 4, 5, 6}) {
        SCOPED_TRACE(version);
        WriteFile(File(version, {file, R"("collectionName": {"string": "Bare"})"}));
        Fresh();
        ASSERT_EQ(session->startup(), kNoErr) << session->lastError();
        for (const auto& [key, value] : want) EXPECT_EQ(*Preset(0).find(key), value) << key;
        // A preset without the old foreshortening key projects without foreshortening; its
        // unit keys stay absent.
        EXPECT_EQ(*Preset(1).find("axoNoForeshortening"), CatalogValue(true));
        EXPECT_EQ(Preset(1).find("rulerUnits"), nullptr);
        const std::string upgraded = FileText();
        EXPECT_NE(upgraded.find("\"version\": 7"), std::string::npos);
        ASSERT_EQ(session->restart(), kNoErr);
        EXPECT_EQ(FileText(), upgraded);
        EXPECT_EQ(*Preset(0).find("NumericInputUnits"), CatalogValue(2));
    }
}

TEST_F(PresetsTest, ANewerFileIsUsedAsItIs) {
    const std::string text = File(8, {R"("collectionName": {"string": "Later"}, "rulerUnits": {"integer": 1})"});
    WriteFile(text);
    Start();
    EXPECT_EQ(*Preset(0).find("rulerUnits"), CatalogValue(1));
    EXPECT_EQ(FileText(), text);
}

TEST_F(PresetsTest, ADamagedOrHostileFileIsRefusedWholeAndLeftAsItIs) {
    const std::string key300(300, 'k');
    const std::string old = R"("collectionName": {"string": "Old"}, "rulerUnits": {"integer": 1})";
    const struct {
        const char* what;
        std::string text;
        const char* reason = "";
    } kFiles[] = {
        // Versions 3 to 6 are upgraded: the older ones held other settings under the keys.
        {"version 2", File(2, {old}), "version 2, and only those of versions 3 to 6"},
        {"version 1", File(1, {old}), "version 1"},
        {"version 0", File(0, {old}), "version 0"},
        {"version -1", File(-1, {old}), "version -1"},
        {"empty", ""},
        {"cut short", File(7, {R"("collectionName": {"string": "A"})"}).substr(0, 60)},
        {"no version", R"({"owner": "", "description": "", "collections": []})"},
        {"a version past 16 bits", File(40000, {})},
        {"a version that is text", R"({"owner": "", "description": "", "version": "6", "collections": []})"},
        {"a member no presets file has", R"({"owner": "", "description": "", "version": 7, "collections": [], "x": 1})"},
        {"collections that are no list", R"({"owner": "", "description": "", "version": 7, "collections": {}})"},
        {"an unknown type", File(7, {R"("collectionName": {"text": "A"})"})},
        {"a value of two types", File(7, {R"("a": {"integer": 1, "real": 2})"})},
        {"a bare value", File(7, {R"("a": 5)"})},
        {"an integer past 32 bits", File(7, {R"("a": {"integer": 99999999999})"})},
        {"a real that is text", File(7, {R"("a": {"real": "1,5"})"})},
        {"a boolean that is a number", File(7, {R"("a": {"boolean": 2})"})},
        {"a NUL in a text", File(7, {R"("a": {"string": "x\u0000y"})"})},
        {"a text of 5000 bytes", File(7, {"\"a\": {\"string\": \"" + std::string(5000, 'x') + "\"}"})},
        {"a key of 300 bytes", File(7, {"\"" + key300 + "\": {\"integer\": 1}"})},
        {"an empty key", File(7, {R"("": {"integer": 1})"})},
        {"a key twice", File(7, {R"("a": {"integer": 1}, "a": {"integer": 2})"})},
        {"an owner of 300 bytes", "{\"owner\": \"" + key300 + "\", \"description\": \"\", \"version\": 7, \"collections\": []}"},
        {"garbage after the end", File(7, {}) + "x"},
        {"deep nesting", std::string(5000, '[') + std::string(5000, ']')},
    };
    for (const auto& f : kFiles) {
        SCOPED_TRACE(f.what);
        WriteFile(f.text);
        Fresh();
        const size_t alerts = Dialogs().alerts().size();
        EXPECT_NE(session->startup(), kNoErr);
        ASSERT_GT(Dialogs().alerts().size(), alerts);
        EXPECT_NE(LastAlert().find("The presets file cannot be read"), std::string::npos) << LastAlert();
        EXPECT_NE(LastAlert().find(f.reason), std::string::npos) << LastAlert();
        EXPECT_EQ(FileText(), f.text);
        EXPECT_TRUE(Catalog()->collections.empty());
    }
}

TEST_F(PresetsTest, AValueOutsideItsDomainKeepsItsSettingAndIsNamed) {
    WriteFile(File(7, {R"("collectionName": {"string": "Odd"},
        "arrowheadStyle": {"integer": 0}, "upperUnits": {"integer": 25}, "rulerPrecision": {"integer": -1},
        "isoViewT": {"real": "nan"}, "LabelFormat": {"integer": 7}, "currentAxoViewIndex": {"integer": 5},
        "DimNextAlpha": {"integer": 702}, "gridColorEntry": {"integer": 11}, "arrowheadLength": {"string": "9"},
        "labelShape": {"integer": 4}, "lowerUnits": {"integer": 19}, "dimensionTextSize": {"real": 0.05},
        "upperToleranceUnits": {"integer": 20}, "isoViewA": {"real": 0.5}, "isoViewB": {"real": 0.5},
        "MasterUnits": {"string": "mm"}, "snapToGrid": {"integer": 1}, "labelStatic": {"boolean": true},
        "lengthScaler": {"real": 0}, "wallThickness": {"real": 100},
        "CADcustomColorName": {"string": ")" +
                       std::string(80, 'c') + R"("}, "longLabelText": {"string": "kept"})"}));
    Start();
    const preferences before = g->prefs;
    ASSERT_EQ(Through(kLoadPresetButton, "CADpresetsLoad", {Picked(kPresetsPopup, 0), Pressed(1)}), kNoErr);
    const preferences& p = g->prefs;
    EXPECT_EQ(p.style.arrowheadStyle, before.style.arrowheadStyle);
    EXPECT_EQ(p.style.upperUnits, before.style.upperUnits);
    EXPECT_EQ(p.rulerPrecision, before.rulerPrecision);
    EXPECT_EQ(p.isoView.t, before.isoView.t);
    EXPECT_EQ(p.style.labelFormat, before.style.labelFormat);
    EXPECT_EQ(p.incrementalDimAlpha, before.incrementalDimAlpha);
    EXPECT_EQ(p.gridColorEntry, before.gridColorEntry);
    EXPECT_EQ(p.style.arrowheadLength, before.style.arrowheadLength);  // a text where a real belongs
    EXPECT_EQ(p.style.dimensionTextSize, before.style.dimensionTextSize);
    EXPECT_EQ(p.style.upperToleranceUnits, before.style.upperToleranceUnits);
    EXPECT_EQ(p.MasterUnits, before.MasterUnits);
    EXPECT_EQ(p.snapToGrid, before.snapToGrid);
    EXPECT_STREQ(p.pointerLabelStaticData, before.pointerLabelStaticData);
    EXPECT_EQ(p.wallThickness, before.wallThickness);  // drawn at no scale
    // Unusual but meaningful values are taken as stored; a long text is cut to its field.
    EXPECT_EQ(p.style.labelShape, 4);
    EXPECT_EQ(p.style.lowerUnits, 19);
    EXPECT_EQ(std::string(p.customColorName), std::string(31, 'c'));
    EXPECT_STREQ(p.longLabelLastStr, "kept");
    for (const char* named : {"arrowheadStyle 0", "upperUnits 25", "rulerPrecision -1", "isoViewT nan", "LabelFormat 7",
                              "currentAxoViewIndex 5", "DimNextAlpha 702", "gridColorEntry 11", "dimensionTextSize 0.05",
                              "upperToleranceUnits 20", "arrowheadLength (a text, not a number)",
                              "MasterUnits (a text, not a whole number)",
                              "snapToGrid (a whole number, not true or false)",
                              "labelStatic (true or false, not a text)",
                              "lengthScaler 0 (the lengths drawn at it are left as they were)",
                              // two receding axes along one line: each an angle, the view one that sees a face
                              // edge-on, named last
                              "isoView."})
        EXPECT_NE(LastAlert().find(named), std::string::npos) << named << " in " << LastAlert();
}

// Every number a preset carries, each with a value no panel or tool can use ("any": a
// setting read by nothing, which takes every value of its type).
constexpr double kAny = std::numeric_limits<double>::quiet_NaN();
const std::map<std::string, double> kOutOfDomain = {
    {"isoPadPosTempT", 91}, {"isoPadPosTempR", -1}, {"isoViewT", -91}, {"isoViewR", 90.5}, {"isoViewA", 8},
    {"isoViewB", -8}, {"isoViewC", 7.5}, {"isoViewAF", -0.5}, {"isoViewBF", 17}, {"isoViewCF", -1},
    {"currentAxoViewIndex", 14}, {"customAxoView1R", 91}, {"customAxoView2R", -1}, {"customAxoView3R", 180},
    {"customAxoView4R", -90}, {"customAxoView5R", 1000}, {"customAxoView1T", 91}, {"customAxoView2T", -91},
    {"customAxoView3T", 180}, {"customAxoView4T", -180}, {"customAxoView5T", 1e6}, {"numberFormat", 2},
    {"NumericInputUnits", 20}, {"NumericInputPrecision", 6}, {"dimensionColorComponent1", -1},
    {"dimensionColorComponent2", 65536}, {"dimensionColorComponent3", -65536}, {"dimensionColorComponent4", 100000},
    {"dimensionCustomColorType", 3}, {"dimensionCustomColorTint", 101}, {"dimensionColorEntry", 13},
    {"dimensionColorType", -5}, {"dimensionTextSize", 0}, {"dimensionWeight", -1}, {"arrowheadStyle", 9},
    {"arrowheadLength", -1}, {"arrowheadWeight", 20000}, {"arrowheadAngle", 181}, {"textDistanceAboveLine", 20000},
    {"useUniversalTextAngle", 2}, {"moveLargeDimensionText", -1}, {"hTextPlacement", 0}, {"vTextPlacement", 6},
    {"aTextPlacement", -1}, {"dualDimensions", 2}, {"appendUpperUnitLabels", 2}, {"appendLowerUnitLabels", -1},
    {"upperTolerance", 4}, {"upperToleranceUnits", -1}, {"upperToleranceSuperscript", 2}, {"lowerTolerance", -1},
    {"lowerToleranceUnits", 20}, {"lowerToleranceSuperscript", -1}, {"appendDiamLabels", 2},
    {"diameterLabelsBefore", 3}, {"diameterLeaderSpansCircle", -1}, {"witnessGap", -0.5}, {"witnessExtension", -1},
    {"witnessWeight", -1}, {"autoDimensionOffset", 1e5}, {"makeSectionLineDoubleThick", 2}, {"primeSection", -1},
    {"chainDatum", 2}, {"JISDatumTerminator", 5}, {"repeatType", 2}, {"moveType", 9}, {"rowDirection", 2},
    {"colDirection", -1}, {"CADtrackerUnits", -1}, {"CADtrackerPrecision", -1}, {"upperDecimalPrecision", 6},
    {"upperFractionalPrecision", 7}, {"lowerDecimalPrecision", -1}, {"lowerFractionalPrecision", 99},
    {"rulerPrecision", 6}, {"upperUnits", 25}, {"lowerUnits", -2}, {"rulerUnits", 20}, {"chamferDistance1", -1},
    {"chamferDistance2", -72}, {"filletRadius", -0.5}, {"wallThickness", -432}, {"wallDatum", 3},
    {"liveDimension", 2}, {"dimensionDataID", -1}, {"labelLeader", 6}, {"labelShape", 7}, {"labelBorder", 36},
    {"labelIncType", kAny}, {"labelLeaderLength", -1}, {"CADgridSnapTolerance", 1001}, {"gridColorRed", 65536},
    {"gridColorBlue", -1}, {"gridColorGreen", 70000}, {"gridColorEntry", 11}, {"GridlineEntry", 0},
    {"CADgridSpacing", 0}, {"CADgridNumSubdiv", 0}, {"CADgridLineStyle", kAny}, {"DimFormat", 5},
    {"DimNextNum", -1}, {"DimNextAlpha", 702}, {"textSpacing", -1}, {"LabelFormat", 4}, {"LabelNextNum", 32768},
    {"LabelNextAlpha", -1}, {"diameterLeaderLength", -1}, {"NumericLabelsNumberOfLeadingZeros", 10},
    {"alphaLabelMenuOption", 2}, {"numericLabelMenuOption", 3}, {"customLabelMenuOption", -1},
    {"terminatorDirection", 3}, {"MasterUnits", 20}, {"MasterPrecision", 6}};

TEST_F(PresetsTest, EveryNumberOfAPresetIsHeldToItsDomain) {
    Start();
    AIAttributeCollectionRef odd = nullptr;
    ASSERT_EQ(sAIAttributeCollection->CreateCollection(&odd), kNoErr);
    size_t numbers = 0;
    for (const Listed& l : PresetSettings()) {
        if (l.type != "integer" && l.type != "real") continue;
        ++numbers;
        const auto row = kOutOfDomain.find(l.key);
        ASSERT_NE(row, kOutOfDomain.end()) << l.key << " has no row";
        const double bad = std::isnan(row->second) ? std::numeric_limits<int32_t>::min() : row->second;
        if (l.type == "integer") sAIAttributeCollection->SetIntegerValue(odd, l.key.c_str(), static_cast<int32_t>(bad));
        else sAIAttributeCollection->SetRealValue(odd, l.key.c_str(), static_cast<float>(bad));
    }
    EXPECT_EQ(numbers, kOutOfDomain.size());
    auto prefs = std::make_unique<preferences>();
    std::string refused;
    ApplyPresetCollection(odd, *prefs, &refused);
    AIAttributeCollectionRef after = nullptr;
    ASSERT_EQ(NewPresetCollection("after", *prefs, &after), kNoErr);
    const auto& kept = host.catalogs().collection(after)->data;
    for (const Listed& l : PresetSettings()) {
        const auto row = kOutOfDomain.find(l.key);
        if (row == kOutOfDomain.end()) continue;
        SCOPED_TRACE(l.key);
        const bool any = std::isnan(row->second);
        // Named in the words the user reads, and the setting keeps its start-up value.
        EXPECT_EQ(refused.find(l.key + " ") != std::string::npos, !any) << refused;
        if (!any) EXPECT_EQ(*kept.find(l.key), Expected(l));
        else EXPECT_EQ(*kept.find(l.key), CatalogValue(std::numeric_limits<int32_t>::min()));
    }
    sAIAttributeCollection->Release(after);
    sAIAttributeCollection->Release(odd);
    // The built-in presets lie wholly inside.
    for (const standin::Collection* builtIn : Catalog()->collections) {
        ApplyPresetCollection(reinterpret_cast<AIAttributeCollectionRef>(const_cast<standin::Collection*>(builtIn)),
                              *prefs, &refused);
        EXPECT_EQ(refused, "");
    }
}

TEST_F(PresetsTest, DefineRefusesAUsedNameAndKeepsEveryValueOfTheSettings) {
    Start();
    ASSERT_EQ(Through(kLoadPresetButton, "CADpresetsLoad", {Picked(kPresetsPopup, 0), Pressed(1)}), kNoErr);
    EXPECT_EQ(g->prefs.style.arrowheadStyle, 3);  // "Basic Architecture" is in force
    ASSERT_EQ(Define("Basic Architecture"), kNoErr);     // refused; the dialog stays open
    EXPECT_NE(LastAlert().find("Another preset already has this name"), std::string::npos);
    EXPECT_FALSE(Dialogs().failures().empty());  // and is left with Cancel when its answers run out
    Dialogs().clearFailures();
    ASSERT_EQ(Define("basic architecture"), kNoErr);  // case counts
    ASSERT_EQ(Define(std::string(70, 'n')), kNoErr);  // cut to 63 characters
    ASSERT_EQ(Names().size(), 4u);
    EXPECT_EQ(Names()[3], std::string(63, 'n'));
    // Defined from the settings of "Basic Architecture", the preset holds its keys again, but
    // for the view's axes and lock, which the isometric panel derives from the view it made
    // current.
    auto settings = [](const standin::io::CatalogCollection& c) {
        auto keys = c.keys;
        std::erase_if(keys, [](const auto& k) {
            return k.first == "collectionName" || k.first == "LockAxoView" ||
                   (k.first.rfind("isoView", 0) == 0 && k.first != "isoViewT" && k.first != "isoViewR");
        });
        return keys;
    };
    EXPECT_EQ(settings(Preset(2)).size(), 171u);
    EXPECT_EQ(settings(Preset(2)), settings(Preset(0)));
    EXPECT_NE(FileText().find("basic architecture"), std::string::npos);
}

// Presets of one name, as a hand-edited file may hold, told apart by their terminators:
// Load, Rename and Delete act on the one chosen in the list, not on the first or every one.
TEST_F(PresetsTest, LoadRenameAndDeleteActOnThePresetChosen) {
    Start();
    const auto define = [&](const std::string& name, int32_t terminator) {
        g->prefs.style.arrowheadStyle = terminator;
        ASSERT_EQ(Define(name), kNoErr);
    };
    define("Twin", 1);
    define("Other", 1);
    define("Twin 5", 5);
    define("Twin 7", 7);
    for (size_t i : {4u, 5u})
        host.catalogs().find("CADpresetsCatalog")->collections[i]->data.set("collectionName", std::string("Twin"));
    // Load applies the second "Twin", the one chosen.
    ASSERT_EQ(Through(kLoadPresetButton, "CADpresetsLoad", {Picked(kPresetsPopup, 4), Pressed(1)}), kNoErr);
    EXPECT_EQ(g->prefs.style.arrowheadStyle, 5);
    const auto presets = [&] {
        std::vector<std::string> out;
        for (size_t i = 0; i < Names().size(); ++i)
            out.push_back(Names()[i] + " " + std::to_string(std::get<int32_t>(*Preset(i).find("arrowheadStyle"))));
        return std::vector<std::string>(out.begin() + 2, out.end());
    };
    const auto rename = [&](int32_t chosen, std::vector<standin::UserAction> inner) {
        for (const auto& a : inner) Dialogs().appendModalAction("CADpresetsRename", a);
        return Through(kEditPresetsButton, "CADpresetsEdit", {Picked(kPresetsListBox, chosen), Pressed(3), Pressed(1)});
    };
    ASSERT_EQ(rename(4, {Pressed(1)}), kNoErr);  // the unchanged name is refused, then cancelled
    EXPECT_NE(LastAlert().find("Another preset already has this name"), std::string::npos);
    Dialogs().clearFailures();
    ASSERT_EQ(rename(4, {Pressed(2)}), kNoErr);  // cancelled: nothing changes
    EXPECT_EQ(presets(), (std::vector<std::string>{"Twin 1", "Other 1", "Twin 5", "Twin 7"}));
    ASSERT_EQ(Through(kEditPresetsButton, "CADpresetsEdit", {Picked(kPresetsListBox, 4), Pressed(4), Pressed(1)}),
              kNoErr);
    EXPECT_EQ(presets(), (std::vector<std::string>{"Twin 1", "Other 1", "Twin 7"}));
    ASSERT_EQ(rename(4, {Typed(kPresetNameField, "Pair"), Pressed(1)}), kNoErr);
    EXPECT_EQ(presets(), (std::vector<std::string>{"Twin 1", "Other 1", "Pair 7"}));
    EXPECT_NE(FileText().find("\"Pair\""), std::string::npos);
    // Everything deleted: the Load button is disabled, and the empty catalogue is saved.
    g->prefs.currentCADpreset = 3;
    ASSERT_EQ(Through(kEditPresetsButton, "CADpresetsEdit",
                      {Picked(2, 0), Pressed(4), Picked(2, 0), Pressed(4), Picked(2, 0), Pressed(4), Picked(2, 0),
                       Pressed(4), Picked(2, 0), Pressed(4), Pressed(1)}),
              kNoErr);
    EXPECT_TRUE(Names().empty());
    EXPECT_EQ(g->prefs.currentCADpreset, 0);
    EXPECT_FALSE(sADMItem->IsEnabled(sADMDialog->GetItem(Shortcuts(), kLoadPresetButton)));
    EXPECT_EQ(FileText().find("collectionName"), std::string::npos);
    EXPECT_TRUE(Dialogs().failures().empty());
}

// A preset without a name, or whose name is no text, is named as Plotwise starts; it stays
// listed, without a name, and is loaded, renamed or deleted by its place.
TEST_F(PresetsTest, APresetWithoutANameIsNamedAtStartAndStaysWithinReach) {
    WriteFile(File(7, {R"("collectionName": {"integer": 5}, "arrowheadStyle": {"integer": 6})",
                       R"("arrowheadStyle": {"integer": 7})", R"("collectionName": {"string": "Named"})"}));
    Start();
    EXPECT_NE(LastAlert().find("without a name, or whose name is not a text (their places in the list: 1, 2)"),
              std::string::npos)
        << LastAlert();
    ASSERT_EQ(Through(kLoadPresetButton, "CADpresetsLoad", {Picked(kPresetsPopup, 1), Pressed(1)}), kNoErr);
    EXPECT_EQ(g->prefs.style.arrowheadStyle, 7);
    ASSERT_EQ(Through(kEditPresetsButton, "CADpresetsEdit", {Picked(kPresetsListBox, 0), Pressed(4), Pressed(1)}),
              kNoErr);
    ASSERT_EQ(Catalog()->collections.size(), 2u);
    for (const auto& a : {Typed(kPresetNameField, "Found"), Pressed(1)})
        Dialogs().appendModalAction("CADpresetsRename", a);
    ASSERT_EQ(Through(kEditPresetsButton, "CADpresetsEdit", {Picked(kPresetsListBox, 0), Pressed(3), Pressed(1)}),
              kNoErr);
    EXPECT_EQ(Names(), (std::vector<std::string>{"Found", "Named"}));
    EXPECT_EQ(*Preset(0).find("arrowheadStyle"), CatalogValue(7));
}

// Whether or not the text panel's format popup follows the selection, a load shows the
// preset's format there, with its next value, and new dimensions take it; the fixed-format
// entry shows the preset's choice.
TEST_F(PresetsTest, ALoadShowsThePresetsFormatInTheTextPanel) {
    WriteFile(File(7, {R"("collectionName": {"string": "Letters"}, "DimFormat": {"integer": 1},
                          "DimNextAlpha": {"integer": 2})",
                       R"("collectionName": {"string": "Numbers"}, "DimFormat": {"integer": 2},
                          "DimNextNum": {"integer": 7}, "liveDimensionFormatMenu": {"boolean": true})",
                       R"("collectionName": {"string": "Values"}, "DimFormat": {"integer": 0},
                          "liveDimensionFormatMenu": {"boolean": false})"}));
    Start();
    const struct {
        int32_t preset, format;
        const char *shown, *next;
        bool fixed;
    } kLoads[] = {{0, 1, "Letters (A, B, C)", "C", true}, {1, 2, "Numbers (1, 2, 3)", "7", false},
                  {2, 0, "Value", " ", true}};
    for (const auto& l : kLoads) {
        SCOPED_TRACE(l.shown);
        ASSERT_EQ(Through(kLoadPresetButton, "CADpresetsLoad", {Picked(kPresetsPopup, l.preset), Pressed(1)}), kNoErr);
        panel = Dialogs().findDialog("CADtext");
        EXPECT_EQ(View(kDimensionFormatPopup).text, l.shown);
        EXPECT_EQ(View(kDimensionNextField).text, l.next);
        EXPECT_EQ(g->prefs.style.dimensionFormat, l.format);
        ADMListRef popout = sADMItem->GetList(sADMDialog->GetItem(panel, kADMPopoutMenuItemID));
        EXPECT_EQ(sADMEntry->IsChecked(sADMList->IndexEntry(popout, kFixedFormatEntry)), l.fixed);
    }
}

TEST_F(PresetsTest, AFailedSaveIsToldAndLosesNeitherTheFileNorTheNewPreset) {
    // A first start that cannot write the file starts with the built-in presets in memory.
    host.catalogs().failNextExport();
    Start();
    EXPECT_NE(LastAlert().find("could not be saved"), std::string::npos);
    EXPECT_EQ(Names().size(), 2u);
    ASSERT_EQ(session->restart(), kNoErr);
    const std::string before = FileText();
    host.catalogs().failNextExport();
    ASSERT_EQ(Define("Mine"), kNoErr);
    EXPECT_NE(LastAlert().find("could not be saved"), std::string::npos);
    EXPECT_EQ(FileText(), before);
    EXPECT_EQ(Names().back(), "Mine");
    ASSERT_EQ(Define("Yours"), kNoErr);  // the next save writes both
    EXPECT_NE(FileText().find("\"Mine\""), std::string::npos);
    EXPECT_NE(FileText().find("\"Yours\""), std::string::npos);
}

// A preset's lengths are the real ones at any scale: the built-ins' 432 pt of wall is 6 in at
// 1/4" = 1'-0" (id 15); 300 mm defined at 1:50 (id 25) is 300 mm at 1:1 (id 33).
TEST_F(PresetsTest, APresetsLengthsAreTheRealOnesAtEveryScale) {
    Start();
    constexpr float k300mm = 300 * 72 / 25.4f;
    panel = Dialogs().findDialog("CADdocument");
    ASSERT_EQ(Pick(kScalePopup, 25), kNoErr);
    g->prefs.wallThickness = k300mm;
    ASSERT_EQ(Define("Mine"), kNoErr);
    for (const auto& [scale, preset, wall] : {std::tuple{15, 0, 432.0f}, {33, 2, k300mm}}) {
        panel = Dialogs().findDialog("CADdocument");
        ASSERT_EQ(Pick(kScalePopup, scale), kNoErr);
        ASSERT_EQ(Through(kLoadPresetButton, "CADpresetsLoad", {Picked(kPresetsPopup, preset), Pressed(1)}), kNoErr);
        EXPECT_NEAR(g->prefs.wallThickness, wall, 1e-3) << preset;
    }
}

// A change whose save failed is saved again as the host quits; when that fails too, the
// user is told what is lost.
TEST_F(PresetsTest, APresetNotYetSavedIsSavedAsTheHostQuits) {
    Start();
    const struct {
        const char* preset;
        bool quitFails;
    } kQuits[] = {{"Mine", false}, {"Yours", true}};
    for (const auto& q : kQuits) {
        SCOPED_TRACE(q.preset);
        host.catalogs().failNextExport();  // the disk is full
        ASSERT_EQ(Define(q.preset), kNoErr);
        EXPECT_EQ(FileText().find(q.preset), std::string::npos);
        if (q.quitFails) host.catalogs().failNextExport();
        const size_t alerts = Dialogs().alerts().size();
        ASSERT_EQ(session->restart(), kNoErr);
        EXPECT_EQ(FileText().find(q.preset) != std::string::npos, !q.quitFails);
        EXPECT_EQ(Names().back() == q.preset, !q.quitFails);
        const bool told = Dialogs().alerts().size() > alerts &&
                          Dialogs().alerts()[alerts].text.find("are lost") != std::string::npos;
        EXPECT_EQ(told, q.quitFails);
    }
}

// A save into a folder that is a file, or lies inside one, or through a link into a folder
// that is gone, gives the system's own reason (as root too, whom no permission stops).
TEST_F(PresetsTest, ASaveThatCannotBeMadeGivesItsRealReason) {
    Start();
    namespace fs = std::filesystem;
    folder.write("plain", "a file, not a folder");
    fs::create_directory(folder.dir / "linked");
    fs::create_symlink("gone/CADpresets", folder.dir / "linked" / "CADpresets");
    const struct {
        const char* folder;
        const char* reason;
    } kFolders[] = {{"plain", "Not a directory"},
                    {"plain/plotwise", "Not a directory"},
                    {"linked", "No such file or directory"}};
    int n = 0;
    for (const auto& f : kFolders) {
        SCOPED_TRACE(f.folder);
        host.catalogs().setFolder(folder.dir / f.folder);
        ASSERT_EQ(Define("Mine " + std::to_string(++n)), kNoErr);
        EXPECT_NE(LastAlert().find("could not be saved"), std::string::npos) << LastAlert();
        EXPECT_NE(LastAlert().find(f.reason), std::string::npos) << LastAlert();
    }
}

// The dimension ids a document holds stay its own: a preset defined before any dimension
// was drawn, loaded over a drawing, leaves the next dimension an id no other one has, in
// the same run and after the host quits and starts again.
TEST_F(PresetsTest, ALoadNeverGivesTheNextDimensionAnIdTheDrawingHolds) {
    Start();
    ASSERT_EQ(Define("Bare"), kNoErr);
    standin::Document& doc = session->newDocument();
    ASSERT_EQ(session->hostEvent([&] { return doc.addRect(60, 60, 300, 200); }), kNoErr);
    const auto draw = [&](AIReal v) {
        ASSERT_EQ(session->selectTool("Horizontal Dimension"), kNoErr);
        ASSERT_EQ(session->click({60, 260}), kNoErr);
        ASSERT_EQ(session->mouseDown({360, 260}), kNoErr);
        ASSERT_EQ(session->mouseDrag({210, (260 + v) / 2}), kNoErr);
        ASSERT_EQ(session->mouseDrag({210, v}), kNoErr);
        ASSERT_EQ(session->mouseUp({210, v}), kNoErr);
    };
    const auto ids = [&] {
        std::vector<int32_t> out;
        Doc().walk([&](const standin::Art& a, int) {
            if (a.type == kGroupArt && IsDimension(standin::toHandle<AIArtHandle>(a.id)))
                out.push_back(GetDimensionID(standin::toHandle<AIArtHandle>(a.id)));
        });
        std::sort(out.begin(), out.end());
        return out;
    };
    const auto load = [&] {
        ASSERT_EQ(Through(kLoadPresetButton, "CADpresetsLoad",
                          {Picked(kPresetsPopup, 2), Pressed(kDoNotUpdateRadio), Pressed(1)}),
                  kNoErr);
    };
    draw(280);
    draw(300);
    load();
    draw(320);
    EXPECT_EQ(ids(), (std::vector<int32_t>{1, 2, 3}));

    ScratchFolder files;
    std::string error;
    const std::string path = files.path("drawing.json");
    ASSERT_TRUE(standin::io::saveDocumentFile(Doc(), path, error)) << error;
    ASSERT_EQ(session->restart(), kNoErr);
    ASSERT_EQ(session->openDocument(
                  [&] { return standin::io::openDocumentFile(host, path, error) ? kNoErr : kDataFilterErr; }),
              kNoErr)
        << error;
    load();
    draw(340);
    EXPECT_EQ(ids(), (std::vector<int32_t>{1, 2, 3, 4}));
}

// "Basic Architecture" draws terminator 3 where the start-up style draws 1: a dimension the
// load gives the preset's style stores 3.
TEST_F(PresetsTest, LoadGivesThePresetsStyleToTheDimensionsChosenAndLeavesNothingSelected) {
    Start();
    session->newDocument();
    const struct {
        int32_t radio;
        int32_t selectedTakes, otherTakes;
    } kChoices[] = {{kUpdateAllRadio, 3, 3}, {kUpdateSelectedRadio, 3, 1}, {kDoNotUpdateRadio, 1, 1}};
    int32_t id = 1;
    for (const auto& c : kChoices) {
        SCOPED_TRACE(c.radio);
        g->prefs.style.arrowheadStyle = 1;
        AIArtHandle selected = Dimension(id++, true);
        AIArtHandle other = Dimension(id++, false);
        ASSERT_EQ(Through(kLoadPresetButton, "CADpresetsLoad", {Picked(kPresetsPopup, 0), Pressed(c.radio), Pressed(1)}),
                  kNoErr);
        Plotwise3_Live_Dimension_Data stored{};
        ASSERT_EQ(GetDimensionData(selected, &stored), kNoErr);
        EXPECT_EQ(stored.arrowheadStyle, c.selectedTakes);
        ASSERT_EQ(GetDimensionData(other, &stored), kNoErr);
        EXPECT_EQ(stored.arrowheadStyle, c.otherTakes);
        EXPECT_TRUE(Doc().selectedArt().empty());
        EXPECT_EQ(g->prefs.currentCADpreset, 0);
        // The styles panel shows the preset's terminator (item 11 stands for 3).
        panel = Dialogs().findDialog("CADattributes");
        EXPECT_EQ(View(11).value, 1);
        EXPECT_EQ(View(9).value, 0);
    }
    EXPECT_EQ(g->prefs.CADpresetsDoNotUpateArt, 1);
    EXPECT_EQ(g->prefs.CADpresetsUpdateAllArt, 0);
}

// A load restyles the labels and keeps the number, letter or text each stores for its
// redraws, whatever format the preset (the built-in ones number, then letter) holds.
TEST_F(PresetsTest, ALoadRestylesLabelsAndKeepsTheirNumbersLettersAndTexts) {
    Start();
    session->newDocument();
    panel = Dialogs().findDialog("CADlabels");
    CopyCString(g->prefs.customLabelDefaultText, "WC");
    for (const auto& [format, tool, h] : {std::tuple{1, "Pointer Label", 100.0f}, {1, "Pointer Label", 160.0f},
                                          {3, "Pointer Label", 220.0f}, {0, "Datum Flag", 280.0f}}) {
        ASSERT_EQ(Pick(kLabelFormatPopup, format), kNoErr);  // numbers, the text typed, letters
        ASSERT_EQ(session->selectTool(tool), kNoErr);
        ASSERT_EQ(session->mouseDown({h, 200}), kNoErr);
        ASSERT_EQ(session->mouseDrag({h + 10, 230}), kNoErr);
        ASSERT_EQ(session->mouseUp({h + 20, 260}), kNoErr);
    }
    for (const int32_t preset : {1, 0}) {
        ASSERT_EQ(Through(kLoadPresetButton, "CADpresetsLoad", {Picked(kPresetsPopup, preset), Pressed(1)}), kNoErr);
        std::multiset<std::string> stored;
        Doc().walk([&](const standin::Art& a, int) {
            live_dimension_text_data r{};
            if (a.type == kTextFrameArt && GetDimensionTextData(standin::toHandle<AIArtHandle>(a.id), &r) == kNoErr)
                stored.insert(r.dimStr);
        });
        EXPECT_EQ(stored, (std::multiset<std::string>{"- A -", "1", "2", "WC"})) << preset;
    }
}

TEST_F(PresetsTest, TheMasterUnitAndPrecisionApplyEverywhere) {
    Start();
    ADMDialogRef walls = Dialogs().findDialog("CADwalls");
    ASSERT_NE(walls, nullptr);
    g->prefs.style.appendUpperUnitLabels = 0;
    session->newDocument();
    Plotwise3_Live_Dimension_Data coarse = g->prefs.style;
    coarse.upperDecimalPrecision = coarse.upperFractionalPrecision = 1;
    coarse.lowerDecimalPrecision = coarse.lowerFractionalPrecision = 1;
    coarse.upperUnits = coarse.lowerUnits = 5;  // metres
    AIArtHandle selected = Dimension(1, true, &coarse);
    AIArtHandle other = Dimension(2, false, &coarse);
    panel = Shortcuts();
    const int32_t before = g->prefs.style.upperUnits;
    ASSERT_EQ(Pick(kMasterUnitsPopup, 9), kNoErr);  // fractional inches: the precisions are fractions
    EXPECT_EQ(Entries(kMasterPrecisionPopup)[3], "1/8");
    EXPECT_EQ(g->prefs.style.upperUnits, before);  // nothing changes until Apply
    ASSERT_EQ(Press(kApplyUnitsButton), kNoErr);
    ASSERT_EQ(Pick(kMasterPrecisionPopup, 3), kNoErr);
    ASSERT_EQ(Press(kApplyPrecisionButton), kNoErr);
    const auto& p = g->prefs;
    for (int32_t units : {p.MasterUnits, p.style.upperUnits, p.style.lowerUnits, p.rulerUnits, p.CADtrackerUnits,
                          p.NumericInputUnits})
        EXPECT_EQ(units, 9);
    for (int32_t precision : {p.MasterPrecision, p.style.upperDecimalPrecision, p.style.upperFractionalPrecision,
                              p.style.lowerDecimalPrecision, p.style.lowerFractionalPrecision, p.rulerPrecision,
                              p.CADtrackerPrecision, p.NumericInputPrecision})
        EXPECT_EQ(precision, 3);
    // The selected dimension takes them; the other keeps metres to one place.
    Plotwise3_Live_Dimension_Data d{};
    ASSERT_EQ(GetDimensionData(selected, &d), kNoErr);
    EXPECT_EQ(std::vector<int32_t>({d.upperUnits, d.lowerUnits, d.upperDecimalPrecision, d.upperFractionalPrecision,
                                    d.lowerDecimalPrecision, d.lowerFractionalPrecision}),
              std::vector<int32_t>({9, 9, 3, 3, 3, 3}));
    ASSERT_EQ(GetDimensionData(other, &d), kNoErr);
    EXPECT_EQ(std::vector<int32_t>({d.upperUnits, d.lowerUnits, d.upperDecimalPrecision, d.lowerDecimalPrecision}),
              std::vector<int32_t>({5, 5, 1, 1}));
    panel = Dialogs().findDialog("CADdocument");
    EXPECT_EQ(View(17).text, "Inches (1 1/4\")");
    EXPECT_EQ(View(19).text, "1/8");
    // The walls panel's 432 pt thickness in eighths of an inch, with its unit, the style's
    // choice of unit labels put back.
    panel = walls;
    EXPECT_EQ(View(4).text, "6\"");
    EXPECT_EQ(p.style.appendUpperUnitLabels, 0);
}

TEST_F(PresetsTest, ALoadShowsTheSettingsInEveryPanelPassingOverAMissingOneAndOpensNoChooser) {
    WriteFile(File(7, {R"("collectionName": {"string": "Grid"}, "CADgridsLayerVisible": {"boolean": true},
        "gridColorEntry": {"integer": 12}, "gridColorRed": {"integer": 1000}, "gridColorGreen": {"integer": 2000},
        "gridColorBlue": {"integer": 3000}, "NumericInputUnits": {"integer": 3}, "CADtrackerUnits": {"integer": 3},
        "MasterUnits": {"integer": 3}, "wallThickness": {"real": 288})"}));
    Start();
    session->newDocument();
    // The guides panel gone: the panels after it in the order are shown again all the same.
    const ADMDialogRef guides = std::exchange(g->CADguidesWindow, nullptr);
    ASSERT_EQ(Through(kLoadPresetButton, "CADpresetsLoad", {Picked(kPresetsPopup, 0), Pressed(1)}), kNoErr);
    g->CADguidesWindow = guides;
    // The walls panel still showed the old thickness in the old unit; the preset's is kept.
    EXPECT_EQ(g->prefs.wallThickness, 288.0f);
    panel = Dialogs().findDialog("CADdocument");
    EXPECT_EQ(View(17).text, "Millimeters");
    panel = Dialogs().findDialog("CADtracker");
    EXPECT_EQ(View(65).text, "Millimeters");
    EXPECT_EQ(View(7).text, "0.000 mm");  // nothing selected: the transform X in the preset's unit
    panel = Shortcuts();
    EXPECT_EQ(View(kMasterUnitsPopup).text, "Millimeters");
    // With the guides panel: the grid of another colour is drawn in the preset's own colour.
    ASSERT_EQ(Through(kLoadPresetButton, "CADpresetsLoad", {Picked(kPresetsPopup, 0), Pressed(1)}), kNoErr);
    EXPECT_TRUE(Dialogs().colorChoices().empty());
    EXPECT_EQ(g->prefs.gridColorRed, 1000);
    EXPECT_EQ(g->prefs.gridColorBlue, 3000);
    panel = guides;
    EXPECT_EQ(View(kShowGridCheckBox).value, 1);
}

}  // namespace
}  // namespace paneltest
