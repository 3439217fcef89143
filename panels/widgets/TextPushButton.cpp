#include "panels/widgets/TextPushButton.h"

CTextPushButton::CTextPushButton(NSHarrowen::CGroupView* parent, const char* label, Form form,
                                 const std::string& tooltip)
    : CPushButtonABC(parent, form, tooltip), painter_(*this, label)
{ }
