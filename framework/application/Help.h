#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// The program's help: an HTML guide in a folder beside the executable,
// shown by the desktop's viewer at the page and anchor of a topic. A topic
// map beside the guide's first page ("topics.map": lines of a topic number
// and a page with its anchor) says where each topic is; topics it does not
// name show the first page. When the guide is missing the framework says so.
namespace NSHarrowen {

// "[STOP]Could not open help file.[OK]"
inline constexpr uint32_t kHelpFileAlert = 501000003;
// "[STOP]No program could show the help pages (install xdg-utils and a web
// browser). The guide is at ^0^1^2^3[OK]": the path in pieces.
inline constexpr uint32_t kNoHelpViewerAlert = 501000004;

struct CHelpRequest {
    enum class EKind { Topic, Popup, Finder, HelpOnHelp, Quit };
    EKind kind = EKind::Topic;
    uint32_t topic = 0;
    std::string file;
};

// Shows a request; false when the viewer could not be started. The default
// one opens the file with the desktop's opener.
using HelpViewer = std::function<bool(const CHelpRequest&)>;
HelpViewer SetHelpViewer(HelpViewer viewer);

// The help file of an executable: "index.html" in the folder named after it
// (without an ".exe") with "-help", beside it.
std::string HelpFilePathFor(std::string_view executablePath);
// What the viewer opens for a request: a file URL of the help file, or of the
// page the topic map names for the topic, with its anchor. Help on help is
// the help file's "using-help" anchor.
std::string HelpUrlFor(const CHelpRequest& request);
// The file the help calls open; the application sets it from its executable.
void SetHelpFilePath(std::string path);
const std::string& GetHelpFilePath();

// Each shows the first alert above when the help file does not exist, and
// the second, with the help file's path, when no viewer could show it.
void ShowHelpTopic(uint32_t topic);
// A topic shown as a pop-up over the window (a control's help).
void ShowHelpPopup(uint32_t topic);
void ShowHelpFinder();
// With Shift held: a message "Help on help" titled "Help" instead.
void ShowHelpOnHelp();
// The second alert above, once, when viewers that were started have ended
// in failure since the last call (the run loop's idle step asks).
void AlertFailedHelpViewers();
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
