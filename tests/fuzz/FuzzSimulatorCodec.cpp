// The simulated synthesizer fed the editor's side of the wire: buffers of
// any cut into Receive, its virtual time run on so that it answers.
//
// Input: one byte choosing the model, one byte N (0-15), N buffer lengths,
// then the bytes on the wire.

#include "simulator/SimCatalogueTypes.h"
#include "simulator/Simulator.h"
#include "tests/fuzz/FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzzinput::CFuzzInput input(data, size);
    sim::SimConfig config;
    config.model = static_cast<sim::SimModel>(input.TakeByte() % 3);
    const size_t cutCount = input.TakeByte() & 0x0F;
    const std::span<const uint8_t> cuts = input.Rest().first(std::min(cutCount, input.Rest().size()));
    const std::span<const uint8_t> wire = input.Rest().subspan(cuts.size());

    sim::CSimulator synth(config, sim::CatalogueTypes());
    fuzzinput::FeedInCuts(wire, cuts, [&](std::span<const uint8_t> buffer) {
        synth.Receive(buffer.data(), buffer.size());
        synth.AdvanceMs(10);
        (void)synth.TakeOutput();
    });
    synth.AdvanceMs(1000);
    (void)synth.TakeOutput();
    return 0;
}
