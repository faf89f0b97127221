// The stand-in host of DimensionHostFixture with the life-cycle suites too (Unicode
// strings, timers), the signs of value strings set, and helpers that read back what the
// drawing kit put into the document.
#pragma once

#include <string>
#include <vector>

#include "DimensionHostFixture.h"
#include "core/PlotwisePlugin.h"
#include "core/PlotwiseStrings.h"

class DimensionPartsFixture : public DimensionHostFixture {
protected:
    void SetUp() override {
        DimensionHostFixture::SetUp();
        ASSERT_EQ(AcquireLifeCycleSuites(host_.basicSuite()), kNoErr);
        ASSERT_EQ(setGlobalDegreeAndDiameterSymbols(), kNoErr);
    }
    void TearDown() override {
        ReleaseLifeCycleSuites();
        DimensionHostFixture::TearDown();
    }

    PlotwiseGlobals& G() { return *g; }
    const standin::Art* ArtOf(AIArtHandle art) { return doc_->art(standin::fromHandle(art)); }
    // The members of a group, top first.
    std::vector<const standin::Art*> Members(AIArtHandle group) {
        std::vector<const standin::Art*> out;
        for (standin::ObjId id : doc_->children(standin::fromHandle(group))) out.push_back(doc_->art(id));
        return out;
    }
    // Every art object of the document (layer groups included).
    size_t ArtCount() { return doc_->artCount(); }
};
