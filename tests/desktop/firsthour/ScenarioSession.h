#pragma once

#include "EditorReport.h"

#include "tests/desktop/support/VirtualDesktop.h"
#include "tests/support/TempDir.h"

#include <chrono>
#include <functional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace firsthour {

// The scenario's machine: a virtual X server, the simulated synthesizer on
// the test's JACK server, and Patchora started as `make run` starts it, in a
// settings folder of its own, reporting its state to the test.
class ScenarioSession {
public:
    using Clock = std::chrono::steady_clock;

    ScenarioSession();
    ~ScenarioSession();
    ScenarioSession(const ScenarioSession&) = delete;
    ScenarioSession& operator=(const ScenarioSession&) = delete;

    bool StartDesktop(std::string& why);
    desktoptest::VirtualDesktop& Desktop() { return desktop_; }
    const testsupport::TempDir& Folder() const { return dir_; }

    // simsynthd with these extra options, logging what it receives; true
    // once it said that its ports are there, as a person sees it say so.
    bool StartSynth(const std::vector<std::string>& options);
    void StopSynth();
    std::string SynthLog() const;
    // What simsynthd printed (its announcements and complaints).
    std::string SynthOutput() const;
    // Waits until the synthesizer's log holds a line after `from` bytes
    // that contains every one of the words; the line, or empty.
    std::string WaitForSynthLog(size_t from, const std::vector<std::string>& words,
                                std::chrono::milliseconds timeout = std::chrono::seconds(10)) const;

    // Patchora; false (with the reason) when it showed no window.
    bool StartEditor(std::string& why);
    pid_t EditorPid() const { return editor_; }
    // The program started: this build's Patchora, or the one named in
    // FIRSTHOUR_PATCHORA (to measure a release build), as an absolute path.
    static std::string EditorProgram();
    // Waits for the editor to end; its exit status, or -1 while it runs.
    int WaitForEditorExit(std::chrono::milliseconds timeout);
    // From the start of the editor to its first painted frame on the screen.
    double FirstFrameMs() const { return firstFrameMs_; }
    // The editor's resident memory now, in kB.
    long EditorResidentKb() const;
    // The editor's own changed memory now (Private_Dirty: not the shared
    // libraries, nor the segment a MIDI server maps into every client), in kB.
    long EditorPrivateKb() const;
    // Whether the editor has a file whose name holds `name` mapped now.
    bool EditorMaps(const std::string& name) const;
    std::string EditorLog() const;
    // What the editor asked the desktop's opener to open (its help), in order.
    std::vector<std::string> OpenedUrls() const;
    // The descriptors the opener got beyond its standard streams ("7 ->
    // socket:[1234]"), from every time it ran.
    std::vector<std::string> OpenerInheritedDescriptors() const;

    // The editor's state now (asks it and waits for the answer).
    EditorReport Report();
    // The state after the editor repainted its active patch window whole.
    EditorReport ReportWithRepaint();
    // Asks until the state satisfies the test or the time is up; the last state.
    EditorReport WaitFor(const std::function<bool(const EditorReport&)>& test,
                         std::chrono::milliseconds timeout = std::chrono::seconds(20));

    // A person's hands on the editor, with real X input.
    void Click(platform::Point at, int button = 1);
    // Drags with the left button, a move every 30 ms as a hand makes them.
    void Drag(platform::Point from, platform::Point to, int steps);
    // Clicks the button of a window (by title) once it is there; false when
    // it never showed.
    bool ClickButton(const std::string& window, const std::string& label);
    // Drops a drop-down list down and clicks its entry; false when no list
    // dropped down.
    bool Pick(const platform::Rect& popup, int index);
    // Opens MIDI Setup with Ctrl+M (the frame clicked first so the keys go
    // to the editor) and gives port 1 these devices, enabled, with Apply;
    // false (with the reason) when a step found nothing to act on.
    bool ChoosePort1(const std::string& input, const std::string& output, std::string& why);

    // Keeps a picture of the screen (or of a part of it) in the build folder
    // under this name.
    void Screenshot(const std::string& name, const platform::Rect& part = {0, 0, 1280, 1024}) const;
    // The folder the screenshots are kept in.
    static std::string ScreenshotFolder();

private:
    EditorReport Ask(int signal);
    EditorReport Read() const;

    testsupport::ScopedConfigHome home_;
    testsupport::TempDir dir_;
    desktoptest::VirtualDesktop desktop_;
    std::string report_;
    std::string synthLog_;
    std::string synthOutput_;
    pid_t synth_ = 0;
    pid_t editor_ = 0;
    double firstFrameMs_ = 0;
};

} // namespace firsthour
