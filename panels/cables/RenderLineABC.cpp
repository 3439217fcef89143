#include "panels/cables/RenderLineABC.h"

void CRenderLineABC::Move(int32_t dx, int32_t dy)
{
    CRenderABC::Move(dx, dy);
    key_.x1 = static_cast<int16_t>(key_.x1 + dx);
    key_.y1 = static_cast<int16_t>(key_.y1 + dy);
    key_.x2 = static_cast<int16_t>(key_.x2 + dx);
    key_.y2 = static_cast<int16_t>(key_.y2 + dy);
}
