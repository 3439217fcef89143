#pragma once

#include <memory>
#include <string>

namespace NSBootwren {

class CUpdateLink;
class CWizardDialog;

// A test hook: what the running updater shows, for the desktop test that
// drives it with real X input. Enabled only when BOOTWREN_STATE_REPORT names
// a file. On SIGUSR1 (and once at start) the next idle step writes, one fact a
// line, replacing the file whole: the page shown with its buttons, texts,
// pop-ups and progress bar on the screen, the other windows (an alert) with
// theirs, and the link's MIDI ports.
class CBootwrenStateReport {
public:
    static constexpr const char* kVariable = "BOOTWREN_STATE_REPORT";

    // A report when the environment asks for one, else null.
    static std::unique_ptr<CBootwrenStateReport> FromEnvironment();
    explicit CBootwrenStateReport(std::string path);
    ~CBootwrenStateReport();
    CBootwrenStateReport(const CBootwrenStateReport&) = delete;
    CBootwrenStateReport& operator=(const CBootwrenStateReport&) = delete;

    // Writes the report when one was asked for since the last call.
    void Poll(const CWizardDialog* page, int pageNumber, CUpdateLink* link);

private:
    std::string path_;
    unsigned serial_ = 0;
};

} // namespace NSBootwren
