#pragma once

#include <compare>
#include <cstdint>

// A place in the synthesizer's flash memory: bank 0-8, location 0-98.
struct CFlashAddress {
    static constexpr uint8_t kMaxBank = 8;
    static constexpr uint8_t kMaxLocation = 98;
    static constexpr uint8_t kLocationsPerBank = 99;

    uint8_t bank = 0;
    uint8_t location = 0;

    static constexpr uint8_t ClampBank(uint8_t bank) { return bank > kMaxBank ? kMaxBank : bank; }
    static constexpr uint8_t ClampLocation(uint8_t location)
    {
        return location > kMaxLocation ? kMaxLocation : location;
    }
    static constexpr CFlashAddress Clamped(uint8_t bank, uint8_t location)
    {
        return CFlashAddress{ClampBank(bank), ClampLocation(location)};
    }

    // The number the user sees: bank + 1 followed by the two-digit location
    // + 1 (bank 0, location 4 is 105).
    constexpr int GetDisplayNumber() const { return (bank + 1) * 100 + location + 1; }

    // Locations counted through all banks from bank 0, location 0; the index
    // after bank 8, location 98 is past the end of the flash.
    constexpr int GetIndex() const { return bank * kLocationsPerBank + location; }
    static constexpr CFlashAddress FromIndex(int index)
    {
        return CFlashAddress{static_cast<uint8_t>(index / kLocationsPerBank),
                             static_cast<uint8_t>(index % kLocationsPerBank)};
    }

    constexpr bool operator==(const CFlashAddress&) const = default;
    constexpr auto operator<=>(const CFlashAddress&) const = default;
};
