#include "panels/panel/ItemFactory.h"

#include "panels/items/PnlButtonABC.h"
#include "panels/items/PnlInfoText.h"
#include "panels/items/PnlKnobs.h"
#include "panels/items/PnlLed.h"
#include "panels/items/PnlRadioButtonABC.h"
#include "panels/items/PnlSpecialItems.h"
#include "panels/items/PnlStepButton.h"
#include "panels/items/PnlVUMeterABC.h"
#include "panels/items/PnlVerticalSlider.h"
#include "panels/panel/Module.h"

std::unique_ptr<CPanelItem> MakePanelItem(CModule& panel, const ItemSpec& spec)
{
    const int16_t x = spec.x;
    const int16_t y = spec.y;
    const std::string text = spec.text ? spec.text : "";
    switch (spec.itemClass) {
    case ItemClass::BigKnob:
        return std::make_unique<CPnlBigKnob>(&panel, x, y);
    case ItemClass::MediumKnob:
        return std::make_unique<CPnlMediumKnob>(&panel, x, y);
    case ItemClass::SmallKnob:
        return std::make_unique<CPnlSmallKnob>(&panel, x, y);
    case ItemClass::IndicatorKnob:
        return std::make_unique<CPnlIndicatorKnob>(&panel, x, y);
    case ItemClass::VerticalSlider:
        return std::make_unique<CPnlVerticalSlider>(&panel, x, y);
    case ItemClass::CheckButton:
        return std::make_unique<CPnlCheckButton>(&panel, x, y, spec.size, text);
    case ItemClass::CheckBitmapButton:
        return std::make_unique<CPnlCheckBitmapButton>(&panel, x, y, spec.size, spec.picture);
    case ItemClass::VerticalRadioButton:
        return std::make_unique<CPnlVerticalRadioButton>(&panel, x, y, spec.count, spec.size, text);
    case ItemClass::VerticalBitmapRadioButton:
        return std::make_unique<CPnlVerticalBitmapRadioButton>(&panel, x, y, spec.count, spec.size, spec.picture);
    case ItemClass::HorizontalRadioButton:
        return std::make_unique<CPnlHorizontalRadioButton>(&panel, x, y, spec.count, spec.size, text);
    case ItemClass::HorizontalBitmapRadioButton:
        return std::make_unique<CPnlHorizontalBitmapRadioButton>(&panel, x, y, spec.count, spec.size, spec.picture);
    case ItemClass::UpDownButton:
        return std::make_unique<CPnlUpDownButton>(&panel, x, y);
    case ItemClass::LeftRightButton:
        return std::make_unique<CPnlLeftRightButton>(&panel, x, y);
    case ItemClass::GreenLed:
        return std::make_unique<CPnlGreenLed>(&panel, x, y);
    case ItemClass::ClipLed:
        return std::make_unique<CPnlClipLed>(&panel, x, y);
    case ItemClass::ClipVUMeter:
        return std::make_unique<CPnlClipVUMeter>(&panel, x, y);
    case ItemClass::CompMeter:
        return std::make_unique<CPnlCompMeter>(&panel, x, y);
    case ItemClass::ExpanderMeter:
        return std::make_unique<CPnlExpanderMeter>(&panel, x, y);
    case ItemClass::DefaultText:
        return std::make_unique<Infos::CDefaultText>(&panel, x, y, spec.size);
    case ItemClass::SmallDefaultText:
        return std::make_unique<Infos::CSmallDefaultText>(&panel, x, y, spec.size);
    case ItemClass::FilterText:
        return std::make_unique<Infos::CFilterText>(&panel, x, y, spec.size);
    case ItemClass::MasterOscText:
        return std::make_unique<Infos::CMasterOscText>(&panel, x, y, spec.size);
    case ItemClass::SmallSlaveOscText:
        return std::make_unique<Infos::CSmallSlaveOscText>(&panel, x, y, spec.size);
    case ItemClass::SlaveOscText:
        return std::make_unique<Infos::CSlaveOscText>(&panel, x, y, spec.size);
    case ItemClass::SlaveLfoText:
        return std::make_unique<Infos::CSlaveLfoText>(&panel, x, y, spec.size);
    case ItemClass::DrumPresetSelector:
        return std::make_unique<CPnlDrumPresetSelector>(&panel, x, y);
    case ItemClass::PartialUpDown:
        return std::make_unique<CPnlPartialUpDown>(&panel, x, y);
    case ItemClass::PartialLeftRight:
        return std::make_unique<CPnlPartialLeftRight>(&panel, x, y);
    case ItemClass::SeqClrRnd:
        return std::make_unique<CPnlSeqClrRnd>(&panel, x, y);
    case ItemClass::SeqRangeClrRnd:
        return std::make_unique<CPnlSeqRangeClrRnd>(&panel, x, y);
    case ItemClass::SeqClr:
        return std::make_unique<CPnlSeqClr>(&panel, x, y);
    case ItemClass::EventSeqClr:
        return std::make_unique<CPnlEventSeqClr>(&panel, x, y);
    case ItemClass::FltBankPreset:
        return std::make_unique<CPnlFltBankPreset>(&panel, x, y);
    case ItemClass::VocoderPreset:
        return std::make_unique<CPnlVocoderPreset>(&panel, x, y);
    case ItemClass::TrigArrow:
        return std::make_unique<CPnlTrigArrow>(&panel, x, y);
    default:
        // The graphs join with their own items.
        return nullptr;
    }
}
