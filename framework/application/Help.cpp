#include "framework/application/Help.h"

#include "framework/alerts/AlertHook.h"
#include "framework/alerts/AlertScript.h"
#include "framework/base/Utf8.h"
#include "framework/base/Exceptions.h"
#include "framework/input/Keyboard.h"
#include "platform/system/FileSystem.h"
#include "platform/system/DesktopOpen.h"
#include "platform/host/SystemMetrics.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <sstream>
#include <strings.h>

namespace NSHarrowen {

namespace {

struct HelpState {
    HelpViewer viewer = [](const CHelpRequest& r) {
        return r.kind == CHelpRequest::EKind::Quit || platform::OpenWithDesktop(HelpUrlFor(r));
    };
    std::string file;
    bool opened = false;
};

HelpState& State()
{
    static HelpState state;
    return state;
}

// The guide is there but nothing could show it: say where it is, so the
// user can open it by hand. The path goes whole, in pieces of an alert
// argument's length.
void AlertNoViewer(const std::string& file)
{
    std::vector<std::string> pieces;
    std::string_view rest = file;
    while (!rest.empty() && pieces.size() < kAlertArgumentCount) {
        const size_t n = std::max<size_t>(1, Utf8CutLength(rest, kAlertArgumentLength));
        pieces.emplace_back(rest.substr(0, n));
        rest.remove_prefix(std::min(n, rest.size()));
    }
    pieces.resize(kAlertArgumentCount); // every placeholder filled
    ShowFrameworkAlert(kNoHelpViewerAlert, pieces);
}

void Show(CHelpRequest request)
{
    HelpState& s = State();
    request.file = s.file;
    if (!platform::IsReadableFile(request.file)) {
        ShowFrameworkAlert(kHelpFileAlert);
        return;
    }
    if (!s.viewer || !s.viewer(request)) {
        AlertNoViewer(request.file);
        return;
    }
    s.opened = true;
}

std::string FolderOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// The page and anchor the topic map beside the help file gives a topic;
// empty when it names none.
std::string MappedPage(const std::string& helpFile, uint32_t topic)
{
    std::ifstream map(FolderOf(helpFile) + "topics.map");
    std::string line;
    while (std::getline(map, line)) {
        std::istringstream fields(line);
        uint32_t number = 0;
        std::string page;
        if (line.empty() || line[0] == '#' || !(fields >> number >> page))
            continue;
        if (number == topic && page.find("..") == std::string::npos && page[0] != '/')
            return page;
    }
    return {};
}

// A path as the path of a file URL: every byte but the unreserved ones and
// the slashes as %XX.
std::string UrlPath(const std::string& path)
{
    static const char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (const unsigned char c : path) {
        if (std::isalnum(c) || c == '/' || c == '-' || c == '_' || c == '.' || c == '~') {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 15];
        }
    }
    return out;
}

// A plain message box of the desktop (no owner, an OK button).
void ShowPlainMessage(const std::string& title, const std::string& text)
{
    platform::ShowMessageBox(title, text);
}

} // namespace

HelpViewer SetHelpViewer(HelpViewer viewer)
{
    HelpViewer previous = std::move(State().viewer);
    State().viewer = std::move(viewer);
    return previous;
}

std::string HelpFilePathFor(std::string_view executablePath)
{
    std::string path(executablePath);
    const size_t slash = path.rfind('/');
    const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    if (path.size() >= nameStart + 4 && strcasecmp(path.c_str() + path.size() - 4, ".exe") == 0)
        path.resize(path.size() - 4);
    return path + "-help/index.html";
}

std::string HelpUrlFor(const CHelpRequest& request)
{
    std::string page = request.file;
    std::string anchor;
    if (request.kind == CHelpRequest::EKind::HelpOnHelp) {
        anchor = "using-help";
    } else if (request.kind == CHelpRequest::EKind::Topic || request.kind == CHelpRequest::EKind::Popup) {
        if (const std::string mapped = MappedPage(request.file, request.topic); !mapped.empty()) {
            const size_t hash = mapped.find('#');
            page = FolderOf(request.file) + mapped.substr(0, hash);
            if (hash != std::string::npos)
                anchor = mapped.substr(hash + 1);
        }
    }
    std::string url = "file://" + UrlPath(page);
    if (!anchor.empty())
        url += "#" + UrlPath(anchor);
    return url;
}

void SetHelpFilePath(std::string path)
{
    State().file = std::move(path);
}
const std::string& GetHelpFilePath()
{
    return State().file;
}

void ShowHelpTopic(uint32_t topic)
{
    Show({CHelpRequest::EKind::Topic, topic, {}});
}
void ShowHelpPopup(uint32_t topic)
{
    Show({CHelpRequest::EKind::Popup, topic, {}});
}
void ShowHelpFinder()
{
    Show({CHelpRequest::EKind::Finder, 0, {}});
}

void ShowHelpOnHelp()
{
    if (GetModifierKeys().IsShiftOrExtendDown()) {
        ShowPlainMessage("Help", "Help on help");
        return;
    }
    Show({CHelpRequest::EKind::HelpOnHelp, 0, {}});
}

void AlertFailedHelpViewers()
{
    // Each request started its own opener: one alert says it for all.
    if (!platform::TakeFailedOpens().empty())
        AlertNoViewer(State().file);
}

void CloseHelp()
{
    HelpState& s = State();
    if (!s.opened)
        return;
    s.opened = false;
    if (s.viewer && !s.viewer({CHelpRequest::EKind::Quit, 0, s.file}))
        throw XBase();
}

CHelpRecorder::CHelpRecorder(bool succeed)
    : previous_(SetHelpViewer([this, succeed](const CHelpRequest& r) {
          requests_.push_back(r);
          return succeed;
      }))
{ }

CHelpRecorder::~CHelpRecorder()
{
    SetHelpViewer(std::move(previous_));
}

} // namespace NSHarrowen
