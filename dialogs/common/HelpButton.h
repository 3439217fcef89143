#pragma once

#include <cstdint>

// Opens the help file at a dialog's topic; a help file that cannot be opened
// is told in the editor's help alert.
void OpenHelpTopic(uint32_t topic);
