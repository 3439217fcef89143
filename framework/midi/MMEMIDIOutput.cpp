#include "framework/midi/MMEMIDIOutput.h"

#include "framework/base/Exceptions.h"
#include "framework/base/IntFunctions.h"
#include "framework/midi/MIDIWait.h"
#include "framework/midi/RegisteredMIDIPort.h"
#include "platform/system/Clock.h"

#include <algorithm>

namespace NSHarrowen {

using platform::midierr::kOk;

namespace {

[[noreturn]] void WriteFailed(platform::MidiResult result)
{
    throw XMIDIWriteFailed(platform::MidiErrorText(result));
}

} // namespace

CMMEMIDIOutput::CMMEMIDIOutput(const CRegisteredMIDIOutput& entry) : CMIDIOutput(entry)
{
    const platform::MidiResult result = platform::OpenMidiOut(entry.GetDeviceID(), handle_);
    if (result != kOk)
        throw XFailedOpeningMIDIPort(platform::MidiErrorText(result));
    block_ = std::make_unique<uint8_t[]>(kBlockSize);
    header_.data = block_.get();
    header_.length = kBlockSize;
}

CMMEMIDIOutput::~CMMEMIDIOutput()
{
    try {
        Reclaim();
    } catch (const XMIDI&) {
        // Closing the device takes the block back in any case.
    }
    handle_.reset();
}

// Waits for the chunk with the device; a device that does not finish within
// the bound is reset, which gives the chunk back unsent.
void CMMEMIDIOutput::WaitUntilSent()
{
    if (!header_.Has(platform::kMidiBufferPrepared))
        return;
    const uint32_t bound = MIDIWireTime(header_.length) + GetMIDIWaitSlack();
    if (WaitForMIDI([this] { return header_.Has(platform::kMidiBufferDone); }, bound)) {
        WaitForWireTime();
        return;
    }
    handle_->Reset();
    handle_->Unprepare(header_);
    WriteFailed(platform::midierr::kTimedOut);
}

// The platform clock, so that a test's virtual clock sees the cable's time pass.
void CMMEMIDIOutput::WaitForWireTime() const
{
    for (uint64_t now = platform::NowMilliseconds(); now < wireEnd_; now = platform::NowMilliseconds())
        platform::SleepMilliseconds(static_cast<uint32_t>(wireEnd_ - now));
}

// Takes the block back from the device once it has sent it.
void CMMEMIDIOutput::Reclaim()
{
    WaitUntilSent();
    if (!header_.Has(platform::kMidiBufferPrepared))
        return;
    const platform::MidiResult result = handle_->Unprepare(header_);
    if (result != kOk)
        WriteFailed(result);
}

void CMMEMIDIOutput::WriteSysex(const uint8_t* bytes, int32_t count)
{
    while (count > 0) {
        Reclaim();
        const uint32_t chunk = std::min<uint32_t>(static_cast<uint32_t>(count), kBlockSize);
        header_.flags = 0;
        std::copy(bytes, bytes + chunk, block_.get());
        header_.length = chunk;
        header_.recorded = chunk;
        platform::MidiResult result = handle_->Prepare(header_);
        if (result != kOk)
            WriteFailed(result);
        // The clock counts whole milliseconds: one more covers the part of
        // the current one that has passed already.
        wireEnd_ = platform::NowMilliseconds() + MIDIWireTime(chunk) + 1;
        result = handle_->LongMessage(header_);
        if (result != kOk) {
            handle_->Unprepare(header_);
            wireEnd_ = 0;
            WriteFailed(result);
        }
        bytes += chunk;
        count -= static_cast<int32_t>(chunk);
    }
}

bool CMMEMIDIOutput::WriteSysexAndWait(const uint8_t* bytes, int32_t count)
{
    WriteSysex(bytes, count);
    WaitUntilSent();
    return true;
}

uint32_t CMMEMIDIOutput::SendShortMessage(uint32_t status, uint32_t data1, uint32_t data2)
{
    return handle_->ShortMessage(PackBytes(0, data2, data1, status));
}

} // namespace NSHarrowen
