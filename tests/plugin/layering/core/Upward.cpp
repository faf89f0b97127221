// A lower folder reaching a higher one: the layering check must refuse this file.
#include "core/Fine.h"
#include "dimensions/Above.h"
