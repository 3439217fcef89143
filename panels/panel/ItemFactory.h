#pragma once

#include "panels/ModuleTypeSpec.h"

#include <memory>

class CModule;
class CPanelItem;

// Builds the item of one row of a face layout on the panel (its parent); an
// empty item for a row of no known class.
std::unique_ptr<CPanelItem> MakePanelItem(CModule& panel, const ItemSpec& spec);
