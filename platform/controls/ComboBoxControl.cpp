#include "platform/controls/ControlPaint.h"
#include "platform/controls/detail/ControlSupport.h"
#include "platform/input/Keys.h"
#include "platform/windows/MessageQueue.h"
#include "platform/graphics/SystemColors.h"

#include <algorithm>
#include <string>
#include <vector>

namespace platform::detail {

namespace {

constexpr int kItemHeight = 16;
constexpr int kButtonWidth = 16;

struct ComboState {
    std::vector<std::string> items;
    int selection = -1;
    WindowHandle list = 0;
    int hot = -1;
    int top = 0; // first item the list shows
    int listHeight = 0;
    bool moving = false;
};

ControlStates<ComboState>& States()
{
    static ControlStates<ComboState> states;
    return states;
}

WindowHandle ComboOfList(WindowHandle list)
{
    return static_cast<WindowHandle>(GetWindowData(list));
}

int VisibleItems(const ComboState& s)
{
    const int room = std::max(s.listHeight, kItemHeight * 3);
    return std::max(1, std::min(static_cast<int>(s.items.size()), (room - 2) / kItemHeight));
}

void ShowHot(ComboState& s)
{
    const int visible = VisibleItems(s);
    if (s.hot >= 0 && s.hot < s.top)
        s.top = s.hot;
    if (s.hot >= s.top + visible)
        s.top = s.hot - visible + 1;
    if (s.list != 0)
        Redraw(s.list);
}

void CloseUp(WindowHandle combo, ComboState& s, bool accept)
{
    if (s.list == 0)
        return;
    const WindowHandle list = s.list;
    s.list = 0;
    if (GetCapture() == list)
        ReleaseCapture();
    DestroyWindow(list);
    Redraw(combo);
    NotifyParent(combo, kComboCloseUp);
    if (accept && s.hot >= 0 && s.hot < static_cast<int>(s.items.size())) {
        if (s.hot != s.selection) {
            s.selection = s.hot;
            Redraw(combo);
            NotifyParent(combo, kComboSelChange);
        }
        NotifyParent(combo, kComboSelEndOk);
    } else {
        NotifyParent(combo, kComboSelEndCancel);
    }
}

void DropDown(WindowHandle combo, ComboState& s)
{
    if (s.list != 0 || !IsWindowEnabled(combo))
        return;
    NotifyParent(combo, kComboDropDown);
    // The owner may fill the list afresh when told, or even close the
    // window and the combo with it.
    if (States().Find(combo) != &s)
        return;
    const Rect field = GetWindowRect(combo);
    const int rows = VisibleItems(s);
    CreateParams params;
    params.className = kComboListClass;
    params.style = style::Popup | style::Border;
    params.exStyle = exstyle::ToolWindow | exstyle::TopMost;
    params.rect = Rect::FromSize(field.left, field.bottom, field.Width(), rows * kItemHeight + 2);
    params.owner = GetTopLevel(combo);
    s.hot = s.selection;
    s.top = 0;
    s.list = CreateWindow(params);
    if (s.list == 0) {
        NotifyParent(combo, kComboCloseUp);
        return;
    }
    SetWindowData(s.list, static_cast<intptr_t>(combo));
    ShowHot(s);
    ShowWindow(s.list, ShowCommand::ShowNoActivate);
    SetCapture(s.list);
    Redraw(combo);
}

void Choose(WindowHandle combo, ComboState& s, int index)
{
    const int count = static_cast<int>(s.items.size());
    if (count == 0)
        return;
    index = std::clamp(index, 0, count - 1);
    if (index == s.selection)
        return;
    s.selection = index;
    Redraw(combo);
    NotifyParent(combo, kComboSelChange);
    NotifyParent(combo, kComboSelEndOk);
}

void KeyDown(WindowHandle combo, ComboState& s, WParam key)
{
    const int count = static_cast<int>(s.items.size());
    const bool dropped = s.list != 0;
    switch (key) {
    case kVKF1 + 3: // F4
        dropped ? CloseUp(combo, s, false) : DropDown(combo, s);
        return;
    case kVKUp:
    case kVKDown: {
        if (!dropped && CurrentModifiers().alt) {
            DropDown(combo, s);
            return;
        }
        const int step = key == kVKUp ? -1 : 1;
        if (dropped) {
            s.hot = std::clamp((s.hot < 0 ? (step > 0 ? -1 : count) : s.hot) + step, 0, std::max(0, count - 1));
            ShowHot(s);
        } else {
            Choose(combo, s, s.selection < 0 ? 0 : s.selection + step);
        }
        return;
    }
    case kVKHome:
        if (!dropped)
            Choose(combo, s, 0);
        return;
    case kVKEnd:
        if (!dropped)
            Choose(combo, s, count - 1);
        return;
    case kVKReturn:
        if (dropped)
            CloseUp(combo, s, true);
        return;
    case kVKEscape:
        if (dropped)
            CloseUp(combo, s, false);
        return;
    default:
        return;
    }
}

void PaintField(WindowHandle combo, const ComboState& s)
{
    ControlPaint p(combo);
    if (!p.IsValid())
        return;
    DeviceContext& dc = p.DC();
    const IntRect r = p.Client();
    const bool enabled = IsWindowEnabled(combo);
    Fill(dc, r, enabled ? 0xFFFFFF : SystemRgb(static_cast<int>(SystemColor::ButtonFace)));
    const IntRect button{r.right - 2 - kButtonWidth, r.top + 2, r.right - 2, r.bottom - 2};
    DrawButtonFace(dc, button, s.list != 0, false);
    DrawArrow(dc, button, ArrowDirection::Down, enabled ? 0 : 0x808080);
    const IntRect text{r.left + 3, r.top + 3, button.left - 1, r.bottom - 3};
    Rgb color = 0;
    if (GetFocus() == combo && s.list == 0 && enabled) {
        Fill(dc, text, SystemRgb(static_cast<int>(SystemColor::Highlight)));
        color = SystemRgb(static_cast<int>(SystemColor::HighlightText));
    }
    if (s.selection >= 0 && s.selection < static_cast<int>(s.items.size()))
        DrawControlText(dc, {text.left + 2, text.top, text.right, text.bottom}, s.items[s.selection],
                        TextFlags::kSingleLine | TextFlags::kVerticalCenter, enabled, color);
    DrawEdge(dc, r, edge::Sunken, edge::Rect);
}

void PaintList(WindowHandle list, const ComboState& s)
{
    ControlPaint p(list);
    if (!p.IsValid())
        return;
    DeviceContext& dc = p.DC();
    const IntRect r = p.Client();
    Fill(dc, r, 0xFFFFFF);
    const int visible = VisibleItems(s);
    for (int i = 0; i < visible; ++i) {
        const int index = s.top + i;
        if (index >= static_cast<int>(s.items.size()))
            break;
        const IntRect row{r.left, r.top + i * kItemHeight, r.right, r.top + (i + 1) * kItemHeight};
        Rgb color = 0;
        if (index == s.hot) {
            Fill(dc, row, SystemRgb(static_cast<int>(SystemColor::Highlight)));
            color = SystemRgb(static_cast<int>(SystemColor::HighlightText));
        }
        DrawControlText(dc, {row.left + 3, row.top, row.right, row.bottom}, s.items[index],
                        TextFlags::kSingleLine | TextFlags::kVerticalCenter, true, color);
    }
}

int ItemAt(const ComboState& s, WindowHandle list, Point p)
{
    if (!GetClientRect(list).Contains(p))
        return -1;
    const int index = s.top + p.y / kItemHeight;
    return index < static_cast<int>(s.items.size()) ? index : -1;
}

} // namespace

LResult ComboListProc(WindowHandle list, uint32_t message, WParam wParam, LParam lParam)
{
    const WindowHandle combo = ComboOfList(list);
    ComboState* s = States().Find(combo);
    if (s == nullptr || s->list != list)
        return message == msg::Paint ? (ValidateRect(list, nullptr), 0) : DefWindowProc(list, message, wParam, lParam);
    switch (message) {
    case msg::Paint:
        PaintList(list, *s);
        return 0;
    case msg::EraseBackground:
        return 1;
    case msg::MouseMove: {
        const int index = ItemAt(*s, list, ClientPointOf(lParam));
        if (index >= 0 && index != s->hot) {
            s->hot = index;
            Redraw(list);
        }
        return 0;
    }
    case msg::LButtonDown:
    case msg::LButtonDoubleClick:
        if (ItemAt(*s, list, ClientPointOf(lParam)) < 0 && !GetClientRect(list).Contains(ClientPointOf(lParam)))
            CloseUp(combo, *s, false);
        return 0;
    case msg::LButtonUp: {
        const int index = ItemAt(*s, list, ClientPointOf(lParam));
        if (index >= 0) {
            s->hot = index;
            CloseUp(combo, *s, true);
        }
        return 0;
    }
    case msg::CaptureChanged:
        if (static_cast<WindowHandle>(lParam) != list)
            CloseUp(combo, *s, false);
        return 0;
    default:
        return DefWindowProc(list, message, wParam, lParam);
    }
}

LResult ComboBoxProc(WindowHandle combo, uint32_t message, WParam wParam, LParam lParam)
{
    ComboState* s = States().Find(combo);
    LResult result = 0;
    if (message != ctlmsg::SetText && message != ctlmsg::GetText && message != ctlmsg::GetTextLength &&
        HandleTextMessage(combo, message, wParam, lParam, result))
        return result;
    switch (message) {
    case msg::Create:
        States().Make(combo);
        return 0;
    case msg::Destroy:
        if (s != nullptr && s->list != 0)
            DestroyWindow(s->list);
        States().Drop(combo);
        return 0;
    case msg::Size: {
        // The window's height beyond the field is room for the list.
        const Rect r = GetWindowRectInParent(combo);
        if (s != nullptr && r.Height() > kComboFieldHeight && !s->moving) {
            s->listHeight = r.Height() - kComboFieldHeight;
            s->moving = true;
            MoveWindow(combo, Rect::FromSize(r.left, r.top, r.Width(), kComboFieldHeight), false);
            s->moving = false;
        }
        Redraw(combo);
        return 0;
    }
    case msg::Paint:
        if (s != nullptr)
            PaintField(combo, *s);
        else
            ValidateRect(combo, nullptr);
        return 0;
    case msg::EraseBackground:
        return 1;
    case msg::SetFocus:
    case msg::Enable:
        Redraw(combo);
        return 0;
    case msg::KillFocus:
        if (s != nullptr)
            CloseUp(combo, *s, false);
        Redraw(combo);
        return 0;
    case msg::LButtonDown:
    case msg::LButtonDoubleClick:
        if (s == nullptr)
            return 0;
        SetFocus(combo);
        s->list != 0 ? CloseUp(combo, *s, false) : DropDown(combo, *s);
        return 0;
    case msg::KeyDown:
        if (s != nullptr)
            KeyDown(combo, *s, wParam);
        return 0;
    case ctlmsg::ComboAddString:
        if (s == nullptr || lParam == 0)
            return -1;
        s->items.emplace_back(reinterpret_cast<const char*>(lParam));
        return static_cast<LResult>(s->items.size() - 1);
    case ctlmsg::ComboGetCount:
        return s != nullptr ? static_cast<LResult>(s->items.size()) : 0;
    case ctlmsg::ComboGetCurSel:
        return s != nullptr ? s->selection : -1;
    case ctlmsg::ComboGetItemText:
        if (s == nullptr || lParam == 0 || wParam >= s->items.size())
            return -1;
        *reinterpret_cast<std::string*>(lParam) = s->items[wParam];
        return static_cast<LResult>(s->items[wParam].size());
    case ctlmsg::ComboResetContent:
        if (s != nullptr) {
            CloseUp(combo, *s, false);
            s->items.clear();
            s->selection = -1;
            Redraw(combo);
        }
        return 0;
    case ctlmsg::ComboSetCurSel: {
        if (s == nullptr)
            return -1;
        const auto index = static_cast<intptr_t>(wParam);
        s->selection = index >= 0 && index < static_cast<intptr_t>(s->items.size()) ? static_cast<int>(index) : -1;
        Redraw(combo);
        return s->selection;
    }
    case ctlmsg::ComboShowDropDown:
        if (s != nullptr)
            wParam != 0 ? DropDown(combo, *s) : CloseUp(combo, *s, false);
        return 1;
    case ctlmsg::ComboGetDroppedState:
        return s != nullptr && s->list != 0 ? 1 : 0;
    case ctlmsg::GetText:
    case ctlmsg::GetTextLength:
    case ctlmsg::SetText:
        return HandleTextMessage(combo, message, wParam, lParam, result) ? result : 0;
    default:
        return DefWindowProc(combo, message, wParam, lParam);
    }
}

} // namespace platform::detail
