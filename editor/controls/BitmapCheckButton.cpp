#include "editor/controls/BitmapCheckButton.h"

CBitmapCheckButton::CBitmapCheckButton(NSHarrowen::CGroupView* parent, uint16_t picture, const std::string& tooltip)
    : CCheckButtonABC(parent, tooltip), painter_(*this, picture)
{ }
