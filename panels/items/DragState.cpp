#include "panels/items/DragState.h"

#include "platform/system/Clock.h"

namespace {
KnobControl knobControlMode = KnobControl::Circular;
}

CDragState& DragState()
{
    static CDragState state;
    return state;
}

KnobControl GetKnobControlMode()
{
    return knobControlMode;
}

void SetKnobControlMode(KnobControl mode)
{
    knobControlMode = mode;
}

uint32_t NowMs32()
{
    return static_cast<uint32_t>(platform::NowMilliseconds());
}

bool TimeHasPassed(uint32_t now, uint32_t due)
{
    return static_cast<int32_t>(now - due) > 0;
}
