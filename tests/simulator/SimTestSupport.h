#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "simulator/SimFrame.h"
#include "simulator/SimModuleTypes.h"
#include "simulator/Simulator.h"

namespace simtest {

using sim::Bytes;

// Module types for the tests: type 7 with maxima 127, 1, 3, 64, 0 and type 9
// with one parameter of maximum 15.
inline const sim::CSimTypeTable& TestTypes()
{
    static const sim::CSimTypeTable table = [] {
        sim::CSimTypeTable t;
        t.Add(7, {127, 1, 3, 64, 0});
        t.Add(9, {15});
        return t;
    }();
    return table;
}

// A queued editor frame written out by hand, as the editor's send queue makes
// it: checksum on, packed when a payload byte needs bit 7.
inline Bytes EditorFrame(uint8_t slot, uint8_t numberByte, const Bytes& payload, bool first = true, bool last = true)
{
    bool packed = false;
    for (uint8_t b : payload)
        packed = packed || (b & 0x80);
    Bytes f{0xF0, 0x7D,
            static_cast<uint8_t>(0x50 | slot | (first ? 0x04 : 0) | (last ? 0x08 : 0) | (packed ? 0x20 : 0)), 0x06,
            numberByte};
    const Bytes body = packed ? sim::Pack7(payload) : payload;
    f.insert(f.end(), body.begin(), body.end());
    unsigned sum = 0;
    for (uint8_t b : f)
        sum += b;
    f.push_back(static_cast<uint8_t>(sum & 0x7F));
    f.push_back(0xF7);
    return f;
}

// Sends bytes, lets the simulator's time run and collects what it sent.
inline std::vector<Bytes> Exchange(sim::CSimulator& synth, const Bytes& in, uint64_t ms = 1)
{
    synth.Receive(in);
    synth.AdvanceMs(ms);
    return synth.TakeOutput();
}

// The payload of a frame the simulator sent (unpacked), checked for a good
// checksum.
inline sim::SimFrame Parsed(const Bytes& frame)
{
    const auto parsed = sim::ParseFrame(frame.data(), frame.size());
    if (!parsed || !parsed->hasChecksum || !parsed->checksumOk)
        throw std::runtime_error("not a good frame");
    return *parsed;
}

// The one frame sent, an answer (with 0x08) or not.
inline sim::SimFrame OnlyFrame(const std::vector<Bytes>& out, bool answer)
{
    EXPECT_EQ(out.size(), 1u);
    if (out.size() != 1)
        return {};
    const sim::SimFrame frame = Parsed(out[0]);
    EXPECT_EQ((frame.flags & sim::kFlagLast) != 0, answer)
        << (answer ? "an answer carries 0x08" : "unsolicited frames never carry 0x08");
    return frame;
}

} // namespace simtest
