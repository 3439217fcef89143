#include "framework/application/Help.h"

#include "framework/alerts/AlertHook.h"
#include "framework/base/Exceptions.h"
#include "framework/input/Keyboard.h"
#include "platform/system/FileSystem.h"
#include "platform/system/DesktopOpen.h"
#include "platform/host/SystemMetrics.h"

#include <strings.h>

namespace NSHarrowen {

namespace {

struct HelpState {
    HelpViewer viewer = [](const CHelpRequest& r) {
        return r.kind == CHelpRequest::EKind::Quit || platform::OpenWithDesktop(r.file);
    };
    std::string file;
    bool opened = false;
};

HelpState& State()
{
    static HelpState state;
    return state;
}

void Show(CHelpRequest request)
{
    HelpState& s = State();
    request.file = s.file;
    if (!platform::IsReadableFile(request.file)) {
        ShowFrameworkAlert(kHelpFileAlert);
        return;
    }
    if (!s.viewer || !s.viewer(request))
        throw XBase();
    s.opened = true;
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
    return path + ".hlp";
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
bool HelpFileExists()
{
    return platform::IsReadableFile(State().file);
}

void ShowHelpOnHelp()
{
    if (GetModifierKeys().IsShiftOrExtendDown()) {
        ShowPlainMessage("Help", "Help on help");
        return;
    }
    Show({CHelpRequest::EKind::HelpOnHelp, 0, {}});
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
