#pragma once

#include "framework/windows/ModalDialog.h"

#include <array>
#include <cstdint>

namespace NSHarrowen {
class CGroupBoxView;
class CPushButtonView;
class CRadioButtonGroupView;
class CRadioButtonView;
class CStaticTextView;
} // namespace NSHarrowen
class CPortManager;
class CSlotChoice;

// "Slot Selection": where a patch is to live. One box per port that has a
// synthesizer, one radio button per slot of it with the name of the patch
// the slot holds, "Local" last; OK, Cancel and, when the request offers it,
// Upload. Built in code and built again whenever the synthesizers on the
// ports come, go or change their number of slots. The answer goes into the
// caller's request record.
class CDialogSlot final : public NSHarrowen::CModalDialog {
public:
    static constexpr uint8_t kPorts = 4;
    static constexpr uint8_t kSlots = 4;
    static constexpr uint8_t kLocal = 4;
    static constexpr int16_t kWidth = 318;

    explicit CDialogSlot(CSlotChoice& request);

    void ReceiveNotifications() override;
    void UpdateState() override;

    NSHarrowen::CPushButtonView* GetOkButton() const { return ok_; }
    NSHarrowen::CPushButtonView* GetCancelButton() const { return cancel_; }
    NSHarrowen::CPushButtonView* GetUploadButton() const { return upload_; }
    NSHarrowen::CRadioButtonGroupView* GetRadioGroup() const { return group_; }
    NSHarrowen::CGroupBoxView* GetPortBox(uint8_t port) const { return ports_[port].box; }
    NSHarrowen::CRadioButtonView* GetSlotButton(uint8_t port, uint8_t slot) const { return ports_[port].buttons[slot]; }
    NSHarrowen::CStaticTextView* GetPatchNameText(uint8_t port, uint8_t slot) const { return ports_[port].names[slot]; }
    NSHarrowen::CRadioButtonView* GetLocalButton() const { return local_; }
    uint16_t GetSelectedIndex() const { return selectedIndex_; }

private:
    struct CPortViews {
        NSHarrowen::CGroupBoxView* box = nullptr;
        uint8_t builtSlots = 0;
        std::array<NSHarrowen::CRadioButtonView*, kSlots> buttons{};
        std::array<NSHarrowen::CStaticTextView*, kSlots> names{};
    };

    void BuildControls();
    void DeleteControls();
    // Lays out one port's box at `top`; returns the box's bottom edge.
    int16_t BuildPort(uint8_t port, uint8_t slots, int16_t top);
    uint16_t IndexFromChoice() const;
    void ChoiceFromIndex();
    void CheckSlotCounts();
    // Until the user picks, the selection follows the current slot, which
    // a synthesizer that just connected reports after its box is built.
    void FollowCurrentSlot();
    void UpdateTexts();
    void Finish(int32_t result);
    // A port's slot count now: 0 without a synthesizer.
    uint8_t CurrentSlotCount(uint8_t port) const;

    CSlotChoice& request_;
    CPortManager* manager_;
    NSHarrowen::CPushButtonView* ok_ = nullptr;
    NSHarrowen::CPushButtonView* cancel_ = nullptr;
    NSHarrowen::CPushButtonView* upload_ = nullptr;
    NSHarrowen::CRadioButtonGroupView* group_ = nullptr;
    std::array<CPortViews, kPorts> ports_{};
    NSHarrowen::CRadioButtonView* local_ = nullptr;
    uint16_t selectedIndex_ = 0;
    uint8_t selectedPort_ = kLocal;
    uint8_t selectedSlot_ = 0;
    bool picked_ = false;
};

// The dialog's title for a request's caption.
std::string SlotDialogTitle(const std::string& caption);
