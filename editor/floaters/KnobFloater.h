#pragma once

#include "editor/floaters/FloaterPlaceOf.h"
#include "editor/floaters/FloaterWindow.h"

class CKnobFloaterContainer;

// The synthesizer's panel knobs, pedal, aftertouch and switch as the active
// patch assigns them, in a window of fixed size. While it has the focus,
// keys go to the active patch's window.
class CKnobFloater : public CFloaterWindow, public CFloaterPlaceOf<&CPreferences::knobFloater> {
public:
    // 320 x 180 pixels, its left edge 350 pixels left of the screen's right
    // edge and its top 205 above the screen's bottom.
    static NSHarrowen::CRect GetDefaultRect();

    CKnobFloater();
    ~CKnobFloater() override;

    void DoCommand(const NSHarrowen::CKeyEvent& event) override;
    // The cells follow every change of their parameters, wherever it comes
    // from (the panel, the keys, undo, the synthesizer): not every change
    // updates all windows.
    void Idle() override;
    void GetSizeLimits(NSHarrowen::CPoint& minimum, NSHarrowen::CPoint& maximum) const override;

    CKnobFloaterContainer& GetContainer() const { return *container_; }

private:
    CKnobFloaterContainer* container_;
};
