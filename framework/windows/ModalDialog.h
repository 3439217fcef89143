#pragma once

#include "framework/windows/ABCWindow.h"

#include <string>

namespace NSHarrowen {

// What a modal dialog needs of its default and cancel buttons; the push
// button view implements it.
class IDialogButton {
public:
    virtual ~IDialogButton() = default;
    // Shows or hides the default button's heavier frame.
    virtual void SetDefaultLook(bool isDefault) = 0;
    // Acts as if the user clicked the button.
    virtual void Click() = 0;
};

// A dialog window owned by another window (or the main frame), laid out by
// hand or from a dialog template, run by RunModal. Frame style 1 adds
// context help to the caption.
class CModalDialog : public CABCWindow {
public:
    CModalDialog(const std::string& title, int frameStyle = 0);
    CModalDialog(CABCWindow* owner, const std::string& title, int frameStyle = 0);
    CModalDialog(int32_t templateId, int frameStyle = 0);
    CModalDialog(CABCWindow* owner, int32_t templateId, int frameStyle = 0);
    ~CModalDialog() override;

    // Opens with the keyboard focus on the first control of the focus order,
    // unless the dialog gave it to one of its own already.
    void Open(const CRect& windowRect) override;
    // Closed is done: the dialog goes from the screen and the other windows
    // take input again at once, not only when the idle step deletes it.
    void Close() override;
    void DoCommand(const CKeyEvent& event) override;
    bool IsListedInWindowMenu() const override { return false; }
    int GetBorderWidth() const override;
    int GetBorderHeight() const override;

    void SetDefaultButton(IDialogButton* button);
    void SetCancelButton(IDialogButton* button) { cancelButton_ = button; }
    IDialogButton* GetDefaultButton() const { return defaultButton_; }
    IDialogButton* GetCancelButton() const { return cancelButton_; }

    // The window that had the keys when the dialog was made: it has them
    // again once the dialog closes.
    platform::WindowHandle GetKeysBefore() const { return keysBefore_; }

    void SetSavedStayOnTop(bool value) { savedStayOnTop_ = value; }

private:
    void Create(platform::WindowHandle owner, const std::string& title, int frameStyle);
    void FromTemplate(CABCWindow* owner, int32_t templateId, int frameStyle);
    void DisableOthers();
    void EnableOthers();

    IDialogButton* defaultButton_ = nullptr;
    IDialogButton* cancelButton_ = nullptr;
    platform::WindowHandle keysBefore_ = 0;
    bool savedStayOnTop_ = false;
    bool disabledOthers_ = false;
};

// Runs the dialog until its window is gone (Close marks it; the idle step
// deletes it). The dialog must not be used after RunModal returns.
void RunModal(CModalDialog* dialog);

} // namespace NSHarrowen
