#include "editor/controls/TextCheckButton.h"

CTextCheckButton::CTextCheckButton(NSHarrowen::CGroupView* parent, const char* label, const std::string& tooltip)
    : CCheckButtonABC(parent, tooltip), painter_(*this, label)
{ }
