#pragma once

#include "framework/alerts/AlertScript.h"
#include "framework/windows/ModalDialog.h"

#include <cstdint>
#include <string>
#include <vector>

namespace NSHarrowen {

class CPushButtonView;
class CStaticTextView;
class CIconView;

inline constexpr int32_t kAlertTemplateId = 10005;

// The modal box of an alert script: icon, message and up to three buttons on
// the places of dialog template 10005. The pressed button's result (33 to 35)
// goes into the caller's variable, which keeps 36 when the box is closed
// another way.
class CAlertBox : public CModalDialog {
public:
    CAlertBox(const std::string& script, int* result);
    ~CAlertBox() override;

    // Stores variable text as the next argument (up to four), made safe: it
    // cannot add tags, buttons or placeholders.
    void AddAlertArgument(const std::string& text);

    // Makes the views on the first call, then opens the window with button 1
    // focused.
    void Open(const CRect& windowRect) override;
    void OpenCentered();
    void ReceiveNotifications() override;
    void DoCommand(const CKeyEvent& event) override;

    const CAlertScript& GetScript() const { return parsed_; }
    CPushButtonView* GetButton(int number) const; // 1 to 3; none when not shown
    CStaticTextView* GetMessageView() const { return message_; }
    CIconView* GetIconView() const { return icon_; }

private:
    void MakeViews();
    int ShownButtons() const;

    std::string script_;
    std::vector<std::string> arguments_;
    int* result_;
    CAlertScript parsed_;
    CPushButtonView* buttons_[kAlertMaxButtons] = {};
    CStaticTextView* message_ = nullptr;
    CIconView* icon_ = nullptr;
    bool made_ = false;
};

// Shows an alert and waits until it is closed: the script of an alert id,
// the same with a text for "^0", or a script given as text (with texts for
// "^0", "^1", ...). Variable text belongs in the arguments, never in the
// script. An unknown alert id throws XBase and shows nothing.
int RunAlert(uint32_t alertId);
int RunAlertWithArgs(uint32_t alertId, const std::string& argument);
int RunAlertText(const std::string& script);
int RunAlertTextWithArgs(const std::string& script, const std::vector<std::string>& arguments);

// Opens an alert box without waiting (RunModal runs it); the caller's
// result variable is set to 36 first.
CAlertBox* OpenAlertBox(const std::string& script, const std::vector<std::string>& arguments, int* result);

} // namespace NSHarrowen
