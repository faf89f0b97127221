// The style's colour components as the host's reals. A component holds a value from 0.0 to
// 1.0 as the host's 16.16 fixed-point number less one (1.0 is stored as 65535), with 0.0
// stored as 0.
#pragma once

#include <cstdint>

#include "AITypes.h"

// A stored component as a host real (0.0-1.0), and back.
AIReal ComponentToReal(int32_t component);
int32_t RealToComponent(AIReal value);
