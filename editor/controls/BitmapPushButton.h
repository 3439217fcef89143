#pragma once

#include "panels/painters/ButtonGUI.h"
#include "panels/widgets/PushButtonABC.h"

// A push button that shows a symbol picture ("SMTB" bitmap); it lives in a
// window and refreshes every window after an event.
class CBitmapPushButton final : public CPushButtonABC {
public:
    CBitmapPushButton(NSHarrowen::CGroupView* parent, uint16_t picture, const std::string& tooltip = {});

protected:
    CABCButtonGUI& Painter() override { return painter_; }

private:
    CBitmapButtonGUI painter_;
};
