#pragma once

// The toolbar worked as a user works it: presses, releases and holds at
// points of the toolbar's client area, and its pixels, on top of an editor
// fixture.

#include "editor/toolbar/TBWindow.h"
#include "platform/graphics/PixelBuffer.h"
#include "platform/input/Keys.h"
#include "platform/windows/Window.h"

#include <gtest/gtest.h>

namespace editortest {

// The voices stepper's halves (left: fewer), the cable button of colour
// index 0, the auto button, the upper and lower halves of the portamento
// and bend steppers, in toolbar coordinates.
namespace at {
constexpr int kVoicesY = 11;
constexpr int kFewerVoicesX = 222;
constexpr int kMoreVoicesX = 234;
constexpr int kCableY = 11;
constexpr int CableX(int colour)
{
    return 467 + 15 * colour;
}
constexpr int kAutoX = 633, kAutoY = 49;
constexpr int kPortamentoX = 652, kBendX = 702;
constexpr int kUpY = 26, kDownY = 38;
constexpr int kNameX = 80, kNameY = 11;
constexpr int kShakeX = 577, kShakeY = 11;
// The slot buttons of the port rows.
constexpr int SlotX(int slot)
{
    return 736 + 17 * slot;
}
constexpr int SlotY(int port)
{
    return 10 + 15 * port;
}
} // namespace at

template <typename Editor> class ToolbarFixture : public Editor {
protected:
    void SetUp() override
    {
        Editor::SetUp();
        if (::testing::Test::HasFatalFailure())
            return;
        if (!this->app)
            this->Launch();
        ASSERT_NE(GetToolbarWindow(), nullptr);
        // The whole toolbar on the screen: the frame over the desktop.
        platform::MoveWindow(this->app->GetFrameHandle(), {0, 0, 1024, 768}, true);
        this->Pump();
    }

    CTBWindow& Toolbar() { return *GetToolbarWindow(); }
    platform::Point At(int x, int y) { return platform::ClientToScreen(Toolbar().GetHandle(), {x, y}); }
    void Press(int x, int y)
    {
        this->desktop.Host().PressMouse(At(x, y));
        this->Pump();
    }
    void Release(int x, int y)
    {
        this->desktop.Host().ReleaseMouse(At(x, y));
        this->Pump();
    }
    void Click(int x, int y)
    {
        Press(x, y);
        Release(x, y);
    }
    void CtrlClick(int x, int y)
    {
        this->desktop.Host().PressKey(platform::kVKControl);
        Click(x, y);
        this->desktop.Host().ReleaseKey(platform::kVKControl);
        this->Pump();
    }
    void Hold(int x, int y, uint64_t ms)
    {
        Press(x, y);
        this->Step(ms);
        Release(x, y);
    }
    platform::PixelBuffer Screen() { return this->desktop.Host().Screen(); }
    uint32_t Pixel(const platform::PixelBuffer& screen, int x, int y)
    {
        const platform::Point p = At(x, y);
        return screen.At(p.x, p.y) & 0xFFFFFFu;
    }
};

} // namespace editortest
