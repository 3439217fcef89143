#include "platform/controls/ControlPaint.h"
#include "platform/controls/detail/ControlSupport.h"
#include "platform/input/Keys.h"
#include "platform/windows/MessageQueue.h"
#include "platform/graphics/SystemColors.h"

namespace platform::detail {

namespace {

struct ButtonState {
    bool checked = false;
    bool pushed = false;
    bool tracking = false;
    bool spaceDown = false;
};

ControlStates<ButtonState>& States()
{
    static ControlStates<ButtonState> states;
    return states;
}

uint32_t TypeOf(WindowHandle window)
{
    return GetWindowStyle(window) & ctlstyle::ButtonTypeMask;
}

void PaintPushButton(ControlPaint& p, const ButtonState& s, WindowHandle window, bool enabled)
{
    DeviceContext& dc = p.DC();
    const IntRect r = p.Client();
    const bool isDefault = TypeOf(window) == ctlstyle::DefPushButton;
    DrawButtonFace(dc, r, s.pushed, isDefault);
    IntRect text = r.Offset(s.pushed ? 1 : 0, s.pushed ? 1 : 0);
    DrawControlText(dc, text, GetWindowText(window),
                    TextFlags::kCenter | TextFlags::kVerticalCenter | TextFlags::kSingleLine, enabled, 0);
    if (GetFocus() == window)
        DottedFocusFrame(dc, {r.left + 4, r.top + 4, r.right - 4, r.bottom - 4});
}

void PaintCheckOrRadio(ControlPaint& p, const ButtonState& s, WindowHandle window, bool enabled, bool radio)
{
    DeviceContext& dc = p.DC();
    const IntRect r = p.Client();
    Fill(dc, r, SystemRgb(static_cast<int>(SystemColor::ButtonFace)));
    const int boxTop = r.top + (r.Height() - 13) / 2;
    if (radio) {
        DrawRadioBox(dc, r.left, boxTop, s.checked, enabled);
    } else {
        const IntRect box{r.left, boxTop, r.left + 13, boxTop + 13};
        Fill(dc, box, enabled && !s.pushed ? 0xFFFFFF : 0xC0C0C0);
        DrawEdge(dc, box, edge::Sunken, edge::Rect);
        if (s.checked)
            DrawCheckMark(dc, box.left, box.top, enabled ? 0 : 0x808080);
    }
    const IntRect text{r.left + 17, r.top, r.right, r.bottom};
    DrawControlText(dc, text, GetWindowText(window), TextFlags::kVerticalCenter | TextFlags::kSingleLine, enabled, 0);
    if (GetFocus() == window) {
        const TextExtent e = ControlFont()->Extent(GetWindowText(window));
        const int top = r.top + (r.Height() - e.height) / 2;
        DottedFocusFrame(dc, {text.left - 1, top - 1, text.left + e.width + 2, top + e.height + 1});
    }
}

void PaintGroupBox(ControlPaint& p, WindowHandle window, bool enabled)
{
    DeviceContext& dc = p.DC();
    const IntRect r = p.Client();
    const std::string title = GetWindowText(window);
    const TextExtent e = ControlFont()->Extent(title);
    const int lineY = r.top + e.height / 2;
    // The group box draws only its frame and title: what lies inside belongs
    // to the views it frames.
    DrawEdge(dc, {r.left, lineY, r.right, r.bottom}, edge::Etched, edge::Rect);
    if (!title.empty()) {
        const IntRect band{r.left + 7, r.top, r.left + 9 + e.width + 2, r.top + e.height};
        Fill(dc, band, SystemRgb(static_cast<int>(SystemColor::ButtonFace)));
        DrawControlText(dc, {band.left + 2, band.top, band.right, band.bottom}, title, TextFlags::kSingleLine, enabled,
                        0);
    }
}

void Paint(WindowHandle window, const ButtonState& s)
{
    ControlPaint p(window);
    if (!p.IsValid())
        return;
    const bool enabled = IsWindowEnabled(window);
    switch (TypeOf(window)) {
    case ctlstyle::CheckBox:
        PaintCheckOrRadio(p, s, window, enabled, false);
        break;
    case ctlstyle::RadioButton:
        PaintCheckOrRadio(p, s, window, enabled, true);
        break;
    case ctlstyle::GroupBox:
        PaintGroupBox(p, window, enabled);
        break;
    default:
        PaintPushButton(p, s, window, enabled);
        break;
    }
}

void SetPushed(WindowHandle window, ButtonState& s, bool pushed)
{
    if (s.pushed != pushed) {
        s.pushed = pushed;
        Redraw(window);
    }
}

} // namespace

LResult ButtonProc(WindowHandle window, uint32_t message, WParam wParam, LParam lParam)
{
    if (const auto common = CommonControlMessage(States(), window, message, wParam, lParam, Paint))
        return *common;
    ButtonState* s = States().Find(window);
    const bool isGroup = TypeOf(window) == ctlstyle::GroupBox;
    switch (message) {
    case msg::NcHitTest:
        // A group box lets clicks through to what lies under it.
        return isGroup ? hit::Nowhere : hit::Client;
    case msg::SetFocus:
    case msg::KillFocus:
    case msg::Enable:
        Redraw(window);
        return 0;
    case msg::LButtonDown:
    case msg::LButtonDoubleClick:
        if (s == nullptr || isGroup)
            return 0;
        SetFocus(window);
        SetCapture(window);
        s->tracking = true;
        SetPushed(window, *s, true);
        return 0;
    case msg::MouseMove:
        if (s != nullptr && s->tracking)
            SetPushed(window, *s, GetClientRect(window).Contains(ClientPointOf(lParam)));
        return 0;
    case msg::LButtonUp:
        if (s == nullptr || !s->tracking)
            return 0;
        s->tracking = false;
        ReleaseCapture();
        if (s->pushed) {
            SetPushed(window, *s, false);
            NotifyParent(window, kButtonClicked);
        }
        return 0;
    case msg::CaptureChanged:
        if (s != nullptr && s->tracking) {
            s->tracking = false;
            SetPushed(window, *s, false);
        }
        return 0;
    case msg::KeyDown:
        if (s != nullptr && wParam == kVKSpace && !isGroup) {
            s->spaceDown = true;
            SetPushed(window, *s, true);
        }
        return 0;
    case msg::KeyUp:
        if (s != nullptr && wParam == kVKSpace && s->spaceDown) {
            s->spaceDown = false;
            SetPushed(window, *s, false);
            NotifyParent(window, kButtonClicked);
        }
        return 0;
    case ctlmsg::ButtonGetCheck:
        return s != nullptr && s->checked ? 1 : 0;
    case ctlmsg::ButtonSetCheck:
        if (s != nullptr && s->checked != (wParam != 0)) {
            s->checked = wParam != 0;
            Redraw(window);
        }
        return 0;
    case ctlmsg::ButtonSetStyle:
        SetWindowStyle(window,
                       (GetWindowStyle(window) & ~ctlstyle::ButtonTypeMask) |
                           (static_cast<uint32_t>(wParam) & ctlstyle::ButtonTypeMask));
        if (lParam != 0)
            Redraw(window);
        return 0;
    case ctlmsg::ButtonClick:
        NotifyParent(window, kButtonClicked);
        return 0;
    default:
        return DefWindowProc(window, message, wParam, lParam);
    }
}

} // namespace platform::detail
