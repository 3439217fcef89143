#include "panels/items/PnlWidgetItemABC.h"

#include "framework/input/Keyboard.h"
#include "panels/items/DragState.h"
#include "panels/panel/CustomContainerInterface.h"

#include <algorithm>
#include <chrono>
#include <random>

CPnlWidgetItemABC::CPnlWidgetItemABC(NSHarrowen::CGroupView* parent, int16_t x, int16_t y, int16_t width,
                                     int16_t height, uint8_t params)
    : CPnlCustom(parent, x, y, params)
{
    SetItemSize(width, height);
}

bool CPnlWidgetItemABC::OnMouseDown(int16_t x, int16_t y)
{
    const NSHarrowen::CEvent event(NSHarrowen::kEventMouseDown, NSHarrowen::CPoint(x, y), NSHarrowen::GetModifierKeys(),
                                   NowMs32());
    CGroupView::MouseDown(event);
    return true;
}

bool CPnlWidgetItemABC::OnDoubleClick(int16_t x, int16_t y)
{
    return OnMouseDown(x, y);
}

bool CPnlWidgetItemABC::NextParamValue(uint8_t entry, uint8_t& value)
{
    if (entry != cursor_ || cursor_ >= limit_ || entry >= GetParams().size()) {
        return false;
    }
    value = std::min<uint8_t>(ValueFor(entry), 127);
    ++cursor_;
    return true;
}

void CPnlWidgetItemABC::SendChanges(uint8_t limit)
{
    cursor_ = 0;
    limit_ = limit;
    GetCustomContainer()->SendParamChanges(*this);
    cursor_ = limit_;
}

int PanelRandom()
{
    static std::mt19937 generator(static_cast<uint32_t>(std::chrono::system_clock::now().time_since_epoch().count()));
    return std::uniform_int_distribution<int>(0, kPanelRandomMax)(generator);
}
