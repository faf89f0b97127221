// Matching art, memory handles, hit testing, blocks, undo, transforms and shape
// construction: the suites whose results the plug-in owns (lists, hits, blocks) are
// counted so tests can check each is given back once.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "AIBlock.h"
#include "AIHitTest.h"
#include "AIMatchingArt.h"
#include "AIMdMemory.h"
#include "AIShapeConstruction.h"
#include "AITransformArt.h"
#include "AIUndo.h"
#include "model/Geometry.h"
#include "model/HitTest.h"
#include "suites/Suites.h"

namespace standin::suites {
namespace {

// ---------------------------------------------------------------- memory handles

AIErr MdMemoryNewHandle(size_t size, AIMdMemoryHandle* handle) {
    if (!handle) return kBadParameterErr;
    *handle = host()->newMdHandle(size);
    return kNoErr;
}

AIErr MdMemoryDisposeHandle(AIMdMemoryHandle handle) {
    if (!handle) return kNoErr;
    return host()->disposeMdHandle(handle) ? kNoErr : kStaleHandleErr;
}

AIErr MdMemoryGetSize(AIMdMemoryHandle handle, size_t* size) {
    if (!handle || !size) return kBadParameterErr;
    auto* m = host()->mdHandle(handle);
    if (!m) return kStaleHandleErr;
    *size = m->size();
    return kNoErr;
}

AIErr MdMemoryResize(AIMdMemoryHandle handle, size_t newSize) {
    if (!handle) return kBadParameterErr;
    auto* m = host()->mdHandle(handle);
    if (!m) return kStaleHandleErr;
    m->resize(newSize);
    return kNoErr;
}

AIErr MdMemoryLock(AIMdMemoryHandle handle, void** block) {
    if (!handle || !block) return kBadParameterErr;
    *block = nullptr;
    auto* m = host()->mdHandle(handle);
    if (!m) return kStaleHandleErr;
    *block = m->data();
    return kNoErr;
}

AIErr MdMemoryUnLock(AIMdMemoryHandle handle) {
    if (!handle) return kBadParameterErr;
    return host()->mdHandle(handle) ? kNoErr : kStaleHandleErr;
}

const AIMdMemorySuite kMdMemorySuite = {MdMemoryNewHandle, MdMemoryDisposeHandle, MdMemoryGetSize,
                                        MdMemoryResize,    MdMemoryLock,          MdMemoryUnLock};

// ---------------------------------------------------------------- matching art

AIErr listToHandle(const std::vector<ObjId>& ids, AIMdMemoryHandle* matches, int32_t* count) {
    *count = static_cast<int32_t>(ids.size());
    if (ids.empty()) return kNoErr;  // no match: count 0 and no handle
    *matches = host()->newMdHandle(ids.size() * sizeof(AIArtHandle));
    auto* block = host()->mdHandle(*matches);
    for (size_t i = 0; i < ids.size(); ++i) {
        const AIArtHandle h = artHandle(ids[i]);
        std::memcpy(block->data() + i * sizeof(AIArtHandle), &h, sizeof h);
    }
    return kNoErr;
}

// Every wanted pattern asks for selected art: the selection answers without a walk.
bool onlySelected(const AIMatchingArtSpec* wanted, int16_t numWanted) {
    return std::all_of(wanted, wanted + numWanted, [](const AIMatchingArtSpec& s) {
        return (s.whichAttr & kArtSelected) && (s.attr & kArtSelected);
    });
}

// Every wanted pattern asks for selected art of a type, whatever its other attributes:
// the selection's types answer without reading the art.
bool selectedOfType(const AIMatchingArtSpec* wanted, int16_t numWanted) {
    return std::all_of(wanted, wanted + numWanted, [](const AIMatchingArtSpec& s) {
        return static_cast<uint32_t>(s.whichAttr) == kArtSelected;
    });
}

bool typeWanted(const AIMatchingArtSpec* wanted, int16_t numWanted, int16_t type) {
    return std::any_of(wanted, wanted + numWanted,
                       [type](const AIMatchingArtSpec& s) { return s.type == kAnyArt || s.type == type; });
}

AIErr GetMatchingArt(const AIMatchingArtSpec* wanted, int16_t numWanted, AIMdMemoryHandle* matches, int32_t* count) {
    if (!matches || !count) return kBadParameterErr;
    *matches = nullptr;
    *count = 0;
    if (!wanted || numWanted <= 0) return kBadParameterErr;
    Document* d = front();
    if (!d) return kNoErr;
    // Art from the selection's list reads as selected: no need to look through its members.
    const auto keep = [&](const Art& a, bool listedSelected) {
        uint32_t attrs = a.attrs & ~static_cast<uint32_t>(kArtSelected);
        if (listedSelected) attrs |= kArtSelected;
        bool selectedKnown = listedSelected;
        for (int i = 0; i < numWanted; ++i) {
            const AIMatchingArtSpec& s = wanted[i];
            if (s.type != kAnyArt && s.type != a.type) continue;
            const uint32_t which = static_cast<uint32_t>(s.whichAttr);
            if ((which & kArtSelected) && !selectedKnown) {
                if (d->readsSelected(a.id)) attrs |= kArtSelected;
                selectedKnown = true;
            }
            if ((attrs & which) == (static_cast<uint32_t>(s.attr) & which)) return true;
        }
        return false;
    };
    std::vector<ObjId> ids;
    if (onlySelected(wanted, numWanted)) {
        const std::vector<ObjId>& selection = d->selection();
        if (selectedOfType(wanted, numWanted)) {
            const std::vector<int16_t>& types = d->selectionTypes();
            if (typeWanted(wanted, numWanted, kAnyArt)) return listToHandle(selection, matches, count);
            for (size_t i = 0; i < selection.size(); ++i)
                if (typeWanted(wanted, numWanted, types[i])) ids.push_back(selection[i]);
        } else {
            for (ObjId id : selection)
                if (keep(*d->art(id), true)) ids.push_back(id);
        }
    } else {
        ids = d->matching([&](const Art& a) { return keep(a, false); });
    }
    return listToHandle(ids, matches, count);
}

AIErr GetSelectedArt(AIMdMemoryHandle* matches, int32_t* count) {
    const AIMatchingArtSpec wanted{kAnyArt, kArtSelected, kArtSelected};
    return GetMatchingArt(&wanted, 1, matches, count);
}

AIErr GetArtInRect(const AIRealRect* area, AIMdMemoryHandle* matches, int32_t* count) {
    if (!area || !matches || !count) return kBadParameterErr;
    *matches = nullptr;
    *count = 0;
    Document* d = front();
    if (!d) return kNoErr;
    return listToHandle(d->artIn(*area), matches, count);
}

const AIMatchingArtSuite kMatchingArtSuite = {GetMatchingArt, GetSelectedArt, GetArtInRect};

// ---------------------------------------------------------------- hit test

AIErr HitTest(AIArtHandle art, const AIRealPoint* point, int32_t request, AIHitRef* hit) {
    if (!point || !hit) return kBadParameterErr;
    *hit = nullptr;
    Document* d = front();
    if (!d) return kNoDocumentErr;
    ObjId target = 0;
    if (art) {
        ArtRef r;
        if (AIErr e = lookupArt(art, &r)) return e;
        target = r.id;
    }
    AIToolHitData data{};
    hitTest(*d, target, *point, request, &data);
    *hit = host()->newHit(data);
    return kNoErr;
}

AIErr GetHitData(AIHitRef hit, AIToolHitData* data) {
    if (!hit || !data) return kBadParameterErr;
    const AIToolHitData* h = host()->hit(hit);
    if (!h) return kStaleHandleErr;
    *data = *h;
    return kNoErr;
}

AIArtHandle GetHitArt(AIHitRef hit) {
    Host* h = host();
    const AIToolHitData* d = h && hit ? h->hit(hit) : nullptr;
    return d ? d->object : nullptr;
}

AIErr ReleaseHit(AIHitRef hit) {
    if (!hit) return kBadParameterErr;
    return host()->releaseHit(hit) ? kNoErr : kStaleHandleErr;
}

const AIHitTestSuite kHitTestSuite = {HitTest, GetHitData, GetHitArt, ReleaseHit};

// ---------------------------------------------------------------- blocks

AIErr AllocateBlock(size_t size, void** block) {
    if (!block) return kBadParameterErr;
    *block = host()->allocateBlock(size);
    return *block ? kNoErr : kOutOfMemoryErr;
}

AIErr DisposeBlock(void* block) {
    if (!block) return kNoErr;
    return host()->disposeBlock(block) ? kNoErr : kBadParameterErr;
}

AIErr ReallocateBlock(void* block, size_t newSize, void** newBlock) {
    if (!newBlock) return kBadParameterErr;
    if (!block) return AllocateBlock(newSize, newBlock);
    size_t old = 0;
    if (!host()->blockSize(block, &old)) return kBadParameterErr;
    return host()->reallocateBlock(block, newSize, newBlock) ? kNoErr : kOutOfMemoryErr;
}

AIErr SizeOfMemoryBlock(void* block, size_t* size) {
    if (!block || !size) return kBadParameterErr;
    return host()->blockSize(block, size) ? kNoErr : kBadParameterErr;
}

const AIBlockSuite kBlockSuite = {AllocateBlock, DisposeBlock, ReallocateBlock, SizeOfMemoryBlock};

// ---------------------------------------------------------------- undo

AIErr UndoChanges() { return host()->undoChanges(); }

AIErr SetUndoText(const char* undoText, const char* redoText) {
    Host* h = host();
    h->undoText = undoText ? undoText : "";
    h->redoText = redoText ? redoText : "";
    return kNoErr;
}

AIErr GetCurrentUndoStep(AIUndoStepRef* step) {
    if (!step) return kBadParameterErr;
    *step = toHandle<AIUndoStepRef>(host()->currentMessage());
    return kNoErr;
}

AIErr JoinUndoStep(AIUndoStepRef step) {
    host()->joinUndoStep(fromHandle(step));
    return kNoErr;
}

AIErr UndoAllChanges() { return host()->undoAllChanges(); }

AIErr KeepChangesSoFar() { return host()->keepChangesSoFar(); }

const AIUndoSuite kUndoSuite = {UndoChanges,  SetUndoText,    GetCurrentUndoStep,
                                JoinUndoStep, UndoAllChanges, KeepChangesSoFar};

// ---------------------------------------------------------------- transform

AIErr TransformArt(AIArtHandle art, const AIRealMatrix* matrix, AIReal /*lineScale*/, int32_t flags) {
    if (!matrix) return kBadParameterErr;
    for (AIReal v : {matrix->a, matrix->b, matrix->c, matrix->d, matrix->tx, matrix->ty})
        if (!std::isfinite(v)) return kBadParameterErr;
    ArtRef r;
    if (AIErr e = lookupArt(art, &r)) return e;
    if (!(flags & kTransformObjects)) return kNoErr;
    if (!host()->allowTransform()) return kOutOfMemoryErr;
    return r.doc->transform(r.id, *matrix, (flags & kTransformChildren) != 0);
}

const AITransformArtSuite kTransformSuite = {TransformArt};

// ---------------------------------------------------------------- shapes

AIErr makeShape(std::vector<AIPathSegment> segs, bool reversed, bool centerPoint, AIArtHandle* art) {
    if (!art) return kBadParameterErr;
    *art = nullptr;
    Document* d = front();
    if (!d) return kNoDocumentErr;
    if (reversed) {
        std::reverse(segs.begin() + 1, segs.end());  // same first anchor, other direction
        for (AIPathSegment& s : segs) std::swap(s.in, s.out);
    }
    ObjId id = 0;
    if (AIErr e = d->addPath(segs, true, &id)) return e;
    if (centerPoint) d->editArt(id)->centerPointVisible = true;
    *art = artHandle(id);
    return kNoErr;
}

bool finiteAll(std::initializer_list<AIReal> vs) {
    for (AIReal v : vs)
        if (!std::isfinite(v)) return false;
    return true;
}

// From the top-left corner (or the centre), size.h to the right and size.v down.
void pointSizeRect(AIRealPoint from, AIRealPoint size, bool centered, AIReal* top, AIReal* left, AIReal* bottom,
                   AIReal* right) {
    *left = centered ? from.h - size.h / 2 : from.h;
    *top = centered ? from.v + size.v / 2 : from.v;
    *right = *left + size.h;
    *bottom = *top - size.v;
}

AIErr NewPointSizeRect(AIRealPoint from, AIRealPoint size, ASBoolean centered, ASBoolean reversed,
                       ASBoolean centerPoint, AIArtHandle* art) {
    if (!finiteAll({from.h, from.v, size.h, size.v})) return kBadParameterErr;
    AIReal t, l, b, r;
    pointSizeRect(from, size, centered, &t, &l, &b, &r);
    return makeShape(geom::rectAnchors(t, l, b, r), reversed, centerPoint, art);
}

AIErr NewPointSizeOval(AIRealPoint from, AIRealPoint size, ASBoolean centered, ASBoolean reversed,
                       ASBoolean centerPoint, AIArtHandle* art) {
    if (!finiteAll({from.h, from.v, size.h, size.v})) return kBadParameterErr;
    AIReal t, l, b, r;
    pointSizeRect(from, size, centered, &t, &l, &b, &r);
    return makeShape(geom::ovalAnchors(t, l, b, r), reversed, centerPoint, art);
}

AIErr NewRect(AIReal top, AIReal left, AIReal bottom, AIReal right, ASBoolean reversed, AIArtHandle* art) {
    if (!finiteAll({top, left, bottom, right})) return kBadParameterErr;
    return makeShape(geom::rectAnchors(top, left, bottom, right), reversed, false, art);
}

AIErr NewOval(AIReal top, AIReal left, AIReal bottom, AIReal right, ASBoolean reversed, AIArtHandle* art) {
    if (!finiteAll({top, left, bottom, right})) return kBadParameterErr;
    return makeShape(geom::ovalAnchors(top, left, bottom, right), reversed, false, art);
}

const AIShapeConstructionSuite kShapeSuite = {NewPointSizeRect, NewPointSizeOval, NewRect, NewOval};

}  // namespace

void addQuerySuites(SuiteRegistry& r) {
    r.add(kAIMdMemorySuite, kAIMdMemorySuiteVersion, &kMdMemorySuite);
    r.add(kAIMatchingArtSuite, kAIMatchingArtSuiteVersion, &kMatchingArtSuite);
    r.add(kAIHitTestSuite, kAIHitTestSuiteVersion, &kHitTestSuite);
    r.add(kAIBlockSuite, kAIBlockSuiteVersion, &kBlockSuite);
    r.add(kAIUndoSuite, kAIUndoSuiteVersion, &kUndoSuite);
    r.add(kAITransformArtSuite, kAITransformArtSuiteVersion, &kTransformSuite);
    r.add(kAIShapeConstructionSuite, kAIShapeConstructionSuiteVersion, &kShapeSuite);
}

}  // namespace standin::suites
