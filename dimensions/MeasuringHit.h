// What a measuring click lands on. Dimensions are drawn over the art they measure, so the
// end of a witness line or a dimension line often lies nearer a click than the part's own
// corner or edge; a dimension's art is drawn again from what it measures and is never
// measured itself.
#pragma once

#include "AIHitTest.h"
#include "AITypes.h"

// Whether the art is a dimension or lies within one.
bool InDimension(AIArtHandle art);

// Whether a press can land on the art at all: not when it, a group or a layer holding it is
// hidden, when it is locked by itself, or on the grids or rulers. `locked` receives the layer
// that locks art a press does land on, to be named to the user (its own layer, else the
// first holding it that is locked); null when the art can be edited.
bool PressableArt(AIArtHandle art, AILayerHandle* locked);

// The host's hit at p (target null: the whole document) when it is no dimension's art;
// otherwise the hit on other art under p as the host would find it (anchors before curves
// before fills and text, the topmost first), and the dimension's art only when there is
// none. Host errors come back as they are.
AIErr HitMeasuredArt(AIArtHandle target, const AIRealPoint& p, AIToolHitData* data,
                     int32_t request = kAllHitRequest);

// A tool's press at p that lands on art of a locked layer: 'CADE' once the user has been told
// which layer (RefuseClickOnLockedLayer); kNoErr where it lands on other art or on none. The
// host's hit test passes such art by: where it finds no art (passing over the parts of
// dimensions unless `onDimensions`, for a tool that works on dimensions), the press lands on
// the art of locked layers it would find were they open, if any. Nothing is looked at while
// dimensions are redrawn or made automatically. Host errors come back as they are.
AIErr RefuseLockedArtPressed(const AIRealPoint& p, bool onDimensions = false);
// HitMeasuredArt of the whole document at a tool's press, refused first as
// RefuseLockedArtPressed says.
AIErr HitPressedArt(const AIRealPoint& p, AIToolHitData* data, int32_t request = kAllHitRequest);
