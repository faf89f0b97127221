// The class-based tools' shared steps.
#include "architecture/PWTool.h"

#include "artwork/DrawingLayer.h"
#include "dimensions/DimensionDrawing.h"

AIErr PWTool::prepLayer(int which) { return which == 1 ? PrepDimensionLayer() : PrepCADLayer(); }

AIErr PWTool::writeSettings() const {
    for (const PWPersistentDataType* s : _settings)
        if (AIErr err = s->write()) return err;
    return kNoErr;
}

void PWTool::own(std::initializer_list<PWPersistentDataType*> settings) {
    for (PWPersistentDataType* s : settings) {
        (void)s->read();  // nothing stored yet leaves the default
        _settings.push_back(s);
    }
}
