#include "platform/host/sdl/SdlHost.h"
#include "platform/base/TextCharacters.h"

#include "platform/host/sdl/SdlX11.h"
#include "platform/host/sdl/X11SharedPixels.h"
#include "platform/graphics/Font.h"
#include "platform/midi/MidiArrival.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

#include <sys/eventfd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

// The drivers SDL has for no desktop at all; only a program that names one
// (SDL_VIDEODRIVER) runs on them.
bool IsStandInVideoDriver(const char* driver)
{
    return driver && (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0);
}

// Ends the main thread's wait from any thread: its wait on the X connection
// also watches this descriptor, and SDL's own wait an event, which carries
// nothing (the message queue asks MidiArrival.h what arrived) and is dropped
// when taken. Made once for the process.
// With no session bus to reach, SDL's start has the D-Bus library launch
// one (it forks dbus-launch, which leaves a bus running behind): time the
// first frame waits for, for the input methods and the screen saver's
// inhibition, which have no session to talk to then anyway. A bus the
// session has, named or in its usual place, is used as before.
void KeepOffLaunchedSessionBus()
{
    if (std::getenv("DBUS_SESSION_BUS_ADDRESS") != nullptr)
        return;
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR")) {
        struct stat bus { };
        if (stat((std::string(runtime) + "/bus").c_str(), &bus) == 0 && S_ISSOCK(bus.st_mode))
            return;
    }
    setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 0);
}

int MidiWakeFd()
{
    static const int fd = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    return fd;
}

void WakeForMidi()
{
    const uint64_t one = 1;
    if (MidiWakeFd() >= 0 && write(MidiWakeFd(), &one, sizeof one) < 0) {
        // Already due to wake (the counter is full): nothing is lost.
    }
    SDL_Event event{};
    event.type = SDL_USEREVENT;
    SDL_PushEvent(&event);
}

void TakeMidiWakes()
{
    uint64_t count = 0;
    if (MidiWakeFd() >= 0 && read(MidiWakeFd(), &count, sizeof count) < 0) {
        // None waiting.
    }
}

struct KeyPair {
    SDL_Keycode sdl;
    uint32_t vk;
};

template <size_t N> std::optional<uint32_t> LookUpKey(const KeyPair (&table)[N], SDL_Keycode key)
{
    for (const KeyPair& p : table)
        if (p.sdl == key)
            return p.vk;
    return std::nullopt;
}

// The keypad with Num Lock off is the cursor block: its 2 is Down, its 7
// Home, its period Delete.
std::optional<uint32_t> KeypadCursorKeyOf(SDL_Keycode key)
{
    static const KeyPair table[] = {
        {SDLK_KP_0, 0x2D}, {SDLK_KP_1, 0x23}, {SDLK_KP_2, 0x28},      {SDLK_KP_3, 0x22},
        {SDLK_KP_4, 0x25}, {SDLK_KP_5, 0x0C}, {SDLK_KP_6, 0x27},      {SDLK_KP_7, 0x24},
        {SDLK_KP_8, 0x26}, {SDLK_KP_9, 0x21}, {SDLK_KP_PERIOD, 0x2E},
    };
    return LookUpKey(table, key);
}

// SDL key codes to the numbering of a standard PC keyboard.
uint32_t VirtualKeyOf(const SDL_Keysym& keysym)
{
    const SDL_Keycode key = keysym.sym;
    if ((keysym.mod & KMOD_NUM) == 0)
        if (const std::optional<uint32_t> cursor = KeypadCursorKeyOf(key))
            return *cursor;
    if (key >= SDLK_a && key <= SDLK_z)
        return 'A' + static_cast<uint32_t>(key - SDLK_a);
    if (key >= SDLK_0 && key <= SDLK_9)
        return '0' + static_cast<uint32_t>(key - SDLK_0);
    if (key >= SDLK_F1 && key <= SDLK_F12)
        return 0x70 + static_cast<uint32_t>(key - SDLK_F1);
    if (key >= SDLK_KP_1 && key <= SDLK_KP_9)
        return 0x61 + static_cast<uint32_t>(key - SDLK_KP_1);
    static const KeyPair table[] = {
        {SDLK_BACKSPACE, 0x08},    {SDLK_TAB, 0x09},          {SDLK_CLEAR, 0x0C},       {SDLK_RETURN, 0x0D},
        {SDLK_KP_ENTER, 0x0D},     {SDLK_LSHIFT, 0x10},       {SDLK_RSHIFT, 0x10},      {SDLK_LCTRL, 0x11},
        {SDLK_RCTRL, 0x11},        {SDLK_LALT, 0x12},         {SDLK_RALT, 0x12},        {SDLK_PAUSE, 0x13},
        {SDLK_CAPSLOCK, 0x14},     {SDLK_ESCAPE, 0x1B},       {SDLK_SPACE, 0x20},       {SDLK_PAGEUP, 0x21},
        {SDLK_PAGEDOWN, 0x22},     {SDLK_END, 0x23},          {SDLK_HOME, 0x24},        {SDLK_LEFT, 0x25},
        {SDLK_UP, 0x26},           {SDLK_RIGHT, 0x27},        {SDLK_DOWN, 0x28},        {SDLK_INSERT, 0x2D},
        {SDLK_DELETE, 0x2E},       {SDLK_LGUI, 0x5B},         {SDLK_RGUI, 0x5C},        {SDLK_APPLICATION, 0x5D},
        {SDLK_KP_0, 0x60},         {SDLK_KP_MULTIPLY, 0x6A},  {SDLK_KP_PLUS, 0x6B},     {SDLK_KP_MINUS, 0x6D},
        {SDLK_KP_PERIOD, 0x6E},    {SDLK_KP_DIVIDE, 0x6F},    {SDLK_F13, 0x7C},         {SDLK_F14, 0x7D},
        {SDLK_F15, 0x7E},          {SDLK_NUMLOCKCLEAR, 0x90}, {SDLK_SCROLLLOCK, 0x91},  {SDLK_SEMICOLON, 0xBA},
        {SDLK_EQUALS, 0xBB},       {SDLK_COMMA, 0xBC},        {SDLK_MINUS, 0xBD},       {SDLK_PERIOD, 0xBE},
        {SDLK_SLASH, 0xBF},        {SDLK_BACKQUOTE, 0xC0},    {SDLK_LEFTBRACKET, 0xDB}, {SDLK_BACKSLASH, 0xDC},
        {SDLK_RIGHTBRACKET, 0xDD}, {SDLK_QUOTE, 0xDE},        {SDLK_LESS, 0xE2},
    };
    return LookUpKey(table, key).value_or(0);
}

bool IsExtended(SDL_Keycode key)
{
    return key == SDLK_KP_ENTER || key == SDLK_KP_DIVIDE || key == SDLK_RCTRL || key == SDLK_RALT ||
        key == SDLK_INSERT || key == SDLK_DELETE || key == SDLK_HOME || key == SDLK_END || key == SDLK_PAGEUP ||
        key == SDLK_PAGEDOWN || key == SDLK_LEFT || key == SDLK_RIGHT || key == SDLK_UP || key == SDLK_DOWN;
}

int ButtonOf(uint8_t sdlButton)
{
    switch (sdlButton) {
    case SDL_BUTTON_LEFT:
        return 1;
    case SDL_BUTTON_RIGHT:
        return 2;
    case SDL_BUTTON_MIDDLE:
        return 3;
    default:
        return 0;
    }
}

SDL_SystemCursor SystemCursorOf(CursorShape shape)
{
    switch (shape) {
    case CursorShape::Arrow:
        return SDL_SYSTEM_CURSOR_ARROW;
    case CursorShape::Wait:
        return SDL_SYSTEM_CURSOR_WAIT;
    case CursorShape::IBeam:
        return SDL_SYSTEM_CURSOR_IBEAM;
    case CursorShape::Cross:
        return SDL_SYSTEM_CURSOR_CROSSHAIR;
    case CursorShape::Hand:
        return SDL_SYSTEM_CURSOR_HAND;
    case CursorShape::SizeNWSE:
        return SDL_SYSTEM_CURSOR_SIZENWSE;
    case CursorShape::SizeNESW:
        return SDL_SYSTEM_CURSOR_SIZENESW;
    case CursorShape::SizeWE:
        return SDL_SYSTEM_CURSOR_SIZEWE;
    case CursorShape::SizeNS:
        return SDL_SYSTEM_CURSOR_SIZENS;
    case CursorShape::SizeAll:
        return SDL_SYSTEM_CURSOR_SIZEALL;
    case CursorShape::No:
        return SDL_SYSTEM_CURSOR_NO;
    }
    return SDL_SYSTEM_CURSOR_ARROW;
}

// The desktop's clipboard, installed while the host lives.
class SdlClipboard : public IClipboard {
public:
    bool HasText() override { return SDL_HasClipboardText() == SDL_TRUE; }
    std::optional<std::string> GetText() override
    {
        char* text = SDL_GetClipboardText();
        if (!text)
            return std::nullopt;
        std::string out = text;
        SDL_free(text);
        return out;
    }
    bool SetText(std::string_view text) override { return SDL_SetClipboardText(std::string(text).c_str()) == 0; }
    void Clear() override { SDL_SetClipboardText(""); }
};

// The font configuration is read in the background from the first pixels
// a window shows on: read while SDL starts, it slowed SDL's start (both
// map and fault in memory of the one process) and kept the first window
// waiting, which shows no text of ours before. A text drawn earlier reads
// the configuration itself.
void ReadFontsOnceShown()
{
    // Asked once, without taking the font lock on every present after.
    static const bool asked = (PrepareFonts(), true);
    static_cast<void>(asked);
}

} // namespace

std::unique_ptr<SdlHost> SdlHost::Create()
{
    // We draw in software: presenting through the window's plain surface
    // keeps OpenGL and its drivers out of the process.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    KeepOffLaunchedSessionBus();
    KeepRunningOnX11Errors();
    // Video alone: the program's timers are its own, and it makes no sound.
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "The desktop could not be reached: %s\n", SDL_GetError());
        return nullptr;
    }
    if (IsStandInVideoDriver(SDL_GetCurrentVideoDriver()) && !std::getenv("SDL_VIDEODRIVER")) {
        // SDL falls back to a driver without a screen when the display does
        // not answer: the program would run with no window anyone can see.
        const char* display = std::getenv("DISPLAY");
        if (display && *display)
            std::fprintf(stderr, "The desktop could not be reached: the display \"%s\" did not answer.\n", display);
        else
            std::fprintf(stderr, "The desktop could not be reached: no display is set (DISPLAY).\n");
        SDL_Quit();
        return nullptr;
    }
    KeepRunningOnX11Errors();
    SDL_EventState(SDL_DROPFILE, SDL_ENABLE);
    // The X server's own events carry the pointer's place on the screen.
    SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
    // The click that activates a window is a click like any other: the
    // user aimed it at a control.
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    // The desktop's close of a window is that window's request alone, even
    // of the only window: what it means (a Cancel, a question, a quit) is
    // the program's to decide. SDL would also ask the program to quit.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    SDL_StartTextInput();
    std::unique_ptr<SdlHost> host(new SdlHost());
    const char* driver = SDL_GetCurrentVideoDriver();
    host->x11Buttons_ = driver && std::strcmp(driver, "x11") == 0;
    host->clipboard_ = std::make_unique<SdlClipboard>();
    MidiWakeFd();
    SetMidiArrivalWaker(WakeForMidi);
    return host;
}

SdlHost::~SdlHost()
{
    SetMidiArrivalWaker(nullptr);
    for (auto& [id, window] : windows_)
        SDL_DestroyWindow(window);
    for (auto& [shape, cursor] : cursors_)
        SDL_FreeCursor(cursor);
    *displayOpen_ = false;
    SDL_Quit();
}

Rect SdlHost::DesktopRect() const
{
    SDL_Rect r{0, 0, 1024, 768};
    SDL_GetDisplayUsableBounds(0, &r);
    return Rect::FromSize(r.x, r.y, r.w, r.h);
}

int SdlHost::ColorDepth() const
{
    SDL_DisplayMode mode;
    if (SDL_GetDesktopDisplayMode(0, &mode) != 0)
        return 32;
    const int bits = static_cast<int>(SDL_BITSPERPIXEL(mode.format));
    return bits == 24 ? 32 : bits;
}

SDL_Window* SdlHost::WindowOf(SurfaceId id) const
{
    auto it = windows_.find(id);
    return it == windows_.end() ? nullptr : it->second;
}

SurfaceId SdlHost::SurfaceOf(uint32_t sdlWindowId) const
{
    SDL_Window* window = SDL_GetWindowFromID(sdlWindowId);
    for (const auto& [id, w] : windows_)
        if (w == window)
            return id;
    return 0;
}

SurfaceId SdlHost::CreateSurface(const SurfaceParams& params)
{
    Uint32 flags = SDL_WINDOW_HIDDEN | SDL_WINDOW_BORDERLESS;
    // Menus and lists are not the manager's to place or focus (they are
    // override-redirect windows); floaters are its utility windows.
    if (params.role == SurfaceRole::Menu)
        flags |= SDL_WINDOW_POPUP_MENU | SDL_WINDOW_SKIP_TASKBAR;
    else if (params.tool)
        flags |= SDL_WINDOW_UTILITY;
    if (params.resizable)
        flags |= SDL_WINDOW_RESIZABLE;
    SDL_Window* window = SDL_CreateWindow(params.title.c_str(), params.rect.left, params.rect.top,
                                          std::max(1, params.rect.Width()), std::max(1, params.rect.Height()), flags);
    if (!window)
        return 0;
    if (SDL_Window* owner = WindowOf(params.owner))
        SDL_SetWindowModalFor(window, owner);
    if (params.role == SurfaceRole::Dialog)
        MarkX11ModalDialog(window);
    const SurfaceId id = nextId_++;
    windows_[id] = window;
    roles_[id] = params.role;
    if (params.owner)
        owners_[id] = params.owner;
    return id;
}

void SdlHost::DestroySurface(SurfaceId id)
{
    if (SDL_Window* window = WindowOf(id)) {
        const bool focused = SDL_GetKeyboardFocus() == window;
        SDL_DestroyWindow(window);
        windows_.erase(id);
        owners_.erase(id);
        roles_.erase(id);
        if (focused)
            FocusOwnerOf(id);
    }
}

void SdlHost::MoveSurface(SurfaceId id, const Rect& rect)
{
    SDL_Window* window = WindowOf(id);
    if (!window)
        return;
    SDL_SetWindowPosition(window, rect.left, rect.top);
    SDL_SetWindowSize(window, std::max(1, rect.Width()), std::max(1, rect.Height()));
    // A window manager may place it elsewhere (keeping it on the screen, or
    // maximised): the program learns where it is.
    const Rect placed = PlaceOf(window);
    if (placed != rect && (SDL_GetWindowFlags(window) & SDL_WINDOW_SHOWN)) {
        HostEvent e;
        e.kind = HostEvent::Kind::Placed;
        e.surface = id;
        e.rect = placed;
        pending_.push_back(e);
    }
}

Rect SdlHost::PlaceOf(SDL_Window* window) const
{
    if (Rect placed; X11PlaceOf(window, placed))
        return placed;
    int x = 0, y = 0, w = 0, h = 0;
    SDL_GetWindowPosition(window, &x, &y);
    SDL_GetWindowSize(window, &w, &h);
    return Rect::FromSize(x, y, w, h);
}

bool SdlHost::TakesNoFocus(SDL_Window* window) const
{
    for (const auto& [id, w] : windows_)
        if (w == window) {
            const auto role = roles_.find(id);
            return role != roles_.end() && (role->second == SurfaceRole::Menu || role->second == SurfaceRole::Floater);
        }
    return false;
}

void SdlHost::ShowSurface(SurfaceId id, bool shown)
{
    SDL_Window* window = WindowOf(id);
    if (!window)
        return;
    if (!shown) {
        const bool focused = SDL_GetKeyboardFocus() == window;
        SDL_HideWindow(window);
        if (focused)
            FocusOwnerOf(id);
        return;
    }
    SDL_Window* focus = SDL_GetKeyboardFocus();
    SDL_ShowWindow(window);
    // Without a window manager SDL gives every shown window the keyboard;
    // floaters (menus, tooltips) leave it where it was.
    if (focus && focus != window && TakesNoFocus(window))
        SDL_SetWindowInputFocus(focus);
}

void SdlHost::FocusOwnerOf(SurfaceId id)
{
    // The keyboard goes back to the owner, else to any shown window: with
    // no window manager it would otherwise go nowhere.
    const auto owner = owners_.find(id);
    SDL_Window* next = owner != owners_.end() ? WindowOf(owner->second) : nullptr;
    for (auto it = windows_.begin(); !next && it != windows_.end(); ++it)
        if (SDL_GetWindowFlags(it->second) & SDL_WINDOW_SHOWN && !TakesNoFocus(it->second))
            next = it->second;
    if (next && (SDL_GetWindowFlags(next) & SDL_WINDOW_SHOWN))
        SDL_SetWindowInputFocus(next);
}

void SdlHost::RaiseSurface(SurfaceId id)
{
    SDL_Window* window = WindowOf(id);
    if (window && (SDL_GetWindowFlags(window) & SDL_WINDOW_SHOWN))
        SDL_RaiseWindow(window);
}

void SdlHost::SetSurfaceTitle(SurfaceId id, const std::string& title)
{
    if (SDL_Window* window = WindowOf(id))
        SDL_SetWindowTitle(window, title.c_str());
}

void SdlHost::SetSurfaceIcon(SurfaceId id, const PixelBuffer& icon)
{
    SDL_Window* window = WindowOf(id);
    if (!window || icon.Width() <= 0 || icon.Height() <= 0)
        return;
    // The buffer's pixels are 0x00RRGGBB: opaque, the alpha byte unused.
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(
        const_cast<uint32_t*>(icon.Data()), icon.Width(), icon.Height(), 32, icon.Width() * 4, SDL_PIXELFORMAT_RGB888);
    if (!surface)
        return;
    SDL_SetWindowIcon(window, surface);
    SDL_FreeSurface(surface);
}

void SdlHost::SetSurfaceTopMost(SurfaceId id, bool topMost)
{
    if (SDL_Window* window = WindowOf(id))
        SDL_SetWindowAlwaysOnTop(window, topMost ? SDL_TRUE : SDL_FALSE);
}

void SdlHost::SetSurfaceModal(SurfaceId id, bool modal)
{
    SDL_Window* window = WindowOf(id);
    if (window && modal && !(SDL_GetWindowFlags(window) & SDL_WINDOW_SHOWN))
        MarkX11ModalDialog(window);
}

void SdlHost::SetSurfaceSizeLimits(SurfaceId id, Point minimum, Point maximum)
{
    // Told to the window manager directly: SDL's own limits would also bind
    // the program's sizes, such as its minimised strip without a manager.
    SDL_Window* window = WindowOf(id);
    if (window && (SDL_GetWindowFlags(window) & SDL_WINDOW_RESIZABLE))
        SetX11SizeLimits(window, minimum, maximum);
}

void SdlHost::SetSurfaceResizable(SurfaceId id, bool resizable)
{
    // A surface that is not resizable tells the window manager its one size
    // (smallest and largest alike): it offers no sizing and no maximising.
    if (SDL_Window* window = WindowOf(id))
        SDL_SetWindowResizable(window, resizable ? SDL_TRUE : SDL_FALSE);
}

bool SdlHost::SetSurfaceShow(SurfaceId id, SurfaceShow show)
{
    SDL_Window* window = WindowOf(id);
    // Without a window manager nobody would iconify or maximise it.
    if (!window || !X11WindowManagerRunning(window))
        return false;
    switch (show) {
    case SurfaceShow::Minimized:
        SDL_MinimizeWindow(window);
        break;
    case SurfaceShow::Maximized:
        SDL_MaximizeWindow(window);
        break;
    case SurfaceShow::Normal:
        SDL_RestoreWindow(window);
        break;
    }
    return true;
}

std::shared_ptr<PixelMemory> SdlHost::SurfaceMemory(SurfaceId id, int width, int height)
{
    return X11SharedPixels::Create(WindowOf(id), width, height, displayOpen_);
}

void SdlHost::PresentSurface(SurfaceId id, const PixelBuffer& pixels)
{
    SDL_Window* window = WindowOf(id);
    if (!window)
        return;
    ReadFontsOnceShown();
    if (const auto* shared = dynamic_cast<const X11SharedPixels*>(pixels.Memory())) {
        shared->Show(window, {Rect{0, 0, pixels.Width(), pixels.Height()}});
        return;
    }
    SDL_Surface* surface = SDL_GetWindowSurface(window);
    if (!surface)
        return;
    const int w = std::min(surface->w, pixels.Width());
    const int h = std::min(surface->h, pixels.Height());
    if (w > 0 && h > 0) {
        SDL_LockSurface(surface);
        SDL_ConvertPixels(w, h, SDL_PIXELFORMAT_ARGB8888, pixels.Data(), pixels.Width() * 4, surface->format->format,
                          surface->pixels, surface->pitch);
        SDL_UnlockSurface(surface);
    }
    SDL_UpdateWindowSurface(window);
    shownOn_[id] = surface;
}

void SdlHost::PresentSurfaceRects(SurfaceId id, const PixelBuffer& pixels, const std::vector<Rect>& rects)
{
    SDL_Window* window = WindowOf(id);
    if (!window)
        return;
    ReadFontsOnceShown();
    if (const auto* shared = dynamic_cast<const X11SharedPixels*>(pixels.Memory())) {
        shared->Show(window, rects);
        return;
    }
    SDL_Surface* surface = SDL_GetWindowSurface(window);
    if (!surface)
        return;
    const auto shown = shownOn_.find(id);
    if (shown == shownOn_.end() || shown->second != surface || surface->w != pixels.Width() ||
        surface->h != pixels.Height()) {
        PresentSurface(id, pixels);
        return;
    }
    std::vector<SDL_Rect> changed;
    changed.reserve(rects.size());
    const int bytes = surface->format->BytesPerPixel;
    SDL_LockSurface(surface);
    for (const Rect& rect : rects) {
        const Rect r = rect.Intersection({0, 0, pixels.Width(), pixels.Height()});
        if (r.IsEmpty())
            continue;
        SDL_ConvertPixels(r.Width(), r.Height(), SDL_PIXELFORMAT_ARGB8888, pixels.Row(r.top) + r.left,
                          pixels.Width() * 4, surface->format->format,
                          static_cast<uint8_t*>(surface->pixels) + r.top * surface->pitch + r.left * bytes,
                          surface->pitch);
        changed.push_back(SDL_Rect{r.left, r.top, r.Width(), r.Height()});
    }
    SDL_UnlockSurface(surface);
    if (!changed.empty())
        SDL_UpdateWindowSurfaceRects(window, changed.data(), static_cast<int>(changed.size()));
}

bool SdlHost::Translate(const void* raw, HostEvent& out)
{
    const SDL_Event& e = *static_cast<const SDL_Event*>(raw);
    switch (e.type) {
    case SDL_SYSWMEVENT: {
        // The window manager's moves of a window without a new size come
        // only as the X server's configure events.
        if (const unsigned long configured = ConfiguredX11Window(e.syswm.msg)) {
            out.kind = HostEvent::Kind::Placed;
            out.surface = SurfaceOfX11(configured);
            if (out.surface)
                out.rect = PlaceOf(WindowOf(out.surface));
            return out.surface != 0;
        }
        X11PointerEvent pointer;
        rootFresh_ = PointerOfX11Event(e.syswm.msg, pointer);
        root_ = pointer.root;
        return rootFresh_ && TakeX11Button(pointer, out);
    }
    case SDL_MOUSEMOTION:
        out.kind = HostEvent::Kind::MouseMove;
        out.surface = SurfaceOf(e.motion.windowID);
        out.screen = PointerOf(e.motion.windowID, e.motion.x, e.motion.y);
        return true;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        if (x11Buttons_)
            return false;
        out.kind = e.type == SDL_MOUSEBUTTONDOWN ? HostEvent::Kind::MouseDown : HostEvent::Kind::MouseUp;
        out.surface = SurfaceOf(e.button.windowID);
        out.screen = PointerOf(e.button.windowID, e.button.x, e.button.y);
        out.button = ButtonOf(e.button.button);
        return out.button != 0;
    case SDL_MOUSEWHEEL: {
        int x = 0;
        int y = 0;
        SDL_GetMouseState(&x, &y);
        out.kind = HostEvent::Kind::Wheel;
        out.surface = SurfaceOf(e.wheel.windowID);
        out.screen = PointerOf(e.wheel.windowID, x, y);
        out.wheel = e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -e.wheel.y : e.wheel.y;
        return out.wheel != 0;
    }
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        out.kind = e.type == SDL_KEYDOWN ? HostEvent::Kind::KeyDown : HostEvent::Kind::KeyUp;
        out.virtualKey = VirtualKeyOf(e.key.keysym);
        out.extended = IsExtended(e.key.keysym.sym);
        out.repeat = e.key.repeat != 0;
        return out.virtualKey != 0;
    case SDL_TEXTINPUT: {
        const std::string_view text = e.text.text;
        for (size_t at = 0; at < text.size();) {
            HostEvent t;
            t.kind = HostEvent::Kind::Text;
            t.character = DecodeCharacter(text, at);
            pending_.push_back(t);
        }
        return false;
    }
    case SDL_WINDOWEVENT:
        out.surface = SurfaceOf(e.window.windowID);
        switch (e.window.event) {
        case SDL_WINDOWEVENT_CLOSE:
            out.kind = HostEvent::Kind::CloseRequest;
            return true;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            out.kind = HostEvent::Kind::FocusGained;
            return true;
        case SDL_WINDOWEVENT_FOCUS_LOST:
            // Focus moving between two windows of the program is no loss.
            out.kind = HostEvent::Kind::FocusLost;
            return SDL_GetKeyboardFocus() == nullptr;
        case SDL_WINDOWEVENT_EXPOSED:
        case SDL_WINDOWEVENT_SHOWN:
            out.kind = HostEvent::Kind::Expose;
            return true;
        case SDL_WINDOWEVENT_MOVED:
        case SDL_WINDOWEVENT_SIZE_CHANGED: {
            // The window manager moved or sized the window (a drag of its
            // own, a keyboard move, snapping, maximising).
            SDL_Window* window = SDL_GetWindowFromID(e.window.windowID);
            if (!window || !out.surface)
                return false;
            out.kind = HostEvent::Kind::Placed;
            out.rect = PlaceOf(window);
            if (e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) {
                HostEvent expose;
                expose.kind = HostEvent::Kind::Expose;
                expose.surface = out.surface;
                pending_.push_back(expose);
            }
            return true;
        }
        case SDL_WINDOWEVENT_MINIMIZED:
            out.kind = HostEvent::Kind::Minimized;
            return true;
        case SDL_WINDOWEVENT_MAXIMIZED:
            out.kind = HostEvent::Kind::Maximized;
            return true;
        case SDL_WINDOWEVENT_RESTORED:
            out.kind = HostEvent::Kind::Restored;
            return true;
        default:
            return false;
        }
    case SDL_DROPFILE:
        out.kind = HostEvent::Kind::DropFile;
        out.surface = SurfaceOf(e.drop.windowID);
        out.screen = PointerPosition();
        out.text = e.drop.file ? e.drop.file : "";
        SDL_free(e.drop.file);
        return !out.text.empty();
    case SDL_QUIT:
        out.kind = HostEvent::Kind::Quit;
        return true;
    case SDL_DISPLAYEVENT:
        out.kind = HostEvent::Kind::DisplayChange;
        return true;
    default:
        return false;
    }
}

SurfaceId SdlHost::SurfaceOfX11(unsigned long x11Window) const
{
    for (const auto& [id, window] : windows_)
        if (X11WindowOf(window) == x11Window)
            return id;
    return 0;
}

bool SdlHost::TakeX11Button(const X11PointerEvent& x, HostEvent& out)
{
    held_ = x.heldBefore;
    if (x.button < 1 || x.button > 3)
        return false; // the wheel's notches come as SDL's events
    held_ = x.press ? held_ | SDL_BUTTON(x.button) : held_ & ~SDL_BUTTON(x.button);
    out.surface = SurfaceOfX11(x.window);
    if (!out.surface)
        return false;
    out.kind = x.press ? HostEvent::Kind::MouseDown : HostEvent::Kind::MouseUp;
    out.screen = pointer_ = x.root;
    out.button = ButtonOf(static_cast<uint8_t>(x.button));
    pointerKnown_ = true;
    rootFresh_ = false;
    return true;
}

bool SdlHost::PollEvent(HostEvent& event)
{
    SDL_Event e;
    while (pending_.empty() && SDL_PollEvent(&e)) {
        HostEvent out;
        if (Translate(&e, out)) {
            event = out;
            return true;
        }
    }
    if (pending_.empty())
        return false;
    event = pending_.front();
    pending_.pop_front();
    return true;
}

void SdlHost::WaitForEvent(uint32_t timeoutMs)
{
    if (!pending_.empty() || SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0)
        return;
    if (windows_.empty() || !WaitForX11Input(windows_.begin()->second, static_cast<int>(timeoutMs), MidiWakeFd()))
        SDL_WaitEventTimeout(nullptr, static_cast<int>(timeoutMs));
    TakeMidiWakes();
}

void SdlHost::SetCursor(CursorShape shape)
{
    SDL_Cursor*& cursor = cursors_[shape];
    if (!cursor)
        cursor = SDL_CreateSystemCursor(SystemCursorOf(shape));
    if (cursor)
        SDL_SetCursor(cursor);
}

Point SdlHost::PointerOf(uint32_t windowId, int x, int y)
{
    // The X server's own screen position of the event when it sent one
    // (while a button is held): the window may have moved since, as a
    // caption drag moves it. Else from the window's place.
    if (rootFresh_) {
        pointer_ = root_;
    } else {
        Point origin;
        if (SDL_Window* window = SDL_GetWindowFromID(windowId))
            origin = PlaceOf(window).TopLeft();
        pointer_ = {origin.x + x, origin.y + y};
    }
    rootFresh_ = false;
    pointerKnown_ = true;
    return pointer_;
}

Point SdlHost::PointerPosition() const
{
    // Over our windows the events' own positions are the freshest.
    if (pointerKnown_ && SDL_GetMouseFocus())
        return pointer_;
    int x = 0, y = 0;
    SDL_GetGlobalMouseState(&x, &y);
    return {x, y};
}

void SdlHost::WarpPointer(Point screen)
{
    SDL_WarpMouseGlobal(screen.x, screen.y);
}

void SdlHost::Beep()
{
    // The X server's bell (SDL has none of its own), else the terminal's.
    if (windows_.empty() || !RingX11Bell(windows_.begin()->second))
        std::fputs("\a", stderr);
}

int SdlHost::MessageBox(const std::string& title, const std::string& text, int buttons)
{
    static const char* labels[] = {"OK", "Cancel", "Retry"};
    const int count = buttons < 1 ? 1 : buttons > 3 ? 3 : buttons;
    SDL_MessageBoxButtonData data[3];
    for (int i = 0; i < count; ++i)
        data[i] = {i == 0 ? static_cast<Uint32>(SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT) : 0u, i, labels[i]};
    // Escape, closing the box or a box that cannot be shown answer with the
    // last button (Cancel), never with OK.
    if (count > 1)
        data[count - 1].flags |= SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT;
    const SDL_MessageBoxData box{
        SDL_MESSAGEBOX_INFORMATION, nullptr, title.c_str(), text.c_str(), count, data, nullptr};
    int pressed = -1;
    if (SDL_ShowMessageBox(&box, &pressed) != 0 || pressed < 0)
        return count - 1;
    return pressed;
}

} // namespace platform
