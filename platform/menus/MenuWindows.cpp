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

// --- the bar ---

int openTitle = -1; // the title whose menu is open, drawn highlighted

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
            dc.DrawText(r, GetMenuItem(bar, static_cast<int>(i)).caption,
                        TextFlags::kCenter | TextFlags::kVerticalCenter | TextFlags::kSingleLine);
        }
    });
}

void OpenBarMenuAt(WindowHandle window, int index)
{
    const auto bar = static_cast<MenuHandle>(GetWindowData(window));
    const std::vector<Rect> titles = TitleRects(bar);
    if (index < 0 || index >= static_cast<int>(titles.size()))
        return;
    const MenuItem title = GetMenuItem(bar, index);
    if (title.kind != MenuItem::Kind::Submenu)
        return;
    const WindowHandle frame = GetParent(window);
    SendMessage(frame, msg::InitMenu, bar, 0);
    const Rect r = titles[static_cast<size_t>(index)];
    const Point at = ClientToScreen(window, {r.left, r.bottom});
    openTitle = index;
    InvalidateRect(window, nullptr, false);
    UpdateWindow(window);
    const uint32_t number = TrackPopupMenu({title.submenu, at.x, at.y, frame, title.helpId});
    openTitle = -1;
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

struct PopupState {
    MenuHandle menu = 0;
    WindowHandle owner = 0;
    uint32_t helpId = 0;
    std::vector<Rect> rows;
    int hot = -1;
    bool done = false;
    uint32_t chosen = 0;
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

void PaintPopup(WindowHandle window, const PopupState& s)
{
    Paint(window, [&](DeviceContext& dc, const Rect& client) {
        Fill(dc, client, Face());
        for (size_t i = 0; i < s.rows.size(); ++i) {
            const MenuItem item = GetMenuItem(s.menu, static_cast<int>(i));
            const Rect row = s.rows[i];
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
            dc.DrawText(text, item.caption.substr(0, tab), flags);
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
    });
}

int RowAt(const PopupState& s, Point client)
{
    for (size_t i = 0; i < s.rows.size(); ++i)
        if (s.rows[i].Contains(client))
            return static_cast<int>(i);
    return -1;
}

void Choose(WindowHandle window, PopupState& s, Point client)
{
    const int row = RowAt(s, client);
    if (row < 0) {
        s.done = true; // a click outside closes the menu
        return;
    }
    const MenuItem item = GetMenuItem(s.menu, row);
    if (!item.enabled || item.kind == MenuItem::Kind::Separator)
        return;
    if (item.kind == MenuItem::Kind::Submenu) {
        const Point at =
            ClientToScreen(window, {s.rows[static_cast<size_t>(row)].right, s.rows[static_cast<size_t>(row)].top});
        s.chosen = RunPopupMenuWindow({item.submenu, at.x, at.y, window});
        s.done = s.chosen != 0;
        if (!s.done)
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

// Moves the highlight to the next selectable row up or down, wrapping.
void StepHot(WindowHandle window, PopupState& s, int step)
{
    const int count = static_cast<int>(s.rows.size());
    int row = s.hot;
    for (int i = 0; i < count; ++i) {
        row = row < 0 ? (step > 0 ? 0 : count - 1) : (row + step + count) % count;
        if (Selectable(GetMenuItem(s.menu, row))) {
            s.hot = row;
            InvalidateRect(window, nullptr, false);
            return;
        }
    }
}

void ChooseRow(WindowHandle window, PopupState& s, int row)
{
    if (row < 0 || row >= static_cast<int>(s.rows.size()))
        return;
    const Rect r = s.rows[static_cast<size_t>(row)];
    Choose(window, s, {r.left + 1, r.top + 1});
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

void MenuKey(WindowHandle window, PopupState& s, WParam key)
{
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
    case kVKReturn:
        ChooseRow(window, s, s.hot);
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
                ChooseRow(window, s, i);
                return;
            }
        }
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
        if (const int row = RowAt(*s, PointFromLParam(lParam)); row != s->hot) {
            s->hot = row;
            InvalidateRect(window, nullptr, false);
        }
        return 0;
    case msg::LButtonUp:
    case msg::RButtonUp:
        if (RowAt(*s, PointFromLParam(lParam)) >= 0)
            Choose(window, *s, PointFromLParam(lParam));
        return 0;
    case msg::LButtonDown:
    case msg::RButtonDown:
        if (RowAt(*s, PointFromLParam(lParam)) < 0)
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

void SetMenuBarMenu(WindowHandle barWindow, MenuHandle bar)
{
    SetWindowData(barWindow, static_cast<intptr_t>(bar));
    InvalidateRect(barWindow, nullptr, true);
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
    RegisterClassOnce(kPopupClass, PopupProc);
    PopupState state;
    state.menu = request.menu;
    state.owner = request.owner;
    state.helpId = request.helpId;
    int width = 0;
    state.rows = RowRects(request.menu, width);
    const int height = (state.rows.empty() ? 2 : state.rows.back().bottom) + 4;
    const Rect desktop = Host().DesktopRect();
    const int x = std::clamp(request.x, desktop.left, std::max(desktop.left, desktop.right - width - 2));
    const int y = std::clamp(request.y, desktop.top, std::max(desktop.top, desktop.bottom - height - 2));

    CreateParams params;
    params.className = kPopupClass;
    params.style = style::Popup | style::Border;
    params.exStyle = exstyle::TopMost | exstyle::ToolWindow;
    params.rect = Rect::FromSize(x, y, width + 2, height);
    params.owner = request.owner;
    const WindowHandle window = CreateWindow(params);
    if (!window)
        return 0;
    SetWindowData(window, reinterpret_cast<intptr_t>(&state));
    ShowWindow(window, ShowCommand::ShowNoActivate);
    const WindowHandle previousCapture = SetCapture(window);
    while (!state.done && IsWindow(window)) {
        Message message;
        if (!PeekMessage(message)) {
            FlushScreen();
            WaitMessage(50);
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
    SetWindowData(window, 0);
    ReleaseCapture();
    if (previousCapture && IsWindow(previousCapture))
        SetCapture(previousCapture);
    DestroyWindow(window);
    return state.chosen;
}

} // namespace platform
