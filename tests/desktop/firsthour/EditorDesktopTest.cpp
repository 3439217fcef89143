// Patchora on the desktop as a person meets it, with real X input under the
// window manager: quitting whatever is open, tooltips, the menu bar's
// mnemonics and an alert that comes while a mouse button is held.
#include "ScenarioSession.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <sstream>
#include <thread>

namespace firsthour {
namespace {

using namespace std::chrono_literals;
using desktoptest::Center;
using desktoptest::Id;
using desktoptest::MoveTo;
using desktoptest::VirtualDesktop;
using platform::Point;
using platform::Rect;

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

// The toolbar: a window of the frame under its menu bar, the widest one there.
const EditorReport::Window* Toolbar(const EditorReport& r)
{
    const EditorReport::Window* found = nullptr;
    for (const EditorReport::Window& w : r.windows)
        if (!w.document && w.visible && w.rect.top > r.frame.top && w.rect.top < r.frame.top + 120 &&
            (!found || w.rect.Width() > found->rect.Width()))
            found = &w;
    return found;
}

TEST_F(EditorDesktop, ThePointerRestingOnAToolbarButtonShowsItsTip)
{
    const EditorReport started = StartEditor();
    const EditorReport::Window* toolbar = Toolbar(started);
    ASSERT_NE(toolbar, nullptr);
    const Point origin = toolbar->rect.TopLeft();
    struct Case {
        const char* what;
        Point at;        // in the toolbar
        std::string tip; // empty: any tip longer than a tab button's picture text
    };
    const Case cases[] = {
        {"the S button", {577, 11}, "shake cables"},
        {"the first module button of the In/Out tab", {18, 52}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        // Moved on in two steps, as a hand comes to rest.
        Xdo(MoveTo({origin.x + c.at.x - 3, origin.y + c.at.y}) + " sleep 0.1 " +
            MoveTo({origin.x + c.at.x, origin.y + c.at.y}));
        const EditorReport report = session.WaitFor([](const EditorReport& r) { return !r.tooltips.empty(); }, 5s);
        session.Screenshot(std::string("tooltip-") + (c.tip.empty() ? "module" : "shake"));
        ASSERT_EQ(report.tooltips.size(), 1u) << "no tip showed";
        if (c.tip.empty())
            EXPECT_GT(report.tooltips[0].text.size(), 2u) << report.tooltips[0].text;
        else
            EXPECT_EQ(report.tooltips[0].text, c.tip);
        // Near the pointer, below it.
        EXPECT_LE(std::abs(report.tooltips[0].rect.left - (origin.x + c.at.x)), 40);
        EXPECT_GT(report.tooltips[0].rect.top, origin.y + c.at.y);
        // Away: the tip goes.
        Xdo(MoveTo({started.frame.right - 40, started.frame.bottom - 40}));
        EXPECT_TRUE(session.WaitFor([](const EditorReport& r) { return r.tooltips.empty(); }, 5s).tooltips.empty());
    }
}

TEST_F(EditorDesktop, AltAndTheScriptedMnemonicOpenThatMenu)
{
    const EditorReport started = StartEditor();
    ASSERT_GE(started.menuTitles.size(), 5u);
    // File, Edit, Patch, Synth, Setup...: Alt+U is Setup, Alt+S is Synth.
    for (const auto& [keys, title] : {std::pair<std::string, size_t>{"alt+u", 4}, {"alt+s", 3}, {"alt+f", 0}}) {
        SCOPED_TRACE(keys);
        FocusFrame(started);
        const auto shown = session.Desktop().ShownWindows();
        Xdo("key " + keys);
        const auto menu = session.Desktop().WaitForNewWindow(shown, 5s);
        ASSERT_TRUE(menu) << keys << " opened no menu";
        EXPECT_EQ(menu->left, started.menuTitles[title].left);
        EXPECT_EQ(menu->top, started.menuTitles[title].bottom);
        Xdo("key Escape");
        const auto end = std::chrono::steady_clock::now() + 5s;
        while (session.Desktop().ShownWindows().size() > shown.size() && std::chrono::steady_clock::now() < end)
            std::this_thread::sleep_for(20ms);
    }
}

} // namespace
} // namespace firsthour
