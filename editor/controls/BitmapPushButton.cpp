#include "editor/controls/BitmapPushButton.h"

CBitmapPushButton::CBitmapPushButton(NSHarrowen::CGroupView* parent, uint16_t picture, const std::string& tooltip)
    : CPushButtonABC(parent, Form::Window, tooltip), painter_(*this, picture)
{ }
