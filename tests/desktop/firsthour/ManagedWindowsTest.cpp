// Patchora's windows as the window manager (openbox) handles them: moved by
// the manager, they take real clicks where they are and keep their places
// across a restart; a modal dialog is one for the manager, and the manager's
// close does not quit behind it.
#include "ScenarioSession.h"
#include "tests/support/RequiredTools.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
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

std::string Place(Point p)
{
    return "-e 0," + std::to_string(p.x) + "," + std::to_string(p.y) + ",-1,-1";
}

class ManagedWindows : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (testsupport::Unavailable({.programs = VirtualDesktop::Tools(true), .jackServer = true}))
            return;
        std::string why;
        ASSERT_TRUE(session.StartDesktop(why)) << why;
        // Rows for the browser's disk page, which starts in the home folder.
        for (const char* folder : {"Alpha", "Bravo", "Charlie"})
            std::filesystem::create_directories(session.Folder().File("home") + "/" + folder);
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
        ASSERT_TRUE(session.StartEditor(why)) << why;
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

    // The module tabs of the main window's toolbar, left to right (the
    // browser's tabs are its own).
    static std::vector<EditorReport::View> ToolbarTabs(const EditorReport& r)
    {
        const EditorReport::Window* browser = r.FindWindow("Patch Browser");
        std::vector<EditorReport::View> tabs;
        for (const EditorReport::View& v : r.views)
            if (v.kind == "tab" && !(browser && v.window == browser->number))
                tabs.push_back(v);
        return tabs;
    }

    static int SelectedTab(const std::vector<EditorReport::View>& tabs)
    {
        for (size_t i = 0; i < tabs.size(); ++i)
            if (tabs[i].checked)
                return static_cast<int>(i);
        return -1;
    }

    // One click on the toolbar's tab: it, and only it, is selected then.
    void ClickToolbarTab(size_t index)
    {
        const std::vector<EditorReport::View> tabs = ToolbarTabs(session.Report());
        ASSERT_LT(index, tabs.size());
        ASSERT_FALSE(tabs[index].checked);
        Click(Center(tabs[index].rect));
        const EditorReport report =
            session.WaitFor([&](const EditorReport& r) { return SelectedTab(ToolbarTabs(r)) == int(index); }, 5s);
        EXPECT_EQ(SelectedTab(ToolbarTabs(report)), int(index)) << "one click on tab " << tabs[index].text;
    }

    ScenarioSession session;
    unsigned long main = 0;
};

// The browser's rows are 19 pixels high from the top of its list, which
// starts below the top of its scroll bar; a selected row shows its text
// white on black, from 2 pixels below the row's top.
constexpr int kBrowserRow = 19;

class BrowserRows {
public:
    BrowserRows(const VirtualDesktop& desktop, const EditorReport& report) : desktop_(desktop)
    {
        const EditorReport::Window* browser = report.FindWindow("Patch Browser");
        if (const EditorReport::View* bar = browser ? report.FindView("Patch Browser", "scrollbar", "") : nullptr)
            list_ = Rect{browser->rect.left, bar->rect.top + 1, bar->rect.left, bar->rect.bottom};
    }

    bool Found() const { return list_.Width() > 0; }
    Point Middle(int row) const { return {list_.left + list_.Width() / 2, RowTop(row) + kBrowserRow / 2}; }
    // True when the row shows selected: a run of black across its text's top.
    bool Selected(int row) const
    {
        const platform::PixelBuffer line =
            desktop_.Grab(Rect{list_.left, RowTop(row) + 2, list_.right, RowTop(row) + 3});
        int run = 0;
        for (int x = 0; x < line.Width() && run < 8; ++x)
            run = (line.At(x, 0) & 0xFFFFFF) == 0 ? run + 1 : 0;
        return run >= 8;
    }

private:
    int RowTop(int row) const { return list_.top + row * kBrowserRow; }

    const VirtualDesktop& desktop_;
    Rect list_;
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
    // A dialog keeps its size: the manager cannot size it.
    const Rect dialogRect = XRect(dialog);
    Desktop().Wmctrl("-i -r " + Id(dialog) + " -e 0,-1,-1,200,120");
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(XRect(dialog), dialogRect) << "the manager sized MIDI Setup";
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

TEST_F(ManagedWindows, TheFloaterDragsOnOneClickAndGoesAndComesBackWithTheMinimisedMainWindow)
{
    EditorReport report = session.WaitFor([&](const EditorReport& r) { return r.frame == XRect(main); });
    ASSERT_EQ(report.frame, XRect(main));
    const Rect frame = report.frame;
    // Tools > Keyboard Floater, each by one click.
    auto shown = Desktop().ShownWindows();
    Click(Center(report.menuTitles.at(5)));
    const auto menu = Desktop().WaitForNewWindow(shown, 5s);
    ASSERT_TRUE(menu) << "Tools did not open";
    session.Desktop().Xdo(MoveTo({menu->left + 30, menu->top + 3 + 20 + 10}) + " " +
                          MoveTo({menu->left + 31, menu->top + 3 + 20 + 10}) + " click 1");
    const auto floaterOf = [](const EditorReport& r) -> const EditorReport::Window* {
        for (const EditorReport::Window& w : r.windows)
            if (w.title.find("Keyboard") != std::string::npos && w.visible)
                return &w;
        return nullptr;
    };
    report = session.WaitFor([&](const EditorReport& r) { return floaterOf(r) != nullptr; });
    ASSERT_NE(floaterOf(report), nullptr) << "one click on Keyboard Floater showed no floater";
    const Rect placed = floaterOf(report)->rect;
    const unsigned long floater = Desktop().WindowAt({placed.left + 40, placed.top + 6});
    ASSERT_NE(floater, 0u);
    ASSERT_NE(floater, main);
    EXPECT_EQ(XRect(floater), placed);

    // The main window active, one drag on the floater's caption moves it.
    Click({frame.right - 40, frame.bottom - 40});
    const Point grip{placed.left + 40, placed.top + 5};
    session.Desktop().Xdo(MoveTo(grip) + " mousedown 1 sleep 0.1 " + MoveTo({grip.x + 20, grip.y + 20}) +
                          " sleep 0.05 " + MoveTo({grip.x + 50, grip.y + 40}) + " sleep 0.1 mouseup 1");
    const Rect dragged = placed.Offset(50, 40);
    report = session.WaitFor([&](const EditorReport& r) { return floaterOf(r) && floaterOf(r)->rect == dragged; });
    ASSERT_NE(floaterOf(report), nullptr);
    EXPECT_EQ(floaterOf(report)->rect, dragged) << "the first drag of the inactive floater did not move it";
    EXPECT_EQ(XRect(floater), dragged);

    // The manager sizes the floater as far as the floater's own sizing
    // does, and no further: its keys (at least 32 pixels high) always fit.
    const auto sameSize = [](const Rect& a, const Rect& b) {
        return a.Width() == b.Width() && a.Height() == b.Height();
    };
    const auto settled = [&](const Rect& unlike) {
        return session.WaitFor([&](const EditorReport& r) {
            return floaterOf(r) && !sameSize(floaterOf(r)->rect, unlike) && floaterOf(r)->rect == XRect(floater);
        });
    };
    const auto sizeByCorner = [&](Point to) {
        const Rect now = XRect(floater);
        const Point corner{now.right - 2, now.bottom - 2};
        session.Desktop().Xdo(MoveTo(corner) + " mousedown 1 sleep 0.1 " + MoveTo({corner.x + 10, corner.y + 10}) +
                              " sleep 0.05 " + MoveTo(to) + " sleep 0.1 mouseup 1");
        return settled(now);
    };
    report = sizeByCorner({dragged.left + 5, dragged.top + 5});
    ASSERT_NE(floaterOf(report), nullptr) << "the floater's own sizing did not shrink it";
    const Rect smallest = floaterOf(report)->rect;
    report = sizeByCorner({smallest.right + 60, smallest.bottom + 200});
    ASSERT_NE(floaterOf(report), nullptr) << "the floater's own sizing did not grow it";
    const Rect tallest = floaterOf(report)->rect;
    Desktop().Wmctrl("-i -r " + Id(floater) + " -e 0,-1,-1,10,10");
    report = settled(tallest);
    ASSERT_NE(floaterOf(report), nullptr);
    EXPECT_EQ(XRect(floater).Width(), smallest.Width()) << "the manager made the floater narrower than its keys";
    EXPECT_GT(XRect(floater).Height(), 32) << "the manager made the floater lower than its keys";
    Desktop().Wmctrl("-i -r " + Id(floater) + " -e 0,-1,-1," + std::to_string(tallest.Width()) + ",700");
    report = settled(smallest);
    ASSERT_NE(floaterOf(report), nullptr);
    EXPECT_EQ(XRect(floater).Height(), tallest.Height()) << "the manager made the floater taller than its keys";
    const Rect floaterBefore = XRect(floater);

    // The main window's own minimise button: both go to the manager's icon...
    const Point minimise{frame.right - 4 - 2 - 2 * 17 - 8, frame.top + 4 + 2 + 7};
    Click(minimise);
    const auto gone = [&](unsigned long w) { return !Desktop().Inspect(w).viewable; };
    const auto end = std::chrono::steady_clock::now() + 10s;
    while ((!gone(main) || !gone(floater)) && std::chrono::steady_clock::now() < end)
        std::this_thread::sleep_for(50ms);
    EXPECT_TRUE(Desktop().Inspect(main).Has("_NET_WM_STATE_HIDDEN")) << "the manager was not told";
    EXPECT_TRUE(gone(main));
    EXPECT_TRUE(gone(floater)) << "the floater stayed on the screen";
    // ...and the manager brings both back where they were, taking clicks.
    Desktop().Wmctrl("-i -a " + Id(main));
    const auto back = std::chrono::steady_clock::now() + 10s;
    while ((gone(main) || gone(floater)) && std::chrono::steady_clock::now() < back)
        std::this_thread::sleep_for(50ms);
    EXPECT_EQ(XRect(main), frame);
    EXPECT_EQ(XRect(floater), floaterBefore);
    shown = Desktop().ShownWindows();
    Click(Center(report.menuTitles.at(0)));
    EXPECT_TRUE(Desktop().WaitForNewWindow(shown, 5s)) << "the restored main window takes no clicks";
    session.Desktop().Xdo("key Escape");
}

TEST_F(ManagedWindows, MovedByTheManagerTheToolbarsTabsAndTheBrowsersRowsTakeOneClickEachWhereTheyAre)
{
    EditorReport report = session.WaitFor([&](const EditorReport& r) { return r.frame == XRect(main); });
    const Rect before = report.frame;
    const Point to{before.left + 40, before.top + 30};
    Desktop().Wmctrl("-i -r " + Id(main) + " " + Place(to));
    const Rect moved = before.Offset(40, 30);
    report = session.WaitFor([&](const EditorReport& r) { return r.frame == moved; });
    ASSERT_EQ(report.frame, moved) << "Patchora kept the old place";
    const std::vector<EditorReport::View> tabs = ToolbarTabs(report);
    ASSERT_GE(tabs.size(), 4u) << "the toolbar shows no module tabs";
    ASSERT_EQ(SelectedTab(tabs), 0);
    ASSERT_NO_FATAL_FAILURE(ClickToolbarTab(2));

    // The browser, below the moved toolbar.
    Click({moved.right - 40, moved.bottom - 40});
    session.Desktop().Xdo("key ctrl+b");
    report = WaitForWindow("Patch Browser");
    const BrowserRows rows(Desktop(), report);
    ASSERT_TRUE(rows.Found()) << "Ctrl+B showed no browser list";
    const auto end = std::chrono::steady_clock::now() + 5s;
    while (Desktop().WindowAt(rows.Middle(1)) == main && std::chrono::steady_clock::now() < end)
        std::this_thread::sleep_for(50ms);
    Click(rows.Middle(1));
    const auto selected = [&](int row) {
        const auto end = std::chrono::steady_clock::now() + 5s;
        while (!rows.Selected(row) && std::chrono::steady_clock::now() < end)
            std::this_thread::sleep_for(50ms);
        return rows.Selected(row);
    };
    EXPECT_TRUE(selected(1)) << "one click on the browser's second row did not select it";
    EXPECT_FALSE(rows.Selected(0));
    EXPECT_FALSE(rows.Selected(2));

    // The browser active, one click on a tab of the main window's toolbar
    // selects it; back in the browser, one click selects another row.
    ASSERT_NO_FATAL_FAILURE(ClickToolbarTab(3));
    Click(rows.Middle(2));
    EXPECT_TRUE(selected(2)) << "the click that activated the browser did not select the row under it";
    EXPECT_FALSE(rows.Selected(1));
    session.Screenshot("managed-windows-browser-row");
}

// Closed by Ctrl+B, the browser leaves the screen wholly (the manager once
// kept a corner of a window parked off screen at the screen's top left) and
// comes back where it was.
TEST_F(ManagedWindows, TheBrowserClosedByCtrlBLeavesNothingOnTheScreenAndComesBackWhereItWas)
{
    const EditorReport started = session.WaitFor([&](const EditorReport& r) { return r.frame == XRect(main); });
    Click({started.frame.right - 40, started.frame.bottom - 40});
    session.Desktop().Xdo("key ctrl+b");
    EditorReport report = session.WaitFor([](const EditorReport& r) {
        const EditorReport::Window* w = r.FindWindow("Patch Browser");
        return w && w->visible;
    });
    const EditorReport::Window* shown = report.FindWindow("Patch Browser");
    ASSERT_TRUE(shown && shown->visible) << "Ctrl+B showed no browser";
    const Rect place = shown->rect;
    const unsigned long browser = Desktop().WindowAt(Center(place));
    ASSERT_NE(browser, 0u);
    ASSERT_NE(browser, main);
    const auto viewable = [&](bool wanted) {
        const auto end = std::chrono::steady_clock::now() + 10s;
        while (Desktop().Inspect(browser).viewable != wanted && std::chrono::steady_clock::now() < end)
            std::this_thread::sleep_for(50ms);
        return Desktop().Inspect(browser).viewable;
    };

    session.Desktop().Xdo("key ctrl+b");
    report = session.WaitFor([](const EditorReport& r) {
        const EditorReport::Window* w = r.FindWindow("Patch Browser");
        return !w || !w->visible;
    });
    EXPECT_FALSE(viewable(false)) << "the closed browser is still mapped at " << Desktop().Inspect(browser).rect.left
                                  << "," << Desktop().Inspect(browser).rect.top;
    EXPECT_EQ(Desktop().ShownWindows().count(browser), 0u);
    session.Screenshot("managed-windows-browser-closed");

    session.Desktop().Xdo("key ctrl+b");
    report = session.WaitFor([&](const EditorReport& r) {
        const EditorReport::Window* w = r.FindWindow("Patch Browser");
        return w && w->visible && w->rect == place;
    });
    const EditorReport::Window* back = report.FindWindow("Patch Browser");
    ASSERT_TRUE(back && back->visible) << "Ctrl+B did not bring the browser back";
    EXPECT_EQ(back->rect, place);
    EXPECT_TRUE(viewable(true));
}

TEST_F(ManagedWindows, TheManagerSizesTheMainWindowNoSmallerThanItsMenusToolbarAndAPatchWindowNeed)
{
    EditorReport report = session.WaitFor([&](const EditorReport& r) { return r.frame == XRect(main); });
    const Rect normal = report.frame;
    const Rect lastTitle = report.menuTitles.back();
    // The smallest patch window that stays usable (a column of modules, a
    // few rows of each area) with its frame, and how far the toolbar's
    // controls reach (its port rows' flash meters).
    constexpr int kPatchWindowWidth = 280;
    constexpr int kPatchWindowHeight = 147;
    constexpr int kToolbarReach = 1003;
    const auto sizedTo = [&](int width, int height) {
        const Rect was = XRect(main);
        Desktop().Wmctrl("-i -r " + Id(main) + " -e 0,-1,-1," + std::to_string(width) + "," + std::to_string(height));
        return session.WaitFor([&](const EditorReport& r) { return XRect(main) != was && r.frame == XRect(main); });
    };
    report = sizedTo(1150, 900);
    const Rect roomy = XRect(main);
    ASSERT_EQ(roomy.Width(), 1150) << "the manager could not size the main window";
    EXPECT_EQ(report.frame, roomy) << "Patchora did not take the manager's size";
    report = sizedTo(200, 150);
    const Rect smallest = XRect(main);
    EXPECT_EQ(report.frame, smallest) << "Patchora did not take the manager's size";
    EXPECT_EQ(smallest.TopLeft(), normal.TopLeft());
    EXPECT_LT(smallest.Width(), roomy.Width());
    EXPECT_LT(smallest.Height(), roomy.Height());
    // It stops where the menu titles, the toolbar and a patch window fit.
    const std::vector<EditorReport::View> tabs = ToolbarTabs(report);
    ASSERT_FALSE(tabs.empty());
    const int client = smallest.left + 4;
    EXPECT_GE(smallest.right - 4, lastTitle.right) << "the last menu title is cut";
    EXPECT_GE(smallest.right - 4, client + kToolbarReach) << "the toolbar's port rows are cut";
    EXPECT_GE(smallest.Width() - 8, kPatchWindowWidth);
    const int toolbarBottom = tabs[0].rect.top - 24 + 66;
    EXPECT_GE(smallest.bottom - 4 - toolbarBottom, kPatchWindowHeight) << "no room for a patch window";
    // Asked for less again, the manager keeps that size.
    Desktop().Wmctrl("-i -r " + Id(main) + " -e 0,-1,-1,10,10");
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(XRect(main), smallest);

    // The contents follow the size: the last tab and the File menu take
    // one click where they are.
    ASSERT_NO_FATAL_FAILURE(ClickToolbarTab(tabs.size() - 1));
    const auto shown = Desktop().ShownWindows();
    Click(Center(report.menuTitles[0]));
    EXPECT_TRUE(Desktop().WaitForNewWindow(shown, 5s)) << "a click on File opened nothing";
    session.Desktop().Xdo("key Escape");

    report = sizedTo(normal.Width(), normal.Height());
    EXPECT_EQ(XRect(main), normal);
    EXPECT_EQ(report.frame, normal);
}

} // namespace
} // namespace firsthour
