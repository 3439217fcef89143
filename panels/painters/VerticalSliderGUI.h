#pragma once

#include "panels/painters/KnobGUI.h"

// The vertical slider's painter: the track, the handle and, in a morph
// group, the track's tinted range, cut from JPEG pictures straight onto
// the owner's window.
class CVerticalSliderGUI final : public CABCKnobGUI {
public:
    static constexpr uint16_t kTrack = 223;
    static constexpr uint16_t kHandle = 216;
    static constexpr uint16_t kMarker = 228;
    static constexpr int16_t kTrackWidth = 11;
    static constexpr int16_t kTrackHeight = 47;

    using CABCKnobGUI::CABCKnobGUI;
    void Draw(const NSHarrowen::CRect& frame) override;
};
