#pragma once

#include <functional>
#include <string>

// When the connection to the desktop breaks (its X server ends with the
// session), no window can be shown again: no dialog can ask about unsaved
// work. The program then ends at once and says what it leaves behind.
namespace platform {

// The program's account of what it could not keep (for example the names of
// unsaved patches); empty when nothing is lost. None: nothing is said.
void SetDesktopLossReport(std::function<std::string()> report);

// Writes the reason and the program's report to standard error and ends the
// process at once, without running the exit handlers (they would reach for
// the desktop again).
[[noreturn]] void EndForLostDesktop(const char* why);

} // namespace platform
