#pragma once

#include "framework/menus/Menu.h"
#include "framework/windows/ModalDialog.h"

#include <cstdint>
#include <string>

namespace NSHarrowen {
class CPopupButtonView;
class CPushButtonView;
class CStaticTextView;
} // namespace NSHarrowen
class CPortManager;

// Stores the patch of a synthesizer slot into a flash location, on template
// 284: the user picks a bank and a location (the list shows which patch each
// location holds) and presses Save; the store is sent in the idle step once
// the synthesizer is free, its answer awaited there, a flash problem told,
// and the dialog closes. Everything concerns the synthesizer on the patch's
// own port; the dialog closes when that port loses its synthesizer.
class CDialogSavePatchInSynth final : public NSHarrowen::CModalDialog {
public:
    static constexpr int32_t kTemplate = 284;
    enum EItem : uint16_t {
        kSave = 1213,
        kCancel = 1214,
        kBox = 1206,
        kFirstLine = 1207,
        kSecondLine = 1208,
        kBankPopup = 1209,
        kLocationPopup = 1210,
        kBankLabel = 1211,
        kLocationLabel = 1212,
    };
    enum EStoreState : uint8_t { kIdle = 0, kRequested = 1, kAwaited = 2 };

    CDialogSavePatchInSynth(CPortManager& ports, const std::string& patchName, uint8_t port, uint8_t slot);

    void RedrawViews() override;
    void ReceiveNotifications() override;
    void UpdateState() override;
    void Idle() override;

    void ShowSynthName();
    void FillBankMenu();
    void FillLocationMenu();

    uint8_t GetPort() const { return port_; }
    const NSHarrowen::CMenu& GetBankMenu() const { return bankMenu_; }
    const NSHarrowen::CMenu& GetLocationMenu() const { return locationMenu_; }
    NSHarrowen::CPopupButtonView* GetBankPopup() const { return bankPopup_; }
    NSHarrowen::CPopupButtonView* GetLocationPopup() const { return locationPopup_; }
    NSHarrowen::CPushButtonView* GetSaveButton() const { return save_; }
    NSHarrowen::CPushButtonView* GetCancelButton() const { return cancel_; }
    NSHarrowen::CStaticTextView* GetFirstLine() const { return firstLine_; }
    NSHarrowen::CStaticTextView* GetSecondLine() const { return secondLine_; }

private:
    bool HasOwnSynth() const;
    void FinishStore();

    CPortManager& ports_;
    NSHarrowen::CMenu bankMenu_;
    NSHarrowen::CMenu locationMenu_;
    NSHarrowen::CPushButtonView* save_ = nullptr;
    NSHarrowen::CPushButtonView* cancel_ = nullptr;
    NSHarrowen::CStaticTextView* firstLine_ = nullptr;
    NSHarrowen::CStaticTextView* secondLine_ = nullptr;
    NSHarrowen::CPopupButtonView* bankPopup_ = nullptr;
    NSHarrowen::CPopupButtonView* locationPopup_ = nullptr;
    uint8_t bank_ = 0;
    uint8_t location_ = 0;
    const std::string patchName_;
    const uint8_t port_;
    const uint8_t slot_;
    EStoreState store_ = kIdle;
};
