// The order the host lists art in, deselecting all art, and tagging the selection before a
// redraw and selecting it again after.
#include "core/PlotwiseSelection.h"

#include <algorithm>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "core/CoreGlobals.h"
#include "core/DrawingSettings.h"
#include "core/ExceptionBoundary.h"
#include "core/PlotwiseAlerts.h"
#include "core/PlotwisePlugin.h"
#include "core/PlotwiseSubsystem.h"
#include "core/PlotwiseSuites.h"
#include "core/PluginWork.h"
#include "core/UndoSteps.h"
#include "core/UserLayer.h"

namespace {

constexpr GlobalsView<CoreGlobals> g;

}  // namespace

namespace {

// The host's list read into `out`; disposed on every way out.
AIErr TakeArtList(AIErr err, AIMdMemoryHandle list, int32_t count, std::vector<AIArtHandle>& out) {
    if (err == kNoDocumentErr) return kNoErr;
    if (err) return err;
    if (!list) return kNoErr;
    void* block = nullptr;
    err = sAIMdMemory->MdMemoryLock(list, &block);
    if (!err && block && count > 0) {
        auto* arts = static_cast<AIArtHandle*>(block);
        out.assign(arts, arts + count);
    }
    if (!err) sAIMdMemory->MdMemoryUnLock(list);
    AIErr disposeErr = sAIMdMemory->MdMemoryDisposeHandle(list);
    return err ? err : disposeErr;
}

}  // namespace

AIErr MatchingArt(bool selectedOnly, std::vector<AIArtHandle>& out, int16_t type) {
    out.clear();
    AIMatchingArtSpec wanted{type, selectedOnly ? int32_t{kArtSelected} : 0,
                           selectedOnly ? int32_t{kArtSelected} : 0};
    AIMdMemoryHandle list = nullptr;
    int32_t count = 0;
    const AIErr err = sAIMatchingArt->GetMatchingArt(&wanted, 1, &list, &count);
    return TakeArtList(err, list, count, out);
}

namespace {

// The art and its containers, outermost first: the top-level layer's group down to the art.
AIErr Containers(AIArtHandle art, std::vector<AIArtHandle>* chain) {
    chain->clear();
    for (AIArtHandle a = art; a;) {
        chain->push_back(a);
        if (AIErr err = sAIArt->GetArtParent(a, &a)) return err;
    }
    std::reverse(chain->begin(), chain->end());
    return kNoErr;
}

// The index of the top-level layer whose group is `top`.
AIErr TopLayerIndex(AIArtHandle top, ai_int32* index) {
    AILayerHandle layer = nullptr;
    if (AIErr err = sAIArt->GetLayerOfArt(top, &layer)) return err;
    for (*index = 0;; ++*index) {
        AILayerHandle nth = nullptr;
        if (AIErr err = sAILayer->GetNthLayer(*index, &nth)) return err;
        if (nth == layer) return kNoErr;
    }
}

// Whether sibling x comes before sibling y (x != y): both walk on towards the bottom of their
// group in step, so the walk ends at whichever of the two lies nearer, not at the group's end.
AIErr SiblingBefore(AIArtHandle x, AIArtHandle y, bool* before) {
    for (AIArtHandle p = x, q = y;;) {
        if (AIErr err = sAIArt->GetArtSibling(p, &p)) return err;
        if (p == y || !p) return *before = p == y, kNoErr;  // y follows x, or nothing does
        if (AIErr err = sAIArt->GetArtSibling(q, &q)) return err;
        if (q == x || !q) return *before = !q, kNoErr;
    }
}

}  // namespace

AIErr ArtListedBefore(AIArtHandle a, AIArtHandle b, bool* before) {
    *before = false;
    if (a == b) return kNoErr;
    std::vector<AIArtHandle> ca, cb;
    if (AIErr err = Containers(a, &ca)) return err;
    if (AIErr err = Containers(b, &cb)) return err;
    if (ca.front() != cb.front()) {
        ai_int32 ia = 0, ib = 0;
        if (AIErr err = TopLayerIndex(ca.front(), &ia)) return err;
        if (AIErr err = TopLayerIndex(cb.front(), &ib)) return err;
        *before = ia < ib;
        return kNoErr;
    }
    size_t i = 1;
    while (i < ca.size() && i < cb.size() && ca[i] == cb[i]) ++i;
    // A container comes before its members.
    if (i == ca.size() || i == cb.size()) return *before = i == ca.size(), kNoErr;
    return SiblingBefore(ca[i], cb[i], before);
}

AIErr ArtInRect(const AIRealRect& area, std::vector<AIArtHandle>& out) {
    out.clear();
    AIMdMemoryHandle list = nullptr;
    int32_t count = 0;
    const AIErr err = sAIMatchingArt->GetArtInRect(&area, &list, &count);
    return TakeArtList(err, list, count, out);
}

namespace {

bool Selected(AIArtHandle art) {
    uint32_t attr = 0;
    return sAIArt->GetArtUserAttr(art, kArtSelected, &attr) == kNoErr && (attr & kArtSelected) != 0;
}

// A group reads as selected when any of its members is; selecting it again would select all
// of it, so it is tagged only when every member is selected.
bool WhollySelected(AIArtHandle art) {
    if (!Selected(art)) return false;
    AIArtHandle child = nullptr;
    if (sAIArt->GetArtFirstChild(art, &child) != kNoErr) return false;
    while (child) {
        if (!WhollySelected(child)) return false;
        if (sAIArt->GetArtSibling(child, &child) != kNoErr) return false;
    }
    return true;
}

// Layer groups, and art of the grids and ruler layers, which are drawn again anyway.
AIErr Taggable(AIArtHandle art, bool* taggable) {
    *taggable = false;
    ASBoolean layerGroup = false;
    if (AIErr err = sAIArt->IsArtLayerGroup(art, &layerGroup)) return err;
    if (layerGroup) return kNoErr;
    AILayerHandle layer = nullptr;
    if (AIErr err = sAIArt->GetLayerOfArt(art, &layer)) return err;
    if (layer && (layer == g->gridsLayer || layer == g->rulerLayer)) return kNoErr;
    *taggable = WhollySelected(art);
    return kNoErr;
}

bool DocumentViewOpen() {
    int32_t views = 0;
    return sAIDocumentView && sAIDocumentView->CountDocumentViews(&views) == kNoErr && views > 0;
}

}  // namespace

AIErr TagSelectedArt() {
    if (!g || !DocumentViewOpen()) return kNoErr;
    if (g->selectionChosenByUser)
        if (AIErr err = FinishSelectionRestore()) return err;
    if (g->selectionTagged) return g->theTimer ? sAITimer->SetTimerActive(g->theTimer, true) : kNoErr;
    if (AIErr err = sAIPathStyle->GetCurrentPathStyle(&g->selectionPathStyle, nullptr, nullptr)) return err;
    if (AIErr err = sAILayer->GetCurrentLayer(&g->selectionRestoreLayer)) return err;
    std::vector<AIArtHandle> arts;
    if (AIErr err = MatchingArt(true, arts)) return err;
    for (AIArtHandle art : arts) {
        bool taggable = false;
        if (AIErr err = Taggable(art, &taggable)) return err;
        if (!taggable) continue;
        if (AIErr err = TagForSelectionRestore(art)) return err;
    }
    g->selectionTagged = 1;
    return g->theTimer ? sAITimer->SetTimerActive(g->theTimer, true) : kNoErr;
}

AIErr TagForSelectionRestore(AIArtHandle art) {
    const std::string serial = std::to_string(g ? g->selectionTagSerial : 0);
    return sAITag->SetTag(art, kObjectWasSelectedTag, kTagString, serial.c_str());
}

AIErr deselectAllArt() {
    if (!sAIMatchingArt || !sAIMdMemory || !sAIArt) return kBadParameterErr;
    std::vector<AIArtHandle> arts;
    if (AIErr err = MatchingArt(true, arts)) return err;
    for (AIArtHandle art : arts)
        if (AIErr err = sAIArt->SetArtUserAttr(art, kArtSelected | kArtFullySelected, 0)) return err;
    return kNoErr;
}

bool AnyArtSelected() {
    if (!sAIMatchingArt || !sAIMdMemory) return false;
    std::vector<AIArtHandle> arts;
    return MatchingArt(true, arts) == kNoErr && !arts.empty();
}

AIErr selectTaggedArt(bool reselect) {
    if (g) g->selectionTagged = 0;
    std::vector<AIArtHandle> arts;
    if (AIErr err = MatchingArt(false, arts)) return err;
    // Tags set from now on are the next restore's.
    const std::string serial = std::to_string(g ? g->selectionTagSerial++ : 0);
    for (AIArtHandle art : arts) {
        const char* text = nullptr;
        AIErr err = sAITag->GetTag(art, kObjectWasSelectedTag, kTagString, &text);
        if (err == kNoSuchKey) continue;
        if (err) return err;
        // A tag of an earlier restore (an undo brought it back) was not the selection now.
        const bool thisRestore = text && serial == text;
        if ((err = sAITag->RemoveTag(art, kObjectWasSelectedTag))) return err;
        if (!reselect || !thisRestore) continue;
        AILayerHandle layer = nullptr;
        ASBoolean editable = false;
        if ((err = sAIArt->GetLayerOfArt(art, &layer))) return err;
        if (layer && (err = sAILayer->GetLayerEditable(layer, &editable))) return err;
        if (!editable) continue;
        if ((err = sAIArt->SetArtUserAttr(art, kArtSelected, kArtSelected))) return err;
    }
    return kNoErr;
}

// --- the restore of the selection, and the user's own selection meanwhile ---

namespace {

bool TheTimerActive() {
    ASBoolean active = false;
    return g->theTimer && sAITimer && sAITimer->GetTimerActive(g->theTimer, &active) == kNoErr && active;
}

// The selected art, or false when it cannot be listed.
bool ListSelection(std::vector<AIArtHandle>& arts) noexcept {
    try {
        return sAIMatchingArt && sAIMdMemory && MatchingArt(true, arts) == kNoErr;
    } catch (...) {
        return false;
    }
}

void ForgetSelectionLeft() {
    g->selectionLeft.clear();
    g->selectionLeftKnown = false;
    g->selectionChosenByUser = false;
}

// Before a piece of work: a selection other than the one the plug-in's last work left was
// made by the user (or by an undo of the user's) in between.
void NoteUsersSelection() {
    if (!SelectionRestoreWaits()) return ForgetSelectionLeft();
    std::vector<AIArtHandle> now;
    if (g->selectionLeftKnown && !g->selectionChosenByUser && ListSelection(now) && now != g->selectionLeft)
        g->selectionChosenByUser = true;
}

// After it: what it leaves is the plug-in's own, unless the user's selection already won.
void KeepSelectionLeft() {
    if (!SelectionRestoreWaits()) return ForgetSelectionLeft();
    if (!g->selectionChosenByUser) g->selectionLeftKnown = ListSelection(g->selectionLeft);
}

}  // namespace

bool SelectionRestoreWaits() { return g && (g->selectionTagged || TheTimerActive()); }

AIErr RestoreTaggedSelection() {
    const bool usersSelection = std::exchange(g->selectionChosenByUser, false);
    g->selectionTagged = 0;  // a failed restore must not stop later tagging
    if (!usersSelection)
        if (AIErr err = deselectAllArt()) return err;
    if (g->selectionRestoreLayer) {
        AIErr err = PutBackUserLayer(g->selectionRestoreLayer);
        g->selectionRestoreLayer = nullptr;
        if (err) return err;
    }
    if (AIErr err = selectTaggedArt(!usersSelection)) return err;
    if (AIErr err = RunPlotwiseHooks(&PlotwiseHooks::selectionRestored)) return err;
    g->trackerTransformComplete = 0;
    return kNoErr;
}

AIErr FinishSelectionRestore() {
    if (!SelectionRestoreWaits()) return kNoErr;
    if (g->theTimer)
        if (AIErr err = sAITimer->SetTimerActive(g->theTimer, false)) return err;
    return RestoreTaggedSelection();
}

namespace {

// Whether art of the drawing carries a tag of the restore that waits.
bool RestoreTagsHeld() {
    const std::string serial = std::to_string(g->selectionTagSerial);
    std::vector<AIArtHandle> arts;
    if (MatchingArt(false, arts)) return false;
    return std::any_of(arts.begin(), arts.end(), [&](AIArtHandle art) {
        const char* text = nullptr;
        return sAITag->GetTag(art, kObjectWasSelectedTag, kTagString, &text) == kNoErr && text && serial == text;
    });
}

}  // namespace

AIErr EndSelectionRestoreAtUndo() {
    if (!SelectionRestoreWaits()) return kNoErr;
    if (RestoreTagsHeld()) return FinishSelectionRestore();
    if (g->theTimer)
        if (AIErr err = sAITimer->SetTimerActive(g->theTimer, false)) return err;
    g->selectionTagged = 0;
    ++g->selectionTagSerial;  // tags a redo brings back are an earlier restore's
    g->selectionRestoreLayer = nullptr;
    ForgetSelectionLeft();
    return kNoErr;
}

PluginWork::Nesting::Nesting() {
    if (!g) return;
    counted = true;
    outermost = g->workDepth++ == 0;
}

PluginWork::Nesting::~Nesting() {
    if (g && counted && g->workDepth > 0) --g->workDepth;
}

PluginWork::PluginWork(WorkKind kind, bool followAtStart) : kind_(kind) {
    if (!nesting_.outermost) return;
    if (followAtStart) {
        FollowFrontDrawingIfChanged();
        KeepHeldBackWork();
    }
    NoteUsersSelection();
    const bool command = kind == WorkKind::kPress || kind == WorkKind::kCommand;
    if (command && g->selectionChosenByUser) NoteHostError("Plotwise", FinishSelectionRestore());
    // A press or menu command first does what the timers still hold back, in the steps it
    // belongs to; the settings the command finds are those after it.
    if (command && followAtStart) {
        RunWaitingTimers();
        KeepHeldBackWork();
    }
    if (kind == WorkKind::kCommand) settings_ = std::make_unique<SettingsChange>();
}

PluginWork::~PluginWork() {
    if (!g || !nesting_.outermost) return;
    try {
        KeepSelectionLeft();
        if (settings_) settings_->Record();
        FollowFrontDrawingIfChanged();
        if (kind_ == WorkKind::kFollowUp) KeepHeldBackWork();
    } catch (...) {
        (void)TellEscapedException();
    }
}
