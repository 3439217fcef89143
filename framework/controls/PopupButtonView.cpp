#include "framework/controls/PopupButtonView.h"

#include "framework/controls/ControlLogic.h"
#include "framework/menus/Menu.h"
#include "platform/controls/Controls.h"
#include "platform/windows/MessageQueue.h"
#include "platform/windows/Window.h"

namespace NSHarrowen {

namespace {
constexpr int kListRoom = 400;
}

CPopupButtonView::CPopupButtonView(CGroupView* parent)
    : CNativeControlView(parent, CRect(kOffscreen.left, kOffscreen.top, kOffscreen.left + 100, kOffscreen.top + 21),
                         ENativeClass::Popup)
{
    SetFocusable(true);
    CreateNative(platform::kComboBoxClass, "", platform::style::VScroll | platform::ctlstyle::ComboDropDownList);
}

CPopupButtonView::CPopupButtonView(CGroupView* parent, const CDialogItem& item)
    : CNativeControlView(parent, CRect(item.rect.left, item.rect.top - 1, item.rect.right, item.rect.top - 1 + 21),
                         ENativeClass::Popup)
{
    SetFocusable(true);
    CreateNative(platform::kComboBoxClass, "", platform::style::VScroll | platform::ctlstyle::ComboDropDownList);
}

void CPopupButtonView::FrameChanged(const CRect& oldFrame, const CRect& newFrame)
{
    const platform::WindowHandle h = GetHandle();
    const bool shown = h && (platform::GetWindowStyle(h) & platform::style::Visible);
    moving_ = true;
    if (shown)
        platform::ShowWindow(h, platform::ShowCommand::Hide);
    CNativeControlView::FrameChanged(oldFrame, newFrame);
    moving_ = false;
    if (shown)
        platform::ShowWindow(h, platform::ShowCommand::ShowNoActivate);
}

CRect CPopupButtonView::NativeRectFor(const CRect& frame) const
{
    // The height beyond the field is room for the dropped-down list.
    return CRect(frame.left, frame.top, frame.right, frame.top + kListRoom);
}

void CPopupButtonView::SetItems(CMenu* menu)
{
    menu_ = menu;
    selection_ = kNoSelection;
    Refill();
}

void CPopupButtonView::Refill()
{
    platform::SendMessage(GetHandle(), platform::ctlmsg::ComboResetContent, 0, 0);
    if (menu_)
        for (int i = 0; i < menu_->GetItemCount(); ++i) {
            const std::string label = menu_->GetItem(i).label;
            platform::SendMessage(GetHandle(), platform::ctlmsg::ComboAddString, 0,
                                  reinterpret_cast<platform::LParam>(label.c_str()));
        }
    platform::SendMessage(GetHandle(), platform::ctlmsg::ComboSetCurSel, static_cast<platform::WParam>(-1), 0);
}

bool CPopupButtonView::TakeSelection(int16_t& index)
{
    if (!menu_ || menu_->GetItemCount() == 0)
        return false;
    return picked_.Take(index);
}

void CPopupButtonView::ShowSelection()
{
    const auto index = selection_ == kNoSelection ? static_cast<platform::WParam>(-1) : selection_;
    platform::SendMessage(GetHandle(), platform::ctlmsg::ComboSetCurSel, index, 0);
}

platform::LResult CPopupButtonView::HandleControlMessage(uint32_t message, platform::WParam wParam, platform::LParam)
{
    if (message != platform::msg::Command)
        return 0;
    switch (platform::HighWordOf(wParam)) {
    case platform::kComboDropDown:
        opening_.Publish(true, RunUpdatePasses);
        RaiseBusy();
        dropped_ = true;
        break;
    case platform::kComboCloseUp:
        if (dropped_) {
            LowerBusy();
            dropped_ = false;
        }
        break;
    case platform::kComboSelEndOk: {
        const auto current = platform::SendMessage(GetHandle(), platform::ctlmsg::ComboGetCurSel, 0, 0);
        const int16_t pick = current < 0 || current == 65535 ? -1 : static_cast<int16_t>(current);
        const int32_t selection = selection_ == kNoSelection ? -1 : selection_;
        if (ShouldReportPick(pick, picked_.IsSet(), picked_.Peek(), selection))
            picked_.Publish(pick, RunUpdatePasses);
        // What the owner did not accept is undone on screen.
        ShowSelection();
        break;
    }
    default:
        break;
    }
    return 0;
}

void CPopupButtonView::UpdateDisplay()
{
    if (!IsTracking() && menu_) {
        const auto current = platform::SendMessage(GetHandle(), platform::ctlmsg::ComboGetCurSel, 0, 0);
        const int32_t wanted = selection_ == kNoSelection ? -1 : selection_;
        if (current != wanted)
            ShowSelection();
    }
    SyncEnabled();
}

} // namespace NSHarrowen
