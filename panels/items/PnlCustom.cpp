#include "panels/items/PnlCustom.h"

#include "panels/items/CustomDataStream.h"
#include "panels/panel/CustomContainerInterface.h"

#include <algorithm>
#include <cassert>

CPnlCustom::CPnlCustom(NSHarrowen::CGroupView* parent, int16_t x, int16_t y, uint8_t expectedParams)
    : CPanelItem(parent, x, y), y_(y)
{
    params_.reserve(expectedParams);
    CCustomContainerInterface* container = GetCustomContainer();
    assert(container != nullptr && "a custom item is built on a panel");
    if (container) {
        container->AddCustomItem(*this);
    }
}

CCustomContainerInterface* CPnlCustom::GetCustomContainer() const
{
    return dynamic_cast<CCustomContainerInterface*>(GetParent());
}

bool CPnlCustom::OnMouseDown(int16_t, int16_t)
{
    return false;
}

bool CPnlCustom::WriteChangedData(CCustomDataStream&)
{
    return false;
}

void CPnlCustom::ReadData(CCustomDataStream&) { }

void CPnlCustom::WriteData(CCustomDataStream&) { }

bool CPnlCustom::NextParamValue(uint8_t, uint8_t&)
{
    return false;
}

void CPnlCustom::AddParam(const CPnlControl& control)
{
    const uint8_t param = GetCustomContainer()->GetControlIndex(control);
    assert(param < 127 && "the control is one of the module's");
    params_.push_back(param);
}

bool CPnlCustom::HasParam(uint8_t param) const
{
    return std::find(params_.begin(), params_.end(), param) != params_.end();
}

bool CPnlCustom::NotifyParamChanged(uint8_t param)
{
    if (!HasParam(param)) {
        return false;
    }
    dirty_ = true;
    return true;
}

uint8_t CPnlCustom::GetParamValue(uint8_t entry) const
{
    return GetCustomContainer()->GetParamValue(params_.at(entry));
}

std::string CPnlCustom::GetParamText(uint8_t entry) const
{
    return GetCustomContainer()->GetParamText(params_.at(entry));
}

bool CPnlCustom::NextParamChange(uint8_t& param, uint8_t& value)
{
    for (size_t i = 0; i < params_.size(); ++i) {
        if (NextParamValue(static_cast<uint8_t>(i), value)) {
            param = params_[i];
            return true;
        }
    }
    return false;
}
