#pragma once

#include "framework/controls/ControlView.h"

// A control view that lives either in a window (it refreshes every window
// after an event) or inside a panel item (panel form: it tells its parent
// item, which polls it, and redraws itself; it leaves the item when it goes).
class CPanelFormControl : public NSHarrowen::CControlView {
public:
    enum class Form { Window, Panel };

    CPanelFormControl(NSHarrowen::CGroupView* parent, Form form);
    ~CPanelFormControl() override;

protected:
    // After an event: the owner hears of it and the control repaints.
    void RunUpdate();

private:
    Form form_;
};
