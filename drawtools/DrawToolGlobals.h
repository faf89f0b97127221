// The fields of the drawing and editing tools: their tool handles.
#pragma once

#include "dimtools/DimToolGlobals.h"

struct DrawToolGlobals : DimToolGlobals {
    AIToolHandle cadlinetool = nullptr, cadrecttool = nullptr, cadrectcentertool = nullptr, cadcircletool = nullptr;
    AIToolHandle cadcirclecentertool = nullptr, threePointCircleTool = nullptr, cadarctool = nullptr, cadarcbypointstool = nullptr;
    AIToolHandle TanPerpLineTool = nullptr, OffsetTool = nullptr, proportiontool = nullptr, cadfillettool = nullptr;
    AIToolHandle cadchamfertool = nullptr, cadextendtool = nullptr, cadtrimtool = nullptr, subdividetool = nullptr;
};
