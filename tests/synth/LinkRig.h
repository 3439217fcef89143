#pragma once

// The synthesizer link of the editor, joined through in-process MIDI devices
// to simulated synthesizers, with doubles for the editor's services: the
// patch documents (recording what the link asks of them and gives them),
// the patch list, the port preferences and the application.

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <typeindex>
#include <vector>

#include "platform/system/Clock.h"
#include "simulator/SimVirtualPort.h"
#include "simulator/Simulator.h"
#include "synth/molecules/MoleculePacket.h"
#include "synth/molecules/MoleculeRegistry.h"
#include "synth/link/LinkApplicationInterface.h"
#include "synth/link/PortManager.h"
#include "synth/link/PortPreferencesInterface.h"
#include "synth/link/SlotPatchInterface.h"
#include "synth/link/SlotPatchManagerInterface.h"
#include "synth/link/Synth.h"
#include "synth/link/SynthPort.h"
#include "platform/system/VirtualClock.h"
#include "platform/system/ScopedClock.h"

namespace linkrig {

using Bytes = std::vector<uint8_t>;
using MoleculeTypes = std::vector<std::type_index>;

MoleculeTypes TypesOf(const CMoleculePacket& packet);

class CRecordingPatchManager;

// A message the synthesizer sends on its own (no answer flag): the molecule,
// the end mark, checksum on; with the slot's number or, without one, a
// count of one molecule.
Bytes SynthMessage(const CMolecule& molecule, uint8_t slot, std::optional<uint8_t> number);

// A slot's document: asks for the parts of a patch one per call, as a
// document loading from its slot does, and keeps what it is given.
class CRecordingPatch : public CSlotPatchInterface {
public:
    CRecordingPatch(CRecordingPatchManager& owner, std::string name) : owner_(owner), name_(std::move(name)) { }
    ~CRecordingPatch() override;

    void Link(CSynth& synth, uint8_t slot, bool select);

    void BuildPatchDump(CMoleculePacket& packet) const override;
    bool RequestNextPart() override;
    void ApplyMoleculeList(const CMoleculePacket& packet) override;
    std::string GetName() const override { return name_; }
    void UnlinkFromSynth() override;
    void OnEditSent() override { ++editsSent; }
    void TakeBackUnsentEdits() override { ++takeBacks; }
    void BringWindowToFront() override { ++fronts; }

    CSynth* synth = nullptr;
    uint8_t slot = 4;
    // The molecule types of each packet applied, in order.
    std::vector<MoleculeTypes> applied;
    // The molecule types of each part asked for, in order.
    std::vector<MoleculeTypes> asked;
    int fronts = 0;
    int unlinks = 0;
    int editsSent = 0;
    int takeBacks = 0;
    // Parts still to ask for; empty for a document that has them all.
    std::vector<std::function<void(CMoleculePacket&)>> parts;
    // Thrown once from the next ApplyMoleculeList when set.
    std::string applyError;
    // Run once by the next ApplyMoleculeList when set (an alert it shows).
    std::function<void()> duringApply;

private:
    CRecordingPatchManager& owner_;
    std::string name_;
};

// The parts a document of a synthesizer slot asks for, in the order it asks.
std::vector<std::function<void(CMoleculePacket&)>> SlotPatchParts();

class CRecordingPatchManager : public CSlotPatchManagerInterface {
public:
    void NewEmptySlotPatch(CSynth& synth, uint8_t slot) override;
    void NewPatchFromSynth(uint8_t port, uint8_t slot) override;

    // The document bound to (port, slot), or null.
    CRecordingPatch* Find(uint8_t port, uint8_t slot) const;

    std::vector<std::unique_ptr<CRecordingPatch>> documents;
    std::vector<std::string> calls;
    // Documents made for slots start without missing parts when false.
    bool loadFromSynth = true;
    // NewEmptySlotPatch throws for this slot.
    int failSlot = -1;
};

class CFakeApplication : public CLinkApplicationInterface {
public:
    bool IsActive() const override { return active; }
    void RunAlertText(const std::string& script) override { alerts.push_back(script); }

    bool active = true;
    std::vector<std::string> alerts;
};

class CFakePreferences : public CPortPreferencesInterface {
public:
    struct Port {
        bool enabled = false;
        std::string input;
        std::string output;
    };
    bool IsPortEnabled(uint8_t port) const override { return ports.at(port).enabled; }
    std::string GetPortInputName(uint8_t port) const override { return ports.at(port).input; }
    std::string GetPortOutputName(uint8_t port) const override { return ports.at(port).output; }
    void SetPortEnabled(uint8_t port, bool enabled) override { ports.at(port).enabled = enabled; }
    void SetPortInputName(uint8_t port, const std::string& name) override { ports.at(port).input = name; }
    void SetPortOutputName(uint8_t port, const std::string& name) override { ports.at(port).output = name; }
    void Save() override { ++saves; }

    std::array<Port, 4> ports;
    int saves = 0;
};

// A port manager over the machine's MIDI devices, made once they list each
// simsynthd of `names` (its ports "<name> in" and "<name> out" appear a
// moment after it starts); `devices` takes, for each name, the index of its
// output among the inputs and then of its input among the outputs. Null
// when they are not listed within five seconds.
std::unique_ptr<CPortManager> ManagerSeeing(const CPortManagerServices& services, const std::vector<std::string>& names,
                                            std::vector<uint16_t>& devices);

// Simulated synthesizers on MIDI devices "<prefix> 0", "<prefix> 1", ...,
// a port manager over them, and a virtual clock.
class CLinkRig {
public:
    static constexpr uint64_t kStepMs = 50;
    static constexpr uint64_t kClockStart = 10000;

    // With `documents`, the slots' documents come from there instead of
    // from the recording patch manager; `transfers` serve bank transfers.
    explicit CLinkRig(std::vector<sim::SimConfig> synths = {sim::SimConfig{}},
                      CSlotPatchManagerInterface* documents = nullptr,
                      CTransferDocumentsInterface* transfers = nullptr);
    ~CLinkRig();

    sim::CSimulator& Synth(size_t i = 0) { return *synths_.at(i); }
    sim::CSimVirtualPort& SimPort(size_t i = 0) { return *simPorts_.at(i); }
    std::string DeviceName(size_t i) const;
    CPortManager& Manager() { return *manager_; }
    CSynthPort& Port(uint8_t port = 0);
    CSynth& SynthObject(uint8_t port = 0);
    platform::CVirtualClock& Clock() { return clock_; }

    // Opens the port on the devices of simulated synthesizer `synth`.
    void OpenPort(uint8_t port, size_t synth);
    // One idle call of the application; then 50 ms pass for the clock and
    // the synthesizers, and what they sent is received.
    void Step();
    void Steps(int count);
    // Steps until the condition holds; false after `limit` steps.
    bool StepUntil(const std::function<bool()>& done, int limit = 400);
    // Steps until every synthesizer's state and every slot's parts are in.
    bool Settle(uint8_t port = 0, int limit = 600);
    // What the synthesizer received since its log was last cleared.
    std::vector<std::string> SynthLog(size_t i = 0);
    // The messages that reached the synthesizer's input since last taken.
    std::vector<Bytes> SynthReceived(size_t i = 0);

    CFakeApplication application;
    CFakePreferences preferences;
    CRecordingPatchManager patches;

    // Bytes on the synthesizer's cable, outside its own answers.
    void Inject(const Bytes& bytes, size_t synth = 0);
    // Until the worker has received everything sent on the cable so far.
    void WaitForWorker(size_t i = 0);

private:
    void Deliver(size_t i);

    platform::CVirtualClock clock_{kClockStart};
    platform::CScopedClock scopedClock_{clock_};
    CMoleculeRegistry registry_;
    std::string prefix_;
    std::vector<std::unique_ptr<sim::CSimulator>> synths_;
    std::vector<std::unique_ptr<sim::CSimVirtualPort>> simPorts_;
    std::unique_ptr<CPortManager> manager_;
};

} // namespace linkrig
