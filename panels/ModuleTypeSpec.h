#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

// The compiled-in description of one module type: what its builder holds.
// Every module type's tables live in modules/ as constant data of these
// shapes; the builder (CBuildModule) reads them.

using ParamTextFunction = std::string (*)(uint8_t value);
using ParamTextDualFunction = std::string (*)(uint8_t value, uint8_t second);

// Which value-text function shows a parameter: none, one of its own value,
// or one of its own value and a second parameter's value.
struct ParamTextSpec {
    ParamTextFunction single = nullptr;
    ParamTextDualFunction dual = nullptr;
    uint8_t second = 0;

    constexpr ParamTextSpec() = default;
    constexpr ParamTextSpec(ParamTextFunction function) : single(function) { }
    constexpr ParamTextSpec(ParamTextDualFunction function, uint8_t secondParam) : dual(function), second(secondParam)
    { }
};

// One row of a type's parameter table. The maximum is the parameter's step
// count; it fixes the field width of the parameter in a parameter dump.
struct ParamSpec {
    const char* name; // at most 10 characters
    uint8_t max;
    uint8_t defaultValue;
    ParamTextSpec text;
    bool morphable;

    constexpr ParamSpec(const char* paramName, uint8_t maximum, uint8_t defaultVal, ParamTextSpec valueText = {},
                        bool canMorph = true)
        : name(paramName), max(maximum), defaultValue(defaultVal), text(valueText), morphable(canMorph)
    { }
};

enum class JackDirection : uint8_t { Input = 0, Output = 1 };

// The kind of signal a jack carries; a new cable takes its colour from it.
enum class SignalKind : uint8_t { Logic = 0, Audio = 1, Control = 2, Slave = 3 };

// A jack in construction order; inputs and outputs are numbered apart.
struct JackSpec {
    JackDirection direction;
    SignalKind kind;
    int16_t x;
    int16_t y;
    const char* faceLabel = nullptr; // the word printed beside it, where the face has one
};

// The class of a panel item, named after the item class that the panel
// builds for it.
enum class ItemClass : uint8_t {
    // controls, one parameter each, in the order of the parameter table
    BigKnob,
    MediumKnob,
    SmallKnob,
    IndicatorKnob,
    VerticalSlider,
    CheckButton,
    CheckBitmapButton,
    VerticalRadioButton,
    VerticalBitmapRadioButton,
    HorizontalRadioButton,
    HorizontalBitmapRadioButton,
    UpDownButton,
    LeftRightButton,
    // lamps
    GreenLed,
    ClipLed,
    // meters
    ClipVUMeter,
    CompMeter,
    ExpanderMeter,
    // info texts
    DefaultText,
    SmallDefaultText,
    FilterText,
    MasterOscText,
    SmallSlaveOscText,
    SlaveOscText,
    SlaveLfoText,
    // graphs
    ADSRGraph,
    ADEnvGraph,
    ModEnvGraph,
    AHDEnvGraph,
    MultiEnvGraph,
    NormalFilterGraph,
    ClassicFilterGraph,
    PhaserGraph,
    VocoderGraph,
    EqMidGraph,
    EqHiLoGraph,
    LFOAGraph,
    LFOBGraph,
    SlaveLFOAGraph,
    DistAGraph,
    DistBGraph,
    WrapGraph,
    AmpProcGraph,
    CompressorGraph,
    ExpanderGraph,
    NoteSeqGraph,
    // module-specific items
    DrumPresetSelector,
    PartialUpDown,
    PartialLeftRight,
    SeqClrRnd,
    SeqRangeClrRnd,
    SeqClr,
    EventSeqClr,
    FltBankPreset,
    VocoderPreset,
    TrigArrow,
};

constexpr bool IsControl(ItemClass c)
{
    return c <= ItemClass::LeftRightButton;
}
constexpr bool IsLed(ItemClass c)
{
    return c == ItemClass::GreenLed || c == ItemClass::ClipLed;
}
constexpr bool IsMeter(ItemClass c)
{
    return c >= ItemClass::ClipVUMeter && c <= ItemClass::ExpanderMeter;
}
constexpr bool IsInfoText(ItemClass c)
{
    return c >= ItemClass::DefaultText && c <= ItemClass::SlaveLfoText;
}
constexpr bool IsGraph(ItemClass c)
{
    return c >= ItemClass::ADSRGraph && c <= ItemClass::NoteSeqGraph;
}

// What the module does with a lamp: the state LED takes the values the
// synthesizer reports for the module (the module's meter item); step LEDs
// are lit one at a time by the sequencers.
enum class ItemRole : uint8_t { None, StateLed, StepLed };

// Parameter indices 0 to 127, so that an item bound to a run of parameters
// needs no list of its own.
inline constexpr std::array<uint8_t, 128> kParamIndices = [] {
    std::array<uint8_t, 128> a{};
    for (unsigned i = 0; i < a.size(); ++i)
        a[i] = static_cast<uint8_t>(i);
    return a;
}();

constexpr std::span<const uint8_t> BoundParams(uint8_t first, uint8_t count)
{
    return std::span<const uint8_t>(kParamIndices).subspan(first, count);
}

// One item of a module's face, in the order the panel builds them: the
// controls first (the n-th control edits parameter n), then the other items
// in their order of construction. Positions are the item's top-left corner
// as the panel passes it.
struct ItemSpec {
    ItemClass itemClass;
    int16_t x;
    int16_t y;
    uint8_t count = 0;                 // buttons of a radio row
    uint8_t size = 0;                  // width of a check button or info text; button size of a radio row
    const char* text = nullptr;        // caption, or the options of a radio row separated by commas
    uint16_t picture = 0;              // "SMTB" symbol strip of a bitmap button
    std::span<const uint8_t> params{}; // parameters a custom item is bound to, in order
    ItemRole role = ItemRole::None;
    const char* faceLabel = nullptr; // the word printed beside it, where the face has one
};

// The type's use of the synthesizer's DSP resources: ten 16-bit words.
struct ModuleLoadRecord {
    std::array<uint16_t, 10> words{};

    constexpr uint16_t Cycles() const { return words[0]; }
    constexpr uint16_t QuarterCycles() const { return words[1]; }
    constexpr uint8_t OutputListCapacity() const { return static_cast<uint8_t>(words[2] & 0xFF); }
    constexpr uint8_t CustomValueCount() const { return static_cast<uint8_t>(words[2] >> 8); }
    // The cycle load of this record alone, in per cent.
    constexpr double LoadPercent() const { return (Cycles() + QuarterCycles() / 4.0) * 100.0 / 787.0; }
    // The 20 stored bytes, little-endian.
    std::array<uint8_t, 20> ToBytes() const;
};

struct ModuleTypeSpec {
    uint8_t typeId;
    const char* shortName;
    const char* longName;
    uint16_t faceJpeg; // JPEG resource of the face picture
    uint8_t height;    // grid units
    ModuleLoadRecord load;
    std::span<const ParamSpec> params;
    std::span<const uint8_t> order; // keyboard focus order, a permutation of the indices
    std::span<const JackSpec> jacks;
    std::span<const ItemSpec> items; // the face's items, controls first
};
