#include "platform/host/HostClipboard.h"
#include "platform/controls/ControlPaint.h"
#include "platform/controls/detail/ControlSupport.h"
#include "platform/input/Keys.h"
#include "platform/windows/MessageQueue.h"
#include "platform/graphics/SystemColors.h"
#include "platform/base/TextCharacters.h"

#include <algorithm>
#include <string_view>
#include <vector>

namespace platform::detail {

namespace {

constexpr int kInset = 4; // the sunken edge and the gap before the text

struct EditState {
    size_t caret = 0;
    size_t anchor = 0;
    size_t limit = 32767;
    int scroll = 0;  // pixels of text hidden on the left
    int vscroll = 0; // lines hidden above (multi-line edits)
    bool dragging = false;
};

bool IsMultiLine(WindowHandle window)
{
    return (GetWindowStyle(window) & ctlstyle::EditMultiLine) != 0;
}

// Lines of a multi-line edit end in CR LF; a lone CR or LF ends one too.
std::vector<size_t> LineStarts(std::string_view text)
{
    std::vector<size_t> starts{0};
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        if (text[i] == '\r' || text[i] == '\n')
            starts.push_back(i + 1);
    }
    return starts;
}

size_t LineOf(const std::vector<size_t>& starts, size_t pos)
{
    return static_cast<size_t>(std::upper_bound(starts.begin(), starts.end(), pos) - starts.begin()) - 1;
}

// The end of a line's text, before its line break.
size_t LineEnd(std::string_view text, const std::vector<size_t>& starts, size_t line)
{
    if (line + 1 >= starts.size())
        return text.size();
    size_t end = starts[line + 1];
    if (end > starts[line] && text[end - 1] == '\n')
        --end;
    if (end > starts[line] && text[end - 1] == '\r')
        --end;
    return end;
}

// A line break counts as one character for the caret.
size_t NextPosition(std::string_view text, size_t pos)
{
    if (pos + 1 < text.size() && text[pos] == '\r' && text[pos + 1] == '\n')
        return pos + 2;
    return NextCharacter(text, pos);
}

size_t PreviousPosition(std::string_view text, size_t pos)
{
    if (pos >= 2 && text[pos - 2] == '\r' && text[pos - 1] == '\n')
        return pos - 2;
    return PreviousCharacter(text, pos);
}

int LineHeight()
{
    return ControlFont()->Metrics().height;
}

int VisibleLines(WindowHandle window)
{
    return std::max(1, (GetClientRect(window).Height() - 2 * kInset) / LineHeight());
}

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

// The character boundary of a line nearest to a pixel offset from its start.
size_t CharInLine(std::string_view line, int target)
{
    size_t best = 0;
    int bestDistance = std::abs(target);
    for (size_t i = 0; i < line.size();) {
        i = NextCharacter(line, i);
        const int d = std::abs(TextWidth(std::string(line), i) - target);
        if (d < bestDistance) {
            best = i;
            bestDistance = d;
        }
    }
    return best;
}

// The caret's pixel offset from the start of its line.
int CaretX(const std::string& text, size_t pos)
{
    const std::vector<size_t> starts = LineStarts(text);
    const size_t start = starts[LineOf(starts, pos)];
    return TextWidth(text.substr(start), pos - start);
}

// The character boundary nearest to a point in the client area.
size_t CharAt(WindowHandle window, const EditState& s, Point p)
{
    const std::string text = GetWindowText(window);
    const std::vector<size_t> starts = LineStarts(text);
    size_t line = 0;
    if (IsMultiLine(window)) {
        const int row = s.vscroll + (p.y - kInset) / LineHeight();
        line = static_cast<size_t>(std::clamp(row, 0, static_cast<int>(starts.size()) - 1));
    }
    const size_t start = starts[line];
    const size_t end = IsMultiLine(window) ? LineEnd(text, starts, line) : text.size();
    return start + CharInLine(std::string_view(text).substr(start, end - start), p.x - kInset + s.scroll);
}

void KeepCaretVisible(WindowHandle window, EditState& s)
{
    const std::string text = GetWindowText(window);
    const int visible = std::max(1, GetClientRect(window).Width() - 2 * kInset);
    const int x = IsMultiLine(window) ? CaretX(text, s.caret) : TextWidth(text, s.caret);
    if (x - s.scroll > visible)
        s.scroll = x - visible;
    if (x < s.scroll)
        s.scroll = std::max(0, x - visible / 3);
    if (IsMultiLine(window)) {
        const int line = static_cast<int>(LineOf(LineStarts(text), s.caret));
        const int rows = VisibleLines(window);
        if (line >= s.vscroll + rows)
            s.vscroll = line - rows + 1;
        if (line < s.vscroll)
            s.vscroll = line;
    }
}

// The same pixel offset on another line (clamped to the text's lines).
size_t OnLine(const std::string& text, size_t from, int delta)
{
    const std::vector<size_t> starts = LineStarts(text);
    const int last = static_cast<int>(starts.size()) - 1;
    const size_t line = static_cast<size_t>(std::clamp(static_cast<int>(LineOf(starts, from)) + delta, 0, last));
    const size_t end = LineEnd(text, starts, line);
    return starts[line] +
        CharInLine(std::string_view(text).substr(starts[line], end - starts[line]), CaretX(text, from));
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
    if (!IsMultiLine(window)) {
        ReplaceSelection(window, s, text->substr(0, text->find_first_of("\r\n")), true);
        return;
    }
    // Every line break becomes CR LF.
    std::string lines;
    for (size_t i = 0; i < text->size(); ++i) {
        const char c = (*text)[i];
        if (c == '\r' && i + 1 < text->size() && (*text)[i + 1] == '\n')
            continue;
        lines += c == '\r' || c == '\n' ? std::string("\r\n") : std::string(1, c);
    }
    ReplaceSelection(window, s, lines, true);
}

void Character(WindowHandle window, EditState& s, char32_t c);

// The keys a multi-line edit reads its own way: lines up and down, the ends
// of a line, pages, and Return for a new line. False for the others.
bool MultiLineKey(WindowHandle window, EditState& s, WParam key, const std::string& text, const ModifierState& mods)
{
    const std::vector<size_t> starts = LineStarts(text);
    const size_t line = LineOf(starts, s.caret);
    switch (key) {
    case kVKUp:
    case kVKDown:
        MoveCaret(window, s, OnLine(text, s.caret, key == kVKUp ? -1 : 1), mods.shift);
        return true;
    case kVKPageUp:
    case kVKPageDown: {
        const int rows = VisibleLines(window);
        MoveCaret(window, s, OnLine(text, s.caret, key == kVKPageUp ? -rows : rows), mods.shift);
        return true;
    }
    case kVKHome:
        MoveCaret(window, s, mods.control ? 0 : starts[line], mods.shift);
        return true;
    case kVKEnd:
        MoveCaret(window, s, mods.control ? text.size() : LineEnd(text, starts, line), mods.shift);
        return true;
    case kVKReturn:
        ReplaceSelection(window, s, "\r\n", true);
        return true;
    default:
        return false;
    }
}

void KeyDown(WindowHandle window, EditState& s, WParam key)
{
    const std::string text = GetWindowText(window);
    const ModifierState mods = CurrentModifiers();
    if (IsMultiLine(window) && MultiLineKey(window, s, key, text, mods))
        return;
    switch (key) {
    case kVKLeft:
        MoveCaret(window, s, PreviousPosition(text, s.caret), mods.shift);
        break;
    case kVKRight:
        MoveCaret(window, s, NextPosition(text, s.caret), mods.shift);
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
            s.anchor = NextPosition(text, s.caret);
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
    case kVKLetterA:
        // Ctrl+A: the desktop makes no character of it.
        if (mods.control && !mods.alt)
            Character(window, s, 1);
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
            s.anchor = PreviousPosition(GetWindowText(window), s.caret);
        }
        ReplaceSelection(window, s, "", true);
        return;
    default:
        if (c >= 32 && c != 127)
            ReplaceSelection(window, s, EncodeCharacter(c), true);
        return;
    }
}

// One line of text at a top, with its part of the selection and the caret.
void PaintLine(DeviceContext& dc, const IntRect& inner, int top, std::string_view text, size_t start, size_t end,
               const EditState& s, bool enabled, bool focused)
{
    const int height = LineHeight();
    const int x0 = inner.left + kInset - 2 - s.scroll;
    const std::string line(text.substr(start, end - start));
    const size_t selStart = std::clamp(SelStart(s), start, end) - start;
    const size_t selEnd = std::clamp(SelEnd(s), start, end) - start;
    if (focused && selEnd > selStart) {
        const IntRect band{x0 + TextWidth(line, selStart), top, x0 + TextWidth(line, selEnd), top + height};
        Fill(dc, band.Intersection(inner), SystemRgb(static_cast<int>(SystemColor::Highlight)));
    }
    IntRect textRect{x0, top, x0 + 30000, top + height};
    DrawControlText(dc, textRect, line, TextFlags::kSingleLine, enabled, 0);
    if (focused && selEnd > selStart) {
        IntRect selected{x0 + TextWidth(line, selStart), top, x0 + 30000, top + height};
        DrawControlText(dc, selected, line.substr(selStart, selEnd - selStart), TextFlags::kSingleLine, true,
                        SystemRgb(static_cast<int>(SystemColor::HighlightText)));
    }
    if (focused && s.caret >= start && s.caret <= end) {
        const int cx = x0 + TextWidth(line, s.caret - start);
        if (cx >= inner.left && cx < inner.right)
            Fill(dc, {cx, top, cx + 1, top + height}, 0);
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
    const int height = LineHeight();
    if (!IsMultiLine(window)) {
        const int top = inner.top + std::max(0, (inner.Height() - height) / 2);
        PaintLine(dc, inner, top, text, 0, text.size(), s, enabled, focused);
    } else {
        const std::vector<size_t> starts = LineStarts(text);
        for (size_t line = static_cast<size_t>(s.vscroll); line < starts.size(); ++line) {
            const int top = r.top + kInset + static_cast<int>(line - static_cast<size_t>(s.vscroll)) * height;
            if (top >= inner.bottom)
                break;
            PaintLine(dc, inner, top, text, starts[line], LineEnd(text, starts, line), s, enabled, focused);
        }
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
        s->vscroll = 0;
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
        MoveCaret(window, *s, CharAt(window, *s, ClientPointOf(lParam)), CurrentModifiers().shift);
        return 0;
    case msg::LButtonDoubleClick:
        if (s != nullptr) {
            s->anchor = 0;
            MoveCaret(window, *s, GetWindowText(window).size(), true);
        }
        return 0;
    case msg::MouseMove:
        if (s != nullptr && s->dragging)
            MoveCaret(window, *s, CharAt(window, *s, ClientPointOf(lParam)), true);
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
