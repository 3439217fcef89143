#pragma once

#include "framework/lists/ListBoxData.h"
#include "framework/windows/ModalDialog.h"

#include <cstdint>
#include <map>

namespace NSHarrowen {
class CListBoxView;
class CPushButtonView;
} // namespace NSHarrowen
class CPatch;

// A MIDI controller number in one byte: 0-120, or 121 for none; anything
// larger is none.
class CMidiCtrlByte {
public:
    static constexpr uint8_t kNone = 121;

    explicit CMidiCtrlByte(uint32_t value = kNone) : value_(value > kNone ? kNone : static_cast<uint8_t>(value)) { }
    uint8_t Get() const { return value_; }
    bool IsNone() const { return value_ == kNone; }

private:
    uint8_t value_;
};

// The MIDI controller choice for one parameter, on dialog template 276:
// every assignable controller in a row with its name and, for those the
// patch uses, the module and parameter each drives. OK answers the picked
// controller, Remove takes the parameter's controller away, Cancel nothing;
// the caller makes the assignment.
class CDialogMIDIControl final : public NSHarrowen::CModalDialog {
public:
    static constexpr int32_t kTemplate = 276;
    static constexpr uint32_t kHelpContext = 60;
    static constexpr uint16_t kNoRow = 65535;
    enum EItem : uint16_t { kOk = 1203, kCancel = 1202, kRemove = 1004, kList = 1204 };
    enum EResult : int { kResultOk = 1, kResultCancel = 2, kResultRemove = 3 };
    enum EColumn : uint16_t { kNumberColumn = 0, kNameColumn = 1, kModuleColumn = 2, kParamColumn = 3 };

    CDialogMIDIControl();

    // Before the run: the rows of the controllers the patch uses, and the
    // caller's controller (in: the parameter's; out: the chosen one) and
    // result code, which stay the caller's.
    void FillAssignments(const CPatch& patch, CMidiCtrlByte* controller, int* result);

    uint32_t GetHelpContext() const override { return kHelpContext; }
    void ReceiveNotifications() override;
    void LayoutRootView() override;

    // The controller of a row; none for no row.
    uint8_t ControllerOfRow(uint16_t row) const;
    // The row of a controller, or kNoRow.
    uint16_t RowOfController(uint8_t controller) const;

    const NSHarrowen::CListBoxData& GetData() const { return data_; }
    NSHarrowen::CListBoxView* GetList() const { return list_; }
    uint16_t GetSelectedRow() const { return selected_; }
    NSHarrowen::CPushButtonView* GetOkButton() const { return ok_; }
    NSHarrowen::CPushButtonView* GetCancelButton() const { return cancel_; }
    NSHarrowen::CPushButtonView* GetRemoveButton() const { return remove_; }

private:
    void Finish(int result);

    NSHarrowen::CListBoxData data_;
    std::map<uint8_t, uint16_t> rows_;
    NSHarrowen::CListBoxView* list_ = nullptr;
    NSHarrowen::CPushButtonView* ok_ = nullptr;
    NSHarrowen::CPushButtonView* cancel_ = nullptr;
    NSHarrowen::CPushButtonView* remove_ = nullptr;
    uint16_t selected_ = kNoRow;
    CMidiCtrlByte* controller_ = nullptr;
    int* result_ = nullptr;
};

// Whether a controller number gets a row: below 121, and not 32 or 64.
bool HasControllerRow(uint8_t controller);
