// The suite globals and the table from which they are acquired and released.
#include "PlotwiseSuites.h"

#include <type_traits>

ADMBasicSuite* sADMBasic = nullptr;
ADMDialogSuite* sADMDialog = nullptr;
ADMItemSuite* sADMItem = nullptr;
AIArtSuite* sAIArt = nullptr;
AIBlockSuite* sAIBlock = nullptr;
AIDictionarySuite* sAIDictionary = nullptr;
AIDictionaryIteratorSuite* sAIDictionaryIterator = nullptr;
AIDocumentSuite* sAIDocument = nullptr;
AIDocumentViewSuite* sAIDocumentView = nullptr;
AIHitTestSuite* sAIHitTest = nullptr;
AILayerSuite* sAILayer = nullptr;
AIMatchingArtSuite* sAIMatchingArt = nullptr;
AIMdMemorySuite* sAIMdMemory = nullptr;
AIPathSuite* sAIPath = nullptr;
AIPathStyleSuite* sAIPathStyle = nullptr;
AIRealBezierSuite* sAIRealBezier = nullptr;
AIRealMathSuite* sAIRealMath = nullptr;
AIShapeConstructionSuite* sAIShapeConstruction = nullptr;
AITagSuite* sAITag = nullptr;
AITransformArtSuite* sAITransformArt = nullptr;
AIUndoSuite* sAIUndo = nullptr;
AIPreferenceSuite* sAIPreference = nullptr;
AIFontSuite* sAIFont = nullptr;
AIToolSuite* sAITool = nullptr;
AIMenuSuite* sAIMenu = nullptr;
AINotifierSuite* sAINotifier = nullptr;
AITimerSuite* sAITimer = nullptr;
AIAnnotatorSuite* sAIAnnotator = nullptr;
AIAnnotatorDrawerSuite* sAIAnnotatorDrawer = nullptr;
AIPluginSuite* sAIPlugin = nullptr;
AIWorkspaceSuite* sAIWorkspace = nullptr;
SPSuitesSuite* sSPSuites = nullptr;

namespace {

// Stores an acquired suite (or null) into its global.
template <auto& Global>
void Store(const void* suite) {
    using Suite = std::remove_pointer_t<std::remove_reference_t<decltype(Global)>>;
    Global = static_cast<Suite*>(const_cast<void*>(suite));
}

struct SuiteRow {
    const char* name;
    int32_t version;
    void (*store)(const void*);
};

const SuiteRow kSuites[] = {
    {kADMBasicSuite, kADMBasicSuiteVersion, &Store<sADMBasic>},
    {kADMDialogSuite, kADMDialogSuiteVersion, &Store<sADMDialog>},
    {kADMItemSuite, kADMItemSuiteVersion, &Store<sADMItem>},
    {kAIArtSuite, kAIArtSuiteVersion, &Store<sAIArt>},
    {kAIBlockSuite, kAIBlockSuiteVersion, &Store<sAIBlock>},
    {kAIDictionarySuite, kAIDictionarySuiteVersion, &Store<sAIDictionary>},
    {kAIDictionaryIteratorSuite, kAIDictionaryIteratorSuiteVersion, &Store<sAIDictionaryIterator>},
    {kAIDocumentSuite, kAIDocumentSuiteVersion, &Store<sAIDocument>},
    {kAIDocumentViewSuite, kAIDocumentViewSuiteVersion, &Store<sAIDocumentView>},
    {kAIHitTestSuite, kAIHitTestSuiteVersion, &Store<sAIHitTest>},
    {kAILayerSuite, kAILayerSuiteVersion, &Store<sAILayer>},
    {kAIMatchingArtSuite, kAIMatchingArtSuiteVersion, &Store<sAIMatchingArt>},
    {kAIMdMemorySuite, kAIMdMemorySuiteVersion, &Store<sAIMdMemory>},
    {kAIPathSuite, kAIPathSuiteVersion, &Store<sAIPath>},
    {kAIPathStyleSuite, kAIPathStyleSuiteVersion, &Store<sAIPathStyle>},
    {kAIRealBezierSuite, kAIRealBezierSuiteVersion, &Store<sAIRealBezier>},
    {kAIRealMathSuite, kAIRealMathSuiteVersion, &Store<sAIRealMath>},
    {kAIShapeConstructionSuite, kAIShapeConstructionSuiteVersion, &Store<sAIShapeConstruction>},
    {kAITagSuite, kAITagSuiteVersion, &Store<sAITag>},
    {kAITransformArtSuite, kAITransformArtSuiteVersion, &Store<sAITransformArt>},
    {kAIUndoSuite, kAIUndoSuiteVersion, &Store<sAIUndo>},
};

// The suites of the plug-in's life cycle: registration of tools, menus, notifiers, timers
// and the annotator, preferences, the published suite and text conversion.
const SuiteRow kLifeCycleSuites[] = {
    {kAIPreferenceSuite, kAIPreferenceSuiteVersion, &Store<sAIPreference>},
    {kAIFontSuite, kAIFontSuiteVersion, &Store<sAIFont>},
    {kAIToolSuite, kAIToolSuiteVersion, &Store<sAITool>},
    {kAIMenuSuite, kAIMenuSuiteVersion, &Store<sAIMenu>},
    {kAINotifierSuite, kAINotifierSuiteVersion, &Store<sAINotifier>},
    {kAITimerSuite, kAITimerSuiteVersion, &Store<sAITimer>},
    {kAIAnnotatorSuite, kAIAnnotatorSuiteVersion, &Store<sAIAnnotator>},
    {kAIAnnotatorDrawerSuite, kAIAnnotatorDrawerSuiteVersion, &Store<sAIAnnotatorDrawer>},
    {kAIPluginSuite, kAIPluginSuiteVersion, &Store<sAIPlugin>},
    {kAIWorkspaceSuite, kAIWorkspaceSuiteVersion, &Store<sAIWorkspace>},
    {kSPSuitesSuite, kSPSuitesSuiteVersion, &Store<sSPSuites>},
    {kAIUnicodeStringSuite, kAIUnicodeStringSuiteVersion, &Store<sAIUnicodeString>},
};

// One table with the basic suite it was taken from and its nesting depth.
struct SuiteSet {
    const SuiteRow* rows;
    size_t count;
    SPBasicSuite* basic;
    int depth;
};

SuiteSet gDocumentSet{kSuites, sizeof kSuites / sizeof kSuites[0], nullptr, 0};
SuiteSet gLifeCycleSet{kLifeCycleSuites, sizeof kLifeCycleSuites / sizeof kLifeCycleSuites[0], nullptr, 0};

AIErr Acquire(SuiteSet& set, SPBasicSuite* basic) {
    if (!basic || !basic->AcquireSuite || !basic->ReleaseSuite) return kBadParameterErr;
    if (set.depth > 0 && basic != set.basic) return kBadParameterErr;
    for (size_t i = 0; i < set.count; ++i) {
        const SuiteRow& row = set.rows[i];
        const void* suite = nullptr;
        if (AIErr err = basic->AcquireSuite(row.name, row.version, &suite)) {
            // Undo this call's acquisitions; earlier nested ones keep theirs.
            for (size_t k = 0; k < i; ++k) {
                basic->ReleaseSuite(set.rows[k].name, set.rows[k].version);
                if (set.depth == 0) set.rows[k].store(nullptr);
            }
            return err;
        }
        row.store(suite);
    }
    set.basic = basic;
    ++set.depth;
    return kNoErr;
}

void Release(SuiteSet& set) {
    if (set.depth == 0 || !set.basic) return;
    for (size_t i = 0; i < set.count; ++i) set.basic->ReleaseSuite(set.rows[i].name, set.rows[i].version);
    if (--set.depth == 0) {
        for (size_t i = 0; i < set.count; ++i) set.rows[i].store(nullptr);
        set.basic = nullptr;
    }
}

}  // namespace

AIErr AcquirePlotwiseSuites(SPBasicSuite* basic) { return Acquire(gDocumentSet, basic); }
void ReleasePlotwiseSuites() { Release(gDocumentSet); }
AIErr AcquireLifeCycleSuites(SPBasicSuite* basic) { return Acquire(gLifeCycleSet, basic); }
void ReleaseLifeCycleSuites() { Release(gLifeCycleSet); }
