#pragma once

#include "framework/controls/TextEditView.h"

namespace NSHarrowen {

// A text edit that takes only "-0123456789".
class CSingleLineNumberEditView : public CSingleLineTextEditView {
public:
    CSingleLineNumberEditView(CGroupView* parent, const CDialogItem& item, int32_t maxLength, int32_t returnMode)
        : CSingleLineTextEditView(parent, item, maxLength, returnMode)
    { }

protected:
    bool NumbersOnly() const override { return true; }
};

} // namespace NSHarrowen
