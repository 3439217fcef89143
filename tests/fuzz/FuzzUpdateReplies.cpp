// Bootwren's handling of what the synthesizer sends: received MIDI buffers
// of any cut are assembled into SysEx messages as the link's input does,
// queued as the MIDI worker queues them and handled at the link's idle step,
// while it looks for the synthesizer or waits for the verdict on a dump.
//
// Input: one byte of state (bit 0: looking for the synthesizer, bit 1: a
// dump under way), one byte N (0-15), N buffer lengths, then the bytes on
// the wire.

#include "framework/base/Exceptions.h"
#include "tests/fuzz/FuzzInput.h"
#include "tests/updater/support/SyntheticImages.h"
#include "updater/image/UpdateFile.h"
#include "updater/link/UpdateLink.h"
#include "updater/link/UpdateSysexInput.h"

#include <memory>

namespace {

// The link's input as CMIDIIn is, without a device: each message is queued.
class CQueueingInput final : public NSBootwren::CSysexMIDIInput {
public:
    explicit CQueueingInput(NSBootwren::CUpdateLink& link) : link_(link) { }

private:
    bool AcceptMessage(const uint8_t* bytes, uint32_t length) override
    {
        link_.PostSysex(bytes, length);
        return false;
    }
    NSBootwren::CUpdateLink& link_;
};

const NSBootwren::CUpdateFile& Image()
{
    static const std::vector<uint8_t> bytes = updatertest::SmallSyntheticImage(16).Bytes();
    static const std::unique_ptr<NSBootwren::CUpdateFile> image =
        NSBootwren::CUpdateFile::Read(bytes.data(), bytes.size());
    return *image;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzzinput::CFuzzInput input(data, size);
    const uint8_t state = input.TakeByte();
    const size_t cutCount = input.TakeByte() & 0x0F;
    const std::span<const uint8_t> cuts = input.Rest().first(std::min(cutCount, input.Rest().size()));
    const std::span<const uint8_t> wire = input.Rest().subspan(cuts.size());

    NSBootwren::CUpdateLink link(Image());
    if (state & 1)
        link.StartIdentify();
    if (state & 2)
        link.StartDump();
    CQueueingInput receiver(link);
    fuzzinput::FeedInCuts(wire, cuts, [&](std::span<const uint8_t> buffer) {
        receiver.AddData(buffer.data(), static_cast<uint32_t>(buffer.size()));
        link.Tick();
    });
    link.Tick();
    (void)link.GetCurrentVersionText();
    (void)link.GetProgress();
    if (link.GetProgress() < 0.0 || link.GetProgress() > 1000.0)
        __builtin_trap();
    return 0;
}
