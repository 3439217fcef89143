#include "platform/menus/MenuWindows.h"

#include "platform/graphics/DeviceContext.h"
#include "platform/graphics/DrawingObjects.h"
#include "platform/graphics/Font.h"
#include "platform/host/Host.h"
#include "platform/input/InputState.h"
#include "platform/input/Keys.h"
#include "platform/windows/MessageQueue.h"
#include "platform/graphics/SystemColors.h"
#include "platform/windows/Window.h"
#include "platform/windows/WindowPaint.h"
#include "platform/system/Clock.h"

#include <algorithm>
#include <cctype>

namespace platform {

namespace {

constexpr const char* kBarClass = "TorvanMenuBar";
constexpr const char* kPopupClass = "TorvanPopupMenu";
constexpr int kBarHeight = 20;
constexpr int kTitlePadding = 8;
constexpr int kItemHeight = 20;
constexpr int kSeparatorHeight = 8;
constexpr int kTextLeft = 20;
constexpr int kShortcutGap = 24;

Rgb ToRgb(uint32_t bgr)
{
    return MakeRgb(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}
Rgb Face()
{
    return ToRgb(GetSystemColor(SystemColor::ButtonFace));
}
Rgb Text()
{
    return ToRgb(GetSystemColor(SystemColor::ButtonText));
}
Rgb Grey()
{
    return ToRgb(GetSystemColor(SystemColor::ButtonShadow));
}
Rgb Highlight()
{
    return ToRgb(GetSystemColor(SystemColor::Highlight));
}
Rgb HighlightText()
{
    return ToRgb(GetSystemColor(SystemColor::HighlightText));
}

const std::shared_ptr<const Font>& MenuFont()
{
    static const std::shared_ptr<const Font> font = Font::Create({"MS Sans Serif", 13});
    return font;
}

int TextWidth(const std::string& text)
{
    return MenuFont()->Extent(text).width;
}

// Paints with a device context on the window's client area.
template <typename F> void Paint(WindowHandle window, F&& draw)
{
    PaintContext paint = BeginPaint(window);
    if (paint.surface.pixels) {
        DeviceContext dc(*paint.surface.pixels);
        dc.SetWindowOrigin({-paint.surface.clientOrigin.x, -paint.surface.clientOrigin.y});
        Region shown = paint.surface.visible;
        shown.Offset(paint.surface.clientOrigin.x, paint.surface.clientOrigin.y);
        dc.SetSystemClip(shown);
        dc.SelectFont(MenuFont());
        dc.SetBackgroundMode(BackgroundMode::Transparent);
        draw(dc, paint.surface.clientRect);
    }
    EndPaint(window, paint);
}

void Fill(DeviceContext& dc, const IntRect& r, Rgb color)
{
    dc.FillRect(r, *Brush::Create(color));
}

// A caption's text with its mnemonic letter underlined.
void DrawCaption(DeviceContext& dc, const IntRect& rect, const std::string& caption, unsigned flags)
{
    IntRect r = rect;
    dc.DrawText(r, caption, flags);
    const std::string text = CaptionText(caption);
    size_t at = std::string::npos;
    for (size_t i = 0, shown = 0; i + 1 < caption.size() && caption[i] != '\t'; ++i, ++shown) {
        if (caption[i] != '&')
            continue;
        if (caption[i + 1] != '&') {
            at = shown;
            break;
        }
        ++i;
    }
    if (at == std::string::npos || at >= text.size())
        return;
    const Font& font = *MenuFont();
    const int width = font.Extent(text).width;
    const int left = (flags & TextFlags::kCenter) != 0 ? rect.left + (rect.Width() - width) / 2 : rect.left;
    const int x = left + font.Extent(std::string_view(text).substr(0, at)).width;
    const int letter = font.Extent(std::string_view(text).substr(at, 1)).width;
    const int top = rect.top + (rect.Height() - font.Metrics().height) / 2;
    const int y = top + font.Metrics().ascent + 1;
    dc.FillRect(IntRect(x, y, x + letter, y + 1), *Brush::Create(dc.TextColor()));
}

// --- the bar ---

int openTitle = -1;       // the title whose menu is open, drawn highlighted
int popupDepth = 0;       // pop-up menus open, one inside the other
int barStep = 0;          // Left or Right asked the bar for its menu before (-1) or after (1)
bool openedByKey = false; // the next menu opens by a key: its first item is highlighted

std::vector<Rect> TitleRects(MenuHandle bar)
{
    std::vector<Rect> rects;
    int x = 0;
    for (int i = 0; i < GetMenuItemCount(bar); ++i) {
        const int width = TextWidth(CaptionText(GetMenuItem(bar, i).caption)) + 2 * kTitlePadding;
        rects.push_back(Rect::FromSize(x, 0, width, kBarHeight));
        x += width;
    }
    return rects;
}

void PaintBar(WindowHandle window)
{
    const auto bar = static_cast<MenuHandle>(GetWindowData(window));
    Paint(window, [&](DeviceContext& dc, const Rect& client) {
        Fill(dc, client, Face());
        const std::vector<Rect> titles = TitleRects(bar);
        for (size_t i = 0; i < titles.size(); ++i) {
            IntRect r = titles[i];
            const bool open = static_cast<int>(i) == openTitle;
            if (open)
                Fill(dc, r, Highlight());
            dc.SetTextColor(open ? HighlightText() : Text());
            DrawCaption(dc, r, GetMenuItem(bar, static_cast<int>(i)).caption,
                        TextFlags::kCenter | TextFlags::kVerticalCenter | TextFlags::kSingleLine);
        }
    });
}

// The title `step` places from `index` (wrapping) that has a menu; -1 for none.
int NeighbourTitle(MenuHandle bar, int index, int step)
{
    const int count = GetMenuItemCount(bar);
    for (int i = 1; i <= count; ++i) {
        const int candidate = ((index + step * i) % count + count) % count;
        if (GetMenuItem(bar, candidate).kind == MenuItem::Kind::Submenu)
            return candidate;
    }
    return -1;
}

// Opens the menu of a title; Left and Right in it open the menu of the
// title before or after, until a choice or Escape closes it.
void OpenBarMenuAt(WindowHandle window, int index)
{
    const auto bar = static_cast<MenuHandle>(GetWindowData(window));
    const WindowHandle frame = GetParent(window);
    uint32_t number = 0;
    while (IsWindow(window) && index >= 0 && index < GetMenuItemCount(bar)) {
        const MenuItem title = GetMenuItem(bar, index);
        if (title.kind != MenuItem::Kind::Submenu)
            break;
        SendMessage(frame, msg::InitMenu, bar, 0);
        const Rect r = TitleRects(bar)[static_cast<size_t>(index)];
        const Point at = ClientToScreen(window, {r.left, r.bottom});
        openTitle = index;
        barStep = 0;
        InvalidateRect(window, nullptr, false);
        UpdateWindow(window);
        number = TrackPopupMenu({title.submenu, at.x, at.y, frame, title.helpId});
        openTitle = -1;
        openedByKey = false;
        const int step = barStep;
        barStep = 0;
        if (number || step == 0)
            break;
        index = NeighbourTitle(bar, index, step);
        openedByKey = true;
    }
    if (IsWindow(window))
        InvalidateRect(window, nullptr, false);
    if (number)
        PostMessage(frame, msg::Command, number & 0xFFFF, 0);
}

void OpenBarMenu(WindowHandle window, int x)
{
    const std::vector<Rect> titles = TitleRects(static_cast<MenuHandle>(GetWindowData(window)));
    for (size_t i = 0; i < titles.size(); ++i)
        if (titles[i].Contains(x, 1))
            OpenBarMenuAt(window, static_cast<int>(i));
}

LResult BarProc(WindowHandle window, uint32_t message, WParam wParam, LParam lParam)
{
    switch (message) {
    case msg::Paint:
        PaintBar(window);
        return 0;
    case msg::LButtonDown:
        OpenBarMenu(window, LowSigned(lParam));
        return 0;
    default:
        return DefWindowProc(window, message, wParam, lParam);
    }
}

void RegisterClassOnce(const char* name, WindowProc procedure)
{
    if (!IsWindowClassRegistered(name))
        RegisterWindowClass({name, 0, procedure, ClassBackground::ButtonFace});
}

// --- pop-up menus ---

constexpr int kScrollStrip = 14;       // the arrow strip at each end of a menu that scrolls
constexpr uint64_t kScrollStepMs = 50; // one step while the pointer rests on a strip
constexpr int kScrollStep = kItemHeight;
constexpr int kWheelRows = 3;            // rows a notch of the wheel scrolls
constexpr uint64_t kSubmenuRestMs = 400; // the pointer's rest on an item that opens its submenu

struct PopupState {
    MenuHandle menu = 0;
    WindowHandle owner = 0;
    uint32_t helpId = 0;
    std::vector<Rect> rows; // in the menu's content, which scrolls under the arrow strips
    int hot = -1;
    bool done = false;
    uint32_t chosen = 0;
    bool fromBar = false; // the menu of a bar title: Left and Right go to the next title
    int depth = 0;        // 1 for a menu opened alone, 2 for its submenu, ...
    // Scrolling, for a menu taller than the desktop.
    int clientHeight = 0;
    bool scrolls = false;
    int scroll = 0;          // content pixels above the shown part
    int scrollDirection = 0; // the pointer rests on an arrow strip: -1 up, 1 down
    uint64_t nextScroll = 0;
    // The pointer's rest on an item that opens a submenu.
    int restRow = -1;
    uint64_t restSince = 0;
    // A submenu: its parent's window and the parent's row that opened it (desktop).
    WindowHandle parent = 0;
    Rect opener;
};

std::vector<Rect> RowRects(MenuHandle menu, int& width)
{
    width = 120;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        const MenuItem item = GetMenuItem(menu, i);
        const std::string shortcut = CaptionShortcut(item.caption);
        const int w = kTextLeft + TextWidth(CaptionText(item.caption)) +
            (shortcut.empty() ? 0 : kShortcutGap + TextWidth(shortcut)) + kTextLeft;
        width = std::max(width, w);
    }
    std::vector<Rect> rows;
    int y = 2;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        const int h = GetMenuItem(menu, i).kind == MenuItem::Kind::Separator ? kSeparatorHeight : kItemHeight;
        rows.push_back(Rect::FromSize(0, y, width, h));
        y += h;
    }
    return rows;
}

// The part of the client area the rows show in, between the arrow strips.
int ViewTop(const PopupState& s)
{
    return s.scrolls ? kScrollStrip : 0;
}
int ViewBottom(const PopupState& s)
{
    return s.scrolls ? s.clientHeight - kScrollStrip : s.clientHeight;
}
int ContentHeight(const PopupState& s)
{
    return s.rows.empty() ? 0 : s.rows.back().bottom + 2;
}
int MaxScroll(const PopupState& s)
{
    return s.scrolls ? std::max(0, ContentHeight(s) - (ViewBottom(s) - ViewTop(s))) : 0;
}
// A row where it shows in the client area.
Rect ShownRow(const PopupState& s, size_t row)
{
    return s.rows[row].Offset(0, ViewTop(s) - s.scroll);
}

void PaintArrowStrip(DeviceContext& dc, const Rect& strip, bool up, bool more)
{
    Fill(dc, strip, Face());
    const int middleX = (strip.left + strip.right) / 2;
    const int top = strip.top + (strip.Height() - 4) / 2;
    for (int k = 0; k < 4; ++k) {
        const int half = up ? k : 3 - k;
        Fill(dc, Rect(middleX - half, top + k, middleX + half + 1, top + k + 1), more ? Text() : Grey());
    }
}

void PaintPopup(WindowHandle window, const PopupState& s)
{
    Paint(window, [&](DeviceContext& dc, const Rect& client) {
        Fill(dc, client, Face());
        for (size_t i = 0; i < s.rows.size(); ++i) {
            const Rect row = ShownRow(s, i);
            if (row.bottom <= ViewTop(s) || row.top >= ViewBottom(s))
                continue;
            const MenuItem item = GetMenuItem(s.menu, static_cast<int>(i));
            if (item.kind == MenuItem::Kind::Separator) {
                Fill(dc, Rect(row.left + 2, row.top + 3, row.right - 2, row.top + 4), Grey());
                continue;
            }
            const bool hot = static_cast<int>(i) == s.hot && item.enabled;
            if (hot)
                Fill(dc, row, Highlight());
            dc.SetTextColor(!item.enabled ? Grey() : hot ? HighlightText() : Text());
            const unsigned flags = TextFlags::kVerticalCenter | TextFlags::kSingleLine;
            IntRect text(row.left + kTextLeft, row.top, row.right - kTextLeft, row.bottom);
            const size_t tab = item.caption.find('\t');
            DrawCaption(dc, text, item.caption.substr(0, tab), flags);
            if (tab != std::string::npos)
                dc.DrawText(text, item.caption.substr(tab + 1), flags | TextFlags::kRight | TextFlags::kNoPrefix);
            if (item.checked) {
                IntRect mark(row.left + 4, row.top, row.left + kTextLeft, row.bottom);
                dc.DrawText(mark, "x", flags | TextFlags::kNoPrefix);
            }
            if (item.kind == MenuItem::Kind::Submenu) {
                IntRect arrow(row.right - kTextLeft, row.top, row.right - 6, row.bottom);
                dc.DrawText(arrow, ">", flags | TextFlags::kRight | TextFlags::kNoPrefix);
            }
        }
        if (s.scrolls) {
            PaintArrowStrip(dc, Rect(client.left, client.top, client.right, client.top + kScrollStrip), true,
                            s.scroll > 0);
            PaintArrowStrip(dc, Rect(client.left, ViewBottom(s), client.right, client.bottom), false,
                            s.scroll < MaxScroll(s));
        }
    });
}

int RowAt(const PopupState& s, Point client)
{
    if (client.y < ViewTop(s) || client.y >= ViewBottom(s))
        return -1;
    for (size_t i = 0; i < s.rows.size(); ++i)
        if (ShownRow(s, i).Contains(client))
            return static_cast<int>(i);
    return -1;
}

// On the menu, but on an arrow strip rather than a row.
bool OnArrowStrip(const PopupState& s, WindowHandle window, Point client)
{
    return s.scrolls && GetClientRect(window).Contains(client) && (client.y < ViewTop(s) || client.y >= ViewBottom(s));
}

void ScrollTo(WindowHandle window, PopupState& s, int scroll)
{
    scroll = std::clamp(scroll, 0, MaxScroll(s));
    if (scroll == s.scroll)
        return;
    s.scroll = scroll;
    InvalidateRect(window, nullptr, false);
}

// Scrolls so that the row shows whole.
void ScrollToRow(WindowHandle window, PopupState& s, int row)
{
    if (!s.scrolls || row < 0 || row >= static_cast<int>(s.rows.size()))
        return;
    const Rect r = s.rows[static_cast<size_t>(row)];
    const int view = ViewBottom(s) - ViewTop(s);
    if (r.top - 2 < s.scroll)
        ScrollTo(window, s, r.top - 2);
    else if (r.bottom + 2 > s.scroll + view)
        ScrollTo(window, s, r.bottom + 2 - view);
}

uint32_t RunPopup(const PopupRequest& request, WindowHandle parent, const Rect& opener);

void Choose(WindowHandle window, PopupState& s, int row)
{
    if (row < 0 || row >= static_cast<int>(s.rows.size())) {
        s.done = true; // a click outside closes the menu
        return;
    }
    const MenuItem item = GetMenuItem(s.menu, row);
    if (!item.enabled || item.kind == MenuItem::Kind::Separator)
        return;
    if (item.kind == MenuItem::Kind::Submenu) {
        s.restRow = -1;
        const Rect shown = ShownRow(s, static_cast<size_t>(row));
        const Point topLeft = ClientToScreen(window, {shown.left, shown.top});
        const Rect opener = Rect::FromSize(topLeft.x, topLeft.y, shown.Width(), shown.Height());
        s.chosen = RunPopup({item.submenu, opener.right, opener.top, window, 0}, window, opener);
        s.done = s.chosen != 0 || barStep != 0;
        if (!s.done && IsWindow(window))
            SetCapture(window);
        return;
    }
    s.chosen = item.number;
    s.done = true;
}

bool Selectable(const MenuItem& item)
{
    return item.enabled && item.kind != MenuItem::Kind::Separator;
}

void SetHot(WindowHandle window, PopupState& s, int row)
{
    s.hot = row;
    ScrollToRow(window, s, row);
    InvalidateRect(window, nullptr, false);
}

// Moves the highlight to the next selectable row up or down, wrapping.
void StepHot(WindowHandle window, PopupState& s, int step)
{
    const int count = static_cast<int>(s.rows.size());
    int row = s.hot;
    for (int i = 0; i < count; ++i) {
        row = row < 0 ? (step > 0 ? 0 : count - 1) : (row + step + count) % count;
        if (Selectable(GetMenuItem(s.menu, row))) {
            SetHot(window, s, row);
            return;
        }
    }
}

// Moves the highlight to the selectable row nearest to `row` in the
// direction of `step`, else the nearest the other way; no wrapping.
void MoveHotTowards(WindowHandle window, PopupState& s, int row, int step)
{
    const int count = static_cast<int>(s.rows.size());
    row = std::clamp(row, 0, std::max(0, count - 1));
    for (const int direction : {step, -step})
        for (int r = row; r >= 0 && r < count; r += direction)
            if (Selectable(GetMenuItem(s.menu, r))) {
                SetHot(window, s, r);
                return;
            }
}

int RowsPerPage(const PopupState& s)
{
    return std::max(1, (ViewBottom(s) - ViewTop(s)) / kItemHeight - 1);
}

// F1 while the menu is open: the highlighted item's help, or the menu's.
void AskForHelp(const PopupState& s, WindowHandle window)
{
    HelpInfo info;
    info.kind = HelpInfo::Kind::Menu;
    info.item = window;
    info.contextId = s.hot >= 0 ? GetMenuItem(s.menu, s.hot).helpId : s.helpId;
    info.mouse = GetCursorPos();
    if (s.owner)
        SendMessage(s.owner, msg::Help, 0, reinterpret_cast<LParam>(&info));
}

// Left and Right: a submenu opens and closes; the menu of a bar title gives
// way to the title before or after it.
void SideKey(WindowHandle window, PopupState& s, int direction)
{
    if (direction > 0 && s.hot >= 0 && GetMenuItem(s.menu, s.hot).kind == MenuItem::Kind::Submenu) {
        openedByKey = true;
        Choose(window, s, s.hot);
        return;
    }
    if (direction < 0 && s.depth > 1) {
        s.done = true; // back to the menu this one opened from
        return;
    }
    if (openTitle >= 0) {
        barStep = direction;
        s.done = true;
    }
}

void MenuKey(WindowHandle window, PopupState& s, WParam key)
{
    s.restRow = -1;
    const int count = static_cast<int>(s.rows.size());
    switch (key) {
    case kVKEscape:
        s.done = true;
        return;
    case kVKDown:
        StepHot(window, s, 1);
        return;
    case kVKUp:
        StepHot(window, s, -1);
        return;
    case kVKHome:
        MoveHotTowards(window, s, 0, 1);
        return;
    case kVKEnd:
        MoveHotTowards(window, s, count - 1, -1);
        return;
    case kVKPageDown:
        MoveHotTowards(window, s, (s.hot < 0 ? 0 : s.hot + RowsPerPage(s)), 1);
        return;
    case kVKPageUp:
        MoveHotTowards(window, s, (s.hot < 0 ? 0 : s.hot - RowsPerPage(s)), -1);
        return;
    case kVKRight:
        SideKey(window, s, 1);
        return;
    case kVKLeft:
        SideKey(window, s, -1);
        return;
    case kVKReturn:
        if (s.hot >= 0) {
            openedByKey = GetMenuItem(s.menu, s.hot).kind == MenuItem::Kind::Submenu;
            Choose(window, s, s.hot);
        }
        return;
    case kVKF1:
        AskForHelp(s, window);
        return;
    default:
        break;
    }
    // A letter chooses the item it is the mnemonic of.
    const auto letter = static_cast<char>(key);
    if (key >= kVKLetterA && key < kVKLetterA + 26)
        for (int i = 0; i < GetMenuItemCount(s.menu); ++i) {
            const MenuItem item = GetMenuItem(s.menu, i);
            if (Selectable(item) && std::toupper(static_cast<unsigned char>(CaptionMnemonic(item.caption))) == letter) {
                s.hot = i;
                openedByKey = item.kind == MenuItem::Kind::Submenu;
                Choose(window, s, i);
                return;
            }
        }
}

void MouseMovedOver(WindowHandle window, PopupState& s, Point client)
{
    // A submenu gives way when the pointer goes back to another row of the
    // menu it opened from.
    const Point screen = ClientToScreen(window, client);
    if (s.parent && !GetClientRect(window).Contains(client) && WindowFromPoint(screen) == s.parent &&
        !s.opener.Contains(screen)) {
        s.done = true;
        return;
    }
    s.scrollDirection = !OnArrowStrip(s, window, client) ? 0 : client.y < ViewTop(s) ? -1 : 1;
    const int row = RowAt(s, client);
    if (row == s.hot)
        return;
    s.hot = row;
    s.restRow = row;
    s.restSince = NowMilliseconds();
    InvalidateRect(window, nullptr, false);
}

// What happens while the pointer rests: a strip scrolls, a submenu opens.
void RestTick(WindowHandle window, PopupState& s)
{
    const uint64_t now = NowMilliseconds();
    if (s.scrollDirection != 0 && now >= s.nextScroll) {
        s.nextScroll = now + kScrollStepMs;
        ScrollTo(window, s, s.scroll + s.scrollDirection * kScrollStep);
    }
    if (s.restRow >= 0 && s.restRow == s.hot && now - s.restSince >= kSubmenuRestMs) {
        const int row = s.restRow;
        s.restRow = -1;
        const MenuItem item = GetMenuItem(s.menu, row);
        if (item.kind == MenuItem::Kind::Submenu && item.enabled)
            Choose(window, s, row);
    }
}

bool RestPending(const PopupState& s)
{
    return s.scrollDirection != 0 || s.restRow >= 0;
}

LResult PopupProc(WindowHandle window, uint32_t message, WParam wParam, LParam lParam)
{
    auto* s = reinterpret_cast<PopupState*>(GetWindowData(window));
    if (!s)
        return DefWindowProc(window, message, wParam, lParam);
    switch (message) {
    case msg::Paint:
        PaintPopup(window, *s);
        return 0;
    case msg::MouseMove:
        MouseMovedOver(window, *s, PointFromLParam(lParam));
        return 0;
    case msg::MouseWheel: {
        const int notches = static_cast<int16_t>(HighWordOf(wParam)) / msg::kWheelDelta;
        ScrollTo(window, *s, s->scroll - notches * kWheelRows * kItemHeight);
        return 0;
    }
    case msg::LButtonUp:
    case msg::RButtonUp:
        if (const int row = RowAt(*s, PointFromLParam(lParam)); row >= 0)
            Choose(window, *s, row);
        return 0;
    case msg::LButtonDown:
    case msg::RButtonDown:
        if (RowAt(*s, PointFromLParam(lParam)) < 0 && !OnArrowStrip(*s, window, PointFromLParam(lParam)))
            s->done = true;
        return 0;
    case msg::KeyDown:
        MenuKey(window, *s, wParam);
        return 0;
    case msg::NcHitTest:
        return hit::Client;
    default:
        return DefWindowProc(window, message, wParam, lParam);
    }
}

uint32_t RunPopup(const PopupRequest& request, WindowHandle parent, const Rect& opener)
{
    RegisterClassOnce(kPopupClass, PopupProc);
    const bool byKey = openedByKey;
    openedByKey = false;
    PopupState state;
    state.menu = request.menu;
    state.owner = request.owner;
    state.helpId = request.helpId;
    state.parent = parent;
    state.opener = opener;
    state.depth = popupDepth + 1;
    state.fromBar = popupDepth == 0 && openTitle >= 0;
    int width = 0;
    state.rows = RowRects(request.menu, width);
    // A menu taller than the desktop is cut to it and scrolls.
    const Rect desktop = Host().DesktopRect();
    int height = ContentHeight(state) + 2;
    if (height > desktop.Height()) {
        height = desktop.Height();
        state.scrolls = true;
    }
    state.clientHeight = height - 2;
    const int x = std::clamp(request.x, desktop.left, std::max(desktop.left, desktop.right - width - 2));
    const int y = std::clamp(request.y, desktop.top, std::max(desktop.top, desktop.bottom - height));

    CreateParams params;
    params.className = kPopupClass;
    params.style = style::Popup | style::Border;
    params.exStyle = exstyle::TopMost | exstyle::ToolWindow;
    params.rect = Rect::FromSize(x, y, width + 2, height);
    params.owner = request.owner;
    const WindowHandle window = CreateWindow(params);
    if (!window)
        return 0;
    ++popupDepth;
    SetWindowData(window, reinterpret_cast<intptr_t>(&state));
    if (byKey)
        StepHot(window, state, 1);
    ShowWindow(window, ShowCommand::ShowNoActivate);
    const WindowHandle previousCapture = SetCapture(window);
    // A quit from outside closes the menu with nothing chosen.
    while (!state.done && IsWindow(window) && !IsQuitAsked()) {
        RestTick(window, state);
        if (state.done)
            break;
        Message message;
        if (!PeekMessage(message)) {
            FlushScreen();
            WaitMessage(RestPending(state) ? 10 : 50);
            continue;
        }
        if (message.message == msg::Quit) {
            PostQuitMessage(0);
            break;
        }
        // Keys go to the menu while it is open; F1 asks for the help of
        // its item, not of the window below.
        if (message.message == msg::KeyDown || message.message == msg::Char)
            message.window = window;
        if (message.message == msg::Help)
            continue;
        // A press meant for another window (the menu this one opened from)
        // closes this one.
        if ((message.message == msg::LButtonDown || message.message == msg::RButtonDown) && message.window != window) {
            state.done = true;
            break;
        }
        DispatchMessage(message);
        if (GetCapture() != window && !state.done)
            state.done = true; // the capture went elsewhere: the menu closes
    }
    --popupDepth;
    SetWindowData(window, 0);
    ReleaseCapture();
    if (previousCapture && IsWindow(previousCapture))
        SetCapture(previousCapture);
    DestroyWindow(window);
    return state.chosen;
}

} // namespace

int MenuBarHeight()
{
    return kBarHeight;
}

WindowHandle CreateMenuBarWindow(WindowHandle frame, MenuHandle bar)
{
    RegisterClassOnce(kBarClass, BarProc);
    CreateParams params;
    params.className = kBarClass;
    params.style = style::Child | style::Visible;
    params.parent = frame;
    params.childId = kMenuBarChildId;
    params.rect = Rect::FromSize(0, 0, GetClientRect(frame).Width(), kBarHeight);
    const WindowHandle window = CreateWindow(params);
    if (window)
        SetWindowData(window, static_cast<intptr_t>(bar));
    return window;
}

WindowHandle FindMenuBarWindow(WindowHandle frame)
{
    for (int i = 0; i < CountChildren(frame); ++i)
        if (const WindowHandle child = GetChild(frame, i);
            GetChildId(child) == kMenuBarChildId && GetClassName(child) == kBarClass)
            return child;
    return 0;
}

MenuHandle GetMenuBarMenu(WindowHandle barWindow)
{
    return static_cast<MenuHandle>(GetWindowData(barWindow));
}

void RedrawMenuBars(MenuHandle bar)
{
    for (int i = 0; i < CountTopLevelWindows(); ++i)
        if (const WindowHandle w = FindMenuBarWindow(GetTopLevelWindow(i)); w && GetMenuBarMenu(w) == bar)
            InvalidateRect(w, nullptr, true);
}

bool OpenMenuBarMenuByMnemonic(WindowHandle barWindow, char letter)
{
    const MenuHandle bar = GetMenuBarMenu(barWindow);
    const auto fold = [](char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); };
    for (int i = 0; i < GetMenuItemCount(bar); ++i)
        if (const char m = CaptionMnemonic(GetMenuItem(bar, i).caption); m != 0 && fold(m) == fold(letter)) {
            OpenBarMenuAt(barWindow, i);
            return true;
        }
    return false;
}

std::vector<Rect> MenuBarTitleRects(WindowHandle barWindow)
{
    return TitleRects(GetMenuBarMenu(barWindow));
}

uint32_t RunPopupMenuWindow(const PopupRequest& request)
{
    return RunPopup(request, 0, Rect());
}

} // namespace platform
