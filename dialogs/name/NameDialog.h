#pragma once

#include "framework/base/Point.h"
#include "framework/windows/ModalDialog.h"

#include <cstdint>
#include <string>

namespace NSHarrowen {
class CSingleLineTextEditView;
}

// A caption-less box of one edit field for typing a name in place: Return
// or Enter takes the text (cut to the maximum length) into the caller's
// name and sets the accepted flag; Escape leaves both as they were. Only the
// printable characters from blank to "}" can be typed.
class CNameDialog final : public NSHarrowen::CModalDialog {
public:
    static constexpr int16_t kWidth = 150;
    static constexpr int16_t kHeight = 26;

    CNameDialog(NSHarrowen::CABCWindow* owner, const std::string& title, std::string& name, uint8_t maxLength,
                NSHarrowen::CPoint position, bool* accepted);

    void Open(const NSHarrowen::CRect& windowRect) override;
    void ReceiveNotifications() override;
    void DoCommand(const NSHarrowen::CKeyEvent& event) override;

    NSHarrowen::CSingleLineTextEditView* GetEdit() const { return edit_; }
    // The place the box opens at for a position.
    static NSHarrowen::CRect PlaceFor(NSHarrowen::CPoint position);

private:
    void Accept();

    NSHarrowen::CSingleLineTextEditView* edit_;
    std::string& name_;
    uint8_t maxLength_;
    bool* accepted_;
};

// Whether a typed character may go into a name.
bool IsNameCharacter(char32_t character);
