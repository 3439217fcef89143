#pragma once

#include "framework/application/Help.h"

#include <functional>
#include <string>
#include <vector>

namespace demo {

// What the demo reports of itself on request, for the desktop tests: on
// SIGUSR1 it writes, at its next idle step, the windows' places on the
// screen, the texts of its edits, the tooltip shown and the help asked for
// (one fact per line) to a file, replacing it whole.
class DemoStateReport {
public:
    using TextSource = std::function<std::vector<std::string>()>;

    DemoStateReport(std::string path, TextSource edits);
    ~DemoStateReport();
    DemoStateReport(const DemoStateReport&) = delete;
    DemoStateReport& operator=(const DemoStateReport&) = delete;

    // Writes the report when one was asked for since the last call.
    void Poll();

private:
    void Write();

    std::string path_;
    TextSource edits_;
    NSHarrowen::HelpViewer previousViewer_;
    std::vector<NSHarrowen::CHelpRequest> help_;
    unsigned serial_ = 0;
};

} // namespace demo
