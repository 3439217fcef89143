#include "DemoStateReport.h"

#include "framework/windows/ABCWindow.h"
#include "framework/application/Application.h"
#include "platform/menus/MenuWindows.h"
#include "platform/windows/Window.h"

#include <csignal>
#include <cstdio>
#include <fstream>

namespace demo {

using namespace NSHarrowen;

namespace {

volatile std::sig_atomic_t requested = 0;

extern "C" void OnReportSignal(int)
{
    requested = 1;
}

const char* KindName(CHelpRequest::EKind kind)
{
    switch (kind) {
    case CHelpRequest::EKind::Topic:
        return "topic";
    case CHelpRequest::EKind::Popup:
        return "popup";
    case CHelpRequest::EKind::Finder:
        return "finder";
    case CHelpRequest::EKind::HelpOnHelp:
        return "helponhelp";
    case CHelpRequest::EKind::Quit:
        return "quit";
    }
    return "?";
}

void WriteRect(std::ostream& out, const platform::Rect& r)
{
    out << r.left << ' ' << r.top << ' ' << r.right << ' ' << r.bottom;
}

} // namespace

DemoStateReport::DemoStateReport(std::string path, TextSource edits) : path_(std::move(path)), edits_(std::move(edits))
{
    // Help goes to the report instead of a viewer.
    previousViewer_ = SetHelpViewer([this](const CHelpRequest& request) {
        if (request.kind != CHelpRequest::EKind::Quit)
            help_.push_back(request);
        return true;
    });
    std::signal(SIGUSR1, OnReportSignal);
    // The first report tells that the demo listens.
    requested = 1;
}

DemoStateReport::~DemoStateReport()
{
    std::signal(SIGUSR1, SIG_DFL);
    SetHelpViewer(previousViewer_);
}

void DemoStateReport::Poll()
{
    if (!requested)
        return;
    requested = 0;
    Write();
}

void DemoStateReport::Write()
{
    const std::string temporary = path_ + ".part";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out << "serial " << ++serial_ << '\n';
        CApplication* app = GetApplication();
        if (app && app->GetFrameHandle()) {
            out << "frame ";
            WriteRect(out, platform::GetWindowRect(app->GetFrameHandle()));
            out << '\n';
        }
        if (const platform::WindowHandle bar = platform::FindMenuBarWindow(app ? app->GetFrameHandle() : 0)) {
            for (const platform::Rect& title : platform::MenuBarTitleRects(bar)) {
                const platform::Point at = platform::ClientToScreen(bar, {title.left, title.top});
                out << "menutitle ";
                WriteRect(out, title.Offset(at.x - title.left, at.y - title.top));
                out << '\n';
            }
        }
        const CABCWindow* active = GetActiveDocumentWindow();
        for (int i = 0; i < CountWindows(); ++i) {
            const CABCWindow* w = GetWindowAt(i);
            if (w->IsMarkedForDeletion() || !w->IsDocumentWindow())
                continue;
            out << "window ";
            WriteRect(out, platform::GetWindowRect(w->GetHandle()));
            out << ' ' << (w->IsVisible() ? 1 : 0) << ' ' << (w == active ? 1 : 0) << ' ' << w->GetTitle() << '\n';
        }
        for (int i = 0; i < platform::CountTopLevelWindows(); ++i) {
            const platform::WindowHandle h = platform::GetTopLevelWindow(i);
            if (platform::GetClassName(h) == "tooltips_class32" && platform::IsWindowVisible(h)) {
                out << "tooltip ";
                WriteRect(out, platform::GetWindowRect(h));
                out << '\n';
            }
        }
        for (const std::string& text : edits_())
            out << "edit " << text << '\n';
        for (const CHelpRequest& request : help_)
            out << "help " << KindName(request.kind) << ' ' << request.topic << '\n';
    }
    std::rename(temporary.c_str(), path_.c_str());
}

} // namespace demo
