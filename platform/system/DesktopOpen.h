#pragma once

#include <string>

namespace platform {

// Opens a file with the program the desktop associates with it, without
// waiting for it; false when no opener could be started.
bool OpenWithDesktop(const std::string& path);

} // namespace platform
