// A synthesizer owner's first hour with Patchora, end to end on the real
// desktop: Patchora under a virtual X server, driven by real X input, linked
// to the simulated synthesizer over JACK. Each step is checked by what the
// editor reports of itself, by the synthesizer's log of what it received and
// by pictures of the screen, kept in build/<preset>/test-output/first-hour.
#include "ScenarioPatch.h"
#include "ScenarioSession.h"
#include "tests/support/RequiredTools.h"

#include "X11Screenshot.h"
#include "simulator/SimPatchFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <thread>

namespace firsthour {
namespace {

using namespace std::chrono_literals;
using desktoptest::Center;
using desktoptest::MoveTo;
using platform::Point;
using platform::Rect;

// Pop-up menu rows are 20 pixels high below a 1-pixel border and a 2-pixel
// margin.
constexpr int kMenuRow = 20;
constexpr int kPoly = 1;

Point MenuRow(const Rect& popup, int row)
{
    return {popup.left + 30, popup.top + 1 + 2 + row * kMenuRow + kMenuRow / 2};
}

class FirstHour : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (testsupport::Unavailable({.programs = desktoptest::VirtualDesktop::Tools(true), .jackServer = true}))
            return;
        std::string why;
        ASSERT_TRUE(session.StartDesktop(why)) << why;
        slotFile = session.Folder().File("First Hour.pch");
        sim::WritePatchFile(slotFile, MakeSlotPatch());
        // Bank 1 of the synthesizer's flash holds two patches.
        flash = session.Folder().File("flash");
        std::filesystem::create_directories(flash);
        sim::WritePatchFile(flash + "/101 First Hour.pch", MakeSlotPatch());
        sim::SimPatch second = MakeSlotPatch();
        second.areas[1].modules.erase(3);
        second.areas[1].cables.pop_back();
        sim::WritePatchFile(flash + "/102 Plain.pch", second);
        ASSERT_TRUE(StartSynth());
        ASSERT_TRUE(session.StartEditor(why)) << why;
    }

    void TearDown() override
    {
        if (HasFailure()) {
            session.Screenshot("failed");
            std::printf("--- Patchora's output:\n%s\n", session.EditorLog().c_str());
            std::printf("--- simsynthd's output:\n%s\n", session.SynthOutput().c_str());
            const std::string log = session.SynthLog();
            std::printf("--- the end of simsynthd's log:\n%s\n",
                        log.substr(log.size() > 3000 ? log.size() - 3000 : 0).c_str());
        }
    }

    // The synthesizer's first answer (its settings) comes late, so that the
    // port's status shows the model and version for a while before its name.
    bool StartSynth()
    {
        const std::string faults = session.Folder().File("faults.txt");
        std::ofstream(faults) << "delay 1 800\n";
        return session.StartSynth({"--slot", "A=" + slotFile, "--faults", faults, "--flash", flash});
    }

    void Xdo(const std::string& arguments) { session.Desktop().Xdo(arguments); }
    void Click(Point p, int button = 1) { session.Click(p, button); }
    void Key(const std::string& keys) { Xdo("key --delay 60 " + keys); }
    // Keys pressed once, then the wait until they took effect: every press
    // counts, also while a slot waits for the synthesizer's answer.
    bool PressUntil(const std::string& keys, const std::function<bool()>& done)
    {
        Key(keys);
        const auto end = ScenarioSession::Clock::now() + 10s;
        do {
            if (done())
                return true;
            std::this_thread::sleep_for(50ms);
        } while (ScenarioSession::Clock::now() < end);
        return false;
    }
    EditorReport KeyUntil(const std::string& keys, const std::function<bool(const EditorReport&)>& done)
    {
        EditorReport report;
        PressUntil(keys, [&] {
            report = session.Report();
            return done(report);
        });
        return report;
    }
    // Keys that open a window of the desktop (a file dialog, a menu).
    bool PressForWindow(const std::string& keys)
    {
        const auto before = session.Desktop().ShownWindows();
        return PressUntil(keys, [&] { return session.Desktop().WaitForNewWindow(before, 10ms).has_value(); });
    }
    // Replaces the text of the focused field.
    void TypeOver(const std::string& text)
    {
        Key("End shift+Home");
        Xdo("type --delay 20 '" + text + "'");
    }

    // Clicks a menu title and then a row of the menu that opens.
    void ChooseMenu(size_t title, int row)
    {
        const EditorReport report = session.Report();
        ASSERT_LT(title, report.menuTitles.size());
        const auto before = session.Desktop().ShownWindows();
        Click(Center(report.menuTitles[title]));
        const auto popup = session.Desktop().WaitForNewWindow(before);
        ASSERT_TRUE(popup) << "menu " << title << " did not open";
        const Point at = MenuRow(*popup, row);
        Xdo(MoveTo(at) + " " + MoveTo({at.x + 1, at.y}) + " click 1");
    }

    // A right click at a point, then a row of the pop-up menu it opens.
    void ChooseFromContextMenu(Point at, int row)
    {
        const auto before = session.Desktop().ShownWindows();
        Click(at, 3);
        const auto popup = session.Desktop().WaitForNewWindow(before);
        ASSERT_TRUE(popup) << "no menu opened at " << at.x << "," << at.y;
        const Point item = MenuRow(*popup, row);
        Xdo(MoveTo(item) + " " + MoveTo({item.x + 1, item.y}) + " click 1");
    }

    // Picks an entry of a drop-down list.
    void Pick(const EditorReport::View& popup, int index)
    {
        ASSERT_TRUE(session.Pick(popup.rect, index)) << "the list did not drop down";
    }

    void ClickButton(const std::string& window, const std::string& label)
    {
        ASSERT_TRUE(session.ClickButton(window, label)) << "no button \"" << label << "\" in \"" << window << "\"";
    }

    // Clicks into the frame's empty space so that the keys go to the editor.
    void FocusFrame()
    {
        const EditorReport report = session.Report();
        Click({report.frame.right - 40, report.frame.bottom - 40});
    }

    EditorReport WaitForWindow(const std::string& title, bool shown = true)
    {
        return session.WaitFor([&](const EditorReport& r) { return (r.FindWindow(title) != nullptr) == shown; }, 15s);
    }

    // The patch the editor holds, read back from its own copy.
    sim::SimPatch EditorCopy(const EditorReport::Patch& patch)
    {
        EXPECT_FALSE(patch.file.empty()) << patch.title;
        return patch.file.empty() ? sim::SimPatch() : sim::ReadPatchFile(patch.file);
    }

    const EditorReport::Patch* SlotA(const EditorReport& r)
    {
        for (const EditorReport::Patch& p : r.patches)
            if (p.port == 0 && p.slot == 0 && p.shown)
                return &p;
        return nullptr;
    }

    // Waits until the synthesizer has answered everything the editor asked
    // (the other slots' patches load after slot A's): until then the patch
    // window takes no edits.
    EditorReport WaitUntilSettled()
    {
        return session.WaitFor(
            [](const EditorReport& r) {
                return std::none_of(r.patches.begin(), r.patches.end(),
                                    [](const EditorReport::Patch& p) { return p.shown && p.busy; });
            },
            30s);
    }

    // Renames a module of the poly area by a double click on its title.
    EditorReport Rename(int patch, int module, const std::string& name)
    {
        const EditorReport before = WaitUntilSettled();
        const EditorReport::Module* m = before.FindModule(patch, kPoly, module);
        EXPECT_NE(m, nullptr);
        if (!m)
            return before;
        Xdo(MoveTo({m->rect.left + 30, m->rect.top + 6}) + " click --repeat 2 --delay 80 1");
        std::this_thread::sleep_for(500ms);
        TypeOver(name);
        Key("Return");
        return session.WaitFor([&](const EditorReport& r) {
            const EditorReport::Module* renamed = r.FindModule(patch, kPoly, module);
            return renamed && renamed->name == name;
        });
    }

    void ConnectThroughTheMidiDialog();
    void ShowSlotA();
    void TurnAKnobAndUndo();
    void EditModulesAndCables();
    void SaveAndOpenAgain();
    void PlayTheKeyboardFloater();
    void MoveABankThroughAFolder();
    // The title of the first window whose title starts with this.
    std::string WindowStarting(const std::string& start)
    {
        const EditorReport report =
            session.WaitFor([&](const EditorReport& r) { return !WindowStartingIn(r, start).empty(); }, 15s);
        return WindowStartingIn(report, start);
    }
    static std::string WindowStartingIn(const EditorReport& r, const std::string& start)
    {
        for (const EditorReport::Window& w : r.windows)
            if (w.title.rfind(start, 0) == 0)
                return w.title;
        return {};
    }
    // Names a file in the desktop's file dialog that a button opened.
    void ChooseFile(const std::string& window, const std::string& button, const std::string& path)
    {
        const auto before = session.Desktop().ShownWindows();
        ClickButton(window, button);
        ASSERT_TRUE(session.Desktop().WaitForNewWindow(before)) << button << " opened no file dialog";
        std::this_thread::sleep_for(300ms);
        TypeOver(path);
        Key("Return");
    }
    void LoseAndRegainTheSynthesizer();
    void QuitAskingToSave();

    ScenarioSession session;
    std::string slotFile;
    std::string flash;
    // Measured on the way, printed at the end.
    double knobToMidiMs = -1;
    long residentKb = 0;
    long privateKb = 0;
    double repaintMs = -1;
};

// 1. The MIDI dialog lists the simulator's ports; choosing them and Apply
//    connect, and the status shows the model, then the synthesizer's name.
void FirstHour::ConnectThroughTheMidiDialog()
{
    session.Screenshot("01-started");
    std::string why;
    ASSERT_TRUE(session.ChoosePort1("simsynth out", "simsynth in", why)) << why;
    session.Screenshot("02-midi-setup");

    // The status ends at the synthesizer's name. The model and version it
    // shows on the way may last less than one report on a busy machine; the
    // link's own tests step through that order.
    const EditorReport report =
        session.WaitFor([](const EditorReport& r) { return !r.ports.empty() && r.ports[0] == "Simulator"; }, 20s);
    ASSERT_EQ(report.ports.at(0), "Simulator") << "the link did not come up";
    const EditorReport::View* status = nullptr;
    for (const EditorReport::View& v : report.ViewsOf("MIDI Setup"))
        if (v.kind == "text" && v.text == "Simulator")
            status = &v;
    EXPECT_NE(status, nullptr) << "the dialog does not show the synthesizer's name";
    session.Screenshot("03-connected");
    ClickButton("MIDI Setup", "OK");
    WaitForWindow("MIDI Setup", false);
}

// 2. The slot A patch appears in a patch window, equal to the simulator's file.
void FirstHour::ShowSlotA()
{
    FocusFrame();
    KeyUntil("ctrl+u", [&](const EditorReport& r) { return SlotA(r) != nullptr; });
    // The window opens at once; the patch arrives part by part.
    const sim::SimPatch expected = sim::ReadPatchFile(slotFile);
    const EditorReport report = session.WaitFor([&](const EditorReport& r) {
        const EditorReport::Patch* p = SlotA(r);
        return p && !p->file.empty() && CompareAreas(expected, sim::ReadPatchFile(p->file)).empty();
    });
    const EditorReport::Patch* patch = SlotA(report);
    ASSERT_NE(patch, nullptr) << "Upload Active Slot showed no patch window";
    EXPECT_EQ(CompareAreas(expected, EditorCopy(*patch)), "");
    residentKb = session.EditorResidentKb();
    privateKb = session.EditorPrivateKb();
    // The splash and the voice areas' background are decoded and shown: the
    // JPEG library was loaded for them and is gone again.
    EXPECT_FALSE(session.EditorMaps("libjpeg")) << "the JPEG library is still mapped";
    repaintMs = session.ReportWithRepaint().repaintMs.value_or(-1);
    session.Screenshot("04-slot-a-patch");
    // The editor's frame alone, for the README (docs/patchora.png).
    session.Screenshot("patchora", report.frame);

    // Help: F1 over the patch window and Help > Contents open the guide beside
    // the program, at a place the guide has.
    Click({report.frame.right - 60, report.frame.top + 300});
    Key("F1");
    Key("alt+h");
    std::this_thread::sleep_for(300ms);
    Key("c");
    const auto end = ScenarioSession::Clock::now() + 10s;
    while (session.OpenedUrls().size() < 2 && ScenarioSession::Clock::now() < end)
        std::this_thread::sleep_for(50ms);
    const std::vector<std::string> urls = session.OpenedUrls();
    ASSERT_EQ(urls.size(), 2u) << "F1 and Help > Contents did not both open the help";
    // The browser gets nothing of the editor's: not its MIDI server's
    // sockets, which would outlive a crash of the editor.
    const std::vector<std::string> inherited = session.OpenerInheritedDescriptors();
    std::string listed;
    for (const std::string& descriptor : inherited)
        listed += "\n  " + descriptor;
    EXPECT_TRUE(inherited.empty()) << "the help's opener inherited:" << listed;
    const std::string guide =
        "file://" + std::filesystem::path(ScenarioSession::EditorProgram()).parent_path().string() + "/Patchora-help/";
    for (const std::string& url : urls) {
        EXPECT_EQ(url.rfind(guide, 0), 0u) << url;
        const size_t hash = url.find('#');
        const std::string page = url.substr(7, hash == std::string::npos ? std::string::npos : hash - 7);
        std::ifstream in(page);
        std::stringstream text;
        text << in.rdbuf();
        EXPECT_FALSE(text.str().empty()) << page;
        if (hash != std::string::npos) {
            EXPECT_NE(text.str().find("id=\"" + url.substr(hash + 1) + "\""), std::string::npos) << url;
        }
    }
    EXPECT_EQ(urls[1], guide + "index.html");
}

// 3. A knob turned with the mouse changes its value on both sides; Ctrl+Z
//    takes it back on both sides.
void FirstHour::TurnAKnobAndUndo()
{
    // The user has moved the main window through the window manager: the
    // knob is pressed where it stands now.
    EditorReport report = WaitUntilSettled();
    const Rect frame = report.frame;
    const unsigned long main = session.Desktop().WindowAt(Center(report.menuTitles.at(0)));
    ASSERT_NE(main, 0u);
    const int dx = frame.left >= 40 ? -30 : 30;
    std::ostringstream place;
    place << "-i -r 0x" << std::hex << main << std::dec << " -e 0," << frame.left + dx << "," << frame.top + 20
          << ",-1,-1";
    session.Desktop().Wmctrl(place.str());
    report = session.WaitFor([&](const EditorReport& r) { return r.frame == frame.Offset(dx, 20); });
    ASSERT_EQ(report.frame, frame.Offset(dx, 20)) << "Patchora does not know where the manager moved it";
    report = WaitUntilSettled();
    ASSERT_NE(SlotA(report), nullptr);
    const int number = SlotA(report)->number;
    const EditorReport::Control* knob = report.FindControl(number, kPoly, 1, 0);
    const EditorReport::Module* osc = report.FindModule(number, kPoly, 1);
    ASSERT_NE(knob, nullptr);
    ASSERT_NE(osc, nullptr);
    const int before = knob->value;
    const Rect knobRect = knob->rect;
    const Rect oscRect = osc->rect;
    const platform::PixelBuffer faceBefore = session.Desktop().Grab(oscRect);

    // Pressed on the knob right after the pointer's jump onto it, then
    // moved: the time from the move to the synthesizer's log.
    const Point centre = Center(knobRect);
    Xdo(MoveTo(centre) + " mousedown 1");
    std::this_thread::sleep_for(300ms);
    const size_t logSize = session.SynthLog().size();
    const auto moved = ScenarioSession::Clock::now();
    // Up and to the right: a turn in every knob mode (around the knob,
    // horizontal or vertical).
    Xdo(MoveTo({centre.x + 10, centre.y - 10}));
    const std::string first = session.WaitForSynthLog(logSize, {"ParamChange("}, 3s);
    knobToMidiMs = std::chrono::duration<double, std::milli>(ScenarioSession::Clock::now() - moved).count();
    Xdo(MoveTo({centre.x + 20, centre.y - 20}) + " sleep 0.03 " + MoveTo({centre.x + 40, centre.y - 40}) +
        " sleep 0.03 " + MoveTo({centre.x + 44, centre.y - 44}) + " mouseup 1");
    EXPECT_FALSE(first.empty()) << "the knob's move did not reach the synthesizer";

    report = session.WaitFor([&](const EditorReport& r) {
        const EditorReport::Control* k = r.FindControl(number, kPoly, 1, 0);
        return k && k->value != before;
    });
    const int after = report.FindControl(number, kPoly, 1, 0)->value;
    ASSERT_NE(after, before) << "the knob did not turn";
    EXPECT_FALSE(session.WaitForSynthLog(0, {"ParamChange(", "," + std::to_string(after) + ")"}).empty())
        << "the synthesizer never got the value " << after;
    EXPECT_GT(demo::CountDifferences(faceBefore, session.Desktop().Grab(oscRect)), 0) << "the panel looks the same";
    session.Screenshot("05-knob-turned");

    const size_t undoLog = session.SynthLog().size();
    report = KeyUntil("ctrl+z", [&](const EditorReport& r) {
        const EditorReport::Control* k = r.FindControl(number, kPoly, 1, 0);
        return k && k->value == before;
    });
    EXPECT_EQ(report.FindControl(number, kPoly, 1, 0)->value, before) << "Ctrl+Z did not take the turn back";
    EXPECT_FALSE(session.WaitForSynthLog(undoLog, {"ParamChange(", "," + std::to_string(before) + ")"}).empty())
        << "the undo did not reach the synthesizer";
    EXPECT_EQ(CompareAreas(sim::ReadPatchFile(slotFile), EditorCopy(*SlotA(report))), "");
}

// 4. A cable dragged from jack to jack, a module renamed by a double click on
//    its title and deleted from its menu; undo brings it back with its cables.
void FirstHour::EditModulesAndCables()
{
    EditorReport report = WaitUntilSettled();
    const EditorReport::Patch* patch = SlotA(report);
    ASSERT_NE(patch, nullptr);
    const int number = patch->number;

    // The envelope's audio output to the output module's second input.
    const EditorReport::Jack* from = report.FindJack(number, kPoly, 3, 1, true);
    const EditorReport::Jack* to = report.FindJack(number, kPoly, 4, 1, false);
    ASSERT_NE(from, nullptr);
    ASSERT_NE(to, nullptr);
    size_t logSize = session.SynthLog().size();
    session.Drag(Center(from->rect), Center(to->rect), 12);
    EXPECT_FALSE(session.WaitForSynthLog(logSize, {"CableConnect"}).empty())
        << "the cable did not reach the synthesizer";
    report = session.WaitFor([&](const EditorReport& r) {
        const EditorReport::Patch* p = SlotA(r);
        return p && EditorCopy(*p).areas[kPoly].cables.size() == 4;
    });
    sim::SimPatch copy = EditorCopy(*SlotA(report));
    EXPECT_EQ(copy.areas[kPoly].cables.size(), 4u) << "the drag made no cable";
    session.Screenshot("06-cable-added");

    // Renamed by a double click on its title.
    const EditorReport::Module* filter = report.FindModule(number, kPoly, 2);
    ASSERT_NE(filter, nullptr);
    const Point title{filter->rect.left + 30, filter->rect.top + 6};
    report = Rename(number, 2, "Bright");
    EXPECT_EQ(report.FindModule(number, kPoly, 2)->name, "Bright") << "the double click did not rename the module";
    EXPECT_FALSE(session.WaitForSynthLog(0, {"ModuleName(", "Bright"}).empty());

    // Deleted from its menu, then back with Ctrl+Z.
    logSize = session.SynthLog().size();
    ChooseFromContextMenu(title, 2); // Rename, Help, Delete
    report = session.WaitFor([&](const EditorReport& r) { return !r.FindModule(number, kPoly, 2); });
    EXPECT_EQ(report.FindModule(number, kPoly, 2), nullptr) << "the module's menu did not delete it";
    EXPECT_FALSE(session.WaitForSynthLog(logSize, {"ModuleDelete"}).empty());
    session.Screenshot("07-module-deleted");
    report = KeyUntil("ctrl+z", [&](const EditorReport& r) { return r.FindModule(number, kPoly, 2) != nullptr; });
    ASSERT_NE(report.FindModule(number, kPoly, 2), nullptr) << "Ctrl+Z did not bring the module back";
    const sim::SimPatch restored = EditorCopy(*SlotA(report));
    EXPECT_EQ(restored.areas[kPoly].modules.at(2).name, "Bright");
    EXPECT_EQ(restored.areas[kPoly].cables.size(), 4u) << "the module came back without its cables";
}

// 5. Saved with Ctrl+S and opened again, as a local patch, in a second
//    window equal to the first.
void FirstHour::SaveAndOpenAgain()
{
    const std::string saved = session.Folder().File("My First Patch.pch");
    ASSERT_TRUE(PressForWindow("ctrl+s")) << "Ctrl+S asked for no file name";
    std::this_thread::sleep_for(300ms);
    TypeOver(saved);
    Key("Return");
    EditorReport report = session.WaitFor([&](const EditorReport& r) {
        const EditorReport::Patch* p = SlotA(r);
        return p && !p->dirty && std::filesystem::exists(saved);
    });
    ASSERT_TRUE(std::filesystem::exists(saved)) << "Ctrl+S saved no file";
    const sim::SimPatch first = EditorCopy(*SlotA(report));

    ASSERT_TRUE(PressForWindow("ctrl+o")) << "Ctrl+O showed no file dialog";
    std::this_thread::sleep_for(300ms);
    TypeOver(saved);
    Key("Return");
    // A synthesizer is attached: the slot dialog asks where the patch goes.
    report = session.WaitFor([](const EditorReport& r) {
        for (const EditorReport::View& v : r.views)
            if (v.kind == "radio" && v.text == "Local")
                return true;
        return false;
    });
    for (const EditorReport::View& v : report.views)
        if (v.kind == "radio" && v.text == "Local")
            Click(Center(v.rect));
    session.Screenshot("08-slot-choice");
    for (const EditorReport::Window& w : report.windows)
        if (!w.document && report.FindView(w.title, "radio", "Local"))
            ClickButton(w.title, "OK");
    report = session.WaitFor([](const EditorReport& r) {
        int shown = 0;
        for (const EditorReport::Patch& p : r.patches)
            shown += p.shown;
        return shown == 2;
    });
    const EditorReport::Patch* second = nullptr;
    for (const EditorReport::Patch& p : report.patches)
        if (p.shown && p.port == 4)
            second = &p;
    ASSERT_NE(second, nullptr) << "the file did not open in a second, local window";
    EXPECT_EQ(CompareAreas(first, EditorCopy(*second)), "");
    session.Screenshot("09-opened-again");
}

// 6. The keyboard floater from the Tools menu plays a note on the synthesizer.
void FirstHour::PlayTheKeyboardFloater()
{
    ChooseMenu(5, 1); // Tools > Keyboard Floater
    EditorReport report = session.WaitFor([](const EditorReport& r) {
        for (const EditorReport::Window& w : r.windows)
            if (w.title.find("Keyboard") != std::string::npos && w.visible)
                return true;
        return false;
    });
    const EditorReport::Window* floater = nullptr;
    for (const EditorReport::Window& w : report.windows)
        if (w.title.find("Keyboard") != std::string::npos)
            floater = &w;
    ASSERT_NE(floater, nullptr) << "Tools > Keyboard Floater showed no floater";
    // The window manager places the new floater; the editor learns where a
    // moment later.
    report = session.WaitFor([&](const EditorReport& r) {
        for (const EditorReport::Window& w : r.windows)
            if (w.title.find("Keyboard") != std::string::npos && w.visible) {
                const unsigned long x = session.Desktop().WindowAt({w.rect.left + 40, w.rect.top + 6});
                return x != 0 && session.Desktop().Inspect(x).rect == w.rect;
            }
        return false;
    });
    for (const EditorReport::Window& w : report.windows)
        if (w.title.find("Keyboard") != std::string::npos)
            floater = &w;
    session.Screenshot("10-keyboard-floater");
    // A white key, below the black ones, under the caption.
    const size_t logSize = session.SynthLog().size();
    // Held a moment, as a hand holds a key.
    Xdo(MoveTo({floater->rect.left + 60, floater->rect.top + 46}) + " mousedown 1 sleep 0.3 mouseup 1");
    EXPECT_FALSE(session.WaitForSynthLog(logSize, {"PlayNote("}).empty()) << "the key played no note";
}

// 7. A bank is uploaded to a folder and downloaded into another bank; the
//    browser shows both banks.
void FirstHour::MoveABankThroughAFolder()
{
    WaitUntilSettled();
    const std::string folder = session.Folder().File("bank one");
    std::filesystem::create_directories(folder);
    const std::string list = folder + "/Bank One.pchList";

    FocusFrame();
    Key("alt+s");
    std::this_thread::sleep_for(300ms);
    Key("b"); // Synth > Bank Upload
    const std::string upload = WindowStarting("Bank Upload");
    ASSERT_FALSE(upload.empty()) << "Synth > Bank Upload showed no dialog";
    ASSERT_NO_FATAL_FAILURE(ChooseFile(upload, "Browse Location", list));
    ClickButton(upload, "Start upload");
    EditorReport report =
        session.WaitFor([&](const EditorReport& r) { return r.FindView(upload, "text", "Dump OK") != nullptr; }, 60s);
    ASSERT_NE(report.FindView(upload, "text", "Dump OK"), nullptr) << "the upload did not end well";
    EXPECT_TRUE(std::filesystem::exists(list));
    EXPECT_TRUE(std::filesystem::exists(folder + "/First Hour.pch"));
    EXPECT_TRUE(std::filesystem::exists(folder + "/Plain.pch"));
    session.Screenshot("11-bank-uploaded");
    ClickButton(upload, "Exit");
    WaitForWindow(upload, false);

    FocusFrame();
    Key("alt+s");
    std::this_thread::sleep_for(300ms);
    Key("d"); // Synth > Bank Download
    const std::string download = WindowStarting("Bank Download");
    ASSERT_FALSE(download.empty()) << "Synth > Bank Download showed no dialog";
    ASSERT_NO_FATAL_FAILURE(ChooseFile(download, "Browse for Bank file", list));
    report = session.Report();
    const EditorReport::View* bank = report.FindView(download, "popup", "");
    ASSERT_NE(bank, nullptr);
    Pick(*bank, 1); // bank 2
    ClickButton(download, "Start download");
    report =
        session.WaitFor([&](const EditorReport& r) { return r.FindView(download, "text", "Dump OK") != nullptr; }, 60s);
    ASSERT_NE(report.FindView(download, "text", "Dump OK"), nullptr) << "the download did not end well";
    EXPECT_TRUE(std::filesystem::exists(flash + "/201 First Hour.pch")) << "bank 2 did not get the first patch";
    EXPECT_TRUE(std::filesystem::exists(flash + "/202 Plain.pch")) << "bank 2 did not get the second patch";
    if (std::filesystem::exists(flash + "/201 First Hour.pch")) {
        EXPECT_EQ(CompareAreas(MakeSlotPatch(), sim::ReadPatchFile(flash + "/201 First Hour.pch")), "");
    }
    ClickButton(download, "Exit");
    WaitForWindow(download, false);

    // The browser's synthesizer page lists the banks (its "Synth" tab, beside "Disk").
    FocusFrame();
    Key("ctrl+b");
    const std::string browser = WindowStarting("Patch Browser");
    ASSERT_FALSE(browser.empty()) << "Ctrl+B showed no browser";
    const EditorReport now = session.Report();
    const EditorReport::Window* shown = now.FindWindow(browser);
    ASSERT_NE(shown, nullptr);
    const Rect place = shown->rect;
    Click({place.left + 60, place.top + 30});
    std::this_thread::sleep_for(1s);
    session.Screenshot("12-browser", place);
}

// 8. The synthesizer stops: "Lost contact" with its alert, nothing lost; it
//    comes back and Enabled with Apply links it again.
void FirstHour::LoseAndRegainTheSynthesizer()
{
    // The patches as they are before (the copies are rewritten by every report).
    std::vector<std::pair<std::string, sim::SimPatch>> held;
    for (const EditorReport::Patch& p : session.Report().patches)
        if (p.shown)
            held.emplace_back(p.title, EditorCopy(p));
    session.StopSynth();
    EditorReport report = session.WaitFor(
        [](const EditorReport& r) {
            for (const EditorReport::View& v : r.views)
                if (v.text.find("Lost contact") != std::string::npos)
                    return true;
            return false;
        },
        30s);
    std::string alert;
    for (const EditorReport::Window& w : report.windows)
        for (const EditorReport::View& v : report.ViewsOf(w.title))
            if (v.text.find("Lost contact") != std::string::npos)
                alert = w.title;
    ASSERT_FALSE(alert.empty()) << "no alert told of the lost contact";
    session.Screenshot("13-lost-contact");
    ClickButton(alert, "OK");
    WaitForWindow(alert, false);
    // Every patch window and what it holds are still there (linked or not).
    report = session.Report();
    std::vector<sim::SimPatch> shownNow;
    for (const EditorReport::Patch& p : report.patches)
        if (p.shown)
            shownNow.push_back(EditorCopy(p));
    for (const auto& [title, patch] : held)
        EXPECT_TRUE(std::any_of(shownNow.begin(), shownNow.end(),
                                [&](const sim::SimPatch& now) { return CompareAreas(patch, now).empty(); }))
            << title << " was lost";

    ASSERT_TRUE(StartSynth());
    FocusFrame();
    Key("ctrl+m");
    report = WaitForWindow("MIDI Setup");
    const EditorReport::View* box = report.FindView("MIDI Setup", "checkbox", "Enabled");
    ASSERT_NE(box, nullptr);
    if (!box->checked)
        Click(Center(box->rect));
    ClickButton("MIDI Setup", "Apply");
    report = session.WaitFor([](const EditorReport& r) { return !r.ports.empty() && r.ports[0] == "Simulator"; }, 30s);
    EXPECT_EQ(report.ports.at(0), "Simulator") << "the link did not come back";
    session.Screenshot("14-link-back");
    ClickButton("MIDI Setup", "OK");
    WaitForWindow("MIDI Setup", false);
}

// 9. Quit asks to save the changed patch: Cancel keeps the program; Quit
//    again and No ends it.
void FirstHour::QuitAskingToSave()
{
    // A change that needs saving (a turned knob does not): a module renamed.
    EditorReport report = WaitUntilSettled();
    const EditorReport::Patch* active = report.ActivePatch();
    ASSERT_NE(active, nullptr);
    const int number = active->number;
    report = Rename(number, 4, "Main");
    ASSERT_TRUE(report.patches.at(static_cast<size_t>(number)).dirty) << "the rename left the patch unchanged";

    report = KeyUntil("ctrl+q", [](const EditorReport& r) { return r.FindWindow("Save Kandrel patch?") != nullptr; });
    ASSERT_TRUE(report.FindWindow("Save Kandrel patch?")) << "Quit did not ask to save";
    session.Screenshot("15-save-question");
    ClickButton("Save Kandrel patch?", "Cancel");
    EXPECT_EQ(session.WaitForEditorExit(1500ms), -1) << "Cancel ended the program";
    WaitForWindow("Save Kandrel patch?", false);

    KeyUntil("ctrl+q", [](const EditorReport& r) { return r.FindWindow("Save Kandrel patch?") != nullptr; });
    int exit = -1;
    for (int question = 0; question < 6 && exit == -1; ++question) {
        report = WaitForWindow("Save Kandrel patch?");
        if (report.FindWindow("Save Kandrel patch?"))
            ClickButton("Save Kandrel patch?", "No");
        exit = session.WaitForEditorExit(2s);
    }
    EXPECT_EQ(exit, 0) << "Quit and No did not end the program";
}

TEST_F(FirstHour, FromTheMidiSetupToQuit)
{
    const auto start = ScenarioSession::Clock::now();
    ASSERT_NO_FATAL_FAILURE(ConnectThroughTheMidiDialog());
    ASSERT_NO_FATAL_FAILURE(ShowSlotA());
    ASSERT_NO_FATAL_FAILURE(TurnAKnobAndUndo());
    ASSERT_NO_FATAL_FAILURE(EditModulesAndCables());
    ASSERT_NO_FATAL_FAILURE(SaveAndOpenAgain());
    ASSERT_NO_FATAL_FAILURE(PlayTheKeyboardFloater());
    ASSERT_NO_FATAL_FAILURE(MoveABankThroughAFolder());
    ASSERT_NO_FATAL_FAILURE(LoseAndRegainTheSynthesizer());
    ASSERT_NO_FATAL_FAILURE(QuitAskingToSave());
    std::printf("First hour: start to first painted frame %.0f ms; with the patch open resident memory %ld kB, "
                "private memory %ld kB; knob move to the synthesizer %.1f ms; full repaint of the patch window "
                "%.2f ms; the whole scenario %.1f s\n",
                session.FirstFrameMs(), residentKb, privateKb, knobToMidiMs, repaintMs,
                std::chrono::duration<double>(ScenarioSession::Clock::now() - start).count());
}

} // namespace
} // namespace firsthour
