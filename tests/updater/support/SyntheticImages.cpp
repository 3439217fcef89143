#include "tests/updater/support/SyntheticImages.h"

namespace updatertest {

std::vector<uint8_t> SyntheticImage::Bytes() const
{
    std::vector<uint8_t> out;
    const auto text = [&](const std::string& s) {
        out.insert(out.end(), s.begin(), s.end());
        out.push_back(0);
    };
    text(magic);
    text(model);
    out.push_back(major);
    out.push_back(minor);
    out.push_back(build);
    text(comment);
    const auto length = static_cast<uint32_t>(static_cast<int64_t>(payload.size()) + lengthDelta);
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<uint8_t>(length >> (8 * i)));
    out.insert(out.end(), payload.begin(), payload.end());
    return out;
}

std::vector<uint8_t> SyntheticPayload(size_t size, uint32_t seed)
{
    std::vector<uint8_t> out(size);
    uint32_t x = seed * 2654435761u + 1;
    for (uint8_t& byte : out) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        byte = static_cast<uint8_t>(x >> 11);
    }
    return out;
}

SyntheticImage FullSizeSyntheticImage()
{
    SyntheticImage image;
    image.payload = SyntheticPayload(354016, 7);
    return image;
}

SyntheticImage SmallSyntheticImage(size_t payloadSize, const std::string& model)
{
    SyntheticImage image;
    image.model = model;
    image.comment = "Synthetic test image";
    image.payload = SyntheticPayload(payloadSize, static_cast<uint32_t>(payloadSize) + 3);
    return image;
}

} // namespace updatertest
