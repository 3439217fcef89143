#pragma once

#include "framework/views/PagedGroupView.h"

#include <cstdint>

class CTabButton;
class CTabButtonBar;

// The button rows of the tabs, one page per tab; the page asked for is
// shown in the next state pass. A button press is latched while the update
// passes it starts run.
class CTabScrollView final : public NSHarrowen::CPagedGroupView {
public:
    explicit CTabScrollView(NSHarrowen::CGroupView* parent);

    CTabButtonBar& AddPage();
    CTabButtonBar* GetFillingPage() const { return filling_; }
    void SetPage(uint16_t index) { requested_ = index; }
    uint16_t GetShownPage() const { return shown_; }
    bool TakeButtonClick(CTabButton*& button);
    // From a button: the user pressed it.
    void LatchButton(CTabButton& button);

    void UpdateState() override;

private:
    CTabButton* latched_ = nullptr;
    bool latchPending_ = false;
    uint16_t pageCount_ = 0;
    CTabButtonBar* filling_ = nullptr;
    uint16_t requested_ = 0;
    uint16_t shown_ = 1;
};
