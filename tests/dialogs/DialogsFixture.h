#pragma once

// The editor with simulated synthesizers and plain MIDI devices plugged in
// as in-process devices, chosen in the preferences as a user would have
// chosen them. Dialogs that run modally are worked by a script of steps that
// the operator plays one per tick, as a person clicks one control at a time.

#include "tests/editor/EditorFixture.h"

#include "platform/input/Keys.h"
#include "platform/midi/virtual/VirtualMidi.h"
#include "simulator/SimState.h"
#include "simulator/SimVirtualPort.h"
#include "simulator/Simulator.h"

#include <deque>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace NSHarrowen {
class CNativeControlView;
class CABCWindow;
class CView;
} // namespace NSHarrowen
class CPortManager;
class CPatchManager;

namespace dialogstest {

// Whether an alert box is open (or closed and not yet gone).
bool AnyAlertOpen();

class DialogsTest : public editortest::EditorTest {
protected:
    struct Rig {
        std::string device;
        std::unique_ptr<sim::CSimulator> synth;
        std::unique_ptr<sim::CSimVirtualPort> port;
    };

    void SetUp() override;
    void TearDown() override;

    // A simulated synthesizer on a device of its own name (before Launch:
    // the editor lists the devices at start).
    Rig& Plug(sim::SimModel model = sim::SimModel::Kandrel);
    // A device with nothing behind it.
    platform::VirtualMidiDevice& PlugDevice(const std::string& name);
    // Starts the editor with these devices enabled on ports 0, 1, ... in
    // its preferences ("" leaves a port off).
    void LaunchWithPorts(const std::vector<std::string>& devices);
    // Unplugs a synthesizer: its port fails at the next send.
    void Unplug(Rig& rig);

    CPortManager& Ports();
    CPatchManager& List();
    // 10 ms for the desktop, every synthesizer and the editor's idle step.
    void SynthStep();
    bool StepUntil(const std::function<bool()>& done, int limit = 3000);
    // The synthesizer on a port is recognised and every slot settled.
    bool Settle(uint8_t port);
    // Time for the synthesizers from the operator's timer (modal runs).
    void AdvanceSynths(uint64_t ms);
    // The registry index of a device by name.
    uint16_t InputIndex(const std::string& device);
    uint16_t OutputIndex(const std::string& device);

    // Clicks: a native control in its top-left corner; any view at a point
    // of its frame (window coordinates).
    void Click(const NSHarrowen::CNativeControlView* view);
    void ClickAt(const NSHarrowen::CView* view, int16_t dx, int16_t dy);
    // Drops a pop-up down and picks an entry with two clicks; the first
    // step only drops it down.
    void DropDown(const NSHarrowen::CNativeControlView* popup);
    void PickDropped(const NSHarrowen::CNativeControlView* popup, int index);
    void PressKey(uint32_t key);

    // One step of a script: true when done (a waiting step answers false
    // until its condition holds).
    static constexpr int kScriptTickLimit = 3000;
    template <class T> using ScriptStep = std::function<bool(T&)>;
    // Plays the steps on the first open window of type T, one per tick.
    template <class T> void Script(std::vector<ScriptStep<T>> steps)
    {
        auto queue = std::make_shared<std::deque<ScriptStep<T>>>(steps.begin(), steps.end());
        scriptDone_ = [queue] { return queue->empty(); };
        auto ticks = std::make_shared<int>(0);
        operate = [queue, ticks](NSHarrowen::CABCWindow& window) {
            auto* dialog = dynamic_cast<T*>(&window);
            // An alert still on the screen belongs to the step before.
            if (!dialog || AnyAlertOpen())
                return false;
            if (++*ticks > kScriptTickLimit) {
                // A step that never comes true must not hang the run.
                // A dialog that stays open after the last step must not either.
                ADD_FAILURE() << "the script stopped with " << queue->size() << " steps to go";
                queue->clear();
                dialog->RequestClose();
                return true;
            }
            if (queue->empty())
                return false;
            if (queue->front()(*dialog))
                queue->pop_front();
            return true;
        };
    }
    // Steps that walk the dialog with Tab, `presses` times, keeping the
    // views that had the focus on the way.
    template <class T>
    void TabRound(std::vector<ScriptStep<T>>& steps, std::set<const NSHarrowen::CView*>& met, int presses = 40)
    {
        for (int i = 0; i < presses; ++i)
            steps.push_back(Do<T>([this, &met](T& dialog) {
                met.insert(dialog.GetFocusView());
                PressKey(platform::kVKTab);
            }));
        steps.push_back(Do<T>([&met](T& dialog) { met.insert(dialog.GetFocusView()); }));
    }
    // Whether every step of the script has been played.
    bool ScriptDone() const;
    // Steps for scripts: an action that is done at once.
    template <class T> static ScriptStep<T> Do(std::function<void(T&)> action)
    {
        return [action](T& dialog) {
            action(dialog);
            return true;
        };
    }

    std::vector<std::unique_ptr<Rig>> rigs;
    std::vector<std::unique_ptr<platform::VirtualMidiDevice>> devices;

private:
    void WaitForWorkers();

    std::function<bool()> scriptDone_;
};

// The controls of the window a person could use (focusable, shown and
// enabled) that are not among `met`: what Tab never reached.
std::vector<std::string> UnreachedControls(const NSHarrowen::CABCWindow& window,
                                           const std::set<const NSHarrowen::CView*>& met);

// A device name no other test of this run uses (the device lists are the
// process's).
std::string UniqueDeviceName(const std::string& prefix);

} // namespace dialogstest
