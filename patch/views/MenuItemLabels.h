#pragma once

#include "framework/menus/Menu.h"

#include <cstdint>
#include <string_view>

// Enables or greys a command wherever it stands in a menu tree.
void EnableMenuCommand(NSHarrowen::CMenu& menu, uint32_t command, bool enable);
// Marks a command's label with " (word)" wherever it stands in a menu tree:
// the mark is taken out of the label and, when `show` is set, appended; the
// label is then cut to 64 characters. Nothing when the command is absent.
void SetMenuCommandText(NSHarrowen::CMenu& menu, uint32_t command, std::string_view word, bool show);
