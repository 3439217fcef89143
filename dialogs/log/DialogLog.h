#pragma once

#include "framework/windows/ModalDialog.h"

#include <string>

namespace NSHarrowen {
class CLineRing;
class CPushButtonView;
class CScrollBarView;
class CTerminalView;
} // namespace NSHarrowen

// A modal box that shows a log of lines (a transfer's report) with a
// vertical scroll bar and a "Close" button, on a content area of 300 x 300.
class CDialogLog final : public NSHarrowen::CModalDialog {
public:
    static constexpr int16_t kContentSize = 300;
    static constexpr int16_t kButtonWidth = 70;
    static constexpr int16_t kButtonHeight = 26;
    static constexpr int16_t kButtonBand = 31;
    static constexpr int16_t kScrollBarWidth = 16;

    CDialogLog(NSHarrowen::CABCWindow* parent, const NSHarrowen::CLineRing* log, const std::string& title);

    void LayoutRootView() override;
    void ReceiveNotifications() override;
    void UpdateState() override;
    void DoCommand(const NSHarrowen::CKeyEvent& event) override;

    NSHarrowen::CTerminalView* GetLogView() const { return view_; }
    NSHarrowen::CScrollBarView* GetScrollBar() const { return bar_; }
    NSHarrowen::CPushButtonView* GetCloseButton() const { return close_; }

private:
    void ScrollTo(int32_t firstLine);

    NSHarrowen::CTerminalView* view_;
    NSHarrowen::CPushButtonView* close_;
    NSHarrowen::CScrollBarView* bar_;
};
