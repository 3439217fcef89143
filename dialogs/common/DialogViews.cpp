#include "dialogs/common/DialogViews.h"

#include "framework/base/Exceptions.h"
#include "framework/controls/CheckBoxView.h"
#include "framework/controls/PushButtonView.h"
#include "framework/controls/RadioButtonGroupView.h"
#include "framework/controls/RadioButtonView.h"
#include "framework/views/GroupBoxView.h"
#include "framework/views/StaticTextView.h"
#include "framework/windows/ABCWindow.h"
#include "framework/windows/DialogItem.h"

using namespace NSHarrowen;

CDialogViews::CDialogViews(CABCWindow& window) : window_(window) { }

const CDialogItem& CDialogViews::Item(uint16_t id) const
{
    const CDialogItem* item = window_.GetDialogItem(id);
    if (!item)
        throw XInternalError();
    return *item;
}

CGroupView* CDialogViews::Root() const
{
    return window_.GetRootView();
}

CStaticTextView* CDialogViews::Text(uint16_t id, CGroupView* parent) const
{
    return new CStaticTextView(parent ? parent : Root(), Item(id));
}

CPushButtonView* CDialogViews::Button(uint16_t id) const
{
    return new CPushButtonView(Root(), Item(id));
}

CCheckBoxView* CDialogViews::CheckBox(uint16_t id, CGroupView* parent) const
{
    return new CCheckBoxView(parent ? parent : Root(), Item(id));
}

CGroupBoxView* CDialogViews::GroupBox(uint16_t id) const
{
    const CDialogItem& item = Item(id);
    return new CGroupBoxView(Root(), item.rect, item.text);
}

CRadioButtonGroupView* CDialogViews::Radios(CGroupView* parent, std::initializer_list<uint16_t> ids) const
{
    auto* group = new CRadioButtonGroupView(parent);
    for (uint16_t id : ids)
        new CRadioButtonView(group, Item(id));
    group->FitToButtons();
    return group;
}
