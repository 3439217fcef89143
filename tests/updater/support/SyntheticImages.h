#pragma once

// Synthetic update images for the tests. They are made up here, byte by byte,
// in the image layout the updater reads; no real operating system is in them.

#include <cstdint>
#include <string>
#include <vector>

namespace updatertest {

struct SyntheticImage {
    std::string magic = "Torvan OS update file V1.0";
    std::string model = "Pebix Kandrel";
    uint8_t major = 3;
    uint8_t minor = 3;
    uint8_t build = 0;
    std::string comment;
    std::vector<uint8_t> payload;
    // Added to the stored payload length (a lying header).
    int64_t lengthDelta = 0;

    std::vector<uint8_t> Bytes() const;
};

// Deterministic pseudo-random bytes (synthetic, never an operating system).
std::vector<uint8_t> SyntheticPayload(size_t size, uint32_t seed = 1);

// The full-size synthetic image: "Pebix Kandrel" 3.3.0, no comment and
// 354,016 pseudo-random payload bytes (49 + 354,016 bytes in all).
SyntheticImage FullSizeSyntheticImage();

// A synthetic image of a small payload for a model.
SyntheticImage SmallSyntheticImage(size_t payloadSize, const std::string& model = "Pebix Kandrel");

} // namespace updatertest
