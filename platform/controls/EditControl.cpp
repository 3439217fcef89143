#include "platform/host/HostClipboard.h"
#include "platform/controls/ControlPaint.h"
#include "platform/controls/detail/ControlSupport.h"
#include "platform/input/Keys.h"
#include "platform/windows/MessageQueue.h"
#include "platform/graphics/SystemColors.h"
#include "platform/base/TextCharacters.h"

#include <algorithm>

namespace platform::detail {

namespace {

constexpr int kInset = 4; // the sunken edge and the gap before the text

struct EditState {
    size_t caret = 0;
    size_t anchor = 0;
    size_t limit = 32767;
    int scroll = 0; // pixels of text hidden on the left
    bool dragging = false;
};

ControlStates<EditState>& States()
{
    static ControlStates<EditState> states;
    return states;
}

size_t SelStart(const EditState& s)
{
    return std::min(s.caret, s.anchor);
}
size_t SelEnd(const EditState& s)
{
    return std::max(s.caret, s.anchor);
}

int TextWidth(const std::string& text, size_t n)
{
    return ControlFont()->Extent(std::string_view(text).substr(0, n)).width;
}

// The character boundary nearest to an x in the client area.
size_t CharAt(const std::string& text, const EditState& s, int x)
{
    const int target = x - kInset + s.scroll;
    size_t best = 0;
    int bestDistance = std::abs(target);
    for (size_t i = 0; i < text.size();) {
        i = NextCharacter(text, i);
        const int d = std::abs(TextWidth(text, i) - target);
        if (d < bestDistance) {
            best = i;
            bestDistance = d;
        }
    }
    return best;
}

void KeepCaretVisible(WindowHandle window, EditState& s)
{
    const int visible = std::max(1, GetClientRect(window).Width() - 2 * kInset);
    const int x = TextWidth(GetWindowText(window), s.caret);
    if (x - s.scroll > visible)
        s.scroll = x - visible;
    if (x < s.scroll)
        s.scroll = std::max(0, x - visible / 3);
}

void Changed(WindowHandle window, EditState& s, bool notify)
{
    KeepCaretVisible(window, s);
    Redraw(window);
    if (notify)
        NotifyParent(window, kEditChange);
}

// Replaces the selection; refuses what would pass the limit (a beep).
void ReplaceSelection(WindowHandle window, EditState& s, std::string_view insert, bool notify)
{
    std::string text = GetWindowText(window);
    const size_t start = SelStart(s);
    const size_t end = SelEnd(s);
    if (text.size() - (end - start) + insert.size() > s.limit) {
        MessageBeep();
        return;
    }
    text.replace(start, end - start, insert);
    SetWindowText(window, text);
    s.caret = s.anchor = start + insert.size();
    Changed(window, s, notify);
}

void MoveCaret(WindowHandle window, EditState& s, size_t to, bool extend)
{
    s.caret = std::min(to, GetWindowText(window).size());
    if (!extend)
        s.anchor = s.caret;
    Changed(window, s, false);
}

void CopySelection(WindowHandle window, const EditState& s)
{
    if (SelEnd(s) > SelStart(s))
        ClipboardSetText(GetWindowText(window).substr(SelStart(s), SelEnd(s) - SelStart(s)));
}

void Paste(WindowHandle window, EditState& s)
{
    const auto text = ClipboardGetText();
    if (!text)
        return;
    const std::string line = text->substr(0, text->find_first_of("\r\n"));
    ReplaceSelection(window, s, line, true);
}

void Character(WindowHandle window, EditState& s, char32_t c);

void KeyDown(WindowHandle window, EditState& s, WParam key)
{
    const std::string text = GetWindowText(window);
    const ModifierState mods = CurrentModifiers();
    switch (key) {
    case kVKLeft:
        MoveCaret(window, s, PreviousCharacter(text, s.caret), mods.shift);
        break;
    case kVKRight:
        MoveCaret(window, s, NextCharacter(text, s.caret), mods.shift);
        break;
    case kVKHome:
    case kVKUp:
        MoveCaret(window, s, 0, mods.shift);
        break;
    case kVKEnd:
    case kVKDown:
        MoveCaret(window, s, text.size(), mods.shift);
        break;
    case kVKDelete:
        if (mods.shift) {
            CopySelection(window, s);
            ReplaceSelection(window, s, "", true);
            break;
        }
        if (SelStart(s) == SelEnd(s) && s.caret < text.size())
            s.anchor = NextCharacter(text, s.caret);
        ReplaceSelection(window, s, "", true);
        break;
    case kVKBackspace:
        // The layer makes no character message of it.
        Character(window, s, 8);
        break;
    case kVKInsert:
        if (mods.control)
            CopySelection(window, s);
        else if (mods.shift)
            Paste(window, s);
        break;
    default:
        break;
    }
}

void Character(WindowHandle window, EditState& s, char32_t c)
{
    switch (c) {
    case 1: // Ctrl+A
        s.anchor = 0;
        MoveCaret(window, s, GetWindowText(window).size(), true);
        return;
    case 3:
        CopySelection(window, s);
        return;
    case 22:
        Paste(window, s);
        return;
    case 24:
        CopySelection(window, s);
        ReplaceSelection(window, s, "", true);
        return;
    case 8:
        if (SelStart(s) == SelEnd(s)) {
            if (s.caret == 0)
                return;
            s.anchor = PreviousCharacter(GetWindowText(window), s.caret);
        }
        ReplaceSelection(window, s, "", true);
        return;
    default:
        if (c >= 32 && c != 127)
            ReplaceSelection(window, s, EncodeCharacter(c), true);
        return;
    }
}

void Paint(WindowHandle window, const EditState& s)
{
    ControlPaint p(window);
    if (!p.IsValid())
        return;
    DeviceContext& dc = p.DC();
    const IntRect r = p.Client();
    const bool enabled = IsWindowEnabled(window);
    const bool focused = GetFocus() == window;
    Fill(dc, r, enabled ? 0xFFFFFF : SystemRgb(static_cast<int>(SystemColor::ButtonFace)));
    DrawEdge(dc, r, edge::Sunken, edge::Rect);
    const std::string text = GetWindowText(window);
    const IntRect inner{r.left + 2, r.top + 2, r.right - 2, r.bottom - 2};
    dc.SelectClip(nullptr);
    const int height = ControlFont()->Metrics().height;
    const int top = inner.top + std::max(0, (inner.Height() - height) / 2);
    const int x0 = r.left + kInset - s.scroll;
    const IntRect line{x0, top, x0 + 30000, top + height};
    if (focused && SelEnd(s) > SelStart(s)) {
        const IntRect band{x0 + TextWidth(text, SelStart(s)), top, x0 + TextWidth(text, SelEnd(s)), top + height};
        Fill(dc, band.Intersection(inner), SystemRgb(static_cast<int>(SystemColor::Highlight)));
    }
    IntRect textRect = line;
    DrawControlText(dc, textRect, text, TextFlags::kSingleLine, enabled, 0);
    if (focused && SelEnd(s) > SelStart(s)) {
        IntRect selected{x0 + TextWidth(text, SelStart(s)), top, x0 + 30000, top + height};
        const std::string part = text.substr(SelStart(s), SelEnd(s) - SelStart(s));
        DrawControlText(dc, selected, part, TextFlags::kSingleLine, true,
                        SystemRgb(static_cast<int>(SystemColor::HighlightText)));
    }
    if (focused) {
        const int cx = x0 + TextWidth(text, s.caret);
        if (cx >= inner.left && cx < inner.right)
            Fill(dc, {cx, top, cx + 1, top + height}, 0);
    }
    DrawEdge(dc, r, edge::Sunken, edge::Rect);
}

} // namespace

LResult EditProc(WindowHandle window, uint32_t message, WParam wParam, LParam lParam)
{
    EditState* s = States().Find(window);
    if (message == ctlmsg::SetText && s != nullptr) {
        const char* text = reinterpret_cast<const char*>(lParam);
        SetWindowText(window, text != nullptr ? text : "");
        s->caret = s->anchor = 0;
        s->scroll = 0;
        Redraw(window);
        return 1;
    }
    if (const auto common = CommonControlMessage(States(), window, message, wParam, lParam, Paint))
        return *common;
    switch (message) {
    case msg::SetFocus:
    case msg::KillFocus:
    case msg::Enable:
    case msg::Size:
        Redraw(window);
        return 0;
    case msg::LButtonDown:
        if (s == nullptr)
            return 0;
        SetFocus(window);
        SetCapture(window);
        s->dragging = true;
        MoveCaret(window, *s, CharAt(GetWindowText(window), *s, ClientPointOf(lParam).x), CurrentModifiers().shift);
        return 0;
    case msg::LButtonDoubleClick:
        if (s != nullptr) {
            s->anchor = 0;
            MoveCaret(window, *s, GetWindowText(window).size(), true);
        }
        return 0;
    case msg::MouseMove:
        if (s != nullptr && s->dragging)
            MoveCaret(window, *s, CharAt(GetWindowText(window), *s, ClientPointOf(lParam).x), true);
        return 0;
    case msg::LButtonUp:
    case msg::CaptureChanged:
        if (s != nullptr && s->dragging) {
            s->dragging = false;
            if (GetCapture() == window)
                ReleaseCapture();
        }
        return 0;
    case msg::KeyDown:
        if (s != nullptr)
            KeyDown(window, *s, wParam);
        return 0;
    case msg::Char:
        if (s != nullptr)
            Character(window, *s, static_cast<char32_t>(wParam));
        return 0;
    case ctlmsg::EditGetSel: {
        const uint32_t start = s != nullptr ? static_cast<uint32_t>(SelStart(*s)) : 0;
        const uint32_t end = s != nullptr ? static_cast<uint32_t>(SelEnd(*s)) : 0;
        if (wParam != 0)
            *reinterpret_cast<uint32_t*>(wParam) = start;
        if (lParam != 0)
            *reinterpret_cast<uint32_t*>(lParam) = end;
        return static_cast<LResult>(start | (end << 16));
    }
    case ctlmsg::EditSetSel:
        if (s != nullptr) {
            const size_t size = GetWindowText(window).size();
            const auto clampPos = [size](intptr_t v) { return v < 0 ? size : std::min(static_cast<size_t>(v), size); };
            s->anchor = clampPos(static_cast<intptr_t>(wParam));
            s->caret = clampPos(lParam);
            Changed(window, *s, false);
        }
        return 0;
    case ctlmsg::EditReplaceSel:
        if (s != nullptr) {
            const char* text = reinterpret_cast<const char*>(lParam);
            ReplaceSelection(window, *s, text != nullptr ? text : "", false);
        }
        return 0;
    case ctlmsg::EditLimitText:
        if (s != nullptr)
            s->limit = wParam == 0 ? 32767 : static_cast<size_t>(wParam);
        return 0;
    default:
        return DefWindowProc(window, message, wParam, lParam);
    }
}

} // namespace platform::detail
