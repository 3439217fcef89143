#include "tests/support/SourceTree.h"

#include <cstdlib>
#include <stdexcept>

namespace testsupport {

std::filesystem::path SourcePath(const std::string& relative)
{
    const char* overridden = std::getenv("TORVAN_SOURCE_DIR");
    const std::filesystem::path top =
        overridden != nullptr && *overridden != '\0' ? std::filesystem::path(overridden) : TORVAN_SOURCE_TREE;
    std::filesystem::path path = top / relative;
    std::error_code error;
    if (!std::filesystem::exists(path, error))
        throw std::runtime_error("the source tree has no " + path.string() +
                                 " (set TORVAN_SOURCE_DIR to the repository's top folder)");
    return path;
}

} // namespace testsupport
