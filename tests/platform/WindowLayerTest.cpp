// The window layer under the framework: windows, the queue, timers, painting,
// input and the MDI client, on the in-memory desktop.
#include "platform/input/InputState.h"
#include "platform/windows/Mdi.h"
#include "platform/windows/MessageQueue.h"
#include "platform/host/SystemMetrics.h"
#include "platform/windows/Window.h"
#include "platform/windows/WindowPaint.h"
#include "tests/support/HeadlessDesktop.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <vector>

using namespace platform;

namespace {

struct Received {
    WindowHandle window;
    uint32_t message;
    WParam wParam;
    LParam lParam;
};

std::vector<Received> received;
std::map<WindowHandle, LResult> createResults;

LResult RecordingProc(WindowHandle w, uint32_t m, WParam wp, LParam lp)
{
    received.push_back({w, m, wp, lp});
    if (m == msg::Create)
        return createResults.count(w) ? createResults[w] : 0;
    return DefWindowProc(w, m, wp, lp);
}

LResult ChildProc(WindowHandle w, uint32_t m, WParam wp, LParam lp)
{
    received.push_back({w, m, wp, lp});
    return DefMdiChildProc(w, m, wp, lp);
}

class WindowLayerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        received.clear();
        createResults.clear();
        RegisterWindowClass({"Test Window", classstyle::DoubleClicks, RecordingProc, ClassBackground::Window});
        RegisterWindowClass({"Test Document", classstyle::DoubleClicks, ChildProc, ClassBackground::ButtonFace});
    }

    WindowHandle TopLevel(const Rect& rect, uint32_t extra = 0, WindowHandle owner = 0)
    {
        CreateParams p;
        p.className = "Test Window";
        p.title = "Top";
        p.style = style::OverlappedWindow | style::Visible | extra;
        p.rect = rect;
        p.owner = owner;
        return CreateWindow(p);
    }

    WindowHandle Child(WindowHandle parent, const Rect& rect, const char* cls = "Test Window", uint32_t extra = 0)
    {
        CreateParams p;
        p.className = cls;
        p.style = style::Child | style::Visible | extra;
        p.rect = rect;
        p.parent = parent;
        return CreateWindow(p);
    }

    std::vector<uint32_t> MessagesOf(WindowHandle w, std::initializer_list<uint32_t> kinds) const
    {
        std::vector<uint32_t> out;
        for (const Received& r : received)
            if (r.window == w && std::find(kinds.begin(), kinds.end(), r.message) != kinds.end())
                out.push_back(r.message);
        return out;
    }

    // The surface the host shows at this place.
    SurfaceId SurfaceAt(const Rect& rect)
    {
        for (const SurfaceId id : desktop.Host().StackingOrder())
            if (desktop.Host().SurfaceRect(id) == rect)
                return id;
        return 0;
    }

    testsupport::HeadlessDesktop desktop;
};

} // namespace

TEST_F(WindowLayerTest, CreationAndDestructionSendTheirMessagesInOrder)
{
    const WindowHandle top = TopLevel({100, 100, 500, 400});
    const WindowHandle child = Child(top, {0, 0, 50, 50});
    const WindowHandle owned = TopLevel({150, 150, 300, 300}, 0, top);
    EXPECT_EQ(MessagesOf(top, {msg::Create, msg::Size}), (std::vector<uint32_t>{msg::Create, msg::Size}));
    EXPECT_EQ(GetClientRect(top), Rect(0, 0, 392, 273)); // sizing frame 4, caption 19

    received.clear();
    EXPECT_TRUE(DestroyWindow(top));
    std::vector<WindowHandle> destroyed;
    for (const Received& r : received)
        if (r.message == msg::Destroy)
            destroyed.push_back(r.window);
    // Owned windows first; then the window before its children.
    EXPECT_EQ(destroyed, (std::vector<WindowHandle>{owned, top, child}));
    for (WindowHandle h : {top, child, owned})
        EXPECT_FALSE(IsWindow(h));
    EXPECT_EQ(SendMessage(top, msg::User, 0, 0), 0);
    EXPECT_FALSE(DestroyWindow(top));

    // A window that refuses its creation is gone again.
    CreateParams p;
    p.className = "No Such Class";
    EXPECT_EQ(CreateWindow(p), 0u);
}

TEST_F(WindowLayerTest, QueueGivesPostedThenInputThenPaintThenTimers)
{
    const WindowHandle w = TopLevel({0, 0, 200, 200});
    desktop.Pump();
    SetTimer(w, 7, 10);
    desktop.Host().Advance(20);
    InvalidateRect(w, nullptr, false);
    desktop.Host().MoveMouse({50, 50});
    PostMessage(w, msg::User + 1, 0, 0);
    PostQuitMessage(3);
    Message m;
    std::vector<uint32_t> order;
    while (PeekMessage(m)) {
        order.push_back(m.message);
        if (m.message == msg::Paint)
            DispatchMessage(m);
        if (m.message == msg::Timer)
            break;
    }
    EXPECT_EQ(order, (std::vector<uint32_t>{msg::User + 1, msg::MouseMove, msg::Quit, msg::Paint, msg::Timer}));
    EXPECT_EQ(m.wParam, 7u);
    EXPECT_EQ(m.window, w);
}

TEST_F(WindowLayerTest, TimersFollowTheClockAndEndWithTheirWindow)
{
    const WindowHandle w = TopLevel({0, 0, 200, 200});
    desktop.Pump();
    EXPECT_EQ(SetTimer(w, w, 50), w);
    const uintptr_t thread = SetTimer(0, 0, 30);
    EXPECT_NE(thread, 0u);
    int threadTicks = 0;
    desktop.onThreadTimer = [&](const Message& m) { threadTicks += m.wParam == thread; };
    received.clear();
    desktop.Advance(200, 10);
    EXPECT_EQ(MessagesOf(w, {msg::Timer}).size(), 4u);
    EXPECT_EQ(threadTicks, 6);

    KillTimer(0, thread);
    DestroyWindow(w);
    received.clear();
    desktop.Advance(200, 10);
    EXPECT_TRUE(received.empty());
    EXPECT_EQ(SetTimer(w, 1, 10), 0u); // no window, no timer
}

TEST_F(WindowLayerTest, ATimerAlwaysDueDoesNotKeepPaintsOffTheScreen)
{
    // The handler outlasts the timer's interval, so a timer is due at every
    // turn of the loop; each turn paints the window a new colour, which must
    // be on the screen at the next turn.
    const WindowHandle w = TopLevel({0, 0, 200, 200});
    desktop.Pump();
    SetTimer(w, 1, 10);
    const SurfaceId surface = desktop.Host().StackingOrder().back();
    const WindowSurface s = GetWindowSurface(w);
    const Point at{s.clientOrigin.x + 20, s.clientOrigin.y + 20};
    uint32_t painted = 0;
    Message m;
    for (uint32_t turn = 1; turn <= 10; ++turn) {
        desktop.Host().Advance(20);
        ASSERT_TRUE(PeekMessage(m));
        ASSERT_EQ(m.message, msg::Timer);
        if (turn > 1) {
            const PixelBuffer* shown = desktop.Host().SurfacePixels(surface);
            ASSERT_NE(shown, nullptr);
            EXPECT_EQ(shown->At(at.x, at.y), painted) << "turn " << turn;
        }
        painted = MakeRgb(0, 0, static_cast<uint8_t>(turn * 20));
        s.pixels->Set(at.x, at.y, painted);
        SurfaceChanged(w);
    }
}

TEST_F(WindowLayerTest, PaintingTakesTheUpdateRegionAndErasesWithTheClassBackground)
{
    const WindowHandle w = TopLevel({0, 0, 200, 200});
    desktop.Pump();
    const Rect a{10, 10, 20, 20};
    const Rect b{50, 50, 60, 70};
    InvalidateRect(w, &a, true);
    InvalidateRect(w, &b, false);
    Region expected(a);
    expected.CombineWith(Region(b), RegionOp::Or);
    EXPECT_EQ(GetUpdateRegion(w), expected);
    ValidateRect(w, &b);
    EXPECT_EQ(GetUpdateRegion(w), Region(a));

    received.clear();
    desktop.Pump();
    EXPECT_EQ(MessagesOf(w, {msg::Paint, msg::EraseBackground}),
              (std::vector<uint32_t>{msg::Paint, msg::EraseBackground}));
    EXPECT_TRUE(GetUpdateRegion(w).IsEmpty());
    const PixelBuffer shot = CaptureWindow(w);
    const Rect area = GetClientArea(w);
    EXPECT_EQ(shot.At(area.left + 15, area.top + 15), 0xFFFFFFu);

    // A hidden window is not painted.
    ShowWindow(w, ShowCommand::Hide);
    InvalidateRect(w, nullptr, false);
    received.clear();
    desktop.Pump();
    EXPECT_TRUE(MessagesOf(w, {msg::Paint}).empty());
}

TEST_F(WindowLayerTest, ScrollingMovesPixelsAndInvalidatesWhatIsUncovered)
{
    const WindowHandle w = TopLevel({0, 0, 200, 200}, 0);
    desktop.Pump();
    WindowSurface s = GetWindowSurface(w);
    s.pixels->Set(s.clientOrigin.x + 10, s.clientOrigin.y + 10, 0x123456);
    const Rect area{0, 0, 100, 100};
    ScrollWindow(w, 5, 3, &area);
    EXPECT_EQ(s.pixels->At(s.clientOrigin.x + 15, s.clientOrigin.y + 13), 0x123456u);
    Region uncovered(Rect(0, 0, 100, 3));
    uncovered.CombineWith(Region(Rect(0, 3, 5, 100)), RegionOp::Or);
    EXPECT_EQ(GetUpdateRegion(w), uncovered);
}

TEST_F(WindowLayerTest, ChildWindowsShowWhereTheyStandAndWhatTheyUncoverPaintsAgain)
{
    // White top-level (client at 4, 23 on the desktop), grey children.
    const WindowHandle top = TopLevel({0, 0, 300, 300});
    const WindowHandle lower = Child(top, {10, 10, 110, 110}, "Test Document");
    const WindowHandle upper = Child(top, {60, 60, 160, 160}, "Test Document");
    desktop.Pump();
    const Point c = ClientToScreen(top, {0, 0});
    auto at = [&](int x, int y) { return desktop.Host().Screen().At(c.x + x, c.y + y); };
    const uint32_t white = 0xFFFFFF;
    const uint32_t grey = at(20, 20);
    EXPECT_NE(grey, white);
    EXPECT_EQ(at(200, 200), white);

    struct Step {
        const char* what;
        std::function<void()> act;
        Point shown; // grey after the step
        Point gone;  // white after the step
    };
    const std::vector<Step> steps = {
        // Moved without asking for a repaint: the old place is the parent's again.
        {"move",
         [&] {
             MoveWindow(upper, {180, 180, 280, 280}, false);
         },
         {200, 200},
         {150, 150}},
        {"hide", [&] { ShowWindow(lower, ShowCommand::Hide); }, {200, 200}, {20, 20}},
        {"show", [&] { ShowWindow(lower, ShowCommand::Show); }, {20, 20}, {150, 150}},
        {"destroy", [&] { DestroyWindow(upper); }, {20, 20}, {200, 200}},
    };
    for (const Step& step : steps) {
        step.act();
        desktop.Pump();
        EXPECT_EQ(at(step.shown.x, step.shown.y), grey) << step.what;
        EXPECT_EQ(at(step.gone.x, step.gone.y), white) << step.what;
    }

    // The parent's own drawing stays off its children.
    const Rect all{0, 0, 290, 270};
    InvalidateRect(top, &all, true);
    desktop.Pump();
    EXPECT_EQ(at(20, 20), grey);
    EXPECT_EQ(CaptureWindow(lower).At(5, 5), grey);
}

TEST_F(WindowLayerTest, OnlyWhatChangedIsHandedToTheDesktop)
{
    const WindowHandle top = TopLevel({0, 0, 300, 300});
    desktop.Pump();
    const Point c = ClientToScreen(top, {0, 0});
    // A pixel changed behind the layer's back is not shown by a paint
    // elsewhere; the painted part is.
    WindowSurface s = GetWindowSurface(top);
    s.pixels->Set(s.clientOrigin.x + 100, s.clientOrigin.y + 100, 0x123456);
    s.pixels->Set(s.clientOrigin.x + 10, s.clientOrigin.y + 10, 0x123456);
    const Rect painted{0, 0, 50, 50};
    InvalidateRect(top, &painted, true);
    desktop.Pump();
    EXPECT_EQ(desktop.Host().Screen().At(c.x + 100, c.y + 100), 0xFFFFFFu);
    EXPECT_EQ(desktop.Host().Screen().At(c.x + 10, c.y + 10), 0xFFFFFFu); // erased by the paint
    SurfaceChanged(top);
    desktop.Pump();
    EXPECT_EQ(desktop.Host().Screen().At(c.x + 100, c.y + 100), 0x123456u);
}

TEST_F(WindowLayerTest, OneWindowGoesToTheScreenAheadOfTheWindowsUnderIt)
{
    // A start-up picture over a large main window: the picture shows
    // first, and the main window's caption and borders (drawn only as it
    // is shown) follow with the rest.
    const WindowHandle main = TopLevel({0, 0, 600, 500});
    const WindowHandle picture = TopLevel({200, 150, 400, 350}, 0, main);
    const SurfaceId mainSurface = SurfaceAt({0, 0, 600, 500});
    const SurfaceId pictureSurface = SurfaceAt({200, 150, 400, 350});
    ASSERT_NE(mainSurface, 0u);
    ASSERT_NE(pictureSurface, 0u);
    UpdateWindow(picture);
    FlushWindow(picture);
    const Point inPicture = ClientToScreen(picture, {10, 10});
    EXPECT_EQ(desktop.Host().Screen().At(inPicture.x, inPicture.y), 0xFFFFFFu);
    const PixelBuffer* shownMain = desktop.Host().SurfacePixels(mainSurface);
    EXPECT_TRUE(shownMain == nullptr || shownMain->Width() == 0) << "the main window went out with the picture";

    desktop.Pump();
    shownMain = desktop.Host().SurfacePixels(mainSurface);
    ASSERT_NE(shownMain, nullptr);
    const PixelBuffer drawn = CaptureWindow(main);
    ASSERT_EQ(shownMain->Width(), drawn.Width());
    // The caption bar and the left border, down to the bottom row.
    for (const Point p : {Point{40, 10}, Point{1, 250}, Point{1, 498}})
        EXPECT_EQ(shownMain->At(p.x, p.y), drawn.At(p.x, p.y)) << p.x << "," << p.y;
    EXPECT_NE(shownMain->At(40, 10), shownMain->At(40, 100)) << "no caption was drawn";
}

TEST_F(WindowLayerTest, MouseInputReachesTheWindowUnderThePointerOrTheCapture)
{
    const WindowHandle top = TopLevel({100, 100, 400, 400});
    const WindowHandle child = Child(top, {20, 30, 120, 130});
    desktop.Pump();
    const Point inChild = ClientToScreen(child, {5, 6});
    received.clear();
    desktop.Host().Click(inChild);
    desktop.Host().Advance(100);
    desktop.Host().Click(inChild);
    desktop.Pump();
    EXPECT_EQ(MessagesOf(child, {msg::LButtonDown, msg::LButtonUp, msg::LButtonDoubleClick}),
              (std::vector<uint32_t>{msg::LButtonDown, msg::LButtonUp, msg::LButtonDoubleClick, msg::LButtonUp}));
    for (const Received& r : received) {
        if (r.window == child && r.message == msg::LButtonDown) {
            EXPECT_EQ(PointFromLParam(r.lParam), (Point{5, 6}));
        }
    }
    EXPECT_EQ(GetActiveWindow(), top);

    // With the capture, a release far away still reaches the capturing window.
    SetCapture(child);
    received.clear();
    desktop.Host().ReleaseMouse({10, 10});
    desktop.Pump();
    EXPECT_EQ(MessagesOf(child, {msg::LButtonUp}).size(), 1u);
    ReleaseCapture();
    EXPECT_EQ(MessagesOf(child, {msg::CaptureChanged}).size(), 1u);
}

TEST_F(WindowLayerTest, AClickOnADisabledOwnerBeepsAndBringsItsDialogForward)
{
    const WindowHandle owner = TopLevel({0, 0, 300, 300});
    const WindowHandle dialog = TopLevel({400, 400, 500, 500}, 0, owner);
    EnableWindow(owner, false);
    SetActiveWindow(owner);
    EXPECT_EQ(GetActiveWindow(), dialog); // a disabled window is not activated
    SetActiveWindow(0);
    received.clear();
    desktop.Host().Click({100, 100});
    desktop.Pump();
    EXPECT_EQ(desktop.Host().Beeps(), 1);
    EXPECT_EQ(GetActiveWindow(), dialog);
    EXPECT_TRUE(MessagesOf(owner, {msg::LButtonDown}).empty());

    // The desktop's close (the window manager's, Alt+F4) is refused the same way.
    SetActiveWindow(0);
    desktop.Host().RequestClose(SurfaceAt({0, 0, 300, 300}));
    desktop.Pump();
    EXPECT_TRUE(IsWindow(owner));
    EXPECT_TRUE(MessagesOf(owner, {msg::Close}).empty());
    EXPECT_EQ(desktop.Host().Beeps(), 2);
    EXPECT_EQ(GetActiveWindow(), dialog);
}

TEST_F(WindowLayerTest, AWindowTheDesktopMovedOrSizedTakesClicksAtItsNewPlace)
{
    const WindowHandle w = TopLevel({100, 100, 300, 300});
    const WindowHandle below = TopLevel({0, 0, 1000, 700});
    const WindowHandle child = Child(w, {0, 0, 50, 50});
    BringWindowToTop(w);
    desktop.Pump();
    const Rect moved{500, 300, 700, 500};
    desktop.Host().PlaceByDesktop(SurfaceAt({100, 100, 300, 300}), moved);
    desktop.Pump();
    EXPECT_EQ(GetWindowRect(w), moved);
    EXPECT_EQ(MessagesOf(w, {msg::Move}), std::vector<uint32_t>{msg::Move});
    received.clear();
    const Point inChild = ClientToScreen(child, {10, 10});
    EXPECT_EQ(inChild.x, moved.left + GetClientArea(w).left + 10);
    desktop.Host().Click(inChild);
    desktop.Pump();
    EXPECT_EQ(MessagesOf(child, {msg::LButtonDown}), std::vector<uint32_t>{msg::LButtonDown});
    EXPECT_TRUE(MessagesOf(below, {msg::LButtonDown}).empty());
    // Sized: the window lays out for its new size, and the desktop is not asked again.
    const Rect sized{500, 300, 900, 650};
    desktop.Host().PlaceByDesktop(SurfaceAt(moved), sized);
    desktop.Pump();
    EXPECT_EQ(GetWindowRect(w), sized);
    EXPECT_EQ(MessagesOf(w, {msg::Size}), std::vector<uint32_t>{msg::Size});
    EXPECT_EQ(GetClientRect(w).Width(), sized.Width() - 2 * GetClientArea(w).left);
}

TEST_F(WindowLayerTest, DraggingTheCaptionMovesAndTheBorderSizes)
{
    const WindowHandle w = TopLevel({100, 100, 300, 300});
    desktop.Pump();
    desktop.Host().PressMouse({150, 110}); // on the caption
    desktop.Host().MoveMouse({170, 140});
    desktop.Host().ReleaseMouse({170, 140});
    desktop.Pump();
    EXPECT_EQ(GetWindowRect(w), Rect(120, 130, 320, 330));

    desktop.Host().PressMouse({318, 328}); // the bottom-right corner
    desktop.Host().MoveMouse({100, 100});  // far too small: held at the minimum
    desktop.Host().ReleaseMouse({100, 100});
    desktop.Pump();
    EXPECT_EQ(GetWindowRect(w).TopLeft(), (Point{120, 130}));
    EXPECT_EQ(GetWindowRect(w).Width(), 60);
    EXPECT_EQ(GetWindowRect(w).Height(), 60);
}

namespace {

class MdiTest : public WindowLayerTest {
protected:
    void SetUp() override
    {
        WindowLayerTest::SetUp();
        frame = TopLevel({0, 0, 608, 427});
        CreateParams p;
        p.className = kMdiClientClass;
        p.style = style::Child | style::Visible;
        p.parent = frame;
        p.rect = GetClientRect(frame); // 600 x 400
        client = CreateWindow(p);
        for (int i = 0; i < 3; ++i)
            documents.push_back(Child(client, Rect::FromSize(200 + i * 10, 100, 200, 150), "Test Document",
                                      style::Caption | style::SysMenu | style::ThickFrame | style::MaximizeBox));
        desktop.Pump();
    }
    WindowHandle Active() const { return static_cast<WindowHandle>(SendMessage(client, msg::MdiGetActive, 0, 0)); }

    WindowHandle frame = 0;
    WindowHandle client = 0;
    std::vector<WindowHandle> documents;
};

} // namespace

TEST_F(MdiTest, ShowingAndClickingActivateADocument)
{
    EXPECT_EQ(Active(), documents[2]);
    EXPECT_EQ(GetFocus(), documents[2]);
    received.clear();
    desktop.Host().Click(ClientToScreen(documents[0], {2, 2}));
    desktop.Pump();
    EXPECT_EQ(Active(), documents[0]);
    EXPECT_EQ(GetChild(client, CountChildren(client) - 1), documents[0]); // on top
    EXPECT_EQ(MessagesOf(documents[2], {msg::NcActivate, msg::MdiActivate}),
              (std::vector<uint32_t>{msg::NcActivate, msg::MdiActivate}));
    EXPECT_EQ(MessagesOf(documents[0], {msg::NcActivate, msg::MdiActivate, msg::LButtonDown}),
              (std::vector<uint32_t>{msg::NcActivate, msg::MdiActivate, msg::LButtonDown}));

    // Closing the active document activates the one below it.
    SendMessage(documents[0], msg::Close, 0, 0);
    EXPECT_FALSE(IsWindow(documents[0]));
    EXPECT_EQ(Active(), documents[2]);
}

TEST_F(MdiTest, CascadeTileMaximiseAndRestore)
{
    SendMessage(client, msg::MdiCascade, 0, 0);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(GetWindowRectInParent(documents[static_cast<size_t>(i)]).TopLeft(), (Point{23 * i, 23 * i}));

    SendMessage(client, msg::MdiTile, kTileVertical, 0);
    EXPECT_EQ(GetWindowRectInParent(documents[0]), Rect(0, 0, 300, 200));
    EXPECT_EQ(GetWindowRectInParent(documents[1]), Rect(300, 0, 600, 200));
    EXPECT_EQ(GetWindowRectInParent(documents[2]), Rect(0, 200, 300, 400));

    const Rect before = GetWindowRectInParent(documents[1]);
    SendMessage(client, msg::MdiMaximize, documents[1], 0);
    EXPECT_TRUE(IsMaximized(documents[1]));
    EXPECT_EQ(Active(), documents[1]);
    EXPECT_EQ(GetWindowRectInParent(documents[1]), GetClientRect(client));
    // A maximised document follows the client's size.
    MoveWindow(client, {0, 0, 500, 300}, true);
    EXPECT_EQ(GetWindowRectInParent(documents[1]), Rect(0, 0, 500, 300));
    SendMessage(client, msg::MdiRestore, documents[1], 0);
    EXPECT_FALSE(IsMaximized(documents[1]));
    EXPECT_EQ(GetWindowRectInParent(documents[1]), before);
}

TEST(SystemMetricsTest, FixedSizes)
{
    EXPECT_EQ(GetDialogBaseUnits() & 0xFFFF, 8u);
    EXPECT_EQ(GetDialogBaseUnits() >> 16, 16u);
    EXPECT_EQ(GetSystemMetric(Metric::DialogFrameX), 3);
    EXPECT_EQ(GetSystemMetric(Metric::SizingFrameY), 4);
    EXPECT_EQ(GetSystemMetric(Metric::CaptionHeight), 19);
    EXPECT_EQ(GetSystemMetric(Metric::ScrollBarWidth), 16);
    testsupport::HeadlessDesktop desktop(640, 480);
    EXPECT_EQ(GetDesktopRect(), Rect(0, 0, 640, 480));
    EXPECT_EQ(GetScreenColorDepth(), 32);
}
