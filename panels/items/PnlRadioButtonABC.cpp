#include "panels/items/PnlRadioButtonABC.h"

#include "framework/input/Keyboard.h"
#include "panels/painters/RadioButtonGUI.h"
#include "panels/panel/ControlContainerInterface.h"

#include <algorithm>

CPnlRadioButtonABC::CPnlRadioButtonABC(NSHarrowen::CGroupView* parent, int16_t x, int16_t y) : CPnlControl(parent, x, y)
{ }

void CPnlRadioButtonABC::SetPainter(std::unique_ptr<CABCRadioButtonGUI> painter)
{
    painter_ = std::move(painter);
    SetItemSize(painter_->GetWidth(), painter_->GetHeight());
}

CPnlRadioButtonABC::~CPnlRadioButtonABC() = default;

bool CPnlRadioButtonABC::OnMouseDown(int16_t x, int16_t y)
{
    GetContainer()->BeginEdit(*this);
    Choose(x, y);
    return true;
}

bool CPnlRadioButtonABC::OnDoubleClick(int16_t x, int16_t y)
{
    GetContainer()->TouchControl(*this);
    Choose(x, y);
    return true;
}

void CPnlRadioButtonABC::Choose(int16_t x, int16_t y)
{
    if (!CaptureMouse()) {
        return;
    }
    CControlContainerInterface& container = *GetContainer();
    const uint8_t chosen = ButtonAt(x, y);
    const auto distance = static_cast<int8_t>(chosen - GetValue());
    if (!NSHarrowen::GetModifierKeys().IsControlOrCommandDown()) {
        if (chosen != GetValue()) {
            container.ChangeValue(*this, chosen);
        }
    } else if (container.GetMorphGroup(*this) == 4) {
        container.AssignToToolbarMorphGroup(*this, distance);
    } else if (container.GetMorphAmount(*this) != distance) {
        container.ChangeMorph(*this, distance);
    }
}

void CPnlRadioButtonABC::MouseUp()
{
    if (HasMouseCapture()) {
        ReleaseMouse();
    }
    GetContainer()->EndEdit(*this);
}

void CPnlRadioButtonABC::Draw()
{
    painter_->Draw(GetFrame());
}

void CPnlRadioButtonABC::UpdateDisplay()
{
    CControlContainerInterface& container = *GetContainer();
    const uint8_t group = container.GetMorphGroup(*this);
    const int8_t morph = container.GetMorphAmount(*this);
    const auto value = std::min<uint8_t>(GetValue(), 127);
    const auto target = static_cast<uint8_t>(std::min(std::clamp(value + morph, 0, int{GetStepCount()}), 127));
    const bool focus = container.HasParamFocus(*this);
    CABCRadioButtonGUI& painter = *painter_;
    if (painter.selected == value && painter.rangeTo == target && painter.group == group &&
        painter.highlight == focus && shownMorph_ == morph) {
        return;
    }
    shownMorph_ = morph;
    painter.selected = value;
    painter.rangeFrom = value;
    painter.rangeTo = target;
    painter.group = group;
    painter.highlight = focus;
    InvalidateFrame();
}

uint8_t CPnlVerticalRadioButtonABC::ButtonAt(int16_t, int16_t y) const
{
    const int count = GetPainter().GetCount();
    const int row = std::clamp((y - GetFrame().top - 1) / CABCRadioButtonGUI::kRowHeight, 0, count - 1);
    return static_cast<uint8_t>(std::min(count - 1 - row, 127));
}

uint8_t CPnlHorizontalRadioButtonABC::ButtonAt(int16_t x, int16_t) const
{
    const int width = std::max<int>(GetPainter().GetSegmentWidth(), 1);
    const int column = std::clamp((x - GetFrame().left - 1) / width, 0, int{GetPainter().GetHighestIndex()});
    return static_cast<uint8_t>(std::min(column, 127));
}

CPnlVerticalRadioButton::CPnlVerticalRadioButton(NSHarrowen::CGroupView* parent, int16_t x, int16_t y, uint8_t count,
                                                 int16_t size, const std::string& options)
    : CPnlVerticalRadioButtonABC(parent, x, y)
{
    SetPainter(std::make_unique<CVerticalTextRadioButtonGUI>(*this, count, size, options));
}

CPnlVerticalBitmapRadioButton::CPnlVerticalBitmapRadioButton(NSHarrowen::CGroupView* parent, int16_t x, int16_t y,
                                                             uint8_t count, int16_t size, uint16_t picture)
    : CPnlVerticalRadioButtonABC(parent, x, y)
{
    SetPainter(std::make_unique<CVerticalBmpRadioButtonGUI>(*this, count, size, picture));
}

CPnlHorizontalRadioButton::CPnlHorizontalRadioButton(NSHarrowen::CGroupView* parent, int16_t x, int16_t y,
                                                     uint8_t count, int16_t size, const std::string& options)
    : CPnlHorizontalRadioButtonABC(parent, x, y)
{
    SetPainter(std::make_unique<CHorizontalTextRadioButtonGUI>(*this, count, size, options));
}

CPnlHorizontalBitmapRadioButton::CPnlHorizontalBitmapRadioButton(NSHarrowen::CGroupView* parent, int16_t x, int16_t y,
                                                                 uint8_t count, int16_t size, uint16_t picture)
    : CPnlHorizontalRadioButtonABC(parent, x, y)
{
    SetPainter(std::make_unique<CHorizontalBmpRadioButtonGUI>(*this, count, size, picture));
}
