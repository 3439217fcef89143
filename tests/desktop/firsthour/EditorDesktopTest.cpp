// Patchora on the desktop as a person meets it, with real X input under the
// window manager: quitting whatever is open, tooltips, the menu bar's
// mnemonics and an alert that comes while a mouse button is held.
#include "ScenarioPatch.h"
#include "ScenarioSession.h"
#include "tests/support/RequiredTools.h"

#include "X11Screenshot.h"
#include "simulator/SimPatchFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

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
        if (testsupport::Unavailable({.programs = VirtualDesktop::Tools(true), .jackServer = true}))
            return;
        std::string why;
        ASSERT_TRUE(session.StartDesktop(why)) << why;
    }

    void TearDown() override
    {
        if (HasFailure()) {
            session.Screenshot("editor-desktop-failed");
            std::printf("--- Patchora's output:\n%s\n", session.EditorLog().c_str());
            std::printf("--- simsynthd's output:\n%s\n", session.SynthOutput().c_str());
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

    // Port 1 on the synthesizer through MIDI Setup, which OK then closes;
    // the state once the link is up.
    void LinkPort1(EditorReport& report)
    {
        std::string why;
        ASSERT_TRUE(session.ChoosePort1("simsynth out", "simsynth in", why)) << why;
        report =
            session.WaitFor([](const EditorReport& r) { return !r.ports.empty() && r.ports[0] == "Simulator"; }, 20s);
        ASSERT_EQ(report.ports.at(0), "Simulator") << "the link did not come up";
        ASSERT_TRUE(session.ClickButton("MIDI Setup", "OK"));
        WaitForWindow("MIDI Setup", false);
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

TEST_F(EditorDesktop, AModuleDraggedLandsInTheCellUnderItsOutlineAndLeavesTheSplitBarClean)
{
    const std::string file = session.Folder().File("Dragged.pch");
    sim::WritePatchFile(file, MakeSlotPatch());
    const EditorReport started = StartEditor();
    FocusFrame(started);
    const auto shown = session.Desktop().ShownWindows();
    Xdo("key ctrl+o");
    ASSERT_TRUE(session.Desktop().WaitForNewWindow(shown)) << "Ctrl+O showed no file dialog";
    std::this_thread::sleep_for(300ms);
    Xdo("key --delay 60 End shift+Home");
    Xdo("type --delay 20 '" + file + "'");
    Xdo("key Return");
    // The window of the file: the one whose patch has an LFO below the bar.
    const auto opened = [](const EditorReport& r) {
        for (const EditorReport::Patch& p : r.patches)
            if (p.shown && r.FindModule(p.number, 0, 1))
                return p.number;
        return -1;
    };
    EditorReport report = session.WaitFor([&](const EditorReport& r) { return opened(r) >= 0; });
    const int patch = opened(report), poly = 1, common = 0;
    ASSERT_GE(patch, 0) << "the patch did not open";
    // The grid from the patch's own modules: Osc1 at 0,0, Filter1 at 0,8,
    // Env1 at 1,0 above the bar; LFO1 at 0,0 below it.
    const Rect osc = report.FindModule(patch, poly, 1)->rect;
    const int row = (report.FindModule(patch, poly, 2)->rect.top - osc.top) / 8;
    const int column = report.FindModule(patch, poly, 3)->rect.left - osc.left;
    ASSERT_GT(row, 0);
    ASSERT_GT(column, 0);
    // Pressed on its title strip, beside the name.
    const auto grip = [](const Rect& r) { return Point{r.left + 70, r.top + 6}; };

    // Straight down five rows: the same column.
    Rect env = report.FindModule(patch, poly, 3)->rect;
    session.Drag(grip(env), grip(env.Offset(0, 5 * row)), 10);
    report = session.WaitFor([&](const EditorReport& r) { return r.FindModule(patch, poly, 3)->row != 0; });
    const EditorReport::Module* moved = report.FindModule(patch, poly, 3);
    EXPECT_EQ(moved->column, 1) << "dragged straight down, it changed its column";
    EXPECT_EQ(moved->row, 5);

    // Into the lower area, to column 1, row 0 there, right under the bar: a
    // copy lands in that cell and the bar looks as before.
    const Rect bar = report.patches.at(patch).split;
    ASSERT_GT(bar.Height(), 0);
    const platform::PixelBuffer barBefore = session.Desktop().Grab(bar);
    const Rect lfo = report.FindModule(patch, common, 1)->rect;
    env = moved->rect;
    const Point target{lfo.left + column, lfo.top};
    session.Drag(grip(env), grip(env.Offset(target.x - env.left, target.y - env.top)), 12);
    report = session.WaitFor([&](const EditorReport& r) {
        return std::count_if(r.modules.begin(), r.modules.end(),
                             [&](const EditorReport::Module& m) { return m.patch == patch && m.area == common; }) == 2;
    });
    const EditorReport::Module* copy = nullptr;
    for (const EditorReport::Module& m : report.modules)
        if (m.patch == patch && m.area == common && m.index != 1)
            copy = &m;
    ASSERT_NE(copy, nullptr) << "the drag into the lower area made no copy";
    EXPECT_EQ(copy->column, 1);
    EXPECT_EQ(copy->row, 0);
    std::this_thread::sleep_for(300ms);
    session.Screenshot("dragged-into-the-lower-area");
    EXPECT_EQ(demo::CountDifferences(barBefore, session.Desktop().Grab(bar)), 0)
        << "the drag left something painted over the split bar";
}

// The window that shows a text, by its title; empty when none does.
std::string WindowShowing(const EditorReport& r, const std::string& text)
{
    for (const EditorReport::Window& w : r.windows)
        for (const EditorReport::View& v : r.ViewsOf(w.title))
            if (v.text.find(text) != std::string::npos)
                return w.title;
    return {};
}

TEST_F(EditorDesktop, AnAlertThatComesWhileAnArrowIsHeldLeavesEveryLaterClickWorking)
{
    const std::string slot = session.Folder().File("Held.pch");
    sim::WritePatchFile(slot, MakeSlotPatch());
    ASSERT_TRUE(session.StartSynth({"--slot", "A=" + slot})) << session.SynthOutput();
    const EditorReport started = StartEditor();
    EditorReport report;
    ASSERT_NO_FATAL_FAILURE(LinkPort1(report));

    const EditorReport::Window* toolbar = Toolbar(report);
    ASSERT_NE(toolbar, nullptr);
    const Point origin = toolbar->rect.TopLeft();
    // The upper half of the portamento time's arrows, and the tab bar.
    const Rect arrow{origin.x + 647, origin.y + 22, origin.x + 658, origin.y + 43};
    const Rect tabs{origin.x + 2, origin.y + 24, origin.x + 432, origin.y + 66};
    const platform::PixelBuffer arrowBefore = session.Desktop().Grab(arrow);
    const platform::PixelBuffer tabsBefore = session.Desktop().Grab(tabs);

    // Held down on the arrow while the synthesizer goes: its alert comes
    // during the press, the release comes after it.
    Xdo(MoveTo({arrow.left + 5, arrow.top + 5}) + " mousedown 1");
    session.StopSynth();
    report = session.WaitFor([](const EditorReport& r) { return !WindowShowing(r, "Lost contact").empty(); }, 30s);
    const std::string alert = WindowShowing(report, "Lost contact");
    ASSERT_FALSE(alert.empty()) << "no alert told of the lost contact";
    session.Screenshot("held-press-alert");
    Xdo("mouseup 1");

    // The alert's OK acts on the first click; the arrow no longer shows as
    // pressed.
    ASSERT_TRUE(session.ClickButton(alert, "OK"));
    report = WaitForWindow(alert, false);
    EXPECT_EQ(report.FindWindow(alert), nullptr) << "the alert's OK did not close it";
    EXPECT_EQ(demo::CountDifferences(arrowBefore, session.Desktop().Grab(arrow)), 0) << "the arrow still looks held";
    // A tab of the toolbar acts on the first click: its page shows.
    session.Click({tabs.left + 110, tabs.top + 8});
    const auto end = std::chrono::steady_clock::now() + 5s;
    long changed = 0;
    while (changed == 0 && std::chrono::steady_clock::now() < end) {
        std::this_thread::sleep_for(50ms);
        changed = demo::CountDifferences(tabsBefore, session.Desktop().Grab(tabs));
    }
    session.Screenshot("held-press-after");
    EXPECT_GT(changed, 0) << "the click on a tab did nothing";
}

// The entry of a device list that holds `part`; -1 when none does.
int IndexOf(const std::vector<std::string>& names, const std::string& part)
{
    for (size_t i = 0; i < names.size(); ++i)
        if (names[i].find(part) != std::string::npos)
            return static_cast<int>(i);
    return -1;
}

// The synthesizer switched on while MIDI Setup is open: a list, opened,
// offers its ports at once (no closing and opening the dialog again), and
// port 1 comes up on them.
TEST_F(EditorDesktop, AListOpenedInMidiSetupOffersASynthesizerSwitchedOnWhileTheDialogIsOpen)
{
    const EditorReport started = StartEditor();
    FocusFrame(started);
    Xdo("key ctrl+m");
    EditorReport report = WaitForWindow("MIDI Setup");
    ASSERT_TRUE(report.FindWindow("MIDI Setup")) << "Ctrl+M opened no MIDI dialog";
    EXPECT_LT(IndexOf(report.midiIn, "simsynth out"), 0) << "a synthesizer not started yet is listed";
    std::vector<EditorReport::View> popups;
    for (const EditorReport::View& v : report.ViewsOf("MIDI Setup"))
        if (v.kind == "popup")
            popups.push_back(v);
    const EditorReport::View* box = report.FindView("MIDI Setup", "checkbox", "Enabled");
    ASSERT_EQ(popups.size(), 8u);
    ASSERT_NE(box, nullptr);

    ASSERT_TRUE(session.StartSynth({})) << session.SynthOutput();
    Click(Center(box->rect)); // Port 1: Enabled
    report = session.WaitFor([](const EditorReport& r) {
        const EditorReport::View* enabled = r.FindView("MIDI Setup", "checkbox", "Enabled");
        return enabled && enabled->checked;
    });
    // Port 1's input list opened (and closed on its first entry) offers the
    // synthesizer's ports.
    ASSERT_TRUE(session.Pick(popups[0].rect, 0)) << "the list did not drop down";
    report = session.WaitFor([](const EditorReport& r) { return IndexOf(r.midiIn, "simsynth out") >= 0; }, 5s);
    const int in = IndexOf(report.midiIn, "simsynth out");
    const int out = IndexOf(report.midiOut, "simsynth in");
    ASSERT_GE(in, 0) << "the opened list does not offer the synthesizer";
    ASSERT_GE(out, 0);
    ASSERT_TRUE(session.Pick(popups[0].rect, in));
    ASSERT_TRUE(session.Pick(popups[1].rect, out));
    session.Screenshot("midi-setup-synth-switched-on");
    ASSERT_TRUE(session.ClickButton("MIDI Setup", "Apply"));
    report = session.WaitFor([](const EditorReport& r) { return !r.ports.empty() && r.ports[0] == "Simulator"; }, 20s);
    EXPECT_EQ(report.ports.at(0), "Simulator") << "the link did not come up on the chosen ports";
    ASSERT_TRUE(session.ClickButton("MIDI Setup", "OK"));
    WaitForWindow("MIDI Setup", false);
}

// The slot that Slot Selection has picked; empty when none is.
std::string PickedSlot(const EditorReport& r, const std::string& window)
{
    const std::vector<EditorReport::View> views = r.ViewsOf(window);
    int index = 0;
    for (const EditorReport::View& v : views)
        if (v.kind == "radio") {
            if (v.checked)
                return std::to_string(index) + " " + v.text;
            ++index;
        }
    return {};
}

// Slot Selection by keys, with the arrows of the cursor block and of the
// keypad with Num Lock off (as a keyboard starts): each Down and Up moves to
// the next slot, Escape ends it.
TEST_F(EditorDesktop, DownAndUpOfBothArrowKeysMoveBetweenTheSlotsInSlotSelection)
{
    ASSERT_TRUE(session.StartSynth({})) << session.SynthOutput();
    const EditorReport started = StartEditor();
    EditorReport report;
    ASSERT_NO_FATAL_FAILURE(LinkPort1(report));

    FocusFrame(started);
    Xdo("key ctrl+n");
    const std::string dialog = "Slot Selection - New patch";
    report = WaitForWindow(dialog);
    ASSERT_NE(report.FindWindow(dialog), nullptr) << "Ctrl+N showed no slot selection";
    const std::string first = PickedSlot(report, dialog);
    ASSERT_EQ(first, "0 Slot A");

    const std::pair<const char*, const char*> steps[] = {
        {"Down", "1 Slot B"}, {"KP_Down", "2 Slot C"}, {"KP_Up", "1 Slot B"}, {"Up", "0 Slot A"}};
    for (const auto& [key, picked] : steps) {
        SCOPED_TRACE(key);
        Xdo(std::string("key ") + key);
        report = session.WaitFor([&](const EditorReport& r) { return PickedSlot(r, dialog) == picked; }, 5s);
        EXPECT_EQ(PickedSlot(report, dialog), picked);
    }
    session.Screenshot("slot-selection-by-keys");
    Xdo("key Escape");
    report = WaitForWindow(dialog, false);
    EXPECT_EQ(report.FindWindow(dialog), nullptr) << "Escape did not end Slot Selection";
}

} // namespace
} // namespace firsthour
