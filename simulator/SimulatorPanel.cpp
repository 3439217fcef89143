// The messages the simulated synthesizer sends of its own: changes on its
// panel and frames of measured values.

#include "simulator/Simulator.h"

#include <algorithm>
#include <cstdlib>

namespace sim {

// ---- Messages of the synthesizer's own ------------------------------------------

void CSimulator::PanelParamChange(int slot, const SimParamRef& ref, int value)
{
    Slot(slot).patch.SetParamValue(ref, value);
    CSimBitWriter out;
    WriteSimple(out, 0x40, {ref.area, ref.module, ref.param, std::clamp(value, 0, 127)});
    SendUnsolicited(static_cast<uint8_t>(ClampSlot(slot)), true, out, 1);
}

void CSimulator::PanelMorphChange(int slot, const SimParamRef& ref, int range)
{
    for (SimMorphAssign& a : Slot(slot).patch.morph.assigns)
        if (a.ref == ref)
            a.range = range;
    CSimBitWriter out;
    WriteSimple(out, 0x43, {ref.area, ref.module, ref.param, std::abs(range), range < 0 ? 1 : 0});
    SendUnsolicited(static_cast<uint8_t>(ClampSlot(slot)), true, out, 1);
}

void CSimulator::PanelParamFocus(int slot, const SimFocus& focus)
{
    Slot(slot).patch.focus = focus;
    CSimBitWriter out;
    WriteParamFocusDump(out, focus);
    SendUnsolicited(static_cast<uint8_t>(ClampSlot(slot)), true, out, 1);
}

void CSimulator::PanelSlotFocus(int slot)
{
    focusSlot_ = slot < 0 || slot >= SlotCount() ? 4 : slot;
    CSimBitWriter out;
    WriteSlotFocusDump(out, focusSlot_);
    SendUnsolicited(0, false, out, 1);
}

void CSimulator::PanelKnobAssign(int slot, int knob, const SimParamRef& ref)
{
    if (knob < 0 || knob >= kKnobCount)
        return;
    Slot(slot).patch.knobs[knob] = {true, ref};
    CSimBitWriter out;
    WriteSimple(out, 0x25, {ref.module, ref.param, ref.area, knob});
    SendUnsolicited(static_cast<uint8_t>(ClampSlot(slot)), true, out, 1);
}

void CSimulator::PanelKnobDeassign(int slot, int knob)
{
    if (knob < 0 || knob >= kKnobCount)
        return;
    Slot(slot).patch.knobs[knob] = SimKnob{};
    CSimBitWriter out;
    WriteSimple(out, 0x26, {knob});
    SendUnsolicited(static_cast<uint8_t>(ClampSlot(slot)), true, out, 1);
}

void CSimulator::PanelCtrlAssign(int slot, int controller, const SimParamRef& ref)
{
    SimPatch& patch = Slot(slot).patch;
    std::erase_if(patch.ctrls, [&](const SimCtrl& c) { return c.controller == controller; });
    patch.ctrls.push_back({controller, ref});
    CSimBitWriter out;
    WriteSimple(out, 0x22, {ref.area, ref.module, ref.param, controller});
    SendUnsolicited(static_cast<uint8_t>(ClampSlot(slot)), true, out, 1);
}

void CSimulator::PanelCtrlDeassign(int slot, int controller)
{
    std::erase_if(Slot(slot).patch.ctrls, [&](const SimCtrl& c) { return c.controller == controller; });
    CSimBitWriter out;
    WriteSimple(out, 0x23, {controller});
    SendUnsolicited(static_cast<uint8_t>(ClampSlot(slot)), true, out, 1);
}

void CSimulator::PanelPatchChange(int slot, const SimPatch& patch)
{
    slot = ClampSlot(slot);
    LoadSlot(slot, patch);
    NewSession(slot);
    CSimBitWriter out;
    out.Byte(0x38);
    out.Byte(static_cast<unsigned>(slot));
    out.Byte(slots_[slot].session);
    SendUnsolicited(static_cast<uint8_t>(slot), false, out, 1);
}

void CSimulator::PanelSelection(const std::array<bool, 4>& active)
{
    for (int s = 0; s < 4; ++s)
        selection_[s] = s < SlotCount() && active[s];
    CSimBitWriter out;
    WriteSelectionDump(out, selection_, SlotCount());
    SendUnsolicited(0, false, out, 1);
}

void CSimulator::PanelVoices(const std::array<int, 4>& voices)
{
    std::array<int, 4> sent{};
    for (int s = 0; s < SlotCount(); ++s)
        sent[s] = slots_[s].voices = std::clamp(voices[s], 0, 32);
    CSimBitWriter out;
    WriteVoicesDump(out, sent);
    SendUnsolicited(0, false, out, 1);
}

void CSimulator::PanelSettings(const SimSettings& settings)
{
    settings_ = settings;
    CSimBitWriter out;
    WriteSettingsDump(out, settings_);
    SendUnsolicited(0, false, out, 1);
}

void CSimulator::PanelFlashUpdate(int bank, int location)
{
    if (!flash_.Valid(bank, location))
        return;
    CSimBitWriter out;
    flash_.WriteLocationUpdate(out, bank, location);
    SendUnsolicited(0, false, out, 2);
}

// ---- Frames of measured values ----------------------------------------------------

void CSimulator::StartValueFrames(int slot, unsigned perSecond)
{
    valueSlot_ = ClampSlot(slot);
    valuePeriodUs_ = perSecond ? 1000000 / perSecond : 0;
    nextValueUs_ = nowUs_ + valuePeriodUs_;
}

void CSimulator::SendValueFrame(int slot, uint8_t id, int firstEntry)
{
    const SimSlot& s = Slot(slot);
    if (faults_.valueFault == SimValueFault::IndexBeyondEnd)
        firstEntry = 45;
    Bytes payload{id, static_cast<uint8_t>(firstEntry & 0x7F)};
    const auto entry = [&](const auto& table, int i) { return i >= 0 && i < 40 ? table[i] : 0; };
    if (id == 0x39) {
        for (int k = 0; k < 7; ++k) {
            const int i = firstEntry + 3 * k;
            payload.push_back(static_cast<uint8_t>((entry(s.states, i) & 3) | (entry(s.states, i + 1) & 3) << 2 |
                                                   (entry(s.states, i + 2) & 3) << 4));
        }
    } else {
        for (int j = 0; j < 5; ++j) {
            const unsigned value = entry(s.values, firstEntry + j);
            payload.push_back(static_cast<uint8_t>(value & 0x7F));
            payload.push_back(static_cast<uint8_t>((value >> 7) & 0x7F));
        }
    }
    payload.push_back(kEndOfMolecules);
    Bytes frame = BuildFrame(kFlagFirst, static_cast<uint8_t>(ClampSlot(slot)), s.session, payload);
    if (faults_.valueFault == SimValueFault::BadChecksum)
        frame[frame.size() - 2] ^= 0x01;
    if (faults_.valueFault == SimValueFault::Truncated) {
        frame.resize(8);
        frame.push_back(FrameChecksum(frame.data(), frame.size()));
        frame.push_back(0xF7);
    }
    Enqueue(std::move(frame), 0, false);
}

void CSimulator::GenerateValueFrames(uint64_t untilUs)
{
    while (valuePeriodUs_ && nextValueUs_ <= untilUs) {
        nowUs_ = std::max(nowUs_, nextValueUs_);
        SimSlot& s = slots_[valueSlot_];
        for (int i = 0; i < 40; ++i) {
            s.values[i] = static_cast<uint16_t>((valueTick_ * 97u + static_cast<unsigned>(i) * 331u) % 16384u);
            s.states[i] = static_cast<uint8_t>((valueTick_ + static_cast<unsigned>(i)) % 4u);
        }
        // Eight value frames cover the 40 entries, then two state frames.
        const unsigned step = valueTick_ % 10;
        if (step < 8)
            SendValueFrame(valueSlot_, 0x3A, static_cast<int>(step * 5));
        else
            SendValueFrame(valueSlot_, 0x39, static_cast<int>((step - 8) * 20));
        ++valueTick_;
        nextValueUs_ += valuePeriodUs_;
    }
}

} // namespace sim
