#pragma once

#include "framework/windows/NoFrameWindow.h"

#include <cstdint>
#include <string>

namespace NSHarrowen {
class CPushButtonView;
class CStaticTextView;
} // namespace NSHarrowen

namespace NSBootwren {

class CWizardHost;

// The item ids of a page's three buttons.
struct CWizardButtons {
    uint16_t back;
    uint16_t next;
    uint16_t cancel;
};

// One step page: a caption-less child window of the main window built from a
// dialog template, with Back, Next and Cancel. A click becomes a page change
// through the host; Escape clicks Cancel and Return or Enter the default
// button (Next when enabled, else Back, else Cancel).
class CWizardDialog : public NSHarrowen::CNoFrameWindow {
public:
    CWizardDialog(CWizardHost& host, int32_t templateId, const CWizardButtons& buttons);
    ~CWizardDialog() override;

    // Fills the page before it is shown.
    virtual void FillTexts();
    virtual bool CanGoNext() const { return false; }
    virtual int NextPage() const { return 0; }
    virtual bool OnNext() { return true; }
    virtual bool CanGoBack() const { return false; }
    virtual int BackPage() const { return 0; }
    virtual bool OnBack() { return true; }
    // False shows the not-updated alert before the program ends.
    virtual bool OnCancel() { return true; }

    // Button handling, once per pass.
    void ReceiveNotifications() override;
    void DoCommand(const NSHarrowen::CKeyEvent& event) override;
    // Escape, Return and Enter; false for other keys.
    bool HandleWizardKey(const NSHarrowen::CKeyEvent& event);
    bool IsListedInWindowMenu() const override { return false; }
    // A quit (the Quit command, or the desktop closing the main window) is
    // a Cancel: the user learns the synthesizer was not updated.
    bool CanClose() override;

    NSHarrowen::CPushButtonView* GetNextButton() const { return next_; }
    NSHarrowen::CPushButtonView* GetBackButton() const { return back_; }
    NSHarrowen::CPushButtonView* GetCancelButton() const { return cancel_; }
    NSHarrowen::CPushButtonView* GetDefaultButton() const { return default_; }

protected:
    // Enables Next and Back by CanGoNext and CanGoBack and moves the default mark.
    void UpdateButtons();
    // A static text of the template.
    NSHarrowen::CStaticTextView* MakeText(uint16_t id);
    // The template text with both placeholders replaced.
    std::string FillPlaceholders(const std::string& text) const;
    CWizardHost& GetHost() const { return host_; }
    // Moves on as if Next had been clicked.
    void GoNext();
    // The page is built and filled: the update passes may act on it.
    bool IsFilled() const { return filled_ && !IsMarkedForDeletion(); }

private:
    void Cancel();
    // Runs OnCancel once and tells the user what it leaves behind.
    void TellCancelled();
    void SetDefault(NSHarrowen::CPushButtonView* button);

    CWizardHost& host_;
    NSHarrowen::CPushButtonView* next_ = nullptr;
    NSHarrowen::CPushButtonView* back_ = nullptr;
    NSHarrowen::CPushButtonView* cancel_ = nullptr;
    NSHarrowen::CPushButtonView* default_ = nullptr;
    bool filled_ = false;
    bool cancelled_ = false;
};

} // namespace NSBootwren
