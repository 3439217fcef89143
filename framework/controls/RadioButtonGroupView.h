#pragma once

#include "framework/controls/EventLatch.h"
#include "framework/controls/NativeControlView.h"

namespace NSHarrowen {

class CRadioButtonView;

// The buttons of one choice, indexed in the order they were added.
class CRadioButtonGroupView : public CGroupView {
public:
    static constexpr int16_t kNoPick = 666;

    explicit CRadioButtonGroupView(CGroupView* parent);
    CRadioButtonGroupView(CGroupView* parent, const CRect& frame);
    // The group owns its buttons.
    ~CRadioButtonGroupView() override { DeleteChildren(); }

    void SetSelection(int16_t index) { selection_ = index; }
    int16_t GetSelection() const { return selection_; }
    bool TakeSelection(int16_t& index) { return picked_.Take(index); }
    // The smallest frame that holds every button.
    void FitToButtons();

    int IndexOf(const CView* button) const;
    // Reports a pick that differs from the latched one or the selection.
    void ReportPick(int16_t index);
    // The button beside the selected one, wrapping at the ends.
    void PickNeighbour(bool forward);
    CRadioButtonView* GetButton(int index) const;

    void UpdateDisplay() override;
    void TakeFocus() override;
    void GiveUpFocus() override;
    void FocusGained() override;
    void RemoveChild(CView* view) override;

private:
    int16_t shown_ = -1;
    int16_t selection_ = 0;
    bool shownEnabled_ = true;
    CEventLatch<int16_t> picked_{kNoPick};
};

} // namespace NSHarrowen
