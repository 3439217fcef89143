#pragma once

#include "panels/widgets/PanelFormControl.h"

#include <string>

class CABCButtonGUI;

// A push button: the press is the event, and WasPushed is true once from
// the moment the button goes down. The derived button owns the painter
// that shows its face.
class CPushButtonABC : public CPanelFormControl {
public:
    bool WasPushed();
    bool IsRaised() const { return raised_; }

    void MouseDown(const NSHarrowen::CEvent& event) override;
    void MouseStillDown() override;
    // The mouse taken away mid-press (another program came to the front): the
    // button rises as at the release.
    void CaptureLost() override;
    void Draw() override;
    void UpdateDisplay() override;

protected:
    CPushButtonABC(NSHarrowen::CGroupView* parent, Form form, const std::string& tooltip);
    virtual CABCButtonGUI& Painter() = 0;

private:
    bool raised_ = true;
    bool pushed_ = false;
};
