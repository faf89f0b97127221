// A hit test's reference, given back to the host on every way out, as every tool and the
// click recorder hold it.
#pragma once

#include "AIHitTest.h"
#include "AITypes.h"

class HitRef {
public:
    HitRef() = default;
    ~HitRef();
    HitRef(const HitRef&) = delete;
    HitRef& operator=(const HitRef&) = delete;
    // Hit-tests the target art (null: the whole document) at the point with the request and
    // reads the hit into `data` (cleared first); a second test gives the first reference back
    // before it asks again.
    AIErr Test(AIArtHandle target, const AIRealPoint& point, AIToolHitData* data,
               int32_t request = kAllHitRequest);

private:
    void Release();
    AIHitRef ref_ = nullptr;
};
