#pragma once

#include "panels/items/PnlWidgetItemABC.h"

#include <memory>
#include <utility>

class CIncDecButtonABC;

// Steps an oscillator's pitch (coarse and fine values) to the next partial
// above or below it: the ratios n:1 and 1:n for n up to 32.
class CPnlPartialIncDecABC : public CPnlWidgetItemABC {
public:
    static constexpr int kPartialLimit = 32;

    CPnlPartialIncDecABC(NSHarrowen::CGroupView* parent, int16_t x, int16_t y, int16_t width, int16_t height);
    ~CPnlPartialIncDecABC() override;

    void ReceiveNotifications() override;
    void UpdateDisplay() override;

    // The nearest semitone and the rest in 1/128 semitones of n:d, both
    // rounded half away from zero.
    static std::pair<int, int> RatioToPitch(double numerator, double denominator);

protected:
    uint8_t ValueFor(uint8_t entry) override;
    void SetStepper(std::unique_ptr<CIncDecButtonABC> stepper);

private:
    void Step(bool up);

    std::unique_ptr<CIncDecButtonABC> stepper_;
    int8_t coarse_ = 64;
    int8_t fine_ = 64;
    uint8_t newCoarse_ = 64;
    uint8_t newFine_ = 64;
};

class CPnlPartialUpDown final : public CPnlPartialIncDecABC {
public:
    CPnlPartialUpDown(NSHarrowen::CGroupView* parent, int16_t x, int16_t y);
};

class CPnlPartialLeftRight final : public CPnlPartialIncDecABC {
public:
    CPnlPartialLeftRight(NSHarrowen::CGroupView* parent, int16_t x, int16_t y);
};
