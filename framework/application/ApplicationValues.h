#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace NSHarrowen {

// Values a program keeps across runs, as raw bytes under the program's name
// in the user's settings.
//
// Reads into buffer: false when the value is missing or cannot be read;
// throws XBase when it does not fit. length gets the bytes read.
bool ReadApplicationValue(std::string_view name, std::span<uint8_t> buffer, size_t& length);
// Throws XBase when the value cannot be written.
void WriteApplicationValue(std::string_view name, std::span<const uint8_t> bytes);

// Where a top-level window stands: its show state, the corner positions of
// its minimised and maximised forms and its rectangle when shown normally.
// Kept as a 44-byte record of 32-bit little-endian words.
struct CWindowPlacement {
    static constexpr size_t kSize = 44;
    enum EShowState : uint32_t { kShowNormal = 1, kShowMinimized = 2, kShowMaximized = 3 };

    uint32_t flags = 0;
    uint32_t showState = kShowNormal;
    int32_t minX = -1, minY = -1;
    int32_t maxX = -1, maxY = -1;
    int32_t left = 0, top = 0, right = 0, bottom = 0;

    std::array<uint8_t, kSize> ToBytes() const;
    // Empty for a record of another size or length word.
    static std::optional<CWindowPlacement> FromBytes(std::span<const uint8_t> bytes);
    bool operator==(const CWindowPlacement&) const = default;
};

// A stored placement is used only when the program was started to show
// normally and the frame was left shown normally or maximised.
bool ShouldRestorePlacement(int startShowCommand, const CWindowPlacement& stored);

} // namespace NSHarrowen
