#include "dialogs/log/DialogLog.h"

#include "framework/controls/PushButtonView.h"
#include "framework/controls/ScrollBarView.h"
#include "framework/lists/TerminalView.h"

#include <algorithm>

using namespace NSHarrowen;

CDialogLog::CDialogLog(CABCWindow* parent, const CLineRing* log, const std::string& title)
    : CModalDialog(parent, title), view_(new CTerminalView(GetRootView(), log)),
      close_(new CPushButtonView(GetRootView(), "Close")), bar_(new CScrollBarView(GetRootView(), 0))
{
    AddToFocusChain(bar_);
    AddToFocusChain(close_);
    SetDefaultButton(close_);
    SetCancelButton(close_);
    SetWindowRect(GetRectForContentSize(kContentSize, kContentSize));
}

void CDialogLog::LayoutRootView()
{
    const CRect content = GetClientRect();
    const int16_t logBottom = static_cast<int16_t>(content.bottom - kButtonBand);
    const int16_t barLeft = static_cast<int16_t>(content.right - kScrollBarWidth);
    view_->SetFrame(CRect(content.left, content.top, barLeft, logBottom));
    bar_->SetFrame(CRect(barLeft, content.top, content.right, logBottom));
    const int16_t buttonLeft = static_cast<int16_t>((content.left + content.right - kButtonWidth) / 2);
    const int16_t buttonTop = static_cast<int16_t>(content.bottom - kButtonBand + (kButtonBand - kButtonHeight) / 2);
    close_->SetFrame(CRect(buttonLeft, buttonTop, buttonLeft + kButtonWidth, buttonTop + kButtonHeight));
    CModalDialog::LayoutRootView();
}

void CDialogLog::ScrollTo(int32_t firstLine)
{
    view_->SetScrollOffset(std::clamp<int32_t>(firstLine, 0, view_->GetTopLine()));
}

void CDialogLog::ReceiveNotifications()
{
    if (close_->TakeClick()) {
        RequestClose();
        return;
    }
    CScrollRequest request;
    if (bar_->TakeChange(request)) {
        const int32_t lines = view_->GetLineCount();
        const int32_t first = view_->GetScrollOffset();
        const int32_t page = std::max<int32_t>(1, view_->GetVisibleLineCount());
        switch (request.kind) {
        case kScrollLineBack:
            ScrollTo(first - 1);
            break;
        case kScrollLineForward:
            ScrollTo(first + 1);
            break;
        case kScrollPageBack:
            ScrollTo(first - page);
            break;
        case kScrollPageForward:
            ScrollTo(first + page);
            break;
        default:
            ScrollTo(request.position * lines / kScrollBarMaximum);
            break;
        }
    }
    CModalDialog::ReceiveNotifications();
}

void CDialogLog::UpdateState()
{
    const int32_t lines = view_->GetLineCount();
    const int32_t first = view_->GetScrollOffset();
    // Disabled at 0 while the whole log fits from its first line.
    const bool fits = first == 0 && lines <= view_->GetVisibleLineCount();
    bar_->SetEnabled(!fits);
    bar_->SetValue(static_cast<int16_t>(fits || lines == 0 ? 0 : kScrollBarMaximum * first / lines));
    CModalDialog::UpdateState();
}

void CDialogLog::DoCommand(const CKeyEvent& event)
{
    // Keys scroll the log.
    bar_->HandleScrollCommand(event);
    CModalDialog::DoCommand(event);
}
