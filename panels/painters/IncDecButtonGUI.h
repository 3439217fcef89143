#pragma once

#include "framework/base/Rect.h"

#include <cstdint>

namespace NSHarrowen {
class CView;
}

// The painters of the small steppers: a frame of a picture strip chosen by
// the display state (0 idle, 1 upper or right half pressed, 2 lower or left
// half pressed) and the morph group, or the alternate look.
class CIncDecButtonGUIABC {
public:
    static constexpr uint8_t kNoGroup = 4;

    CIncDecButtonGUIABC(const NSHarrowen::CView& owner, uint16_t strip, bool vertical);
    virtual ~CIncDecButtonGUIABC() = default;
    CIncDecButtonGUIABC(const CIncDecButtonGUIABC&) = delete;
    CIncDecButtonGUIABC& operator=(const CIncDecButtonGUIABC&) = delete;

    void Draw(const NSHarrowen::CRect& frame) const;

    int32_t displayState = 0;
    bool alternateLook = false;
    uint8_t group = kNoGroup;

private:
    const NSHarrowen::CView& owner_;
    uint16_t strip_;
    bool vertical_; // the strip's frames are stacked (left/right) rather than side by side
};

// An 11 x 21 up/down stepper (JPEG 249).
class CUpDownButtonGUI final : public CIncDecButtonGUIABC {
public:
    explicit CUpDownButtonGUI(const NSHarrowen::CView& owner) : CIncDecButtonGUIABC(owner, 249, false) { }
};

// A 21 x 11 left/right stepper (JPEG 267).
class CLeftRightButtonGUI final : public CIncDecButtonGUIABC {
public:
    explicit CLeftRightButtonGUI(const NSHarrowen::CView& owner) : CIncDecButtonGUIABC(owner, 267, true) { }
};
