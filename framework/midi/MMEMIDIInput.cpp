#include "framework/midi/MMEMIDIInput.h"

#include "platform/base/DroppedExceptions.h"
#include "framework/base/Exceptions.h"
#include "framework/midi/MIDIInputParser.h"
#include "framework/midi/MIDIWait.h"
#include "framework/midi/MIDIWorker.h"
#include "framework/midi/RegisteredMIDIPort.h"
#include "platform/system/Clock.h"
#include "platform/midi/MidiInDevice.h"

namespace NSHarrowen {

using platform::midierr::kOk;

CMMEMIDIInput::CMMEMIDIInput(const CRegisteredMIDIInput& entry, CMIDIInputParser& receiver)
    : CMIDIInput(entry, receiver)
{
    for (CBufferRecord& record : records_) {
        record.block = std::make_unique<uint8_t[]>(kBufferSize);
        record.header.data = record.block.get();
        record.header.length = kBufferSize;
        record.header.user = reinterpret_cast<uintptr_t>(&record);
    }
    try {
        Open();
    } catch (...) {
        Close();
        throw;
    }
}

CMMEMIDIInput::~CMMEMIDIInput()
{
    Close();
}

void CMMEMIDIInput::Fail(platform::MidiResult result)
{
    throw XFailedOpeningMIDIPort(platform::MidiErrorText(result));
}

void CMMEMIDIInput::Open()
{
    StartMidiInputThread();
    usesWorker_ = true;

    std::unique_ptr<platform::MidiInDevice> device;
    platform::MidiResult result = platform::OpenMidiIn(GetEntry().GetDeviceID(), DeviceCallback, 0, device);
    if (result != kOk)
        Fail(result);
    {
        platform::LockGuard guard(GetMIDILock());
        handle_ = std::move(device);
    }
    for (CBufferRecord& record : records_) {
        record.header.recorded = 0;
        record.header.flags = 0;
        if ((result = handle_->Prepare(record.header)) != kOk)
            Fail(result);
        ++pending_;
        if ((result = handle_->AddBuffer(record.header)) != kOk) {
            --pending_;
            Fail(result);
        }
    }
    // Accept before starting: a buffer that came back in between would
    // otherwise be counted off and never given back.
    accepting_ = true;
    if ((result = handle_->Start()) != kOk)
        Fail(result);
    startTime_ = platform::NowMilliseconds();
}

void CMMEMIDIInput::Close()
{
    if (handle_) {
        {
            platform::LockGuard guard(GetMIDILock());
            accepting_ = false;
            handle_->Stop();
            handle_->Reset();
        }
        // Reset hands every buffer back through the worker, which counts it
        // off; a hung device is closed without them after the bound.
        WaitForMIDI([this] { return pending_ == 0; }, GetMIDIWaitSlack());
        for (CBufferRecord& record : records_)
            handle_->Unprepare(record.header);
        std::unique_ptr<platform::MidiInDevice> device;
        {
            platform::LockGuard guard(GetMIDILock());
            device = std::move(handle_);
        }
        device.reset();
    }
    if (usesWorker_) {
        usesWorker_ = false;
        ReleaseMidiInputThread();
    }
}

void CMMEMIDIInput::DeviceCallback(platform::MidiInDevice& device, uint32_t message, uintptr_t, uintptr_t param1,
                                   uintptr_t)
{
    if (message == platform::kMidiInLongData || message == platform::kMidiInLongError)
        PostToMidiInputThread(message, reinterpret_cast<uintptr_t>(&device), param1);
}

// Called inside the MIDI lock. A message may outlive its input (one closed
// without its buffers), so the input is looked up rather than trusted.
CMMEMIDIInput* CMMEMIDIInput::FindOwner(uintptr_t device)
{
    for (CMIDIInput* input : OpenInputs()) {
        auto* mme = dynamic_cast<CMMEMIDIInput*>(input);
        if (mme && mme->handle_ && reinterpret_cast<uintptr_t>(mme->handle_.get()) == device)
            return mme;
    }
    return nullptr;
}

CMMEMIDIInput::CBufferRecord* CMMEMIDIInput::FindRecord(uintptr_t header)
{
    for (CBufferRecord& record : records_) {
        if (reinterpret_cast<uintptr_t>(&record.header) == header)
            return record.header.Has(platform::kMidiBufferDone) ? &record : nullptr;
    }
    return nullptr;
}

void CMMEMIDIInput::OnWorkerMessage(uint32_t message, uintptr_t device, uintptr_t header)
{
    if (message != platform::kMidiInLongData && message != platform::kMidiInLongError)
        return;
    platform::LockGuard guard(GetMIDILock());
    CMMEMIDIInput* input = FindOwner(device);
    CBufferRecord* record = input ? input->FindRecord(header) : nullptr;
    if (record)
        input->OnBufferReturned(*record, message);
}

void CMMEMIDIInput::OnBufferReturned(CBufferRecord& record, uint32_t message)
{
    if (!accepting_) {
        --pending_;
        return;
    }
    CMIDIInputParser& receiver = GetReceiver();
    if (message == platform::kMidiInLongData && receiver.AcceptsLongData()) {
        try {
            receiver.OnLongData(this, 0, record.header.data, record.header.recorded);
        } catch (...) {
            // The worker has no one to report to; the buffer goes back all the same.
            platform::RecordDroppedException("the MIDI input worker's receiver");
        }
    }
    GiveBack(record);
}

void CMMEMIDIInput::GiveBack(CBufferRecord& record)
{
    record.header.recorded = 0;
    // A buffer the device refuses stays here; count it off so a close does
    // not wait for it.
    if (handle_->AddBuffer(record.header) != kOk)
        --pending_;
}

} // namespace NSHarrowen
