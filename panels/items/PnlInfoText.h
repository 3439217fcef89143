#pragma once

#include "panels/items/PnlCustom.h"

#include <cstdint>
#include <memory>
#include <string>

class CTextView;

// A small text field beside a control that shows one or two parameters in
// readable form. Items with several display variants cycle them on a
// click: the chosen variant travels as the item's custom data (through the
// module, the patch and the synthesizer) and only its return changes the
// display.
class CPnlInfoTextABC : public CPnlCustom {
public:
    CPnlInfoTextABC(NSHarrowen::CGroupView* parent, int16_t x, int16_t y, uint8_t variants, int16_t width,
                    int16_t height);
    ~CPnlInfoTextABC() override;

    // The text of the current variant.
    virtual std::string GetText() const = 0;

    bool OnMouseDown(int16_t x, int16_t y) override;
    bool OnDoubleClick(int16_t x, int16_t y) override;
    bool WriteChangedData(CCustomDataStream& stream) override;
    void ReadData(CCustomDataStream& stream) override;
    void WriteData(CCustomDataStream& stream) override;
    void UpdateDisplay() override;
    void Draw() override;

    uint8_t GetVariant() const { return variant_; }
    uint8_t GetVariantCount() const { return variants_; }
    const std::string& GetShownText() const;
    const CTextView& GetLabel() const { return *label_; }

private:
    bool RequestNextVariant();

    std::unique_ptr<CTextView> label_;
    bool redraw_ = false;
    uint8_t variant_ = 0;
    uint8_t variants_;
    uint8_t chosen_ = 0;
};

namespace Infos {

// The registered value text of the parameter.
class CDefaultText : public CPnlInfoTextABC {
public:
    CDefaultText(NSHarrowen::CGroupView* parent, int16_t x, int16_t y, int16_t width, int16_t height = 15);
    std::string GetText() const override;
};

class CSmallDefaultText final : public CDefaultText {
public:
    CSmallDefaultText(NSHarrowen::CGroupView* parent, int16_t x, int16_t y, int16_t width)
        : CDefaultText(parent, x, y, width, 14)
    { }
};

// A filter frequency in hertz, or as the note it stands for.
class CFilterText final : public CPnlInfoTextABC {
public:
    CFilterText(NSHarrowen::CGroupView* parent, int16_t x, int16_t y, int16_t width);
    std::string GetText() const override;
};

// An oscillator's frequency from its coarse and fine values, or its note.
class CMasterOscText final : public CPnlInfoTextABC {
public:
    CMasterOscText(NSHarrowen::CGroupView* parent, int16_t x, int16_t y, int16_t width);
    std::string GetText() const override;
};

// A slave oscillator's frequency ratio.
class CSmallSlaveOscText final : public CPnlInfoTextABC {
public:
    CSmallSlaveOscText(NSHarrowen::CGroupView* parent, int16_t x, int16_t y, int16_t width);
    std::string GetText() const override;
};

// A slave oscillator's ratio, its interval in semitones, or its frequency.
class CSlaveOscText final : public CPnlInfoTextABC {
public:
    CSlaveOscText(NSHarrowen::CGroupView* parent, int16_t x, int16_t y, int16_t width);
    std::string GetText() const override;
};

// A slave LFO's rate, centred or as its rate text.
class CSlaveLfoText final : public CPnlInfoTextABC {
public:
    CSlaveLfoText(NSHarrowen::CGroupView* parent, int16_t x, int16_t y, int16_t width);
    std::string GetText() const override;
};

// The interval of a slave oscillator's coarse value: "+7 (5th)", "-24 (Oct)".
std::string SlaveOscInterval(uint8_t coarse);

} // namespace Infos
