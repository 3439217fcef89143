#pragma once

#include "panels/widgets/PanelFormControl.h"
#include "panels/painters/ButtonGUI.h"

#include <string>

// A push button with a caption. The press is the event: WasPushed is true
// once from the moment the button goes down. In panel form (inside a panel
// item) the button tells its parent (ReceiveNotifications) after an event;
// in window form it refreshes every window.
class CTextPushButton final : public CPanelFormControl {
public:
    CTextPushButton(NSHarrowen::CGroupView* parent, const std::string& label, Form form = Form::Panel,
                    const std::string& tooltip = {});

    bool WasPushed();
    bool IsRaised() const { return raised_; }

    void MouseDown(const NSHarrowen::CEvent& event) override;
    void MouseStillDown() override;
    void Draw() override;
    void UpdateDisplay() override;

private:
    CTextButtonGUI painter_;
    bool raised_ = true;
    bool pushed_ = false;
};
