#pragma once

#include "editor/controls/CheckButtonABC.h"
#include "panels/painters/ButtonGUI.h"

// An on/off button that shows a JPEG picture in its face.
class CBitmapCheckButton final : public CCheckButtonABC {
public:
    CBitmapCheckButton(NSHarrowen::CGroupView* parent, uint16_t picture, const std::string& tooltip = {});

protected:
    CABCButtonGUI& Painter() override { return painter_; }

private:
    CJpegButtonGUI painter_;
};
