#pragma once

#include "editor/controls/CheckButtonABC.h"
#include "panels/painters/ButtonGUI.h"

// An on/off button with a caption.
class CTextCheckButton final : public CCheckButtonABC {
public:
    CTextCheckButton(NSHarrowen::CGroupView* parent, const char* label, const std::string& tooltip = {});

protected:
    CABCButtonGUI& Painter() override { return painter_; }

private:
    CTextButtonGUI painter_;
};
