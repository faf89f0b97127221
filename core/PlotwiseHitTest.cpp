// Hit references of the tools.
#include "core/PlotwiseHitTest.h"

#include "core/PlotwiseSuites.h"

HitRef::~HitRef() { Release(); }

void HitRef::Release() {
    if (ref_ && sAIHitTest) sAIHitTest->Release(ref_);
    ref_ = nullptr;
}

AIErr HitRef::Test(AIArtHandle target, const AIRealPoint& point, AIToolHitData* data, int32_t request) {
    Release();
    *data = AIToolHitData{};
    if (AIErr err = sAIHitTest->HitTest(target, &point, request, &ref_)) return err;
    return sAIHitTest->GetHitData(ref_, data);
}
