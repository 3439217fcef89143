#pragma once

#include "platform/host/HostClipboard.h"
#include "platform/host/Host.h"

#include <deque>
#include <map>
#include <memory>

struct SDL_Window;
struct SDL_Cursor;
struct SDL_SysWMmsg;

namespace platform {

struct X11PointerEvent;

// The real desktop through SDL2: each top-level window of the layer is one
// borderless SDL window (the layer draws the caption and borders itself);
// owned windows and floaters are marked transient for their owner so that the
// desktop keeps them above it.
class SdlHost : public IHost {
public:
    // None when no display can be opened.
    static std::unique_ptr<SdlHost> Create();
    ~SdlHost() override;
    SdlHost(const SdlHost&) = delete;
    SdlHost& operator=(const SdlHost&) = delete;

    Rect DesktopRect() const override;
    int ColorDepth() const override;
    IClipboard* Clipboard() override { return clipboard_.get(); }

    SurfaceId CreateSurface(const SurfaceParams& params) override;
    void DestroySurface(SurfaceId id) override;
    void MoveSurface(SurfaceId id, const Rect& rect) override;
    void ShowSurface(SurfaceId id, bool shown) override;
    void RaiseSurface(SurfaceId id) override;
    void SetSurfaceTitle(SurfaceId id, const std::string& title) override;
    void SetSurfaceIcon(SurfaceId id, const PixelBuffer& icon) override;
    void SetSurfaceTopMost(SurfaceId id, bool topMost) override;
    void SetSurfaceModal(SurfaceId id, bool modal) override;
    void SetSurfaceSizeLimits(SurfaceId id, Point minimum, Point maximum) override;
    void SetSurfaceResizable(SurfaceId id, bool resizable) override;
    bool SetSurfaceShow(SurfaceId id, SurfaceShow show) override;
    std::shared_ptr<PixelMemory> SurfaceMemory(SurfaceId id, int width, int height) override;
    void PresentSurface(SurfaceId id, const PixelBuffer& pixels) override;
    void PresentSurfaceRects(SurfaceId id, const PixelBuffer& pixels, const std::vector<Rect>& rects) override;

    bool PollEvent(HostEvent& event) override;
    void WaitForEvent(uint32_t timeoutMs) override;

    void SetCursor(CursorShape shape) override;
    Point PointerPosition() const override;
    void WarpPointer(Point screen) override;

    void Beep() override;
    int MessageBox(const std::string& title, const std::string& text, int buttons) override;

private:
    SdlHost() = default;
    SDL_Window* WindowOf(SurfaceId id) const;
    SurfaceId SurfaceOf(uint32_t sdlWindowId) const;
    SurfaceId SurfaceOfX11(unsigned long x11Window) const;
    // A press or release of buttons 1 to 3 as the X server reported it.
    bool TakeX11Button(const X11PointerEvent& x, HostEvent& out);
    bool Translate(const void* sdlEvent, HostEvent& out);
    void FocusOwnerOf(SurfaceId id);
    bool TakesNoFocus(SDL_Window* window) const;
    // Where the desktop has the surface now.
    Rect PlaceOf(SDL_Window* window) const;

    SurfaceId nextId_ = 1;
    std::map<SurfaceId, SDL_Window*> windows_;
    std::map<SurfaceId, SurfaceId> owners_;
    std::map<SurfaceId, SurfaceRole> roles_;
    // The window surface each surface was last shown on whole: a new one
    // (after a resize) needs all its pixels.
    std::map<SurfaceId, const void*> shownOn_;
    Point PointerOf(uint32_t windowId, int x, int y);

    Point pointer_; // of the last mouse event
    bool pointerKnown_ = false;
    Point root_; // of the last X pointer event
    bool rootFresh_ = false;
    // On X11 the buttons are taken from the X server's own events: SDL
    // drops a press of a button it believes still held, as it does once the
    // release went to another window (the press iconified or closed the
    // window it was on, and the release came after).
    bool x11Buttons_ = false;
    uint32_t held_ = 0; // SDL_BUTTON masks, as of the last X pointer event taken
    std::map<CursorShape, SDL_Cursor*> cursors_;
    std::deque<HostEvent> pending_;
    std::unique_ptr<IClipboard> clipboard_;
    // Until SDL closes the X connection: the shared pixels still out then
    // need not tell the server they go.
    std::shared_ptr<bool> displayOpen_ = std::make_shared<bool>(true);
};

} // namespace platform
