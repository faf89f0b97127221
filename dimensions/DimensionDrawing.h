// Set-up of dimension drawing shared by every dimension and label tool.
#pragma once

#include "AITypes.h"

// The text size, leading and character width dimension drawing lays text out with: the
// style's text size, 0.2 and 0.6 times it (the width goes to `charWidth`).
AIErr getPlatformCurrentTextSizeAndLeading(AIReal* size, AIReal* leading);
