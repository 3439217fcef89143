#pragma once

#include <string>

namespace platform {

// The environment variable that names a program to use in place of the
// desktop's opener (xdg-open); it gets the same one argument.
inline constexpr const char* kOpenerVariable = "TORVAN_OPENER";

// Opens a file or a URL with the program the desktop associates with it;
// false when no opener could be started or it reported a failure at once.
// An opener that is still running after a short wait (some start the viewer
// in the foreground) is taken as a success and left to finish on its own.
bool OpenWithDesktop(const std::string& pathOrUrl);

} // namespace platform
