#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// The program's help: a help file beside the executable, shown by the
// desktop's viewer. When the file is missing the framework says so.
namespace NSHarrowen {

// "[STOP]Could not open help file.[OK]"
inline constexpr uint32_t kHelpFileAlert = 501000003;

struct CHelpRequest {
    enum class EKind { Topic, Popup, Finder, HelpOnHelp, Quit };
    EKind kind = EKind::Topic;
    uint32_t topic = 0;
    std::string file;
};

// Shows a request; false when the viewer failed. The default one opens the
// file with the desktop's opener.
using HelpViewer = std::function<bool(const CHelpRequest&)>;
HelpViewer SetHelpViewer(HelpViewer viewer);

// The help file of an executable: its folder and name (without an ".exe")
// with ".hlp".
std::string HelpFilePathFor(std::string_view executablePath);
// The file the help calls open; the application sets it from its executable.
void SetHelpFilePath(std::string path);
const std::string& GetHelpFilePath();

// Each shows the alert above when the help file does not exist, and throws
// XBase when the viewer fails.
void ShowHelpTopic(uint32_t topic);
// A topic shown as a pop-up over the window (a control's help).
void ShowHelpPopup(uint32_t topic);
// True when the help file exists (context help asks nothing without it).
bool HelpFileExists();
void ShowHelpFinder();
// With Shift held: a message "Help on help" titled "Help" instead.
void ShowHelpOnHelp();
// Closing help that was never opened does nothing.
void CloseHelp();

// Records the help requests while it lives; the viewer answers `succeed`.
class CHelpRecorder {
public:
    explicit CHelpRecorder(bool succeed = true);
    ~CHelpRecorder();
    CHelpRecorder(const CHelpRecorder&) = delete;
    CHelpRecorder& operator=(const CHelpRecorder&) = delete;
    const std::vector<CHelpRequest>& Requests() const { return requests_; }

private:
    HelpViewer previous_;
    std::vector<CHelpRequest> requests_;
};

} // namespace NSHarrowen
