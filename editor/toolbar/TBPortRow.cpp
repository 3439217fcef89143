#include "editor/toolbar/TBPortRow.h"

#include "editor/controls/SlotButton.h"
#include "editor/patches/PatchManager.h"
#include "editor/toolbar/FlashMeter.h"
#include "panels/widgets/TextView.h"
#include "synth/link/PortManager.h"
#include "synth/link/Synth.h"
#include "synth/link/SynthPort.h"

namespace {

constexpr const char* kSlotLabels[CTBPortRow::kSlotCount] = {"A", "B", "C", "D"};

} // namespace

CTBPortRow::CTBPortRow(NSHarrowen::CGroupView* parent, uint8_t port) : port_(port)
{
    name_ = std::make_unique<CTextView>(parent, "");
    meter_ = std::make_unique<CTBWindow::CFlashMeter>(parent);
    for (uint8_t slot = 0; slot < kSlotCount; ++slot)
        slots_[slot] = std::make_unique<CSlotButton>(parent, kSlotLabels[slot]);
}

CTBPortRow::~CTBPortRow() = default;

void CTBPortRow::Layout()
{
    const int16_t top = static_cast<int16_t>(3 + 15 * port_);
    for (uint8_t slot = 0; slot < kSlotCount; ++slot)
        slots_[slot]->SetFrameInParent(static_cast<int16_t>(728 + 17 * slot), top, 17, 15);
    name_->SetFrameInParent(801, top, 90, 15);
    meter_->SetFrameInParent(kMeterLeft, static_cast<int16_t>(top + 5), CTBWindow::CFlashMeter::kWidth,
                             CTBWindow::CFlashMeter::kHeight);
}

void CTBPortRow::TakeSlotClicks(CPortManager& ports)
{
    CSynth* synth = ports.HasSynth(port_) ? ports.GetSynth(port_) : nullptr;
    CPatchManager* patches = GetPatchManager();
    for (uint8_t slot = 0; slot < kSlotCount; ++slot) {
        uint8_t value = 0;
        uint8_t control = 0;
        // A click that reached the row while its synthesizer went is dropped.
        if (!slots_[slot]->TakeClick(value, control) || synth == nullptr)
            continue;
        CSlotSelection selection = synth->GetSelection();
        if (control != 0) {
            uint8_t current = CSlotSelection::kNoSlot;
            if (selection.Toggle(slot, ports.GetCurrentSlotOf(port_), current)) {
                ports.SelectSlot(port_, current);
                if (patches)
                    patches->BringSlotPatchToFront(port_, current);
            }
            synth->SetActiveSlots(selection);
        } else {
            if (selection.SelectOnly(slot))
                synth->SetActiveSlots(selection);
            ports.SelectSlot(port_, slot);
            if (patches)
                patches->BringSlotPatchToFront(port_, slot);
        }
    }
}

void CTBPortRow::Show(const CPortManager* ports)
{
    if (ports == nullptr || !ports->HasSynth(port_)) {
        Hide();
        return;
    }
    CSynth& synth = *ports->GetSynth(port_);
    name_->Show();
    const bool smallModel = synth.GetModelFlag() != 0;
    if (smallModel)
        meter_->Hide();
    else
        meter_->Show();
    name_->SetTextIfChanged(ports->GetDisplayName(port_));
    meter_->SetUsage(ports->GetFlashMemory(port_).GetUsage());
    const bool current = ports->IsCurrentPort(port_) && ports->HasCurrentSynth();
    name_->SetHighlight(current);
    const uint8_t currentSlot = current ? ports->GetCurrentSlot() : CSlotSelection::kNoSlot;
    const CSlotSelection& selection = synth.GetSelection();
    for (uint8_t slot = 0; slot < kSlotCount; ++slot) {
        CSlotButton& button = *slots_[slot];
        button.SetHidden(slot >= selection.GetSlotCount());
        button.SetOn(selection.IsActive(slot));
        button.SetLit(slot == currentSlot);
    }
}

void CTBPortRow::Hide()
{
    name_->Hide();
    meter_->Hide();
    for (const auto& slot : slots_)
        slot->SetHidden(true);
}
