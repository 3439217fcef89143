#include "updater/testhook/BootwrenStateReport.h"

#include "framework/controls/NativeControlView.h"
#include "framework/controls/PopupButtonView.h"
#include "framework/controls/ProgressBarView.h"
#include "framework/menus/Menu.h"
#include "framework/views/GroupView.h"
#include "framework/views/StaticTextView.h"
#include "framework/windows/ABCWindow.h"
#include "platform/base/DroppedExceptions.h"
#include "platform/system/AtomicFileWriter.h"
#include "platform/windows/Window.h"
#include "updater/link/UpdateLink.h"
#include "updater/pages/WizardDialog.h"

#include <csignal>
#include <cstdlib>
#include <sstream>

namespace NSBootwren {

namespace {

volatile std::sig_atomic_t requested = 1; // once at start

extern "C" void OnReportSignal(int)
{
    requested = 1;
}

const char* KindOf(const NSHarrowen::CView& view)
{
    if (dynamic_cast<const NSHarrowen::CProgressBarView*>(&view))
        return "progress";
    if (dynamic_cast<const NSHarrowen::CPopupButtonView*>(&view))
        return "popup";
    if (dynamic_cast<const NSHarrowen::CNativeControlView*>(&view))
        return "button";
    return "text";
}

// "view <kind> <left top right bottom on the screen> <enabled> <value> <text>";
// the value is the bar's per mille or the pop-up's choice.
void WriteView(std::ostream& out, const NSHarrowen::CABCWindow& window, const NSHarrowen::CView& view)
{
    const auto* native = dynamic_cast<const NSHarrowen::CNativeControlView*>(&view);
    const auto* text = dynamic_cast<const NSHarrowen::CStaticTextView*>(&view);
    if (!native && !text)
        return;
    const NSHarrowen::CRect frame = view.GetFrame();
    const platform::Point at = platform::ClientToScreen(window.GetHandle(), {frame.left, frame.top});
    int value = 0;
    if (const auto* bar = dynamic_cast<const NSHarrowen::CProgressBarView*>(&view))
        value = bar->GetValue();
    if (const auto* popup = dynamic_cast<const NSHarrowen::CPopupButtonView*>(&view))
        value = popup->GetSelection();
    out << "view " << KindOf(view) << ' ' << at.x << ' ' << at.y << ' ' << at.x + frame.Width() << ' '
        << at.y + frame.Height() << ' ' << (view.IsEnabled() ? 1 : 0) << ' ' << value << ' '
        << (native ? native->GetNativeText() : text->GetText()) << '\n';
}

void WriteViews(std::ostream& out, const NSHarrowen::CABCWindow& window)
{
    if (const NSHarrowen::CGroupView* root = window.GetRootView())
        for (int i = 0; i < root->CountChildren(); ++i)
            WriteView(out, window, *root->GetChild(i));
}

void WritePorts(std::ostream& out, const char* kind, NSHarrowen::CMenu& menu)
{
    for (int i = 0; i < menu.GetItemCount(); ++i)
        out << kind << ' ' << menu.GetItem(i).label << '\n';
}

} // namespace

std::unique_ptr<CBootwrenStateReport> CBootwrenStateReport::FromEnvironment()
{
    const char* path = std::getenv(kVariable);
    if (!path || !*path)
        return nullptr;
    return std::make_unique<CBootwrenStateReport>(path);
}

CBootwrenStateReport::CBootwrenStateReport(std::string path) : path_(std::move(path))
{
    std::signal(SIGUSR1, OnReportSignal);
}

CBootwrenStateReport::~CBootwrenStateReport()
{
    std::signal(SIGUSR1, SIG_DFL);
}

void CBootwrenStateReport::Poll(const CWizardDialog* page, int pageNumber, CUpdateLink* link)
{
    if (!requested)
        return;
    requested = 0;
    std::ostringstream out;
    out << "serial " << ++serial_ << '\n';
    out << "page " << (page ? pageNumber : 0) << '\n';
    if (page)
        WriteViews(out, *page);
    // Then the other windows (an alert) with theirs.
    for (int i = 0; i < NSHarrowen::CountWindows(); ++i) {
        const NSHarrowen::CABCWindow* window = NSHarrowen::GetWindowAt(i);
        if (window == page || window->IsMarkedForDeletion() || !window->IsVisible())
            continue;
        out << "window " << window->GetTitle() << '\n';
        WriteViews(out, *window);
    }
    if (link) {
        WritePorts(out, "in", link->GetInputMenu());
        WritePorts(out, "out", link->GetOutputMenu());
        out << "dump " << link->GetDumpState() << '\n';
    }
    const std::string text = out.str();
    if (!platform::WriteFileAtomically(path_, text.data(), text.size()))
        platform::RecordDroppedException("writing the state report");
}

} // namespace NSBootwren
