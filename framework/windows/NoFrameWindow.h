#pragma once

#include "framework/windows/ABCWindow.h"

namespace NSHarrowen {

// A window without caption or border, of the document class: tool bars and
// pages.
class CNoFrameWindow : public CABCWindow {
public:
    explicit CNoFrameWindow(const CColor& background = CColor::FromButtonFace());
};

} // namespace NSHarrowen
