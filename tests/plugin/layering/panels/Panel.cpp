#include "panels/Panel.h"
#include "panels/Hub.h"
