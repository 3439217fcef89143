#include "panels/items/PnlButtonABC.h"

#include "framework/input/Keyboard.h"
#include "panels/panel/ControlContainerInterface.h"

CPnlButtonABC::CPnlButtonABC(NSHarrowen::CGroupView* parent, int16_t x, int16_t y, int16_t width)
    : CPnlControl(parent, x, y)
{
    SetItemSize(width, 15);
}

CPnlButtonABC::~CPnlButtonABC() = default;

bool CPnlButtonABC::OnMouseDown(int16_t, int16_t)
{
    GetContainer()->BeginEdit(*this);
    Toggle();
    return true;
}

bool CPnlButtonABC::OnDoubleClick(int16_t, int16_t)
{
    GetContainer()->TouchControl(*this);
    Toggle();
    return true;
}

void CPnlButtonABC::Toggle()
{
    if (!CaptureMouse()) {
        return;
    }
    CControlContainerInterface& container = *GetContainer();
    if (!NSHarrowen::GetModifierKeys().IsControlOrCommandDown()) {
        container.ChangeValue(*this, GetValue() == 0 ? 1 : 0);
        return;
    }
    if (container.GetMorphGroup(*this) == 4) {
        container.AssignToToolbarMorphGroup(*this, 0);
        return;
    }
    const int8_t morph = container.GetMorphAmount(*this);
    if (morph == -1) {
        container.ChangeMorph(*this, 1);
    } else if (morph == 0) {
        container.ChangeMorph(*this, GetValue() == 0 ? 1 : -1);
    } else if (morph == 1) {
        container.ChangeMorph(*this, -1);
    }
}

void CPnlButtonABC::MouseUp()
{
    if (HasMouseCapture()) {
        ReleaseMouse();
    }
    GetContainer()->EndEdit(*this);
}

void CPnlButtonABC::Draw()
{
    Painter().Draw(GetFrame());
}

void CPnlButtonABC::UpdateDisplay()
{
    CControlContainerInterface& container = *GetContainer();
    const uint8_t group = container.GetMorphGroup(*this);
    const int8_t morph = container.GetMorphAmount(*this);
    const bool switches = group != 4 && ((GetValue() == 0 && morph > 0) || (GetValue() == 1 && morph < 0));
    const bool raised = GetValue() == 0;
    const bool focus = container.HasParamFocus(*this);
    CABCButtonGUI& painter = Painter();
    if (painter.raised == raised && painter.highlight == focus && painter.group == group && painter.dull == !switches) {
        return;
    }
    painter.raised = raised;
    painter.highlight = focus;
    painter.group = group;
    painter.dull = !switches;
    InvalidateFrame();
}

CPnlCheckButton::CPnlCheckButton(NSHarrowen::CGroupView* parent, int16_t x, int16_t y, int16_t width,
                                 const char* caption)
    : CPnlButtonABC(parent, x, y, width), painter_(*this, caption)
{ }

CPnlCheckBitmapButton::CPnlCheckBitmapButton(NSHarrowen::CGroupView* parent, int16_t x, int16_t y, int16_t width,
                                             uint16_t picture)
    : CPnlButtonABC(parent, x, y, width), painter_(*this, picture)
{ }
