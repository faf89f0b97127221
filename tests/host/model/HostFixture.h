// A host with one open document and every document-side suite acquired through the
// basic suite, as a plug-in would hold them; released again at the end of each test.
#pragma once

#include <gtest/gtest.h>

#include <vector>

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
#include "Host.h"

class HostTest : public ::testing::Test {
protected:
    void SetUp() override {
        doc = &host.newDocument(612, 792);
        acquire(kAIArtSuite, kAIArtSuiteVersion, &sArt);
        acquire(kAIPathSuite, kAIPathSuiteVersion, &sPath);
        acquire(kAIPathStyleSuite, kAIPathStyleSuiteVersion, &sStyle);
        acquire(kAIDictionarySuite, kAIDictionarySuiteVersion, &sDict);
        acquire(kAIDictionaryIteratorSuite, kAIDictionaryIteratorSuiteVersion, &sIter);
        acquire(kAITagSuite, kAITagSuiteVersion, &sTag);
        acquire(kAILayerSuite, kAILayerSuiteVersion, &sLayer);
        acquire(kAIDocumentSuite, kAIDocumentSuiteVersion, &sDoc);
        acquire(kAIDocumentViewSuite, kAIDocumentViewSuiteVersion, &sView);
        acquire(kAIMatchingArtSuite, kAIMatchingArtSuiteVersion, &sMatch);
        acquire(kAIMdMemorySuite, kAIMdMemorySuiteVersion, &sMd);
        acquire(kAIHitTestSuite, kAIHitTestSuiteVersion, &sHit);
        acquire(kAIRealMathSuite, kAIRealMathSuiteVersion, &sMath);
        acquire(kAIRealBezierSuite, kAIRealBezierSuiteVersion, &sBezier);
        acquire(kAITransformArtSuite, kAITransformArtSuiteVersion, &sTransform);
        acquire(kAIShapeConstructionSuite, kAIShapeConstructionSuiteVersion, &sShape);
        acquire(kAIUndoSuite, kAIUndoSuiteVersion, &sUndo);
        acquire(kAIBlockSuite, kAIBlockSuiteVersion, &sBlock);
    }

    void TearDown() override {
        for (auto& [name, version] : acquired_) basic->ReleaseSuite(name, version);
        EXPECT_EQ(host.suites().outstanding(), 0);
    }

    template <class S>
    void acquire(const char* name, int32_t version, const S** suite) {
        const void* p = nullptr;
        ASSERT_EQ(basic->AcquireSuite(name, version, &p), kNoErr) << name;
        *suite = static_cast<const S*>(p);
        acquired_.emplace_back(name, version);
    }

    // A straight open or closed path on top of the current layer.
    AIArtHandle path(std::vector<AIRealPoint> pts, bool closed = false) {
        AIArtHandle a = nullptr;
        EXPECT_EQ(sArt->NewArt(kPathArt, kPlaceAboveAll, nullptr, &a), kNoErr);
        std::vector<AIPathSegment> segs;
        for (AIRealPoint p : pts) segs.push_back({p, p, p, true});
        EXPECT_EQ(sPath->SetPathSegments(a, 0, static_cast<int16_t>(segs.size()), segs.data()), kNoErr);
        EXPECT_EQ(sPath->SetPathClosed(a, closed), kNoErr);
        return a;
    }

    // The handles of a matching-art list; the memory handle is disposed.
    std::vector<AIArtHandle> list(AIMdMemoryHandle h, int32_t count) {
        std::vector<AIArtHandle> out;
        if (!h) return out;
        void* block = nullptr;
        EXPECT_EQ(sMd->MdMemoryLock(h, &block), kNoErr);
        auto* arts = static_cast<AIArtHandle*>(block);
        out.assign(arts, arts + count);
        EXPECT_EQ(sMd->MdMemoryDisposeHandle(h), kNoErr);
        return out;
    }

    standin::Host host;
    SPBasicSuite* basic = host.basicSuite();
    standin::Document* doc = nullptr;
    const AIArtSuite* sArt = nullptr;
    const AIPathSuite* sPath = nullptr;
    const AIPathStyleSuite* sStyle = nullptr;
    const AIDictionarySuite* sDict = nullptr;
    const AIDictionaryIteratorSuite* sIter = nullptr;
    const AITagSuite* sTag = nullptr;
    const AILayerSuite* sLayer = nullptr;
    const AIDocumentSuite* sDoc = nullptr;
    const AIDocumentViewSuite* sView = nullptr;
    const AIMatchingArtSuite* sMatch = nullptr;
    const AIMdMemorySuite* sMd = nullptr;
    const AIHitTestSuite* sHit = nullptr;
    const AIRealMathSuite* sMath = nullptr;
    const AIRealBezierSuite* sBezier = nullptr;
    const AITransformArtSuite* sTransform = nullptr;
    const AIShapeConstructionSuite* sShape = nullptr;
    const AIUndoSuite* sUndo = nullptr;
    const AIBlockSuite* sBlock = nullptr;

private:
    std::vector<std::pair<const char*, int32_t>> acquired_;
};
