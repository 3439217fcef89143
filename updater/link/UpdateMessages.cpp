#include "updater/link/UpdateMessages.h"

#include <algorithm>
#include <numeric>

namespace NSBootwren {

namespace {

CSysexBytes Start(uint8_t kind)
{
    return {0xF0, kManufacturerId, 0x7F, kDumpFamily, kind};
}

template <size_t N> void Append(CSysexBytes& message, const std::array<uint8_t, N>& bytes)
{
    message.insert(message.end(), bytes.begin(), bytes.end());
}

} // namespace

std::array<uint8_t, 5> Pack32(uint32_t value)
{
    std::array<uint8_t, 5> out{};
    for (int i = 0; i < 4; ++i) {
        const auto byte = static_cast<uint8_t>(value >> (24 - 8 * i));
        out[1 + i] = byte >> 1;
        out[0] |= static_cast<uint8_t>((byte & 1) << i);
    }
    return out;
}

std::array<uint8_t, 8> Pack7(const uint8_t* bytes)
{
    std::array<uint8_t, 8> out{};
    for (int i = 0; i < 7; ++i) {
        out[1 + i] = bytes[i] >> 1;
        out[0] |= static_cast<uint8_t>((bytes[i] & 1) << i);
    }
    return out;
}

CSysexBytes MakeIdentifyRequest(uint8_t family)
{
    return {0xF0, kManufacturerId, 0x7F, family, 0x00, 0x00, 0x00, 0xF7};
}

CSysexBytes MakeDumpHeader(uint32_t payloadLength, uint8_t major, uint8_t minor)
{
    CSysexBytes message = Start(kMessageDumpHeader);
    Append(message, Pack32(kDumpHeaderWord));
    Append(message, Pack32(payloadLength));
    message.push_back(major & 0x7F);
    message.push_back(minor & 0x7F);
    const unsigned sum = std::accumulate(message.begin() + 5, message.end(), 0u);
    message.push_back(static_cast<uint8_t>(sum & 0x7F));
    message.push_back(0xF7);
    return message;
}

CSysexBytes MakeDataPacket(const uint8_t* payload, uint32_t size, uint32_t offset)
{
    std::array<uint8_t, kPacketPayload> data{};
    if (offset < size)
        std::copy_n(payload + offset, std::min(kPacketPayload, size - offset), data.begin());
    CSysexBytes message = Start(kMessageDataPacket);
    for (size_t group = 0; group < kPacketPayload; group += 7)
        Append(message, Pack7(data.data() + group));
    message.push_back(0xF7);
    return message;
}

CSysexBytes MakeDumpEnd(uint32_t payloadSum)
{
    CSysexBytes message = Start(kMessageDumpEnd);
    Append(message, Pack32(payloadSum));
    message.push_back(0xF7);
    return message;
}

} // namespace NSBootwren
