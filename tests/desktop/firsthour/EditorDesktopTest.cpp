// Patchora on the desktop as a person meets it, with real X input under the
// window manager: quitting whatever is open, tooltips, the menu bar's
// mnemonics and an alert that comes while a mouse button is held.
#include "ScenarioSession.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
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

class EditorDesktop : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!VirtualDesktop::WindowManagerPresent())
            GTEST_SKIP() << "Xvfb, xdotool, openbox or wmctrl is not installed";
        std::string why;
        ASSERT_TRUE(session.StartDesktop(why)) << why;
    }

    void TearDown() override
    {
        if (HasFailure()) {
            session.Screenshot("editor-desktop-failed");
            std::printf("--- Patchora's output:\n%s\n", session.EditorLog().c_str());
        }
    }

    // Patchora started, its main window known; the state once it shows.
    EditorReport StartEditor()
    {
        std::string why;
        EXPECT_TRUE(session.StartEditor(why)) << why;
        const EditorReport report = session.WaitFor([](const EditorReport& r) { return !r.menuTitles.empty(); });
        EXPECT_FALSE(report.menuTitles.empty());
        main = report.menuTitles.empty() ? 0 : session.Desktop().WindowAt(Center(report.menuTitles[0]));
        return report;
    }

    void Xdo(const std::string& arguments) { session.Desktop().Xdo(arguments); }
    void Click(Point p) { Xdo(MoveTo(p) + " click 1"); }

    EditorReport WaitForWindow(const std::string& title, bool shown = true)
    {
        return session.WaitFor(
            [&](const EditorReport& r) {
                const EditorReport::Window* w = r.FindWindow(title);
                return (w && w->visible) == shown;
            },
            15s);
    }

    // Clicks into the frame's empty space so that the keys go to the editor.
    void FocusFrame(const EditorReport& report) { Click({report.frame.right - 40, report.frame.bottom - 40}); }

    ScenarioSession session;
    unsigned long main = 0;
};

TEST_F(EditorDesktop, QuittingWithThePatchBrowserOpenEndsWithStatusZeroAndNoXError)
{
    // The browser's windows went in the same moment as a wake-up message
    // meant for them; the answer came when Xlib's fatal handler was back.
    enum class Way { ShortCut, Menu, Manager };
    for (const Way way : {Way::ShortCut, Way::Menu, Way::Manager}) {
        SCOPED_TRACE(way == Way::ShortCut ? "Ctrl+Q" : way == Way::Menu ? "File > Quit" : "the manager's close");
        const EditorReport started = StartEditor();
        ASSERT_NE(main, 0u);
        FocusFrame(started);
        Xdo("key ctrl+b");
        const EditorReport report = session.WaitFor([](const EditorReport& r) {
            for (const EditorReport::Window& w : r.windows)
                if (w.title.rfind("Patch Browser", 0) == 0 && w.visible)
                    return true;
            return false;
        });
        ASSERT_TRUE(std::any_of(report.windows.begin(), report.windows.end(), [](const EditorReport::Window& w) {
            return w.title.rfind("Patch Browser", 0) == 0;
        })) << "Ctrl+B showed no browser";
        if (way == Way::ShortCut) {
            Xdo("key ctrl+q");
        } else if (way == Way::Manager) {
            session.Desktop().Wmctrl("-i -c " + Id(main));
        } else {
            const auto shown = session.Desktop().ShownWindows();
            Click(Center(started.menuTitles[0]));
            ASSERT_TRUE(session.Desktop().WaitForNewWindow(shown)) << "File did not open";
            Xdo("key q");
        }
        EXPECT_EQ(session.WaitForEditorExit(15s), 0);
        const std::string log = session.EditorLog();
        EXPECT_EQ(log.find("X Error"), std::string::npos) << log;
        EXPECT_EQ(log.find("X error"), std::string::npos) << log;
    }
}

} // namespace
} // namespace firsthour
