#pragma once

#include "panels/ModuleTypeSpec.h"

#include <cstdint>

// The frame size of each panel item class, as its constructor sets it: the
// face pictures keep these areas plain for the items, and the panels build
// their items at these sizes.
struct ItemFrameSize {
    int16_t width;
    int16_t height;
};

constexpr ItemFrameSize kJackFrame = {13, 13};

constexpr ItemFrameSize ItemFrame(const ItemSpec& item)
{
    switch (item.itemClass) {
    case ItemClass::BigKnob:
        return {29, 32};
    case ItemClass::MediumKnob:
        return {23, 25};
    case ItemClass::SmallKnob:
        return {21, 23};
    case ItemClass::IndicatorKnob:
        return {23, 31};
    case ItemClass::VerticalSlider:
        return {12, 63};
    case ItemClass::CheckButton:
    case ItemClass::CheckBitmapButton:
        return {item.size, 15};
    case ItemClass::VerticalRadioButton:
    case ItemClass::VerticalBitmapRadioButton:
        return {static_cast<int16_t>(item.size + 1), static_cast<int16_t>(item.count * 14 + 1)};
    case ItemClass::HorizontalRadioButton:
    case ItemClass::HorizontalBitmapRadioButton:
        return {static_cast<int16_t>(item.count * item.size + 1), 15};
    case ItemClass::UpDownButton:
    case ItemClass::PartialUpDown:
        return {11, 21};
    case ItemClass::LeftRightButton:
    case ItemClass::PartialLeftRight:
        return {21, 11};
    case ItemClass::GreenLed:
    case ItemClass::ClipLed:
        return {7, 7};
    case ItemClass::ClipVUMeter:
    case ItemClass::CompMeter:
    case ItemClass::ExpanderMeter:
        return {100, 5};
    case ItemClass::SmallDefaultText:
    case ItemClass::SmallSlaveOscText:
        return {item.size, 14};
    case ItemClass::DefaultText:
    case ItemClass::FilterText:
    case ItemClass::MasterOscText:
    case ItemClass::SlaveOscText:
    case ItemClass::SlaveLfoText:
        return {item.size, 15};
    case ItemClass::NormalFilterGraph:
    case ItemClass::ClassicFilterGraph:
        return {56, 36};
    case ItemClass::PhaserGraph:
        return {64, 34};
    case ItemClass::VocoderGraph:
        return {194, 47};
    case ItemClass::EqMidGraph:
    case ItemClass::EqHiLoGraph:
    case ItemClass::AmpProcGraph:
        return {56, 31};
    case ItemClass::ADSRGraph:
    case ItemClass::ModEnvGraph:
        return {70, 28};
    case ItemClass::ADEnvGraph:
        return {41, 25};
    case ItemClass::AHDEnvGraph:
        return {72, 28};
    case ItemClass::MultiEnvGraph:
        return {84, 28};
    case ItemClass::LFOAGraph:
    case ItemClass::LFOBGraph:
    case ItemClass::SlaveLFOAGraph:
        return {49, 20};
    case ItemClass::DistAGraph:
    case ItemClass::DistBGraph:
    case ItemClass::WrapGraph:
        return {39, 39};
    case ItemClass::CompressorGraph:
    case ItemClass::ExpanderGraph:
        return {47, 47};
    case ItemClass::NoteSeqGraph:
        return {204, 72};
    case ItemClass::DrumPresetSelector:
        return {64, 21};
    case ItemClass::SeqClrRnd:
    case ItemClass::SeqRangeClrRnd:
        return {21, 30};
    case ItemClass::SeqClr:
    case ItemClass::EventSeqClr:
        return {21, 15};
    case ItemClass::FltBankPreset:
        return {50, 15};
    case ItemClass::VocoderPreset:
        return {154, 15};
    case ItemClass::TrigArrow:
        return {3, 11};
    }
    return {0, 0};
}
