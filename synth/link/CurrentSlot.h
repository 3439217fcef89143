#pragma once

#include <array>
#include <cstdint>

// The slot the editor works on (port 0-3, slot 0-3; 4 = none), with a mark
// per port: the editor's choice changed since that port's synthesizer was
// last told.
class CCurrentSlot {
public:
    static constexpr uint8_t kNone = 4;
    static constexpr uint8_t kPortCount = 4;

    // Moves the pair; a port that loses it is marked changed.
    void Set(uint8_t port, uint8_t slot);
    // Set, and marks the new port changed, when the pair differs.
    void Select(uint8_t port, uint8_t slot);
    // No port; every port marked changed (the slot stays).
    void Reset();

    uint8_t GetPort() const { return port_; }
    uint8_t GetSlot() const { return slot_; }
    bool IsChanged(uint8_t port) const { return port < kPortCount && changed_[port]; }
    void SetChanged(uint8_t port, bool changed)
    {
        if (port < kPortCount)
            changed_[port] = changed;
    }

private:
    uint8_t slot_ = 0;
    uint8_t port_ = kNone;
    std::array<bool, kPortCount> changed_{true, true, true, true};
};
