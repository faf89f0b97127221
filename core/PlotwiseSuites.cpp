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
ADMBasicSuite* sADMBasic = nullptr;
ADMDialogSuite* sADMDialog = nullptr;

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
    {kADMBasicSuite, kADMBasicSuiteVersion, &Store<sADMBasic>},
    {kADMDialogSuite, kADMDialogSuiteVersion, &Store<sADMDialog>},
    {kAIUnicodeStringSuite, kAIUnicodeStringSuiteVersion, &Store<sAIUnicodeString>},
};

SPBasicSuite* gBasic = nullptr;
int gDepth = 0;

}  // namespace

AIErr AcquirePlotwiseSuites(SPBasicSuite* basic) {
    if (!basic || !basic->AcquireSuite || !basic->ReleaseSuite) return kBadParameterErr;
    if (gDepth > 0 && basic != gBasic) return kBadParameterErr;
    size_t acquired = 0;
    for (const SuiteRow& row : kSuites) {
        const void* suite = nullptr;
        if (AIErr err = basic->AcquireSuite(row.name, row.version, &suite)) {
            // Undo this call's acquisitions; earlier nested ones keep theirs.
            for (size_t i = 0; i < acquired; ++i) {
                basic->ReleaseSuite(kSuites[i].name, kSuites[i].version);
                if (gDepth == 0) kSuites[i].store(nullptr);
            }
            return err;
        }
        row.store(suite);
        ++acquired;
    }
    gBasic = basic;
    ++gDepth;
    return kNoErr;
}

void ReleasePlotwiseSuites() {
    if (gDepth == 0 || !gBasic) return;
    for (const SuiteRow& row : kSuites) gBasic->ReleaseSuite(row.name, row.version);
    if (--gDepth == 0) {
        for (const SuiteRow& row : kSuites) row.store(nullptr);
        gBasic = nullptr;
    }
}
