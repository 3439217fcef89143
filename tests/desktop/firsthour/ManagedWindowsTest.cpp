// Patchora's windows as the window manager (openbox) handles them: moved by
// the manager, they take real clicks where they are and keep their places
// across a restart; a modal dialog is one for the manager, and the manager's
// close does not quit behind it.
#include "ScenarioSession.h"

#include <gtest/gtest.h>

#include <sstream>
#include <thread>

namespace firsthour {
namespace {

using namespace std::chrono_literals;
using desktoptest::MoveTo;
using desktoptest::VirtualDesktop;
using platform::Point;
using platform::Rect;

Point Center(const Rect& r)
{
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

std::string Id(unsigned long window)
{
    std::ostringstream out;
    out << "0x" << std::hex << window;
    return out.str();
}

std::string Place(Point p)
{
    return "-e 0," + std::to_string(p.x) + "," + std::to_string(p.y) + ",-1,-1";
}

class ManagedWindows : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!VirtualDesktop::WindowManagerPresent())
            GTEST_SKIP() << "Xvfb, xdotool, openbox or wmctrl is not installed";
        std::string why;
        ASSERT_TRUE(session.StartDesktop(why)) << why;
        ASSERT_NO_FATAL_FAILURE(StartEditor());
    }

    void TearDown() override
    {
        if (HasFailure()) {
            session.Screenshot("managed-windows-failed");
            std::printf("--- Patchora's output:\n%s\n", session.EditorLog().c_str());
        }
    }

    void StartEditor()
    {
        std::string why;
        bool started = false;
        for (int attempt = 0; attempt < 3 && !started; ++attempt)
            started = session.StartEditor(why);
        ASSERT_TRUE(started) << why;
        const EditorReport report = session.WaitFor([](const EditorReport& r) { return !r.menuTitles.empty(); });
        ASSERT_FALSE(report.menuTitles.empty());
        main = Desktop().WindowAt(Center(report.menuTitles[0]));
        ASSERT_NE(main, 0u);
    }

    const VirtualDesktop& Desktop() { return session.Desktop(); }
    Rect XRect(unsigned long window) { return Desktop().Inspect(window).rect; }
    void Click(Point p) { session.Desktop().Xdo(MoveTo(p) + " click 1"); }

    EditorReport WaitForWindow(const std::string& title, bool shown = true)
    {
        return session.WaitFor([&](const EditorReport& r) { return (r.FindWindow(title) != nullptr) == shown; }, 15s);
    }

    ScenarioSession session;
    unsigned long main = 0;
};

TEST_F(ManagedWindows, WindowsMovedByTheManagerTakeClicksThereAndKeepTheirPlaces)
{
    EditorReport report = session.WaitFor([&](const EditorReport& r) { return r.frame == XRect(main); });
    ASSERT_EQ(report.frame, XRect(main)) << "Patchora does not know where the manager put it";
    const Rect before = report.frame;
    const Rect fileTitle = report.menuTitles[0];
    const Point to{before.left + 60, before.top + 40};
    Desktop().Wmctrl("-i -r " + Id(main) + " " + Place(to));
    const Rect moved = before.Offset(to.x - before.left, to.y - before.top);
    report = session.WaitFor([&](const EditorReport& r) { return r.frame == moved; });
    ASSERT_EQ(report.frame, moved) << "Patchora kept the old place";

    // File opens on one click where its title is now.
    auto shown = Desktop().ShownWindows();
    Click(Center(fileTitle.Offset(60, 40)));
    const auto menu = Desktop().WaitForNewWindow(shown, 5s);
    ASSERT_TRUE(menu) << "a click on the moved File title opened nothing";
    EXPECT_EQ(menu->TopLeft(), (Point{fileTitle.left + 60, fileTitle.bottom + 40}));
    session.Desktop().Xdo("key Escape");

    // MIDI Setup: a modal dialog of the main window for the manager.
    Click({moved.right - 40, moved.bottom - 40});
    session.Desktop().Xdo("key ctrl+m");
    report = WaitForWindow("MIDI Setup");
    ASSERT_TRUE(report.FindWindow("MIDI Setup")) << "Ctrl+M opened no MIDI dialog";
    const unsigned long dialog = Desktop().WindowAt(Center(report.FindWindow("MIDI Setup")->rect));
    const VirtualDesktop::WindowInfo info = Desktop().Inspect(dialog);
    EXPECT_TRUE(info.Has("_NET_WM_WINDOW_TYPE_DIALOG"));
    EXPECT_TRUE(info.Has("_NET_WM_STATE_MODAL"));
    EXPECT_EQ(info.transientFor, main);

    // Moved by the manager, its check boxes take one click each where they are.
    Desktop().Wmctrl("-i -r " + Id(dialog) + " " + Place({30, 50}));
    report = session.WaitFor([](const EditorReport& r) {
        const EditorReport::Window* w = r.FindWindow("MIDI Setup");
        return w && w->rect.TopLeft() == Point{30, 50};
    });
    ASSERT_EQ(report.FindWindow("MIDI Setup")->rect.TopLeft(), (Point{30, 50}));
    std::vector<EditorReport::View> boxes;
    for (const EditorReport::View& v : report.ViewsOf("MIDI Setup"))
        if (v.kind == "checkbox")
            boxes.push_back(v);
    ASSERT_EQ(boxes.size(), 4u);
    const bool wasChecked = boxes[1].checked;
    Click(Center(boxes[1].rect));
    report = session.WaitFor([&](const EditorReport& r) {
        std::vector<EditorReport::View> now;
        for (const EditorReport::View& v : r.ViewsOf("MIDI Setup"))
            if (v.kind == "checkbox")
                now.push_back(v);
        return now.size() == 4 && now[1].checked != wasChecked;
    });
    std::vector<EditorReport::View> after;
    for (const EditorReport::View& v : report.ViewsOf("MIDI Setup"))
        if (v.kind == "checkbox")
            after.push_back(v);
    ASSERT_EQ(after.size(), 4u);
    for (size_t i = 0; i < 4; ++i)
        EXPECT_EQ(after[i].checked, i == 1 ? !boxes[i].checked : boxes[i].checked) << "check box " << i;

    // The manager's close of the main window behind the dialog quits nothing.
    Desktop().Wmctrl("-i -c " + Id(main));
    EXPECT_EQ(session.WaitForEditorExit(1500ms), -1) << "the close behind MIDI Setup ended Patchora";
    report = session.Report();
    EXPECT_TRUE(report.FindWindow("MIDI Setup")) << "MIDI Setup went";
    const EditorReport::View* cancel = report.FindView("MIDI Setup", "button", "Cancel");
    ASSERT_NE(cancel, nullptr);
    Click(Center(cancel->rect));
    WaitForWindow("MIDI Setup", false);

    // Closed by the manager now, it quits and keeps the place it was given.
    Desktop().Wmctrl("-i -c " + Id(main));
    EXPECT_EQ(session.WaitForEditorExit(10s), 0);
    ASSERT_NO_FATAL_FAILURE(StartEditor());
    report = session.WaitFor([&](const EditorReport& r) { return r.frame.TopLeft() == moved.TopLeft(); });
    EXPECT_EQ(report.frame.TopLeft(), moved.TopLeft()) << "the place the manager gave was not kept";
    EXPECT_EQ(XRect(main).TopLeft(), moved.TopLeft());
}

} // namespace
} // namespace firsthour
