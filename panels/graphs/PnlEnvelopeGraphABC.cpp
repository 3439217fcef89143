#include "panels/graphs/PnlEnvelopeGraphABC.h"

float CPnlEnvelopeGraphABC::DrawAttackLine(uint8_t attack, float pixelsPerUnit, float height)
{
    const float end = static_cast<float>(attack) * pixelsPerUnit + 1.0f;
    MoveTo(1, Trunc(height - 2));
    LineToCurve(Round(end), 1);
    return end;
}
