#include "panels/items/PnlLed.h"

#include "framework/drawing/Canvas.h"
#include "framework/windows/ABCWindow.h"
#include "panels/panel/Module.h"

CPnlLed::CPnlLed(NSHarrowen::CGroupView* parent, int16_t x, int16_t y) : CPanelItem(parent, x, y)
{
    SetItemSize(7, 7);
    if (auto* module = dynamic_cast<CModule*>(parent)) {
        module->AddDisplayItem(CModule::kLedDisplayWeight);
    }
}

bool CPnlLed::SetState(uint16_t)
{
    return lit_;
}

void CPnlLed::Draw()
{
    NSHarrowen::CABCWindow* window = GetWindow();
    if (window == nullptr) {
        return;
    }
    NSHarrowen::CCanvas canvas(window);
    canvas.DrawImage(GetFrame().left, GetFrame().top, NSHarrowen::CImageID(lit_ ? litPicture_ : kDark));
}

bool CPnlGreenLed::SetState(uint16_t state)
{
    SetLit(state != 0);
    return IsLit();
}

bool CPnlClipLed::SetState(uint16_t state)
{
    SetLit(state != 0);
    switch (state) {
    case 1:
        SetLitPicture(kLit);
        break;
    case 2:
        SetLitPicture(kYellow);
        break;
    case 3:
        SetLitPicture(kRed);
        break;
    default:
        break;
    }
    return IsLit();
}
