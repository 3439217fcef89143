#pragma once

#include <string>
#include <vector>

namespace testsupport {

// What a test needs of the machine beyond the build.
struct Requirements {
    std::vector<std::string> programs = {}; // on the PATH
    bool jackServer = false;                // the tests' JACK server (CTest's jack fixture)
};

// Asks tests/support/require-tools.sh, which every test with such needs
// shares. When something is missing it records why in the running test and
// answers true, and the caller returns at once: run by hand the test is
// skipped; under TORVAN_TESTS_REQUIRE_TOOLS=1 (tools/run-tests.sh, and so
// `make test`) it fails, naming what is missing and how to install it.
[[nodiscard]] bool Unavailable(const Requirements& needs);

} // namespace testsupport
