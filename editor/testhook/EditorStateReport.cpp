#include "editor/testhook/EditorStateReport.h"

#include "editor/patches/PatchManager.h"
#include "editor/toolbar/tabs/TabView.h"
#include "editor/windows/PatchView.h"
#include "framework/application/Application.h"
#include "framework/base/Exceptions.h"
#include "framework/controls/CheckBoxView.h"
#include "framework/controls/RadioButtonView.h"
#include "framework/controls/NativeControlView.h"
#include "framework/menus/Menu.h"
#include "framework/views/GroupView.h"
#include "framework/views/StaticTextView.h"
#include "framework/windows/ABCWindow.h"
#include "panels/items/PnlControl.h"
#include "panels/jacks/PnlHole.h"
#include "panels/panel/Module.h"
#include "patch/area/PatchBackground.h"
#include "patch/area/ScrollViewContainer.h"
#include "patch/document/Patch.h"
#include "patch/files/PatchFile.h"
#include "platform/menus/MenuWindows.h"
#include "platform/base/DroppedExceptions.h"
#include "platform/windows/Window.h"
#include "platform/windows/WindowPaint.h"
#include "synth/link/PortManager.h"
#include "synth/molecules/MoleculePacket.h"

#include <chrono>
#include <csignal>
#include <optional>
#include <cstdio>
#include <cstdlib>
#include <fstream>

using namespace NSHarrowen;

namespace {

volatile std::sig_atomic_t requested = 0;
volatile std::sig_atomic_t repaintRequested = 0;

extern "C" void OnReportSignal(int)
{
    requested = 1;
}

extern "C" void OnRepaintSignal(int)
{
    repaintRequested = 1;
}

// The time the active patch window takes to paint itself whole, in ms; none
// without a patch window.
std::optional<double> TimeRepaint(const CPatchManager* patches)
{
    const CPatch* patch = patches ? patches->GetActivePatch() : nullptr;
    const auto* view = patch ? dynamic_cast<const CPatchView*>(patch->GetWindow()) : nullptr;
    if (!view)
        return std::nullopt;
    platform::InvalidateRect(view->GetHandle(), nullptr, true);
    const auto start = std::chrono::steady_clock::now();
    platform::UpdateWindow(view->GetHandle());
    platform::FlushScreen();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

void WriteRect(std::ostream& out, const platform::Rect& r)
{
    out << r.left << ' ' << r.top << ' ' << r.right << ' ' << r.bottom;
}

// A view's frame (window client coordinates) on the screen.
void WriteScreenRect(std::ostream& out, const CABCWindow& window, const CRect& frame)
{
    const platform::Point at = platform::ClientToScreen(window.GetHandle(), {frame.left, frame.top});
    WriteRect(out, platform::Rect{at.x, at.y, at.x + frame.Width(), at.y + frame.Height()});
}

const char* NativeKind(ENativeClass kind)
{
    switch (kind) {
    case ENativeClass::PushButton:
        return "button";
    case ENativeClass::CheckBox:
        return "checkbox";
    case ENativeClass::RadioButton:
        return "radio";
    case ENativeClass::GroupBox:
        return "group";
    case ENativeClass::Popup:
        return "popup";
    case ENativeClass::TextEdit:
    case ENativeClass::MultiLineEdit:
        return "edit";
    case ENativeClass::UpDown:
        return "updown";
    case ENativeClass::ScrollBar:
        return "scrollbar";
    case ENativeClass::Progress:
        return "progress";
    }
    return "?";
}

// The controls, tabs and texts of a window's view tree: "view <window>
// <kind> <rect> <state> <text>" (the state: checked, or the tab selected).
void WriteViews(std::ostream& out, int windowNumber, const CABCWindow& window, const CView& view)
{
    if (const auto* native = dynamic_cast<const CNativeControlView*>(&view)) {
        const auto* box = dynamic_cast<const CCheckBoxView*>(&view);
        const auto* radio = dynamic_cast<const CRadioButtonView*>(&view);
        const bool checked = (box && box->IsChecked()) || (radio && radio->IsChecked());
        out << "view " << windowNumber << ' ' << NativeKind(native->GetNativeClass()) << ' ';
        WriteScreenRect(out, window, view.GetFrame());
        out << ' ' << (checked ? 1 : 0) << ' ' << native->GetNativeText() << '\n';
    } else if (const auto* tab = dynamic_cast<const CTabView*>(&view)) {
        out << "view " << windowNumber << " tab ";
        WriteScreenRect(out, window, view.GetFrame());
        out << ' ' << (tab->IsSelected() ? 1 : 0) << ' ' << tab->GetText() << '\n';
    } else if (const auto* text = dynamic_cast<const CStaticTextView*>(&view)) {
        out << "view " << windowNumber << " text ";
        WriteScreenRect(out, window, view.GetFrame());
        out << " 0 " << text->GetText() << '\n';
    }
    if (const auto* group = dynamic_cast<const CGroupView*>(&view))
        for (int i = 0; i < group->CountChildren(); ++i)
            WriteViews(out, windowNumber, window, *group->GetChild(i));
}

void WriteWindows(std::ostream& out)
{
    const CABCWindow* active = GetActiveDocumentWindow();
    for (int i = 0; i < CountWindows(); ++i) {
        const CABCWindow* w = GetWindowAt(i);
        if (w->IsMarkedForDeletion())
            continue;
        out << "window " << i << ' ';
        WriteRect(out, platform::GetWindowRect(w->GetHandle()));
        out << ' ' << (w->IsVisible() ? 1 : 0) << ' ' << (w == active ? 1 : 0) << ' '
            << (w->IsDocumentWindow() ? "document" : "other") << ' ' << w->GetTitle() << '\n';
        // Patch windows report their modules below; other windows their controls.
        if (!w->IsDocumentWindow() && w->GetRootView())
            WriteViews(out, i, *w, *w->GetRootView());
    }
}

// The tips shown now: "tooltip <rect> <text>".
void WriteTooltips(std::ostream& out)
{
    for (int i = 0; i < platform::CountTopLevelWindows(); ++i) {
        const platform::WindowHandle h = platform::GetTopLevelWindow(i);
        if (platform::GetClassName(h) != "tooltips_class32" || !platform::IsWindowVisible(h))
            continue;
        out << "tooltip ";
        WriteRect(out, platform::GetWindowRect(h));
        out << ' ' << platform::GetWindowText(h) << '\n';
    }
}

void WriteMenuBar(std::ostream& out)
{
    CApplication* app = GetApplication();
    if (!app || !app->GetFrameHandle())
        return;
    out << "frame ";
    WriteRect(out, platform::GetWindowRect(app->GetFrameHandle()));
    out << '\n';
    if (const platform::WindowHandle bar = platform::FindMenuBarWindow(app->GetFrameHandle())) {
        for (const platform::Rect& title : platform::MenuBarTitleRects(bar)) {
            const platform::Point at = platform::ClientToScreen(bar, {title.left, title.top});
            out << "menutitle ";
            WriteRect(out, title.Offset(at.x - title.left, at.y - title.top));
            out << '\n';
        }
    }
}

// The ports' status, and the MIDI devices in the order of the MIDI dialog's lists.
void WritePorts(std::ostream& out, const CPortManager& ports)
{
    for (uint8_t port = 0; port < 4; ++port)
        out << "port " << unsigned(port) << ' ' << ports.GetDisplayName(port) << '\n';
    for (const auto& [kind, menu] : {std::pair{"midiin", &ports.GetInputMenu()}, {"midiout", &ports.GetOutputMenu()}})
        for (int i = 0; i < menu->GetItemCount(); ++i)
            out << kind << ' ' << i << ' ' << menu->GetItem(i).label << '\n';
}

// "module <patch> <area> <index> <type> <column> <row> <rect> <name>", then
// its controls and jacks with their places on the screen.
void WriteModules(std::ostream& out, int number, const CPatch& patch)
{
    const auto* window = dynamic_cast<const CPatchView*>(patch.GetWindow());
    for (int area = 0; area < 2; ++area) {
        const CPatchBackground* background = patch.GetArea(area);
        if (!background)
            continue;
        for (CModuleInterface* item : background->GetModulesByPosition()) {
            const auto* module = dynamic_cast<const CModule*>(item);
            if (!module)
                continue;
            const unsigned index = module->GetModuleIndex();
            out << "module " << number << ' ' << area << ' ' << index << ' ' << unsigned(module->GetTypeId()) << ' '
                << unsigned(module->GetColumn()) << ' ' << unsigned(module->GetRow()) << ' ';
            if (window)
                WriteScreenRect(out, *window, module->GetFrame());
            else
                out << "0 0 0 0";
            out << ' ' << module->GetName() << '\n';
            if (!window)
                continue;
            for (size_t p = 0; p < module->GetControls().size(); ++p) {
                out << "control " << number << ' ' << area << ' ' << index << ' ' << p << ' ';
                WriteScreenRect(out, *window, module->GetControls()[p]->GetFrame());
                out << ' ' << unsigned(module->GetParamValue(static_cast<uint8_t>(p))) << '\n';
            }
            for (const auto* jacks : {&module->GetInputs(), &module->GetOutputs()})
                for (size_t j = 0; j < jacks->size(); ++j) {
                    const CPnlHole* hole = (*jacks)[j];
                    out << "jack " << number << ' ' << area << ' ' << index << ' ' << j << ' '
                        << (hole->IsOutput() ? 1 : 0) << ' ';
                    WriteScreenRect(out, *window, hole->GetFrame());
                    out << '\n';
                }
        }
    }
}

// The patch as the editor would save it, beside the report.
void WritePatchCopy(std::ostream& out, int number, const CPatch& patch, const std::string& path)
{
    try {
        CMoleculePacket dumps;
        patch.BuildPatchDump(dumps);
        WritePatchFile(CFileSpec(path), dumps, patch.GetNotes());
        out << "patchfile " << number << ' ' << path << '\n';
    } catch (const std::exception& e) {
        out << "patchfile " << number << " - " << e.what() << '\n';
    }
}

} // namespace

std::unique_ptr<CEditorStateReport> CEditorStateReport::FromEnvironment(const CPatchManager* patches,
                                                                        const CPortManager* ports)
{
    const char* path = std::getenv(kVariable);
    if (!path || !*path)
        return nullptr;
    return std::make_unique<CEditorStateReport>(path, patches, ports);
}

CEditorStateReport::CEditorStateReport(std::string path, const CPatchManager* patches, const CPortManager* ports)
    : path_(std::move(path)), patches_(patches), ports_(ports)
{
    std::signal(SIGUSR1, OnReportSignal);
    std::signal(SIGUSR2, OnRepaintSignal);
    // The first report tells that the editor listens.
    requested = 1;
}

CEditorStateReport::~CEditorStateReport()
{
    std::signal(SIGUSR1, SIG_DFL);
    std::signal(SIGUSR2, SIG_DFL);
}

void CEditorStateReport::Poll()
{
    std::optional<double> repaint;
    if (repaintRequested) {
        repaintRequested = 0;
        requested = 1;
        repaint = TimeRepaint(patches_);
    }
    if (!requested)
        return;
    requested = 0;
    try {
        Write(repaint);
    } catch (const std::exception&) {
        platform::RecordDroppedException("the editor's state report");
    }
}

void CEditorStateReport::Write(std::optional<double> repaintMs)
{
    const std::string temporary = path_ + ".part";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out << "serial " << ++serial_ << '\n';
        if (repaintMs)
            out << "repaint " << *repaintMs << '\n';
        WriteMenuBar(out);
        WriteWindows(out);
        WriteTooltips(out);
        if (ports_)
            WritePorts(out, *ports_);
        if (patches_) {
            const CPatch* active = patches_->GetActivePatch();
            int number = 0;
            for (const auto& patch : patches_->GetPatches()) {
                uint8_t port = 4;
                if (!patch->GetPortIndex(port))
                    port = 4;
                out << "patch " << number << ' ' << (patch.get() == active ? 1 : 0) << ' ' << (patch->IsDirty() ? 1 : 0)
                    << ' ' << (patch->HasWindow() ? 1 : 0) << ' ' << (patch->IsSlotBusy() ? 1 : 0) << ' '
                    << unsigned(port) << ' ' << unsigned(patch->GetSlot()) << ' ' << patch->GetTitle() << '\n';
                if (const auto* view = dynamic_cast<const CPatchView*>(patch->GetWindow())) {
                    // "split <patch> <rect>": the bar between the voice areas.
                    const CRect upper = view->GetContainer(1).GetFrame();
                    const CRect lower = view->GetContainer(0).GetFrame();
                    out << "split " << number << ' ';
                    WriteScreenRect(out, *view, CRect(upper.left, upper.bottom, upper.right, lower.top));
                    out << '\n';
                }
                WriteModules(out, number, *patch);
                WritePatchCopy(out, number, *patch, path_ + ".patch" + std::to_string(number) + ".pch");
                ++number;
            }
        }
    }
    std::rename(temporary.c_str(), path_.c_str());
}
