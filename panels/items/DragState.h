#pragma once

#include "framework/base/Point.h"

#include <cstdint>

class CPnlControl;

// The state of the one mouse gesture on a panel control. Only one control
// holds the mouse capture at a time, so the state is program-wide.
struct CDragState {
    enum EditTarget : uint8_t { kNone = 0, kValue = 1, kMorph = 2 };
    enum Direction : uint8_t { kNoDirection = 0, kUp = 1, kDown = 2 };
    enum Region : uint8_t { kNoRegion = 0, kBody = 1, kIncrement = 2, kDecrement = 3, kCentre = 4 };

    NSHarrowen::CPoint start; // screen point where the drag began (circular mode: on the arc)
    int32_t accumulator = 0;  // pixels moved since the drag began (linear drags)
    bool tracking = false;    // a body drag is running (the drag cursor shows)
    uint8_t startValue = 0;
    int8_t startMorph = 0;
    uint8_t target = kNone;
    uint8_t direction = kNoDirection;
    uint32_t nextRepeat = 0; // millisecond clock, compared wrap-safe
    uint8_t region = kNoRegion;
    CPnlControl* hovered = nullptr; // the knob or slider under the mouse
};

CDragState& DragState();

// How round knobs follow the mouse: 0 circular, 1 horizontal, 2 vertical.
enum class KnobControl : uint8_t { Circular = 0, Horizontal = 1, Vertical = 2 };
KnobControl GetKnobControlMode();
void SetKnobControlMode(KnobControl mode);

// The millisecond clock as 32 bits, and a comparison that holds across its
// wrap: true once `now` has passed `due`.
uint32_t NowMs32();
bool TimeHasPassed(uint32_t now, uint32_t due);
