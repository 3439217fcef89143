#pragma once

#include "panels/ModuleTypeSpec.h"

#include <memory>

class CModule;
class CPanelItem;

// Builds the item of one row of a face layout on the panel (its parent);
// null for a class whose item this program does not build yet.
std::unique_ptr<CPanelItem> MakePanelItem(CModule& panel, const ItemSpec& spec);
