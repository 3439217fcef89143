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
    void SetCommonRetrig(uint8_t value) { m_commonRetrig = value; }
    uint8_t GetCommonRetrig() const { return m_commonRetrig; }
    void SetRetrig(uint8_t value) { m_retrig = value; }
    uint8_t GetRetrig() const { return m_retrig; }

    // Any non-zero value stores 1 (auto, on/off).
    void SetPMMode(uint32_t mode) { m_pmMode = mode != 0 ? 1 : 0; }
    uint32_t GetPMMode() const { return m_pmMode; }
    void SetPedalMode(bool onOff) { m_pedalMode = onOff ? kPedalOnOff : kPedalSustain; }
    uint32_t GetPedalMode() const { return m_pedalMode; }

    // 0 to 127; anything above becomes 0 (minimum and maximum alike).
    void SetKbRangeMin(int32_t value) { m_kbRangeMin = Range127(value); }
    uint8_t GetKbRangeMin() const { return m_kbRangeMin; }
    void SetKbRangeMax(int32_t value) { m_kbRangeMax = Range127(value); }
    uint8_t GetKbRangeMax() const { return m_kbRangeMax; }
    void SetVelRangeMin(int32_t value) { m_velRangeMin = Range127(value); }
    uint8_t GetVelRangeMin() const { return m_velRangeMin; }
    void SetVelRangeMax(int32_t value) { m_velRangeMax = Range127(value); }
    uint8_t GetVelRangeMax() const { return m_velRangeMax; }
    void SetPMTime(int32_t value) { m_pmTime = Range127(value); }
    uint8_t GetPMTime() const { return m_pmTime; }

    // 0 to 24; anything else becomes 0.
    void SetBendRange(int32_t value);
    uint8_t GetBendRange() const { return m_bendRange; }
    // 1 to 32; anything else becomes 1.
    void SetVoices(int32_t value);
    uint8_t GetVoices() const { return m_voices; }
    // -2 to +2; anything else becomes 0. Files and dumps carry it plus 2.
    void SetOctShift(int32_t value);
    int8_t GetOctShift() const { return m_octShift; }

    // Indexed by the low 8 bits of the index; values stored unchanged. An
    // index beyond the flags is ignored (and reads as 0).
    void SetMorph(uint32_t index, uint8_t value);
    uint8_t GetMorph(uint32_t index) const;
    void SetCableVisible(uint32_t index, uint8_t value);
    uint8_t GetCableVisible(uint32_t index) const;

    // 0 to 16383: larger values become 16383, a negative one is ignored.
    void SetSplitPosition(int32_t position);
    int16_t GetSplitPosition() const { return m_splitPosition; }

    bool Equals(const CPatchHeader& other) const { return *this == other; }
    bool SameVoices(const CPatchHeader& other) const { return m_voices == other.m_voices; }
    // True when a field the synthesizer keeps differs (not the split
    // position, morph flags or cable flags).
    bool DiffersForSynth(const CPatchHeader& other) const;

    friend bool operator==(const CPatchHeader&, const CPatchHeader&) = default;

private:
    static uint8_t Range127(int32_t value) { return value >= 0 && value <= 127 ? static_cast<uint8_t>(value) : 0; }

    uint8_t m_commonRetrig = 1;
    uint8_t m_retrig = 1;
    uint32_t m_pmMode = kPortamentoNormal;
    uint32_t m_pedalMode = kPedalSustain;
    uint8_t m_kbRangeMin = 0;
    uint8_t m_kbRangeMax = 127;
    uint8_t m_velRangeMin = 0;
    uint8_t m_velRangeMax = 127;
    uint8_t m_bendRange = 2;
    uint8_t m_pmTime = 0;
    uint8_t m_voices = 1;
    int8_t m_octShift = 0;
    std::array<uint8_t, kMorphCount> m_morph{};
    std::array<uint8_t, kCableColourCount> m_cableVisible{};
    int16_t m_splitPosition = 600;
};
