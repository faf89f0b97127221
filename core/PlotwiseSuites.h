// The host suites the plug-in calls, as globals named after the suites, acquired through
// the basic suite at start-up and released at shut-down.
#pragma once

#include "ADMBasic.h"
#include "ADMDialog.h"
#include "ADMItem.h"
#include "AIArt.h"
#include "AIBlock.h"
#include "AIDictionary.h"
#include "AIDocument.h"
#include "AIHitTest.h"
#include "AILayer.h"
#include "AIMatchingArt.h"
#include "AIMdMemory.h"
#include "AIPath.h"
#include "AIPathStyle.h"
#include "AIRealBezier.h"
#include "AIRealMath.h"
#include "AIShapeConstruction.h"
#include "AITag.h"
#include "AITransformArt.h"
#include "AIUndo.h"
#include "SPBasic.h"
#include "AIAnnotator.h"
#include "AIFont.h"
#include "AIMenu.h"
#include "AINotifier.h"
#include "AIPlugin.h"
#include "AIPreference.h"
#include "AITimer.h"
#include "AITool.h"
#include "AIUnicodeString.h"
#include "AIWorkspace.h"
#include "SPSuites.h"

extern ADMBasicSuite* sADMBasic;
extern ADMDialogSuite* sADMDialog;
extern ADMItemSuite* sADMItem;
extern AIArtSuite* sAIArt;
extern AIBlockSuite* sAIBlock;
extern AIDictionarySuite* sAIDictionary;
extern AIDictionaryIteratorSuite* sAIDictionaryIterator;
extern AIDocumentSuite* sAIDocument;
extern AIDocumentViewSuite* sAIDocumentView;
extern AIHitTestSuite* sAIHitTest;
extern AILayerSuite* sAILayer;
extern AIMatchingArtSuite* sAIMatchingArt;
extern AIMdMemorySuite* sAIMdMemory;
extern AIPathSuite* sAIPath;
extern AIPathStyleSuite* sAIPathStyle;
extern AIRealBezierSuite* sAIRealBezier;
extern AIRealMathSuite* sAIRealMath;
extern AIShapeConstructionSuite* sAIShapeConstruction;
extern AITagSuite* sAITag;
extern AITransformArtSuite* sAITransformArt;
extern AIUndoSuite* sAIUndo;
extern AIPreferenceSuite* sAIPreference;
extern AIFontSuite* sAIFont;
extern AIToolSuite* sAITool;
extern AIMenuSuite* sAIMenu;
extern AINotifierSuite* sAINotifier;
extern AITimerSuite* sAITimer;
extern AIAnnotatorSuite* sAIAnnotator;
extern AIAnnotatorDrawerSuite* sAIAnnotatorDrawer;
extern AIPluginSuite* sAIPlugin;
extern AIWorkspaceSuite* sAIWorkspace;
extern SPSuitesSuite* sSPSuites;
// sAIUnicodeString (declared with the Unicode string class) is acquired with the life-cycle
// suites.

// Acquires every suite of the table. On a failure the suites acquired by this call are
// released again and the failing host error is returned. Calls nest: each successful call
// is matched by one ReleasePlotwiseSuites, and the globals stay set until the last one.
AIErr AcquirePlotwiseSuites(SPBasicSuite* basic);
// Releases one acquisition of every suite; the last one clears the globals.
void ReleasePlotwiseSuites();
// The suites only the plug-in's life cycle needs (preferences, fonts, tools, menus, notifiers,
// timers, annotators, plug-in options, workspaces, published suites, Unicode strings); taken
// at start-up after the table above, counted the same way.
AIErr AcquireLifeCycleSuites(SPBasicSuite* basic);
void ReleaseLifeCycleSuites();
