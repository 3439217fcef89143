#pragma once

#include <array>
#include <cstdint>

// A patch's settings: keyboard and velocity ranges, bend range, portamento,
// voices, pedal and retrigger switches, octave shift, morph flags, shown
// cable colours and the window's split position. Every setter keeps its
// field in range, so the record never holds a value outside it.
class CPatchHeader {
public:
    static constexpr uint32_t kMorphCount = 4;
    static constexpr uint32_t kCableColourCount = 7;
    enum : uint32_t { kPedalSustain = 0, kPedalOnOff = 1 };
    enum : uint32_t { kPortamentoNormal = 0, kPortamentoAuto = 1 };

    CPatchHeader();

    // Flags stored unchanged.
    void SetCommonRetrig(uint8_t value) { commonRetrig_ = value; }
    uint8_t GetCommonRetrig() const { return commonRetrig_; }
    void SetRetrig(uint8_t value) { retrig_ = value; }
    uint8_t GetRetrig() const { return retrig_; }

    // Any non-zero value stores 1 (auto, on/off).
    void SetPMMode(uint32_t mode) { pmMode_ = mode != 0 ? 1 : 0; }
    uint32_t GetPMMode() const { return pmMode_; }
    void SetPedalMode(bool onOff) { pedalMode_ = onOff ? kPedalOnOff : kPedalSustain; }
    uint32_t GetPedalMode() const { return pedalMode_; }

    // 0 to 127; anything above becomes 0 (minimum and maximum alike).
    void SetKbRangeMin(int32_t value) { kbRangeMin_ = Range127(value); }
    uint8_t GetKbRangeMin() const { return kbRangeMin_; }
    void SetKbRangeMax(int32_t value) { kbRangeMax_ = Range127(value); }
    uint8_t GetKbRangeMax() const { return kbRangeMax_; }
    void SetVelRangeMin(int32_t value) { velRangeMin_ = Range127(value); }
    uint8_t GetVelRangeMin() const { return velRangeMin_; }
    void SetVelRangeMax(int32_t value) { velRangeMax_ = Range127(value); }
    uint8_t GetVelRangeMax() const { return velRangeMax_; }
    void SetPMTime(int32_t value) { pmTime_ = Range127(value); }
    uint8_t GetPMTime() const { return pmTime_; }

    // 0 to 24; anything else becomes 0.
    void SetBendRange(int32_t value);
    uint8_t GetBendRange() const { return bendRange_; }
    // 1 to 32; anything else becomes 1.
    void SetVoices(int32_t value);
    uint8_t GetVoices() const { return voices_; }
    // -2 to +2; anything else becomes 0. Files and dumps carry it plus 2.
    void SetOctShift(int32_t value);
    int8_t GetOctShift() const { return octShift_; }

    // Indexed by the low 8 bits of the index; values stored unchanged. An
    // index beyond the flags is ignored (and reads as 0).
    void SetMorph(uint32_t index, uint8_t value);
    uint8_t GetMorph(uint32_t index) const;
    void SetCableVisible(uint32_t index, uint8_t value);
    uint8_t GetCableVisible(uint32_t index) const;

    // 0 to 16383: larger values become 16383, a negative one is ignored.
    void SetSplitPosition(int32_t position);
    int16_t GetSplitPosition() const { return splitPosition_; }

    bool Equals(const CPatchHeader& other) const { return *this == other; }
    bool SameVoices(const CPatchHeader& other) const { return voices_ == other.voices_; }
    // True when a field the synthesizer keeps differs (not the split
    // position, morph flags or cable flags).
    bool DiffersForSynth(const CPatchHeader& other) const;

    friend bool operator==(const CPatchHeader&, const CPatchHeader&) = default;

private:
    static uint8_t Range127(int32_t value) { return value >= 0 && value <= 127 ? static_cast<uint8_t>(value) : 0; }

    uint8_t commonRetrig_ = 1;
    uint8_t retrig_ = 1;
    uint32_t pmMode_ = kPortamentoNormal;
    uint32_t pedalMode_ = kPedalSustain;
    uint8_t kbRangeMin_ = 0;
    uint8_t kbRangeMax_ = 127;
    uint8_t velRangeMin_ = 0;
    uint8_t velRangeMax_ = 127;
    uint8_t bendRange_ = 2;
    uint8_t pmTime_ = 0;
    uint8_t voices_ = 1;
    int8_t octShift_ = 0;
    std::array<uint8_t, kMorphCount> morph_{};
    std::array<uint8_t, kCableColourCount> cableVisible_{};
    int16_t splitPosition_ = 600;
};
