#include "tests/support/RecordingOpener.h"

#include "platform/system/DesktopOpen.h"

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <thread>

namespace testsupport {

RecordingOpener::RecordingOpener(const std::filesystem::path& folder) : noted_(folder / "opened.txt")
{
    const std::filesystem::path opener = folder / "opener.sh";
    std::ofstream(opener) << "#!/bin/sh\necho \"$1\" >> '" << noted_.string() << "'\n";
    std::filesystem::permissions(opener, std::filesystem::perms::owner_all);
    setenv(platform::kOpenerVariable, opener.c_str(), 1);
}

RecordingOpener::~RecordingOpener()
{
    unsetenv(platform::kOpenerVariable);
}

std::vector<std::string> RecordingOpener::Opened(size_t count) const
{
    std::vector<std::string> lines;
    for (int wait = 0; wait < 100; ++wait) {
        lines.clear();
        std::ifstream in(noted_);
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        if (lines.size() >= count)
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return lines;
}

std::vector<std::string> RecordingOpener::Take(size_t count)
{
    std::vector<std::string> lines = Opened(count);
    std::filesystem::remove(noted_);
    return lines;
}

} // namespace testsupport
