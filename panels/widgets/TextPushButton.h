#pragma once

#include "panels/painters/ButtonGUI.h"
#include "panels/widgets/PushButtonABC.h"

#include <string>

// A push button with a caption. In panel form (inside a panel item) the
// button tells its parent (ReceiveNotifications) after an event; in window
// form it refreshes every window.
class CTextPushButton final : public CPushButtonABC {
public:
    CTextPushButton(NSHarrowen::CGroupView* parent, const char* label, Form form = Form::Panel,
                    const std::string& tooltip = {});

protected:
    CABCButtonGUI& Painter() override { return painter_; }

private:
    CTextButtonGUI painter_;
};
