#include "framework/input/MouseState.h"

#include "platform/input/InputState.h"
#include "platform/input/InputState.h"
#include "platform/host/SystemMetrics.h"

#include <map>

namespace NSHarrowen {

namespace {

std::map<uint32_t, platform::CursorShape>& CursorResources()
{
    static std::map<uint32_t, platform::CursorShape> resources;
    return resources;
}

} // namespace

CMouseState GetMouseState()
{
    const bool swapped = platform::GetSystemMetric(platform::Metric::SwapButtons) != 0;
    const platform::Point p = platform::GetCursorPos();
    return {platform::IsMouseButtonDown(swapped ? 2 : 1), CPoint(p.x, p.y)};
}

void SetCursorFromResource(uint32_t id)
{
    const auto& resources = CursorResources();
    if (auto it = resources.find(id); it != resources.end())
        platform::SetCursor(it->second);
}

void SetArrowCursor()
{
    platform::SetCursor(platform::CursorShape::Arrow);
}

void SetWaitCursor()
{
    platform::SetCursor(platform::CursorShape::Wait);
}

void RegisterCursorResource(uint32_t id, platform::CursorShape shape)
{
    CursorResources()[id] = shape;
}

void SystemBeep()
{
    platform::Beep();
}

} // namespace NSHarrowen
