#pragma once

// The module-specific items, for the code that builds panels.
#include "panels/items/PnlDrumPresetSelector.h"
#include "panels/items/PnlPartialIncDec.h"
#include "panels/items/PnlPushButtonItemABC.h"
#include "panels/items/PnlTrigArrow.h"
