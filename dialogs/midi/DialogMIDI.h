#pragma once

#include "framework/windows/ModalDialog.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>

namespace NSHarrowen {
class CCheckBoxView;
class CMenu;
class CGroupBoxView;
class CPopupButtonView;
class CPushButtonView;
class CStaticTextView;
} // namespace NSHarrowen
class CPortManager;

// "MIDI Setup": for each of the four ports an input and an output device
// and whether the port is enabled, with the port's live status. It reads
// the machine's device lists afresh as it opens and as a list is opened,
// each row keeping the devices chosen in it; a port's device that is no
// longer listed shows by its name, marked "(not connected)", and the port
// stays as it is until another is chosen. Apply and OK open, close or reopen
// exactly the ports whose settings changed, report the ports that cannot be
// opened, and store the port table in the preferences. Built in code.
class CDialogMIDI final : public NSHarrowen::CModalDialog {
public:
    static constexpr uint8_t kPorts = 4;
    static constexpr uint32_t kHelpContext = 70;
    static constexpr uint32_t kAlertUniqueDevice = 500128001;
    static constexpr uint32_t kAlertCouldNotOpen = 500128002;
    static constexpr uint32_t kAlertOutOfMemory = 500128003;
    static constexpr uint32_t kAlertNotConnected = 500128009;
    static constexpr const char* kAlertMidiProblem = "[STOP][MIDI problems:]^0[OK]";

    static constexpr const char* kNotConnected = " (not connected)";

    // The views and the edited values of one port. Its pop-ups list the
    // devices, and after them the port's own device when it is not listed;
    // the indices are those of the pop-ups.
    struct CPortRow {
        NSHarrowen::CGroupBoxView* box = nullptr;
        NSHarrowen::CPopupButtonView* input = nullptr;
        NSHarrowen::CPopupButtonView* output = nullptr;
        NSHarrowen::CCheckBoxView* enabled = nullptr;
        NSHarrowen::CStaticTextView* status = nullptr;
        std::unique_ptr<NSHarrowen::CMenu> inputMenu;
        std::unique_ptr<NSHarrowen::CMenu> outputMenu;
        uint16_t inputIndex = 0;
        uint16_t outputIndex = 0;
        bool enabledFlag = false;
    };

    explicit CDialogMIDI(CPortManager& ports);
    ~CDialogMIDI() override;

    uint32_t GetHelpContext() const override { return kHelpContext; }
    void ReceiveNotifications() override;
    void UpdateState() override;

    // True when applied (also when some ports failed to open), false when
    // two enabled ports share a device.
    bool Apply();
    bool HasChanges() const;
    bool DevicesAreDistinct() const;

    const CPortRow& GetRow(uint8_t port) const { return rows_[port]; }
    NSHarrowen::CPushButtonView* GetOkButton() const { return ok_; }
    NSHarrowen::CPushButtonView* GetCancelButton() const { return cancel_; }
    NSHarrowen::CPushButtonView* GetApplyButton() const { return apply_; }

private:
    void BuildPort(uint8_t port);
    void ListPortDevices(uint8_t port);
    void RelistDevices();
    bool PortChanged(uint8_t port) const;
    // The port manager's device index of a pop-up index, and back.
    uint16_t InputDevice(const CPortRow& row) const;
    uint16_t OutputDevice(const CPortRow& row) const;
    void ApplyPort(uint8_t port);
    // Opens a port, reporting a failure; true when it is open.
    bool OpenPort(uint8_t port);
    // The name of a device of the row that is not listed, input first.
    std::optional<std::string> UnlistedDevice(const CPortRow& row) const;

    CPortManager& ports_;
    std::array<CPortRow, kPorts> rows_;
    NSHarrowen::CPushButtonView* ok_ = nullptr;
    NSHarrowen::CPushButtonView* cancel_ = nullptr;
    NSHarrowen::CPushButtonView* apply_ = nullptr;
};
