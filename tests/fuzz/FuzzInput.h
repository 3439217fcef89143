#pragma once

// Helpers the fuzz targets share: taking the input apart into a choice and
// cuts, the way bytes arrive from outside.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>

namespace fuzzinput {

// Reads leading bytes of the input as choices and hands out the rest.
class CFuzzInput {
public:
    CFuzzInput(const uint8_t* data, size_t size) : bytes_(data, size) { }

    // The next byte, or 0 once the input is used up.
    uint8_t TakeByte()
    {
        if (bytes_.empty())
            return 0;
        const uint8_t byte = bytes_.front();
        bytes_ = bytes_.subspan(1);
        return byte;
    }
    std::span<const uint8_t> Rest() const { return bytes_; }

private:
    std::span<const uint8_t> bytes_;
};

// Calls feed(piece) for consecutive pieces of `bytes`, the piece lengths
// taken in turn from `cuts` (a length of 0 counts as 1; no cuts means one
// piece).
template <class FFeed> void FeedInCuts(std::span<const uint8_t> bytes, std::span<const uint8_t> cuts, FFeed feed)
{
    size_t cut = 0;
    while (!bytes.empty()) {
        size_t length = bytes.size();
        if (!cuts.empty())
            length = std::min<size_t>(bytes.size(), std::max<size_t>(1, cuts[cut++ % cuts.size()]));
        feed(bytes.first(length));
        bytes = bytes.subspan(length);
    }
}

} // namespace fuzzinput
