#include "panels/items/PnlPushButtonItemABC.h"

#include "panels/widgets/TextPushButton.h"

#include <algorithm>

CPnlPushButtonItemABC::CPnlPushButtonItemABC(NSHarrowen::CGroupView* parent, int16_t x, int16_t y, int16_t width,
                                             int16_t height, uint8_t params)
    : CPnlWidgetItemABC(parent, x, y, width, height, params)
{ }

CPnlPushButtonItemABC::~CPnlPushButtonItemABC() = default;

void CPnlPushButtonItemABC::AddButtons(std::initializer_list<const char*> labels, int16_t width, int16_t height,
                                       int16_t step, bool vertical)
{
    const NSHarrowen::CRect& frame = GetFrame();
    int16_t offset = 0;
    for (const char* label : labels) {
        auto button = std::make_unique<CTextPushButton>(this, label);
        const int16_t left = vertical ? frame.left : static_cast<int16_t>(frame.left + offset);
        const int16_t top = vertical ? static_cast<int16_t>(frame.top + offset) : frame.top;
        button->SetFrame(NSHarrowen::CRect(left, top, left + width, top + height));
        buttons_.push_back(std::move(button));
        offset = static_cast<int16_t>(offset + step);
    }
}

void CPnlPushButtonItemABC::ReceiveNotifications()
{
    for (size_t i = 0; i < buttons_.size(); ++i) {
        if (buttons_[i]->WasPushed()) {
            OnPush(i);
        }
    }
}

void CPnlPushButtonItemABC::UpdateDisplay()
{
    SetDirty(false);
    for (const auto& button : buttons_) {
        button->UpdateDisplay();
    }
}

CPnlSeqClrRnd::CPnlSeqClrRnd(NSHarrowen::CGroupView* parent, int16_t x, int16_t y)
    : CPnlPushButtonItemABC(parent, x, y, 21, 30, 17)
{
    AddButtons({"Clr", "Rnd"}, 21, 15, 15, true);
}

void CPnlSeqClrRnd::UpdateDisplay()
{
    if (IsDirty() && GetParams().size() > 16) {
        polarity_ = GetParamValue(16);
    }
    CPnlPushButtonItemABC::UpdateDisplay();
}

void CPnlSeqClrRnd::OnPush(size_t index)
{
    random_ = index == 1;
    values_.assign(16, 0);
    for (uint8_t& value : values_) {
        value = random_ ? static_cast<uint8_t>(std::min(PanelRandom() * 128 / kPanelRandomMax, 127))
                        : static_cast<uint8_t>(polarity_ != 0 ? 0 : 64);
    }
    SendChanges(16);
}

uint8_t CPnlSeqClrRnd::ValueFor(uint8_t entry)
{
    return entry < values_.size() ? values_[entry] : 0;
}

CPnlSeqRangeClrRnd::CPnlSeqRangeClrRnd(NSHarrowen::CGroupView* parent, int16_t x, int16_t y)
    : CPnlPushButtonItemABC(parent, x, y, 21, 30, 16)
{
    AddButtons({"Clr", "Rnd"}, 21, 15, 15, true);
}

void CPnlSeqRangeClrRnd::OnPush(size_t index)
{
    uint8_t lowest = 0;
    uint8_t highest = 127;
    if (const auto* source = dynamic_cast<const CNoteRangeSourceInterface*>(GetParent())) {
        source->GetVisibleNoteRange(lowest, highest);
    }
    values_.assign(16, 64);
    if (index == 1) {
        for (uint8_t& value : values_) {
            value = static_cast<uint8_t>(std::min(lowest + PanelRandom() * (highest - lowest) / kPanelRandomMax, 127));
        }
    }
    SendChanges(16);
}

uint8_t CPnlSeqRangeClrRnd::ValueFor(uint8_t entry)
{
    return entry < values_.size() ? values_[entry] : 64;
}

CPnlSeqClrABC::CPnlSeqClrABC(NSHarrowen::CGroupView* parent, int16_t x, int16_t y, uint8_t count, uint8_t value)
    : CPnlPushButtonItemABC(parent, x, y, 21, 15, count), count_(count), value_(value)
{
    AddButtons({"Clr"}, 21, 15, 15, true);
}

void CPnlSeqClrABC::OnPush(size_t)
{
    SendChanges(count_);
}

CPnlFltBankPreset::CPnlFltBankPreset(NSHarrowen::CGroupView* parent, int16_t x, int16_t y)
    : CPnlPushButtonItemABC(parent, x, y, 50, 15, 14)
{
    AddButtons({"Min", "Max"}, 25, 15, 25, false);
}

void CPnlFltBankPreset::OnPush(size_t index)
{
    value_ = index == 0 ? 0 : 127;
    SendChanges(14);
}

CPnlVocoderPreset::CPnlVocoderPreset(NSHarrowen::CGroupView* parent, int16_t x, int16_t y)
    : CPnlPushButtonItemABC(parent, x, y, 154, 15, 16)
{
    AddButtons({"-2", "-1", "0", "+1", "+2", "Inv", "Rnd"}, 22, 15, 22, false);
}

uint8_t CPnlVocoderPreset::RoutingFor(size_t button, uint8_t band)
{
    const int i = band;
    switch (button) {
    case 0:
        return static_cast<uint8_t>(i + 3 > 16 ? 0 : i + 3);
    case 1:
        return static_cast<uint8_t>(i + 2 > 16 ? 0 : i + 2);
    case 2:
        return static_cast<uint8_t>(i + 1);
    case 3:
        return static_cast<uint8_t>(i);
    case 4:
        return static_cast<uint8_t>(i - 1 < 0 ? 0 : i - 1);
    case 5:
        return static_cast<uint8_t>(16 - i);
    default:
        return static_cast<uint8_t>(std::min(PanelRandom() * 16 / kPanelRandomMax, 16));
    }
}

void CPnlVocoderPreset::OnPush(size_t index)
{
    button_ = index;
    SendChanges(16);
}

uint8_t CPnlVocoderPreset::ValueFor(uint8_t entry)
{
    return RoutingFor(button_, entry);
}
