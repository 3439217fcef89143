#pragma once

#include "panels/ModuleTypeSpec.h"

#include <memory>

class CModule;
class CPnlHole;

// The jack a module type places on its panel; it registers itself with the
// panel, so jacks are made in the type's order.
std::unique_ptr<CPnlHole> MakeJack(CModule& panel, const JackSpec& spec);
