#pragma once

#include "platform/host/Host.h"
#include "platform/system/VirtualClock.h"

#include <deque>
#include <map>
#include <string>
#include <vector>

namespace platform {

// A desktop in memory: top-level surfaces are composed onto a screen buffer,
// time stands still until the program sleeps or waits (which advance it), and
// input comes only from the calls below. Tests and screenshots use it.
class HeadlessHost : public IHost {
public:
    explicit HeadlessHost(int width = 1024, int height = 768);

    Rect DesktopRect() const override { return {0, 0, width_, height_}; }
    int ColorDepth() const override { return colorDepth_; }
    // The screen's bits per pixel the programs see (32 unless set).
    // Changing it while programs run reports a display change to them.
    void SetColorDepth(int bitsPerPixel);

    SurfaceId CreateSurface(const SurfaceParams& params) override;
    void DestroySurface(SurfaceId id) override;
    void MoveSurface(SurfaceId id, const Rect& rect) override;
    void ShowSurface(SurfaceId id, bool shown) override;
    void RaiseSurface(SurfaceId id) override;
    void SetSurfaceTitle(SurfaceId id, const std::string& title) override;
    void SetSurfaceIcon(SurfaceId id, const PixelBuffer& icon) override { surfaces_[id].icon = icon; }
    // The surface's icon; empty when it has none.
    PixelBuffer SurfaceIcon(SurfaceId id) const;
    void PresentSurface(SurfaceId id, const PixelBuffer& pixels) override;
    void PresentSurfaceRects(SurfaceId id, const PixelBuffer& pixels, const std::vector<Rect>& rects) override;

    bool PollEvent(HostEvent& event) override;
    void WaitForEvent(uint32_t timeoutMs) override;
    IClock* Clock() override { return &clock_; }

    void SetCursor(CursorShape shape) override { cursor_ = shape; }
    Point PointerPosition() const override { return pointer_; }
    void WarpPointer(Point screen) override;

    void Beep() override { ++beeps_; }
    int MessageBox(const std::string& title, const std::string& text, int buttons) override;

    // Input, as a user would give it. Positions are on the desktop.
    void MoveMouse(Point screen);
    void PressMouse(Point screen, int button = 1);
    void ReleaseMouse(Point screen, int button = 1);
    void Click(Point screen, int button = 1);
    // Turns the wheel by notches (positive: away from the user).
    void Wheel(Point screen, int notches);
    void PressKey(uint32_t virtualKey, bool extended = false, bool repeat = false);
    void ReleaseKey(uint32_t virtualKey, bool extended = false);
    void TypeCharacter(char32_t character);
    void RequestClose(SurfaceId id);
    // The program is asked to quit: SIGTERM or SIGINT, or the desktop
    // session ends.
    void RequestQuit();
    // The desktop's window manager moves or sizes the surface.
    void PlaceByDesktop(SurfaceId id, const Rect& rect);
    void DropFile(Point screen, const std::string& path);
    void SetApplicationFocus(bool focused);
    void Advance(uint64_t ms) { clock_.Advance(ms); }
    uint64_t Now() { return clock_.Now(); }

    // What the screen shows now: every shown surface in stacking order.
    PixelBuffer Screen() const;
    const PixelBuffer* SurfacePixels(SurfaceId id) const;
    Rect SurfaceRect(SurfaceId id) const;
    bool IsSurfaceShown(SurfaceId id) const;
    std::string SurfaceTitle(SurfaceId id) const;
    std::vector<SurfaceId> StackingOrder() const { return order_; }
    CursorShape Cursor() const { return cursor_; }
    int Beeps() const { return beeps_; }
    // The answers the next message boxes give (front first); 0 when none is left.
    std::deque<int>& MessageBoxAnswers() { return answers_; }
    const std::vector<std::string>& MessageBoxTexts() const { return boxTexts_; }

private:
    int colorDepth_ = 32;
    struct Surface {
        SurfaceParams params;
        bool shown = false;
        PixelBuffer pixels;
        PixelBuffer icon;
    };
    void Push(HostEvent event);
    void MouseButton(HostEvent::Kind kind, Point screen, int button);
    void Key(HostEvent::Kind kind, uint32_t virtualKey, bool extended, bool repeat);

    int width_;
    int height_;
    CVirtualClock clock_{1000};
    SurfaceId nextId_ = 1;
    std::map<SurfaceId, Surface> surfaces_;
    std::vector<SurfaceId> order_; // bottom to top
    std::deque<HostEvent> events_;
    Point pointer_;
    bool buttonDown_ = false;
    CursorShape cursor_ = CursorShape::Arrow;
    int beeps_ = 0;
    std::deque<int> answers_;
    std::vector<std::string> boxTexts_;
};

} // namespace platform
