#include "tests/dialogs/DialogsFixture.h"

#include "editor/patches/PatchManager.h"
#include "framework/alerts/AlertBox.h"
#include "editor/prefs/Preferences.h"
#include "framework/controls/NativeControlView.h"
#include "framework/midi/MMEMIDIInput.h"
#include "framework/views/GroupView.h"
#include "framework/windows/ABCWindow.h"
#include "platform/controls/Controls.h"
#include "platform/windows/Window.h"
#include "simulator/SimCatalogueTypes.h"
#include "simulator/SimVirtualPort.h"
#include "simulator/Simulator.h"
#include "synth/link/PortManager.h"
#include "synth/link/Synth.h"
#include "synth/link/SynthPort.h"

#include <chrono>
#include <thread>

using namespace NSHarrowen;

namespace dialogstest {

std::string UniqueDeviceName(const std::string& prefix)
{
    static int count = 0;
    return prefix + " " + std::to_string(++count);
}

bool AnyAlertOpen()
{
    // A closed alert may wait for the outermost loop to delete it.
    for (int i = 0; i < CountWindows(); ++i)
        if (dynamic_cast<CAlertBox*>(GetWindowAt(i)) && !GetWindowAt(i)->IsMarkedForDeletion())
            return true;
    return false;
}

namespace {

void CollectUnreached(const CView* view, const std::set<const CView*>& met, std::vector<std::string>& out)
{
    const auto* native = dynamic_cast<const CNativeControlView*>(view);
    if (native && !platform::IsWindowVisible(native->GetHandle()))
        return;
    if (view->IsFocusable() && !view->PassesFocusToParent() && view->IsEnabledInHierarchy() && !met.count(view)) {
        const CRect frame = view->GetFrame();
        out.push_back((native ? "\"" + native->GetNativeText() + "\" " : std::string()) + "at " +
                      std::to_string(frame.left) + "," + std::to_string(frame.top));
    }
    if (const auto* group = dynamic_cast<const CGroupView*>(view))
        for (int i = 0; i < group->CountChildren(); ++i)
            CollectUnreached(group->GetChild(i), met, out);
}

} // namespace

std::vector<std::string> UnreachedControls(const CABCWindow& window, const std::set<const CView*>& met)
{
    std::vector<std::string> out;
    CollectUnreached(window.GetRootView(), met, out);
    return out;
}

void DialogsTest::SetUp()
{
    EditorTest::SetUp();
    onOperatorTick = [this] { AdvanceSynths(30); };
}

void DialogsTest::TearDown()
{
    EditorTest::TearDown();
    rigs.clear();
    devices.clear();
}

DialogsTest::Rig& DialogsTest::Plug(sim::SimModel model)
{
    auto rig = std::make_unique<Rig>();
    rig->device = UniqueDeviceName("Dialog Test Synth");
    sim::SimConfig config;
    config.model = model;
    rig->synth = std::make_unique<sim::CSimulator>(config, sim::CatalogueTypes());
    rig->port = std::make_unique<sim::CSimVirtualPort>(*rig->synth, rig->device);
    rigs.push_back(std::move(rig));
    return *rigs.back();
}

platform::VirtualMidiDevice& DialogsTest::PlugDevice(const std::string& name)
{
    devices.push_back(std::make_unique<platform::VirtualMidiDevice>(platform::VirtualMidiDevice::Options{name}));
    return *devices.back();
}

void DialogsTest::LaunchWithPorts(const std::vector<std::string>& names)
{
    Launch([&names] {
        CPreferences preferences;
        for (size_t port = 0; port < names.size() && port < 4; ++port) {
            const auto p = static_cast<uint8_t>(port);
            preferences.SetPortEnabled(p, !names[port].empty());
            preferences.SetPortInputName(p, names[port]);
            preferences.SetPortOutputName(p, names[port]);
        }
        preferences.Save();
    });
}

void DialogsTest::Unplug(Rig& rig)
{
    rig.port.reset();
}

CPortManager& DialogsTest::Ports()
{
    return *app->GetPorts();
}

CPatchManager& DialogsTest::List()
{
    return *app->GetPatches();
}

void DialogsTest::WaitForWorkers()
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    for (const auto& rig : rigs) {
        if (!rig->port)
            continue;
        platform::VirtualMidiDevice& device = rig->port->Device();
        while (device.IsInputOpen() && device.InputBuffersQueued() < CMMEMIDIInput::kBufferCount &&
               std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::microseconds(100));
    }
}

void DialogsTest::AdvanceSynths(uint64_t ms)
{
    size_t delivered = 0;
    for (const auto& rig : rigs)
        if (rig->port)
            delivered += rig->port->Advance(ms);
    if (delivered != 0)
        WaitForWorkers();
}

void DialogsTest::SynthStep()
{
    desktop.Host().Advance(10);
    AdvanceSynths(10);
    Pump();
    app->IdleCheck();
}

bool DialogsTest::StepUntil(const std::function<bool()>& done, int limit)
{
    for (int i = 0; i < limit && !done(); ++i)
        SynthStep();
    return done();
}

bool DialogsTest::Settle(uint8_t port)
{
    return StepUntil([this, port] {
        const CSynth* synth = Ports().GetSynth(port);
        if (!synth || !synth->HasSettings() || Ports().GetPort(port)->IsAwaitingAnswer())
            return false;
        for (uint8_t slot = 0; slot < synth->GetSlotCount(); ++slot)
            if (synth->IsSlotBusy(slot))
                return false;
        return true;
    });
}

uint16_t DialogsTest::InputIndex(const std::string& device)
{
    uint16_t index = 0;
    EXPECT_TRUE(Ports().GetInputRegistry().FindByName(device, index)) << device;
    return index;
}

uint16_t DialogsTest::OutputIndex(const std::string& device)
{
    uint16_t index = 0;
    EXPECT_TRUE(Ports().GetOutputRegistry().FindByName(device, index)) << device;
    return index;
}

void DialogsTest::Click(const CNativeControlView* view)
{
    const platform::Rect r = platform::GetWindowRect(view->GetHandle());
    desktop.Host().Click({r.left + 6, r.top + 6});
}

void DialogsTest::ClickAt(const CView* view, int16_t dx, int16_t dy)
{
    const CRect frame = view->GetFrame();
    desktop.Host().Click(platform::ClientToScreen(view->GetWindow()->GetHandle(), {frame.left + dx, frame.top + dy}));
}

void DialogsTest::DropDown(const CNativeControlView* popup)
{
    const platform::Rect r = platform::GetWindowRect(popup->GetHandle());
    desktop.Host().Click({r.left + 30, r.top + 10});
}

void DialogsTest::PickDropped(const CNativeControlView* popup, int index)
{
    const platform::Rect r = platform::GetWindowRect(popup->GetHandle());
    const platform::Point p{r.left + 30, r.top + platform::kComboFieldHeight + 1 + index * 16 + 8};
    desktop.Host().MoveMouse(p);
    desktop.Host().Click(p);
}

void DialogsTest::PressKey(uint32_t key)
{
    desktop.Host().PressKey(key);
    desktop.Host().ReleaseKey(key);
}

bool DialogsTest::ScriptDone() const
{
    return scriptDone_ && scriptDone_();
}

} // namespace dialogstest
