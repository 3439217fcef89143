#include "panels/items/PnlPartialIncDec.h"

#include "panels/widgets/IncDecButton.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

int RoundAwayFromZero(double x)
{
    return static_cast<int>(std::trunc(x >= 0 ? x + 0.5 : x - 0.5));
}

// The pitch position (coarse * 256 + fine) of partial j: j:1 above, 1:-j below.
std::pair<int, int> PartialPitch(int j)
{
    if (j > 0) {
        return CPnlPartialIncDecABC::RatioToPitch(j, 1);
    }
    if (j < 0) {
        return CPnlPartialIncDecABC::RatioToPitch(1, -j);
    }
    return CPnlPartialIncDecABC::RatioToPitch(1, 1);
}

} // namespace

CPnlPartialIncDecABC::CPnlPartialIncDecABC(NSHarrowen::CGroupView* parent, int16_t x, int16_t y, int16_t width,
                                           int16_t height)
    : CPnlWidgetItemABC(parent, x, y, width, height, 2)
{ }

CPnlPartialIncDecABC::~CPnlPartialIncDecABC() = default;

void CPnlPartialIncDecABC::SetStepper(std::unique_ptr<CIncDecButtonABC> stepper)
{
    stepper_ = std::move(stepper);
    stepper_->MoveTo(GetFrame().TopLeft());
}

std::pair<int, int> CPnlPartialIncDecABC::RatioToPitch(double numerator, double denominator)
{
    const double x = std::log(numerator / denominator);
    const int coarse = RoundAwayFromZero(12 * x / std::log(2.0));
    const double rest = (numerator / denominator) / std::pow(2.0, coarse / 12.0);
    const int fine = RoundAwayFromZero(1536 * std::log(rest) / std::log(2.0));
    return {coarse, fine};
}

void CPnlPartialIncDecABC::UpdateDisplay()
{
    if (IsDirty() && GetParams().size() >= 2) {
        coarse_ = static_cast<int8_t>(GetParamValue(0));
        fine_ = static_cast<int8_t>(GetParamValue(1));
        SetDirty(false);
    }
    stepper_->UpdateDisplay();
}

void CPnlPartialIncDecABC::ReceiveNotifications()
{
    int32_t code = 0;
    while (stepper_->TakeEvent(code)) {
        stepper_->SetDisplayState(code);
        if (code == 1 || code == 2) {
            Step(code == 1);
        }
    }
}

void CPnlPartialIncDecABC::Step(bool up)
{
    const int position = (coarse_ - 64) * 256 + (fine_ - 64);
    std::optional<std::pair<int, int>> found;
    for (int i = 0; i <= 2 * kPartialLimit; ++i) {
        const int j = up ? i - kPartialLimit : kPartialLimit - i;
        const auto pitch = PartialPitch(j);
        const int partial = pitch.first * 256 + pitch.second;
        if (up ? partial > position : partial < position) {
            found = pitch;
            break;
        }
    }
    if (!found) {
        return;
    }
    newCoarse_ = static_cast<uint8_t>(std::clamp(found->first + 64, 0, 127));
    newFine_ = static_cast<uint8_t>(std::clamp(found->second + 64, 0, 127));
    SendChanges(2);
}

uint8_t CPnlPartialIncDecABC::ValueFor(uint8_t entry)
{
    return entry == 0 ? newCoarse_ : newFine_;
}

CPnlPartialUpDown::CPnlPartialUpDown(NSHarrowen::CGroupView* parent, int16_t x, int16_t y)
    : CPnlPartialIncDecABC(parent, x, y, 11, 21)
{
    SetStepper(std::make_unique<CUpDownButton>(this));
}

CPnlPartialLeftRight::CPnlPartialLeftRight(NSHarrowen::CGroupView* parent, int16_t x, int16_t y)
    : CPnlPartialIncDecABC(parent, x, y, 21, 11)
{
    SetStepper(std::make_unique<CLeftRightButton>(this));
}
