#pragma once

#include <filesystem>
#include <string>

namespace testsupport {

// A path inside the repository the tests were built from, wherever the test
// program runs: TORVAN_SOURCE_DIR when set (CTest sets it), else the
// repository this build was configured from. Throws std::runtime_error
// naming the path when it does not exist, so a test run from elsewhere fails
// with that message.
std::filesystem::path SourcePath(const std::string& relative);

} // namespace testsupport
