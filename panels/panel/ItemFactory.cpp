#include "panels/panel/ItemFactory.h"

#include "panels/graphs/PnlADSRGraph.h"
#include "panels/graphs/PnlADEnvGraph.h"
#include "panels/graphs/PnlModEnvGraph.h"
#include "panels/graphs/PnlAHDEnvGraph.h"
#include "panels/graphs/PnlMultiEnvGraph.h"
#include "panels/graphs/PnlNormalFilterGraph.h"
#include "panels/graphs/PnlClassicFilterGraph.h"
#include "panels/graphs/PnlPhaserGraph.h"
#include "panels/graphs/PnlVocoderGraph.h"
#include "panels/graphs/PnlEqMidGraph.h"
#include "panels/graphs/PnlEqHiLoGraph.h"
#include "panels/graphs/PnlLFOAGraph.h"
#include "panels/graphs/PnlLFOBGraph.h"
#include "panels/graphs/PnlSlaveLFOAGraph.h"
#include "panels/graphs/PnlDistAGraph.h"
#include "panels/graphs/PnlDistBGraph.h"
#include "panels/graphs/PnlWrapGraph.h"
#include "panels/graphs/PnlAmpProcGraph.h"
#include "panels/graphs/PnlCompressorGraph.h"
#include "panels/graphs/PnlExpanderGraph.h"
#include "panels/graphs/PnlNoteSeqGraph.h"
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
    const char* text = spec.text != nullptr ? spec.text : "";
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
    case ItemClass::ADSRGraph:
        return std::make_unique<CPnlADSRGraph>(&panel, x, y);
    case ItemClass::ADEnvGraph:
        return std::make_unique<CPnlADEnvGraph>(&panel, x, y);
    case ItemClass::ModEnvGraph:
        return std::make_unique<CPnlModEnvGraph>(&panel, x, y);
    case ItemClass::AHDEnvGraph:
        return std::make_unique<CPnlAHDEnvGraph>(&panel, x, y);
    case ItemClass::MultiEnvGraph:
        return std::make_unique<CPnlMultiEnvGraph>(&panel, x, y);
    case ItemClass::NormalFilterGraph:
        return std::make_unique<CPnlNormalFilterGraph>(&panel, x, y);
    case ItemClass::ClassicFilterGraph:
        return std::make_unique<CPnlClassicFilterGraph>(&panel, x, y);
    case ItemClass::PhaserGraph:
        return std::make_unique<CPnlPhaserGraph>(&panel, x, y);
    case ItemClass::VocoderGraph:
        return std::make_unique<CPnlVocoderGraph>(&panel, x, y);
    case ItemClass::EqMidGraph:
        return std::make_unique<CPnlEqMidGraph>(&panel, x, y);
    case ItemClass::EqHiLoGraph:
        return std::make_unique<CPnlEqHiLoGraph>(&panel, x, y);
    case ItemClass::LFOAGraph:
        return std::make_unique<CPnlLFOAGraph>(&panel, x, y);
    case ItemClass::LFOBGraph:
        return std::make_unique<CPnlLFOBGraph>(&panel, x, y);
    case ItemClass::SlaveLFOAGraph:
        return std::make_unique<CPnlSlaveLFOAGraph>(&panel, x, y);
    case ItemClass::DistAGraph:
        return std::make_unique<CPnlDistAGraph>(&panel, x, y);
    case ItemClass::DistBGraph:
        return std::make_unique<CPnlDistBGraph>(&panel, x, y);
    case ItemClass::WrapGraph:
        return std::make_unique<CPnlWrapGraph>(&panel, x, y);
    case ItemClass::AmpProcGraph:
        return std::make_unique<CPnlAmpProcGraph>(&panel, x, y);
    case ItemClass::CompressorGraph:
        return std::make_unique<CPnlCompressorGraph>(&panel, x, y);
    case ItemClass::ExpanderGraph:
        return std::make_unique<CPnlExpanderGraph>(&panel, x, y);
    case ItemClass::NoteSeqGraph:
        return std::make_unique<CPnlNoteSeqGraph>(&panel, x, y);
    }
    // A row of no known class stands as an empty item, keeping the rows and
    // the items in step.
    return std::make_unique<CPanelItem>(&panel, x, y);
}
