// A hub that names every panel, and a panel that calls back into the hub: the check must
// refuse the circle.
#include "panels/Hub.h"
#include "panels/Panel.h"
#include "panels/Row.h"
