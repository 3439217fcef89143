#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace testsupport {

// Stands in for the desktop's opener while it lives: a script in `folder`
// that notes each path or URL it is given, one line each.
class RecordingOpener {
public:
    explicit RecordingOpener(const std::filesystem::path& folder);
    ~RecordingOpener();
    RecordingOpener(const RecordingOpener&) = delete;
    RecordingOpener& operator=(const RecordingOpener&) = delete;

    // What was opened so far, once `count` have come or after a while (the
    // opener runs as its own process).
    std::vector<std::string> Opened(size_t count = 0) const;
    // The same, forgotten afterwards.
    std::vector<std::string> Take(size_t count = 0);

private:
    std::filesystem::path noted_;
};

} // namespace testsupport
