// The axonometric direction constraint, from the view the preferences hold.
#include "artwork/AxonometricConstraint.h"

#include "geometry/PlaneGeometry.h"
#include "units/UnitsGlobals.h"

namespace {

constexpr GlobalsView<UnitsGlobals> g;

}  // namespace

AIErr GetRealAxomentricConstrainAngle(AIReal* angle, int32_t* face) {
    if (!g) return kNoErr;  // no view to follow
    return SnapToAxonometricAxes(angle, face, g->prefs.isoView.a, g->prefs.isoView.b);
}
