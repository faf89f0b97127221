// What a measuring click lands on. Dimensions are drawn over the art they measure, so the
// end of a witness line or a dimension line often lies nearer a click than the part's own
// corner or edge; a dimension's art is drawn again from what it measures and is never
// measured itself.
#pragma once

#include "AIHitTest.h"
#include "AITypes.h"

// Whether the art is a dimension or lies within one.
bool InDimension(AIArtHandle art);

// The host's hit at p (target null: the whole document) when it is no dimension's art;
// otherwise the hit on other art under p as the host would find it (anchors before curves
// before fills and text, the topmost first), and the dimension's art only when there is
// none. Host errors come back as they are.
AIErr HitMeasuredArt(AIArtHandle target, const AIRealPoint& p, AIToolHitData* data,
                     int32_t request = kAllHitRequest);
