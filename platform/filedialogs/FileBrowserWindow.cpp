#include "platform/filedialogs/FileBrowserWindow.h"

#include "platform/controls/ControlPaint.h"
#include "platform/controls/Controls.h"
#include "platform/host/Host.h"
#include "platform/input/Keys.h"
#include "platform/windows/MessageQueue.h"
#include "platform/graphics/SystemColors.h"
#include "platform/host/SystemMetrics.h"
#include "platform/windows/Window.h"

#include <algorithm>

namespace platform {

namespace {

constexpr int kWidth = 460;
constexpr int kHeight = 320;
constexpr int kRowHeight = 16;
constexpr IntRect kListArea{10, 34, 434, 236};
constexpr IntRect kPathArea{10, 8, 370, 28};

struct DialogState {
    explicit DialogState(const FileDialogRequest& r) : request(r), browser(r) { }
    FileDialogRequest request;
    FileBrowser browser;
    int selected = -1;
    int top = 0;
    bool done = false;
    std::optional<std::string> answer;
};

DialogState* StateOf(WindowHandle window)
{
    return reinterpret_cast<DialogState*>(GetWindowData(window));
}

WindowHandle Child(WindowHandle dialog, uint16_t id)
{
    for (int i = 0; i < CountChildren(dialog); ++i)
        if (GetChildId(GetChild(dialog, i)) == id)
            return GetChild(dialog, i);
    return 0;
}

int VisibleRows()
{
    return kListArea.Height() / kRowHeight;
}

void UpdateScroll(WindowHandle dialog, DialogState& s)
{
    ScrollInfo info;
    info.mask = ScrollInfo::kRange | ScrollInfo::kPage | ScrollInfo::kPos;
    info.minimum = 0;
    info.maximum = static_cast<int>(s.browser.GetEntries().size());
    info.page = static_cast<unsigned>(VisibleRows());
    info.position = s.top;
    SendMessage(Child(dialog, filedialog::kScroll), ctlmsg::ScrollSetInfo, 0, reinterpret_cast<LParam>(&info));
}

void Refresh(WindowHandle dialog, DialogState& s)
{
    s.selected = -1;
    s.browser.Highlight(nullptr);
    s.top = 0;
    UpdateScroll(dialog, s);
    InvalidateRect(dialog, nullptr, false);
}

void Finish(WindowHandle dialog, DialogState& s, std::optional<std::string> answer)
{
    s.answer = std::move(answer);
    s.done = true;
    (void)dialog;
}

const char* DefaultTitle(FileDialogKind kind)
{
    switch (kind) {
    case FileDialogKind::Open:
        return "Open";
    case FileDialogKind::Save:
        return "Save As";
    default:
        return "Choose a Folder";
    }
}

// The desktop's own words for what keeps the dialog open, where the program
// gives none.
std::string ProblemText(FileDialogProblem problem, const std::string& name)
{
    switch (problem) {
    case FileDialogProblem::MissingFile:
        return name + "\nFile not found.\nCheck the file name and try again.";
    case FileDialogProblem::MissingFolder:
        return name + "\nThe folder does not exist.\nCheck the folder's name and try again.";
    default:
        return "No file name was given.\nType a name for the file and try again.";
    }
}

// A name the dialog cannot take: the user is told (a beep alone is nothing on
// a desktop without sound) and corrects the name in the field.
void ReportProblem(WindowHandle dialog, const DialogState& s, FileDialogProblem problem)
{
    const std::string name = GetControlText(Child(dialog, filedialog::kName));
    // Modal over the dialog too, as the question before replacing a file.
    EnableWindow(dialog, false);
    if (s.request.reportProblem)
        s.request.reportProblem(problem, name);
    else
        Host().MessageBox(s.request.title.empty() ? DefaultTitle(s.request.kind) : s.request.title,
                          ProblemText(problem, name), 1);
    EnableWindow(dialog, true);
    if (IsWindow(dialog))
        SetFocus(Child(dialog, filedialog::kName));
}

void Accept(WindowHandle dialog, DialogState& s)
{
    s.browser.SetName(GetControlText(Child(dialog, filedialog::kName)));
    const std::string folder = s.browser.GetFolder();
    switch (s.browser.Check()) {
    case FileBrowser::Answer::Accept:
        Finish(dialog, s, s.browser.ResolvedPath());
        return;
    case FileBrowser::Answer::AskOverwrite: {
        // Anything but a yes (Cancel, Escape, the box closed) goes back to
        // the dialog with the name kept.
        const std::string path = s.browser.ResolvedPath();
        // The question is modal over the dialog too: no click or key may
        // choose, cancel or ask again under it.
        EnableWindow(dialog, false);
        const bool replace = s.request.confirmReplace
            ? s.request.confirmReplace(path)
            : Host().MessageBox(s.request.title.empty() ? "Save As" : s.request.title,
                                path + " already exists.\nDo you want to replace it?", 2) == 0;
        EnableWindow(dialog, true);
        if (replace)
            Finish(dialog, s, path);
        else if (IsWindow(dialog))
            SetFocus(Child(dialog, filedialog::kName));
        return;
    }
    case FileBrowser::Answer::Missing:
        ReportProblem(dialog, s, FileDialogProblem::MissingFile);
        return;
    case FileBrowser::Answer::NoFolder:
        ReportProblem(dialog, s, FileDialogProblem::MissingFolder);
        return;
    case FileBrowser::Answer::NoName:
        ReportProblem(dialog, s, FileDialogProblem::NoName);
        return;
    case FileBrowser::Answer::Refuse:
        if (s.browser.GetFolder() != folder) { // a typed folder was entered
            SetControlText(Child(dialog, filedialog::kName), "");
            Refresh(dialog, s);
        } else {
            MessageBeep();
        }
        return;
    }
}

void ChooseRow(WindowHandle dialog, DialogState& s, int row, bool open)
{
    const auto& entries = s.browser.GetEntries();
    if (row < 0 || row >= static_cast<int>(entries.size()))
        return;
    const FileBrowser::Entry entry = entries[static_cast<size_t>(row)];
    if (entry.shownOnly)
        return;
    s.selected = row;
    s.browser.Highlight(&entry);
    if (!entry.directory)
        SetControlText(Child(dialog, filedialog::kName), entry.name);
    if (open) {
        if (entry.directory) {
            s.browser.Choose(entry);
            Refresh(dialog, s);
            return;
        }
        Accept(dialog, s);
    }
    InvalidateRect(dialog, nullptr, false);
}

void Paint(WindowHandle dialog, const DialogState& s)
{
    ControlPaint p(dialog);
    if (!p.IsValid())
        return;
    DeviceContext& dc = p.DC();
    Fill(dc, p.Client(), SystemRgb(static_cast<int>(SystemColor::ButtonFace)));
    DrawControlText(dc, kPathArea, s.browser.GetFolder(), TextFlags::kSingleLine | TextFlags::kVerticalCenter, true, 0);
    const IntRect frame{kListArea.left - 2, kListArea.top - 2, kListArea.right + 2, kListArea.bottom + 2};
    Fill(dc, frame, 0xFFFFFF);
    DrawEdge(dc, frame, edge::Sunken, edge::Rect);
    const auto& entries = s.browser.GetEntries();
    for (int i = 0; i < VisibleRows(); ++i) {
        const int index = s.top + i;
        if (index >= static_cast<int>(entries.size()))
            break;
        const IntRect row{kListArea.left, kListArea.top + i * kRowHeight, kListArea.right,
                          kListArea.top + (i + 1) * kRowHeight};
        const auto& e = entries[static_cast<size_t>(index)];
        Rgb color = e.shownOnly ? SystemRgb(static_cast<int>(SystemColor::ButtonShadow)) : 0;
        if (index == s.selected) {
            Fill(dc, row, SystemRgb(static_cast<int>(SystemColor::Highlight)));
            color = SystemRgb(static_cast<int>(SystemColor::HighlightText));
        }
        DrawControlText(dc, {row.left + 4, row.top, row.right, row.bottom}, e.directory ? e.name + "/" : e.name,
                        TextFlags::kSingleLine | TextFlags::kVerticalCenter, true, color);
    }
    DrawControlText(dc, {10, 244, 90, 266}, "File name:", TextFlags::kSingleLine | TextFlags::kVerticalCenter, true, 0);
    if (s.request.kind != FileDialogKind::Folder)
        DrawControlText(dc, {10, 274, 90, 296}, "Files of type:", TextFlags::kSingleLine | TextFlags::kVerticalCenter,
                        true, 0);
}

void OnCommand(WindowHandle dialog, DialogState& s, WParam wParam)
{
    const uint16_t id = LowWordOf(wParam);
    const uint16_t code = HighWordOf(wParam);
    switch (id) {
    case filedialog::kOk:
        Accept(dialog, s);
        break;
    case filedialog::kCancel:
        Finish(dialog, s, std::nullopt);
        break;
    case filedialog::kUp:
        s.browser.GoUp();
        Refresh(dialog, s);
        break;
    case filedialog::kTypes:
        if (code == kComboSelEndOk) {
            const auto index = SendMessage(Child(dialog, filedialog::kTypes), ctlmsg::ComboGetCurSel, 0, 0);
            if (index >= 0)
                s.browser.SetFilterIndex(static_cast<size_t>(index));
            Refresh(dialog, s);
        }
        break;
    default:
        break;
    }
}

LResult DialogProc(WindowHandle dialog, uint32_t message, WParam wParam, LParam lParam)
{
    DialogState* s = StateOf(dialog);
    if (s == nullptr)
        return DefWindowProc(dialog, message, wParam, lParam);
    switch (message) {
    case msg::Paint:
        Paint(dialog, *s);
        return 0;
    case msg::EraseBackground:
        return 1;
    case msg::Command:
        OnCommand(dialog, *s, wParam);
        return 0;
    case msg::Close:
        Finish(dialog, *s, std::nullopt);
        return 0;
    case msg::LButtonDown:
    case msg::LButtonDoubleClick: {
        const Point p = PointFromLParam(lParam);
        if (kListArea.Contains(p.x, p.y))
            ChooseRow(dialog, *s, s->top + (p.y - kListArea.top) / kRowHeight, message == msg::LButtonDoubleClick);
        return 0;
    }
    case msg::VScroll: {
        const int rows = static_cast<int>(s->browser.GetEntries().size());
        const int greatest = std::max(0, rows - VisibleRows());
        switch (LowWordOf(wParam)) {
        case scroll::LineUp:
            s->top -= 1;
            break;
        case scroll::LineDown:
            s->top += 1;
            break;
        case scroll::PageUp:
            s->top -= VisibleRows();
            break;
        case scroll::PageDown:
            s->top += VisibleRows();
            break;
        case scroll::ThumbTrack:
        case scroll::ThumbPosition:
            s->top = static_cast<int16_t>(HighWordOf(wParam));
            break;
        case scroll::Top:
            s->top = 0;
            break;
        case scroll::Bottom:
            s->top = greatest;
            break;
        default:
            return 0;
        }
        s->top = std::clamp(s->top, 0, greatest);
        UpdateScroll(dialog, *s);
        InvalidateRect(dialog, nullptr, false);
        return 0;
    }
    case msg::KeyDown:
        if (wParam == kVKEscape)
            Finish(dialog, *s, std::nullopt);
        else if (wParam == kVKReturn)
            Accept(dialog, *s);
        return 0;
    default:
        return DefWindowProc(dialog, message, wParam, lParam);
    }
}

// Keys of the name field: Return accepts, Escape cancels; the rest edit.
WindowProc gEditProc = nullptr;

LResult NameFieldProc(WindowHandle edit, uint32_t message, WParam wParam, LParam lParam)
{
    if (message == msg::KeyDown && (wParam == kVKReturn || wParam == kVKEscape))
        return SendMessage(GetParent(edit), message, wParam, lParam);
    return CallWindowProcedure(gEditProc, edit, message, wParam, lParam);
}

WindowHandle MakeChild(WindowHandle dialog, const char* className, const char* title, uint32_t style, Rect rect,
                       uint16_t id)
{
    CreateParams params;
    params.className = className;
    params.title = title;
    params.style = style::Child | style::Visible | style;
    params.rect = rect;
    params.parent = dialog;
    params.childId = id;
    return CreateWindow(params);
}

} // namespace

std::optional<std::string> ShowFileDialogWindow(const FileDialogRequest& request)
{
    RegisterControlClasses();
    if (!IsWindowClassRegistered(kFileDialogClass))
        RegisterWindowClass({kFileDialogClass, classstyle::DoubleClicks, DialogProc, ClassBackground::ButtonFace});
    DialogState state(request);
    const Rect desktop = GetDesktopRect();
    const int frameX = GetSystemMetric(Metric::DialogFrameX);
    const int frameY = GetSystemMetric(Metric::DialogFrameY);
    const int w = kWidth + 2 * frameX;
    const int h = kHeight + 2 * frameY + GetSystemMetric(Metric::CaptionHeight);
    CreateParams params;
    params.className = kFileDialogClass;
    params.title = request.title.empty() ? DefaultTitle(request.kind) : request.title;
    params.style = style::Popup | style::Caption | style::SysMenu;
    params.rect =
        Rect::FromSize(desktop.left + (desktop.Width() - w) / 2, desktop.top + (desktop.Height() - h) / 2, w, h);
    params.owner = request.owner != 0 ? GetTopLevel(request.owner) : 0;
    const WindowHandle dialog = CreateWindow(params);
    if (!dialog)
        return std::nullopt;
    SetWindowData(dialog, reinterpret_cast<intptr_t>(&state));
    const bool ownerWasEnabled = params.owner != 0 && IsWindowEnabled(params.owner);
    if (ownerWasEnabled)
        EnableWindow(params.owner, false);

    MakeChild(dialog, kButtonClass, "Up", ctlstyle::PushButton, Rect::FromSize(380, 6, 70, 24), filedialog::kUp);
    MakeChild(dialog, kScrollBarClass, "", ctlstyle::ScrollVertical,
              Rect(kListArea.right + 2, kListArea.top - 2, kListArea.right + 18, kListArea.bottom + 2),
              filedialog::kScroll);
    const WindowHandle name = MakeChild(dialog, kEditClass, state.browser.GetName().c_str(), ctlstyle::EditAutoHScroll,
                                        Rect::FromSize(94, 244, 250, 22), filedialog::kName);
    gEditProc = SetWindowProcedure(name, NameFieldProc);
    if (request.kind != FileDialogKind::Folder) {
        const WindowHandle types = MakeChild(dialog, kComboBoxClass, "", ctlstyle::ComboDropDownList,
                                             Rect::FromSize(94, 274, 250, 120), filedialog::kTypes);
        for (const FileFilterItem& item : state.browser.GetFilters())
            SendMessage(types, ctlmsg::ComboAddString, 0, reinterpret_cast<LParam>(item.description.c_str()));
        SendMessage(types, ctlmsg::ComboSetCurSel, state.browser.GetFilterIndex(), 0);
    }
    MakeChild(dialog, kButtonClass, request.kind == FileDialogKind::Save ? "Save" : "OK", ctlstyle::DefPushButton,
              Rect::FromSize(360, 244, 90, 24), filedialog::kOk);
    MakeChild(dialog, kButtonClass, "Cancel", ctlstyle::PushButton, Rect::FromSize(360, 276, 90, 24),
              filedialog::kCancel);
    UpdateScroll(dialog, state);
    ShowWindow(dialog, ShowCommand::Show);
    SetActiveWindow(dialog);
    SetFocus(name);
    // The proposed name is selected: typing replaces it.
    SendMessage(name, ctlmsg::EditSetSel, 0, static_cast<LParam>(-1));

    // A quit from outside ends the dialog as a Cancel.
    while (!state.done && IsWindow(dialog) && !IsQuitAsked()) {
        Message m;
        if (PeekMessage(m))
            DispatchMessage(m);
        else
            WaitMessage(50);
    }
    if (ownerWasEnabled)
        EnableWindow(params.owner, true);
    if (IsWindow(dialog)) {
        SetWindowData(dialog, 0);
        DestroyWindow(dialog);
    }
    if (params.owner != 0 && IsWindow(params.owner))
        SetActiveWindow(params.owner);
    return state.answer;
}

} // namespace platform
