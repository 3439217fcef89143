#include "dialogs/common/NumberSetting.h"

#include "dialogs/common/DialogViews.h"
#include "framework/base/StringFunctions.h"
#include "framework/controls/ControlLogic.h"
#include "framework/controls/NumberEditView.h"
#include "framework/controls/UpDownButtonView.h"
#include "framework/windows/ABCWindow.h"

#include <algorithm>
#include <string>

using namespace NSHarrowen;

CNumberSetting::CNumberSetting(CABCWindow& window, CGroupView* parent, uint16_t fieldId, uint16_t arrowsId,
                               int32_t minimum, int32_t maximum)
    : window_(window), field_(nullptr), arrows_(nullptr), minimum_(minimum), maximum_(maximum)
{
    const CDialogViews views(window);
    field_ = new CSingleLineNumberEditView(parent, views.Item(fieldId), kFieldLength, kReturnToParent);
    arrows_ = new CUpDownButtonView(parent, views.Item(arrowsId));
}

int32_t CNumberSetting::Pin(int32_t value) const
{
    return std::clamp(value, minimum_, maximum_);
}

bool CNumberSetting::Take(int32_t& value, bool endTyping) const
{
    bool taken = false;
    int16_t step = 0;
    if (arrows_->TakeStep(step)) {
        if (endTyping)
            window_.SendFocusLost();
        value = Pin(value + step);
        taken = true;
    }
    if (field_->TakeCommit()) {
        // A field without digits reads as 0.
        int32_t typed = 0;
        ParseInt(field_->GetText().c_str(), typed);
        value = Pin(typed);
        taken = true;
    }
    return taken;
}

void CNumberSetting::Show(int32_t value) const
{
    field_->SetText(std::to_string(value));
}

void CNumberSetting::SetEnabled(bool enabled) const
{
    field_->SetEnabled(enabled);
    arrows_->SetEnabled(enabled);
}
