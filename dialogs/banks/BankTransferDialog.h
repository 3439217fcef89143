#pragma once

#include "framework/lists/LineRing.h"
#include "framework/windows/ModalDialog.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace NSHarrowen {
struct CDialogItem;
class CFileSpec;
class CMenu;
class CPopupButtonView;
class CProgressBarView;
class CPushButtonView;
class CStaticTextView;
} // namespace NSHarrowen
class CBankTransfer;

// What the bank upload and bank download dialogs share: the port they were
// opened for, the bank box with its drop-down, the location box with its two
// lines, the progress bar, the status line, the log lent to the port's transfer engine while it runs, "More info", "Start",
// "Stop" and "Exit". The dialog only polls the engine, which advances in the
// application's idle steps while the dialog runs modally.
class CBankTransferDialog : public NSHarrowen::CModalDialog {
public:
    static constexpr uint16_t kLogLines = 100;
    static constexpr uint32_t kLogLineLength = 60;
    static constexpr const char* kBrowseFailed = "[STOP]Could not browse.[Abort]";
    static constexpr const char* kLogFailed = "[STOP]Out of memory.[OK]";

    ~CBankTransferDialog() override;

    // A window that goes while its transfer runs would leave the engine
    // writing into a freed log: closing waits until the transfer ended.
    bool CanClose() override;
    // A transfer of the port's engine runs.
    bool IsRunning() const;

    uint8_t GetPort() const { return port_; }
    uint8_t GetBankIndex() const { return bank_; }
    const NSHarrowen::CLineRing& GetLog() const { return log_; }
    NSHarrowen::CPopupButtonView* GetBankPopup() const { return bankPopup_; }
    // The location box's first or second line: where the bank goes or comes from.
    NSHarrowen::CStaticTextView* GetLocationLine(int line) const { return line == 1 ? line1_ : line2_; }
    NSHarrowen::CProgressBarView* GetProgressBar() const { return progress_; }
    NSHarrowen::CStaticTextView* GetStatusText() const { return status_; }
    NSHarrowen::CPushButtonView* GetMoreInfoButton() const { return moreInfo_; }
    NSHarrowen::CPushButtonView* GetStartButton() const { return start_; }
    NSHarrowen::CPushButtonView* GetStopButton() const { return stop_; }
    NSHarrowen::CPushButtonView* GetExitButton() const { return exit_; }

    void ReceiveNotifications() override;
    void UpdateState() override;

protected:
    // The item ids of the shared controls on the dialog's template.
    struct CItems {
        uint16_t bankBox;
        uint16_t locationBox;
        uint16_t bankPopup;
        uint16_t progress;
        uint16_t status;
        uint16_t moreInfo;
        uint16_t start;
        uint16_t stop;
        uint16_t exit;
    };

    // `direction` names the transfer in the log's titles ("Bank Upload").
    CBankTransferDialog(int32_t templateId, uint8_t port, std::string direction);

    // The template's item; a missing item throws XBase.
    const NSHarrowen::CDialogItem& Item(uint16_t id) const;
    // The shared controls; "Exit" and the drop-down join the focus order.
    // Returns the location box, for the dialog's own browse buttons.
    NSHarrowen::CGroupView* MakeSharedViews(const CItems& items);
    // The location box's two lines, after its buttons.
    void MakeLocationLines(NSHarrowen::CGroupView* locationBox, uint16_t line1, uint16_t line2);
    // After the dialog's own views: "Start" and "Stop" join the focus order;
    // the title, the bank menu, the bank of the engine's last transfer, and
    // "Exit" as default and cancel button.
    void FinishConstruction(const std::string& titlePrefix);

    bool HasSynth() const;
    // The engine of the port; HasSynth must hold.
    CBankTransfer& Engine() const;
    NSHarrowen::CLineRing& Log() { return log_; }
    // Result back to none and an empty log: a new choice ends the shown result.
    void ResetResult();
    // Runs a browse button's choice from a new result; a choice that fails
    // shows the "Could not browse" alert and closes the dialog.
    void Browse(const std::function<void()>& choose);
    void ShowLocation(const std::string& line1, const std::string& line2);
    // The file's folder over its name.
    void ShowLocation(const NSHarrowen::CFileSpec& file);

    // The dialog's own parts of the passes.
    virtual void TakeBrowseClicks() = 0;
    virtual void StartTransfer() = 0;
    virtual bool HasSource() const = 0;
    virtual void ShowSource() = 0;
    virtual void EnableBrowsing(bool enabled) = 0;
    virtual void ShowWarning(bool running) { (void)running; }

private:
    // Shows the "Could not browse" alert and closes the dialog.
    void ShowBrowseFailed();
    void BuildBankMenu();
    void ShowLog();

    uint8_t port_;
    uint8_t bank_ = 0;
    std::string direction_;
    // The engine's result last shown; kept once the synthesizer is gone.
    uint32_t shownResult_ = 0;
    bool wasRunning_ = false;
    NSHarrowen::CLineRing log_{kLogLines, kLogLineLength};
    std::unique_ptr<NSHarrowen::CMenu> bankMenu_;
    NSHarrowen::CPopupButtonView* bankPopup_ = nullptr;
    NSHarrowen::CStaticTextView* line1_ = nullptr;
    NSHarrowen::CStaticTextView* line2_ = nullptr;
    NSHarrowen::CProgressBarView* progress_ = nullptr;
    NSHarrowen::CStaticTextView* status_ = nullptr;
    NSHarrowen::CPushButtonView* moreInfo_ = nullptr;
    NSHarrowen::CPushButtonView* start_ = nullptr;
    NSHarrowen::CPushButtonView* stop_ = nullptr;
    NSHarrowen::CPushButtonView* exit_ = nullptr;
};
