#pragma once

#include "framework/midi/PortRegistry.h"
#include "synth/link/CurrentSlot.h"
#include "synth/link/PortManagerServices.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace NSHarrowen {
class CMenu;
}
class CFlashMemory;
class CSynth;
class CSynthPort;
class CSynthSettings;

// The editor's four MIDI ports (0-3): lists the machine's MIDI devices with
// a menu of each direction, opens and closes ports, restores them from the
// preferences and stores them back, services one open port per idle step in
// turn and closes a port whose link failed, telling the user. It also keeps
// the current slot. One per program; main thread only.
class CPortManager {
public:
    static constexpr uint8_t kPortCount = 4;
    static constexpr uint8_t kNone = CCurrentSlot::kNone;

    explicit CPortManager(const CPortManagerServices& services);
    virtual ~CPortManager();
    CPortManager(const CPortManager&) = delete;
    CPortManager& operator=(const CPortManager&) = delete;

    // A port's device index when its device is not in the lists (any more):
    // the port keeps the device's name.
    static constexpr uint16_t kNotListed = UINT16_MAX;

    // Opens a port on registry indices; the caller closes an open port
    // first. A failure passes on and leaves the entry as it was.
    void OpenPort(uint8_t port, uint16_t inputIndex, uint16_t outputIndex);
    // The devices of a port (kNotListed keeps the name it has).
    void SetPortDevices(uint8_t port, uint16_t inputIndex, uint16_t outputIndex);
    // Reads the machine's device lists again (a device plugged in since);
    // each port finds its devices again by name, or keeps their names as
    // not listed, and stays open or closed as it is.
    void RefreshDeviceLists();
    void ClosePort(uint8_t port);
    void Idle();
    // A MIDI input has a message waiting: each port with messages queued,
    // or that wants a step (a bank job just started), takes its step now
    // (in port order), as at an idle tick, so an answer
    // is handled, and the next request sent, when it arrives. A port whose
    // step runs (a handler's alert runs the message loop) is left out: its
    // input waits for the end of that step.
    void OnMidiArrival();
    // The ports' work while a menu or dialog of the window layer holds the
    // program: what arrived is handled and the next port's step runs, so the
    // contact pings and answers go on; a failed port is closed, and the user
    // told, at the next idle step.
    void KeepContact();
    void ReportOutOfMemory(uint8_t port);
    // A slot's document refused part of what the synthesizer sent: the user
    // is told at the end of the idle step.
    void ReportRefusedPart(uint8_t port, uint8_t slot, const std::string& text);
    void OpenPortsFromPreferences();
    void StorePortsInPreferences();

    // Per port 0-3.
    CSynthPort* GetPort(uint8_t port) const;
    uint16_t GetInputIndex(uint8_t port) const { return port < kPortCount ? entries_[port].input : 0; }
    uint16_t GetOutputIndex(uint8_t port) const { return port < kPortCount ? entries_[port].output : 0; }
    // The names of the port's devices, listed or not; empty when none was chosen.
    std::string GetInputName(uint8_t port) const { return port < kPortCount ? entries_[port].inputName : ""; }
    std::string GetOutputName(uint8_t port) const { return port < kPortCount ? entries_[port].outputName : ""; }
    bool HasSynth(uint8_t port) const;
    uint8_t CountSynths() const;
    CSynth* GetSynth(uint8_t port) const;
    // The display name of the port's link; empty when the port is closed.
    // " (Port n)" follows a synthesizer's name that another open port's
    // synthesizer has too.
    std::string GetDisplayName(uint8_t port) const;
    // These require a port with a synthesizer (HasSynth).
    uint8_t GetSlotCount(uint8_t port) const;
    bool SlotHasPatch(uint8_t port, uint8_t slot) const;
    std::string GetSlotPatchName(uint8_t port, uint8_t slot) const;
    CFlashMemory& GetFlashMemory(uint8_t port) const;
    const CSynthSettings& GetSynthSettings(uint8_t port) const;
    uint32_t GetSynthSettingsTime(uint8_t port) const;
    // False, and nothing sent, while the synthesizer awaits the answer to a
    // request.
    bool SendSynthSettings(uint8_t port, const CSynthSettings& settings);

    // The current slot.
    void SelectSlot(uint8_t port, uint8_t slot);
    void AdoptSlotFocus(uint8_t port, uint8_t slot);
    bool HasCurrentSynth() const;
    uint8_t GetCurrentPort() const;
    bool IsCurrentPort(uint8_t port) const { return current_.GetPort() == port; }
    uint8_t GetCurrentSlot() const;
    uint8_t GetCurrentSlotOf(uint8_t port) const;
    bool HasCurrentSynthSettings() const;
    // The current synthesizer waits for an answer (which holds every flash
    // action of the browser).
    bool IsCurrentSynthBusy() const;
    // 0 nothing to exchange, 1 adopt the synthesizer's focus, 2 tell it the
    // editor's current slot.
    uint8_t GetPortChange(uint8_t port) const;
    void ClearPortChange(uint8_t port) { current_.SetChanged(port, false); }
    void OnPortLost(uint8_t port);
    bool IsStartingUp() const { return startingUp_; }

    // The device lists and their menus, as last read.
    const NSHarrowen::CInputPortRegistry& GetInputRegistry() const { return *inputs_; }
    const NSHarrowen::COutputPortRegistry& GetOutputRegistry() const { return *outputs_; }
    NSHarrowen::CMenu& GetInputMenu() const { return *inputMenu_; }
    NSHarrowen::CMenu& GetOutputMenu() const { return *outputMenu_; }
    uint16_t GetInputDeviceCount() const { return inputCount_; }
    uint16_t GetOutputDeviceCount() const { return outputCount_; }

    CLinkApplicationInterface& GetApplication() const { return services_.application; }
    CSlotPatchManagerInterface& GetPatchManager() const { return services_.patches; }
    CTransferDocumentsInterface* GetTransferDocuments() const { return services_.transferDocuments; }

private:
    struct CRefusedPart {
        uint8_t port;
        uint8_t slot;
        std::string text;
    };
    struct CPortEntry {
        uint16_t input = 0;
        uint16_t output = 0;
        std::string inputName;
        std::string outputName;
        std::unique_ptr<CSynthPort> port;
        // The port's step is under way.
        bool stepping = false;
    };

    void CloseAll();
    void ServiceNextPort();
    void ServicePort(uint8_t port, bool onArrival = false);
    void ReportFailure(const std::string& displayName, const std::string& failureText);
    void ShowRefusedParts();
    bool IsNameShared(uint8_t port) const;
    static std::string PortLabel(uint8_t port);
    bool SharesDevices(uint8_t port, uint16_t input, uint16_t output) const;
    void ListDevices();
    void TakeDevices(CPortEntry& entry, uint16_t input, uint16_t output) const;

    CPortManagerServices services_;
    std::unique_ptr<NSHarrowen::CInputPortRegistry> inputs_;
    std::unique_ptr<NSHarrowen::COutputPortRegistry> outputs_;
    uint16_t inputCount_ = 0;
    uint16_t outputCount_ = 0;
    std::unique_ptr<NSHarrowen::CMenu> inputMenu_;
    std::unique_ptr<NSHarrowen::CMenu> outputMenu_;
    std::array<CPortEntry, kPortCount> entries_;
    std::vector<CRefusedPart> refusedParts_;
    uint8_t nextPort_ = 0;
    // Inside KeepContact: no alert is shown.
    bool alertsHeld_ = false;
    CCurrentSlot current_;
    bool startingUp_ = true;
};

// The program's port manager while one exists.
CPortManager* GetPortManager();
