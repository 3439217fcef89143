#pragma once

#include <string>

namespace platform {

// The environment variable that names a program to use in place of the
// desktop's opener (xdg-open); it gets the same one argument.
inline constexpr const char* kOpenerVariable = "TORVAN_OPENER";

// Opens a file or a URL with the program the desktop associates with it;
// false when no opener could be started. It never waits for the opener
// (some run the viewer in the foreground until it is closed): the opener is
// reaped when it ends, and a failure it reports then is written to the log.
bool OpenWithDesktop(const std::string& pathOrUrl);

} // namespace platform
