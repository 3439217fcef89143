#pragma once

#include <string>
#include <vector>

namespace platform {

// The environment variable that names a program to use in place of the
// desktop's opener (xdg-open); it gets the same one argument.
inline constexpr const char* kOpenerVariable = "TORVAN_OPENER";

// Opens a file or a URL with the program the desktop associates with it;
// false when no opener could be started. The opener inherits only the
// standard streams. It is never waited for (some run the viewer in the
// foreground until it is closed): it is reaped when it ends, and a failure
// it reports then is written to the log and kept for TakeFailedOpens.
bool OpenWithDesktop(const std::string& pathOrUrl);
// What the openers that ended in failure were given since the last call,
// in the order they ended.
std::vector<std::string> TakeFailedOpens();

} // namespace platform
