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
#include <map>
#include <vector>

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

// Keeps the row in view, scrolling the list as little as it takes.
void ScrollToRow(WindowHandle dialog, DialogState& s, int row)
{
    const int rows = static_cast<int>(s.browser.GetEntries().size());
    s.top = std::clamp(std::clamp(s.top, row - VisibleRows() + 1, row), 0, std::max(0, rows - VisibleRows()));
    UpdateScroll(dialog, s);
}

// The row a list key leads to from the selected one, over the rows that
// can be chosen (a file of another kind is only shown); -1 when none.
int RowForKey(const DialogState& s, WParam key)
{
    const auto& entries = s.browser.GetEntries();
    const int count = static_cast<int>(entries.size());
    const auto choosable = [&](int row) { return !entries[static_cast<size_t>(row)].shownOnly; };
    int target = s.selected;
    int step = 1;
    switch (key) {
    case kVKDown:
        target = s.selected + 1;
        break;
    case kVKUp:
        target = s.selected < 0 ? count - 1 : s.selected - 1;
        step = -1;
        break;
    case kVKPageDown:
        target = s.selected + VisibleRows();
        break;
    case kVKPageUp:
        target = s.selected - VisibleRows();
        step = -1;
        break;
    case kVKHome:
        target = 0;
        break;
    case kVKEnd:
        target = count - 1;
        step = -1;
        break;
    default:
        return -1;
    }
    target = std::clamp(target, 0, count - 1);
    for (int row = target; row >= 0 && row < count; row += step)
        if (choosable(row))
            return row;
    // Nothing further that way: the nearest the other way, if any.
    for (int row = target; row >= 0 && row < count; row -= step)
        if (choosable(row))
            return row;
    return -1;
}

// Up, Down, Page Up, Page Down, Home and End move in the list, from the
// list or from the name field; a file chosen so gives the field its name.
bool MoveInList(WindowHandle dialog, DialogState& s, WParam key)
{
    const int row = RowForKey(s, key);
    if (row < 0)
        return key == kVKUp || key == kVKDown || key == kVKPageUp || key == kVKPageDown;
    ChooseRow(dialog, s, row, false);
    ScrollToRow(dialog, s, row);
    InvalidateRect(dialog, nullptr, false);
    return true;
}

// Tab walks the list (the dialog itself), the name field, the kinds of file,
// OK, Cancel and Up; Shift+Tab the other way.
void MoveFocus(WindowHandle dialog, bool forward)
{
    std::vector<WindowHandle> order{dialog};
    for (const uint16_t id :
         {filedialog::kName, filedialog::kTypes, filedialog::kOk, filedialog::kCancel, filedialog::kUp})
        if (const WindowHandle child = Child(dialog, id); child && IsWindowVisible(child) && IsWindowEnabled(child))
            order.push_back(child);
    const auto at = std::find(order.begin(), order.end(), GetFocus());
    const auto count = static_cast<std::ptrdiff_t>(order.size());
    const std::ptrdiff_t index = at == order.end() ? 0 : at - order.begin();
    const WindowHandle next = order[static_cast<size_t>((index + (forward ? 1 : count - 1)) % count)];
    SetFocus(next);
    if (GetChildId(next) == filedialog::kName)
        SendMessage(next, ctlmsg::EditSetSel, 0, static_cast<LParam>(-1));
}

// Return on the list: a folder opens, a file (or the name typed) is taken.
void ReturnOnList(WindowHandle dialog, DialogState& s)
{
    const auto& entries = s.browser.GetEntries();
    if (s.selected >= 0 && s.selected < static_cast<int>(entries.size()) &&
        entries[static_cast<size_t>(s.selected)].directory)
        ChooseRow(dialog, s, s.selected, true);
    else
        Accept(dialog, s);
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
        if (index == s.selected && GetFocus() == dialog)
            DottedFocusFrame(dc, row);
    }
    // The list has the keys with no row chosen: its frame shows it.
    if (s.selected < 0 && GetFocus() == dialog)
        DottedFocusFrame(dc, kListArea);
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
    case msg::SetFocus:
    case msg::KillFocus:
        InvalidateRect(dialog, nullptr, false); // the list's focus mark
        return 0;
    case msg::KeyDown:
        // The dialog itself has the keys for its list.
        if (wParam == kVKEscape)
            Finish(dialog, *s, std::nullopt);
        else if (wParam == kVKReturn)
            ReturnOnList(dialog, *s);
        else if (wParam == kVKTab)
            MoveFocus(dialog, !CurrentModifiers().shift);
        else if (wParam == kVKBackspace) {
            s->browser.GoUp();
            Refresh(dialog, *s);
        } else
            MoveInList(dialog, *s, wParam);
        return 0;
    default:
        return DefWindowProc(dialog, message, wParam, lParam);
    }
}

// The controls' own procedures, by class, behind the dialog's keys.
WindowProc& ControlProcOf(WindowHandle control)
{
    static std::map<std::string, WindowProc, std::less<>> procedures;
    return procedures[GetClassName(control)];
}

// The dialog's keys on its controls: Tab and Shift+Tab move on, Escape
// cancels, Return takes the name (or presses the focused button), and the
// arrows in the name field move in the list. A dropped list of kinds keeps
// its own Return and Escape.
bool DialogKeyOnControl(WindowHandle control, WParam key)
{
    const WindowHandle dialog = GetParent(control);
    DialogState* s = StateOf(dialog);
    if (s == nullptr)
        return false;
    const uint16_t id = GetChildId(control);
    const bool dropped = id == filedialog::kTypes && SendMessage(control, ctlmsg::ComboGetDroppedState, 0, 0) != 0;
    switch (key) {
    case kVKTab:
        MoveFocus(dialog, !CurrentModifiers().shift);
        return true;
    case kVKEscape:
        if (dropped)
            return false;
        Finish(dialog, *s, std::nullopt);
        return true;
    case kVKReturn:
        if (dropped)
            return false;
        if (id == filedialog::kName || id == filedialog::kTypes)
            Accept(dialog, *s);
        else
            SendMessage(control, ctlmsg::ButtonClick, 0, 0);
        return true;
    case kVKUp:
    case kVKDown:
    case kVKPageUp:
    case kVKPageDown:
        return id == filedialog::kName && MoveInList(dialog, *s, key);
    default:
        return false;
    }
}

LResult ControlKeysProc(WindowHandle control, uint32_t message, WParam wParam, LParam lParam)
{
    if (message == msg::KeyDown && DialogKeyOnControl(control, wParam))
        return 0;
    return CallWindowProcedure(ControlProcOf(control), control, message, wParam, lParam);
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
    const WindowHandle child = CreateWindow(params);
    if (child && id != filedialog::kScroll)
        ControlProcOf(child) = SetWindowProcedure(child, ControlKeysProc);
    return child;
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
