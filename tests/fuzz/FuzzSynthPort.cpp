// The synthesizer port's whole receive path: bytes arriving at the MIDI
// input of an open port (the link tests' rig, a simulated synthesizer behind
// an in-process device) go through the MIDI input worker into CSynthPort,
// which assembles them, stores value frames and hands the rest to the main
// thread's idle step: identify replies, the synthesizer's answers, errors.
// The port stays open from input to input, as a link does; a port that a
// bad message failed is opened again.
//
// Input: one byte N (0-15), N buffer lengths, then the bytes on the wire.

#include "tests/fuzz/FuzzInput.h"
#include "tests/synth/LinkRig.h"

#include <memory>

namespace {

linkrig::CLinkRig& Rig()
{
    static const std::unique_ptr<linkrig::CLinkRig> rig = [] {
        auto made = std::make_unique<linkrig::CLinkRig>();
        made->OpenPort(0, 0);
        made->Settle();
        return made;
    }();
    return *rig;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    linkrig::CLinkRig& rig = Rig();
    if (rig.Manager().GetPort(0) == nullptr || rig.Manager().GetPort(0)->IsFailed())
        rig.OpenPort(0, 0);
    fuzzinput::CFuzzInput input(data, size);
    const size_t cutCount = input.TakeByte() & 0x0F;
    const std::span<const uint8_t> cuts = input.Rest().first(std::min(cutCount, input.Rest().size()));
    const std::span<const uint8_t> wire = input.Rest().subspan(cuts.size());
    fuzzinput::FeedInCuts(wire, cuts, [&](std::span<const uint8_t> buffer) {
        rig.Inject(linkrig::Bytes(buffer.begin(), buffer.end()));
        rig.Manager().Idle();
    });
    rig.Step();
    if (CSynthPort* port = rig.Manager().GetPort(0))
        for (const char c : port->GetDisplayName())
            if (static_cast<unsigned char>(c) < 32)
                __builtin_trap();
    return 0;
}
