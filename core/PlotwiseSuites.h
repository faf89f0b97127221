// The host suites the plug-in calls, as globals named after the suites, acquired through
// the basic suite at start-up and released at shut-down. Each suite is listed once, below:
// its type, its global, and the name and version it is acquired by.
#pragma once

#include "ADMBasic.h"
#include "ADMDialog.h"
#include "ADMDialogGroup.h"
#include "ADMDrawer.h"
#include "ADMEntry.h"
#include "ADMItem.h"
#include "ADMList.h"
#include "ADMNotifier.h"
#include "ADMTracker.h"
#include "AIAnnotator.h"
#include "AIAttributeCatalog.h"
#include "AIArt.h"
#include "AIArtStyle.h"
#include "AIBlock.h"
#include "AIDictionary.h"
#include "AIATEPaint.h"
#include "AIColorConversion.h"
#include "AICustomColor.h"
#include "AIDocument.h"
#include "AIFont.h"
#include "AIGradient.h"
#include "AIHitTest.h"
#include "AILayer.h"
#include "AIMatchingArt.h"
#include "AIMdMemory.h"
#include "AIMenu.h"
#include "AINotifier.h"
#include "AIOutlineStroke.h"
#include "AIPath.h"
#include "AIPathStyle.h"
#include "AIPlugin.h"
#include "AIPreference.h"
#include "AIRealBezier.h"
#include "AIRealMath.h"
#include "AIShapeConstruction.h"
#include "AITag.h"
#include "AITextFrame.h"
#include "AITimer.h"
#include "AITool.h"
#include "AITransformArt.h"
#include "AIUndo.h"
#include "AIUnicodeString.h"
#include "AIWorkspace.h"
#include "SPBasic.h"
#include "SPSuites.h"
#include "ATESuite.h"

// The suites art, documents, layers, dialogs, paths and texts need (`sATEText`, the text
// engine behind the wrapper classes, is declared with them and acquired with these).
#define PLOTWISE_MODEL_SUITES(X) \
    X(ADMBasicSuite, sADMBasic, kADMBasicSuite, kADMBasicSuiteVersion) \
    X(ADMDialogSuite, sADMDialog, kADMDialogSuite, kADMDialogSuiteVersion) \
    X(ADMDialogGroupSuite, sADMDialogGroup, kADMDialogGroupSuite, kADMDialogGroupSuiteVersion) \
    X(ADMDrawerSuite, sADMDrawer, kADMDrawerSuite, kADMDrawerSuiteVersion) \
    X(ADMEntrySuite, sADMEntry, kADMEntrySuite, kADMEntrySuiteVersion) \
    X(ADMItemSuite, sADMItem, kADMItemSuite, kADMItemSuiteVersion) \
    X(ADMListSuite, sADMList, kADMListSuite, kADMListSuiteVersion) \
    X(ADMNotifierSuite, sADMNotifier, kADMNotifierSuite, kADMNotifierSuiteVersion) \
    X(ADMTrackerSuite, sADMTracker, kADMTrackerSuite, kADMTrackerSuiteVersion) \
    X(AIArtSuite, sAIArt, kAIArtSuite, kAIArtSuiteVersion) \
    X(AIATEPaintSuite, sAIATEPaint, kAIATEPaintSuite, kAIATEPaintSuiteVersion) \
    X(AIBlockSuite, sAIBlock, kAIBlockSuite, kAIBlockSuiteVersion) \
    X(AIColorConversionSuite, sAIColorConversion, kAIColorConversionSuite, kAIColorConversionSuiteVersion) \
    X(AICustomColorSuite, sAICustomColor, kAICustomColorSuite, kAICustomColorSuiteVersion) \
    X(AIDictionarySuite, sAIDictionary, kAIDictionarySuite, kAIDictionarySuiteVersion) \
    X(AIDictionaryIteratorSuite, sAIDictionaryIterator, kAIDictionaryIteratorSuite, kAIDictionaryIteratorSuiteVersion) \
    X(AIDocumentSuite, sAIDocument, kAIDocumentSuite, kAIDocumentSuiteVersion) \
    X(AIDocumentViewSuite, sAIDocumentView, kAIDocumentViewSuite, kAIDocumentViewSuiteVersion) \
    X(AIFontSuite, sAIFont, kAIFontSuite, kAIFontSuiteVersion) \
    X(AIHitTestSuite, sAIHitTest, kAIHitTestSuite, kAIHitTestSuiteVersion) \
    X(AILayerSuite, sAILayer, kAILayerSuite, kAILayerSuiteVersion) \
    X(AIMatchingArtSuite, sAIMatchingArt, kAIMatchingArtSuite, kAIMatchingArtSuiteVersion) \
    X(AIMdMemorySuite, sAIMdMemory, kAIMdMemorySuite, kAIMdMemorySuiteVersion) \
    X(AIOutlineStrokeSuite, sAIOutlineStroke, kAIOutlineStrokeSuite, kAIOutlineStrokeSuiteVersion) \
    X(AIPathSuite, sAIPath, kAIPathSuite, kAIPathSuiteVersion) \
    X(AIPathStyleSuite, sAIPathStyle, kAIPathStyleSuite, kAIPathStyleSuiteVersion) \
    X(AIRealBezierSuite, sAIRealBezier, kAIRealBezierSuite, kAIRealBezierSuiteVersion) \
    X(AIRealMathSuite, sAIRealMath, kAIRealMathSuite, kAIRealMathSuiteVersion) \
    X(AIShapeConstructionSuite, sAIShapeConstruction, kAIShapeConstructionSuite, kAIShapeConstructionSuiteVersion) \
    X(AITagSuite, sAITag, kAITagSuite, kAITagSuiteVersion) \
    X(AITextFrameSuite, sAITextFrame, kAITextFrameSuite, kAITextFrameSuiteVersion) \
    X(AITransformArtSuite, sAITransformArt, kAITransformArtSuite, kAITransformArtSuiteVersion) \
    X(AIUndoSuite, sAIUndo, kAIUndoSuite, kAIUndoSuiteVersion) \
    X(AIGradientSuite, sAIGradient, kAIGradientSuite, kAIGradientSuiteVersion) \
    X(AIArtStyleSuite, sAIArtStyle, kAIArtStyleSuite, kAIArtStyleSuiteVersion)

// The suites only the plug-in's life cycle needs: preferences, the presets' catalogue, tools, menus,
// notifiers, timers, annotators, plug-in options, workspaces, published suites and Unicode
// strings (`sAIUnicodeString` is declared with the Unicode string class that uses it, and
// acquired with these).
#define PLOTWISE_LIFE_CYCLE_SUITES(X) \
    X(AIPreferenceSuite, sAIPreference, kAIPreferenceSuite, kAIPreferenceSuiteVersion) \
    X(AIAttributeCatalogSuite, sAIAttributeCatalog, kAIAttributeCatalogSuite, kAIAttributeCatalogSuiteVersion) \
    X(AIAttributeCollectionSuite, sAIAttributeCollection, kAIAttributeCollectionSuite, kAIAttributeCollectionSuiteVersion) \
    X(AIToolSuite, sAITool, kAIToolSuite, kAIToolSuiteVersion) \
    X(AIMenuSuite, sAIMenu, kAIMenuSuite, kAIMenuSuiteVersion) \
    X(AINotifierSuite, sAINotifier, kAINotifierSuite, kAINotifierSuiteVersion) \
    X(AITimerSuite, sAITimer, kAITimerSuite, kAITimerSuiteVersion) \
    X(AIAnnotatorSuite, sAIAnnotator, kAIAnnotatorSuite, kAIAnnotatorSuiteVersion) \
    X(AIAnnotatorDrawerSuite, sAIAnnotatorDrawer, kAIAnnotatorDrawerSuite, kAIAnnotatorDrawerSuiteVersion) \
    X(AIPluginSuite, sAIPlugin, kAIPluginSuite, kAIPluginSuiteVersion) \
    X(AIWorkspaceSuite, sAIWorkspace, kAIWorkspaceSuite, kAIWorkspaceSuiteVersion) \
    X(SPSuitesSuite, sSPSuites, kSPSuitesSuite, kSPSuitesSuiteVersion)

#define PLOTWISE_DECLARE_SUITE(Type, global, name, version) inline Type* global = nullptr;
PLOTWISE_MODEL_SUITES(PLOTWISE_DECLARE_SUITE)
PLOTWISE_LIFE_CYCLE_SUITES(PLOTWISE_DECLARE_SUITE)
#undef PLOTWISE_DECLARE_SUITE

// Acquires every model suite. On a failure the suites acquired by this call are released
// again and the failing host error is returned. Calls nest: each successful call is matched
// by one ReleasePlotwiseSuites, and the globals stay set until the last one.
AIErr AcquirePlotwiseSuites(SPBasicSuite* basic);
// Releases one acquisition of every suite; the last one clears the globals.
void ReleasePlotwiseSuites();
// The life-cycle suites, taken at start-up after the model suites, counted the same way.
AIErr AcquireLifeCycleSuites(SPBasicSuite* basic);
void ReleaseLifeCycleSuites();
