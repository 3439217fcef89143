#pragma once

#include "framework/controls/EventLatch.h"
#include "framework/controls/NativeControlView.h"

namespace NSHarrowen {

class CMenu;

// A drop-down list whose entries are the labels of a menu (not owned).
class CPopupButtonView : public CNativeControlView {
public:
    static constexpr uint16_t kNoSelection = 65535;

    explicit CPopupButtonView(CGroupView* parent);
    CPopupButtonView(CGroupView* parent, const CDialogItem& item);

    // Stores the menu, selects nothing and fills the list again.
    void SetItems(CMenu* menu);
    void Refill();
    void SetSelection(uint16_t index) { selection_ = index; }
    uint16_t GetSelection() const { return selection_; }
    // A pick of the user: false without entries or without a pick.
    bool TakeSelection(int16_t& index);
    // The user is opening the list: taken in the update passes that run
    // before it drops down, so the owner can fill it afresh.
    bool TakeOpening() { return opening_.Take(); }
    bool IsDroppedDown() const { return dropped_; }

    platform::LResult HandleControlMessage(uint32_t message, platform::WParam wParam, platform::LParam lParam) override;
    void UpdateDisplay() override;
    CRect NativeRectFor(const CRect& frame) const override;
    // Placed hidden, with the class's moving flag up, so that the list's
    // room is never painted on the way.
    void FrameChanged(const CRect& oldFrame, const CRect& newFrame) override;
    // True while any pop-up is being moved: its native window neither
    // paints nor erases then.
    static bool IsAnyMoving() { return moving_; }

private:
    void ShowSelection();

    static inline bool moving_ = false;

    CMenu* menu_ = nullptr;
    uint16_t selection_ = kNoSelection;
    CEventLatch<int16_t> picked_{666};
    CEventLatch<bool> opening_;
    bool dropped_ = false;
};

} // namespace NSHarrowen
