#include "synth/link/MoleculeSender.h"

#include "framework/windows/ABCWindow.h"
#include "platform/system/Clock.h"
#include "synth/protocol/MIDIStream.h"
#include "synth/molecules/PacketDecoder.h"
#include "synth/link/SynthPort.h"

#include <array>
#include <vector>

namespace {
// All sending runs on the main thread: one buffer for the molecules of a
// queued packet, one for a live molecule.
constexpr uint32_t kPacketBufferSize = 8192;
std::array<uint8_t, kPacketBufferSize> g_packetBuffer;
std::array<uint8_t, SysexFrame::kMaxChunk> g_liveBuffer;
} // namespace

CMoleculeSender::CMoleculeSender(CSynthPort& port) : port_(port) { }

CMoleculeSender::~CMoleculeSender() = default;

CMoleculeSender::Frames CMoleculeSender::FrameLongMolecules(const CMoleculePacket& packet)
{
    std::vector<uint32_t> ends;
    uint32_t used = 0;
    bool packed = false;
    bool expectsAnswer = false;
    for (const CMolecule* molecule : packet) {
        CMIDIOutStream stream(kPacketBufferSize - used, g_packetBuffer.data() + used);
        molecule->Write(stream);
        if (ends.empty())
            expectsAnswer = stream.GetHeaderKind() == CMIDIOutStream::kKindRequest;
        packed = packed || stream.GetHeaderFlag() == 0;
        used += stream.GetByteLength();
        ends.push_back(used);
    }
    CSysexFrameSpec spec;
    spec.payload = g_packetBuffer.data();
    spec.length = used;
    spec.slot = packet.GetFrameSlot();
    spec.number = packet.GetSessionNumber();
    spec.noNumber = packet.HasNoNumber();
    spec.noChecksum = false;
    spec.expectsAnswer = expectsAnswer;
    spec.packed = packed;
    auto built = MakeSysexFrames(spec, ends);
    return {std::make_move_iterator(built.begin()), std::make_move_iterator(built.end())};
}

CMoleculeSender::Frames CMoleculeSender::FrameShortMolecules(const CMoleculePacket& packet)
{
    CSysexFrameSpec spec;
    spec.noChecksum = true;
    spec.first = true;
    spec.last = true;
    spec.slot = packet.GetFrameSlot();
    spec.number = packet.GetSessionNumber();
    spec.noNumber = false;
    Frames frames;
    for (const CMolecule* molecule : packet) {
        CMIDIOutStream stream(SysexFrame::kMaxChunk, g_liveBuffer.data());
        molecule->Write(stream);
        spec.payload = g_liveBuffer.data();
        spec.length = stream.GetByteLength();
        frames.push_back(MakeRawSysexFrame(spec));
    }
    return frames;
}

void CMoleculeSender::Append(Frames& queue, Frames&& frames)
{
    for (auto& frame : frames)
        queue.push_back(std::move(frame));
}

void CMoleculeSender::SendRequest(const CMoleculePacket& packet)
{
    SendRequest(packet, {});
}

void CMoleculeSender::SendRequest(const CMoleculePacket& packet, std::function<void()> onSent)
{
    // A packet without molecules yields no frame, so no answer could ever
    // end the wait.
    if (packet.IsEmpty())
        return;
    Frames frames = FrameLongMolecules(packet);
    if (onSent)
        sentNotes_.emplace_back(frames.back().get(), std::move(onSent));
    replyPacket_.Clear();
    Append(request_, std::move(frames));
    Pump();
    BeginWaitForReply();
}

void CMoleculeSender::SendLive(const CMoleculePacket& packet)
{
    if (packet.IsEmpty())
        return;
    Frames frames = FrameShortMolecules(packet);
    NoteConfirmations(packet);
    Append(live_, std::move(frames));
    Pump();
}

void CMoleculeSender::NoteConfirmations(const CMoleculePacket& packet)
{
    const uint64_t now = platform::NowMilliseconds();
    for (CMolecule* molecule : packet) {
        CMoleculePacket one;
        one.AppendBorrowed(*molecule);
        one.SetSlot(packet.GetSlot());
        if (!packet.HasNoNumber())
            one.SetSessionNumber(packet.GetSessionNumber());
        confirmations_.Note(*molecule, packet.GetFrameSlot(), FrameLongMolecules(one), now);
    }
}

bool CMoleculeSender::ConfirmLive(bool all)
{
    Frames due = confirmations_.TakeDue(platform::NowMilliseconds(), all);
    if (due.empty())
        return false;
    // In the dump queue, which goes first: a request queued after the live
    // edits goes after their confirmation too.
    Append(dump_, std::move(due));
    Pump();
    return true;
}

void CMoleculeSender::SendDump(const CMoleculePacket& packet)
{
    if (packet.IsEmpty())
        return;
    Append(dump_, FrameLongMolecules(packet));
    replyPacket_.Clear();
    Pump();
}

void CMoleculeSender::SendFinal(const CMoleculePacket& packet)
{
    for (const std::unique_ptr<CSysexFrame>& frame : FrameLongMolecules(packet))
        port_.SendFrame(*frame);
}

void CMoleculeSender::Pump()
{
    while (!live_.empty()) {
        const std::unique_ptr<CSysexFrame> frame = std::move(live_.front());
        live_.pop_front();
        port_.SendFrame(*frame);
    }
    if (port_.IsAwaitingAnswer())
        return;
    if (!dump_.empty()) {
        std::unique_ptr<CSysexFrame> frame = std::move(dump_.front());
        dump_.pop_front();
        inFlight_ = std::move(frame);
        waitState_ = kWaitDump;
        port_.SendRequestFrame(*inFlight_);
    } else if (!request_.empty()) {
        inFlight_ = std::move(request_.front());
        request_.pop_front();
        waitState_ = kWaitRequest;
        port_.SendRequestFrame(*inFlight_);
        if (!sentNotes_.empty() && sentNotes_.front().first == inFlight_.get()) {
            const std::function<void()> note = std::move(sentNotes_.front().second);
            sentNotes_.pop_front();
            note();
        }
    }
}

bool CMoleculeSender::ReceiveReply(std::span<const uint8_t> frame)
{
    bool complete = false;
    const EWaitState state = waitState_;
    waitState_ = kWaitNone;
    if (state == kWaitRequest) {
        DecodePacket(frame, replyPacket_);
        if (request_.empty()) {
            EndWaitForReply();
            complete = true;
        }
    } else if (state == kWaitDump) {
        DecodePacket(frame, replyPacket_);
        complete = dump_.empty();
    }
    Pump();
    return complete;
}

CMoleculePacket& CMoleculeSender::ReceiveMessage(std::span<const uint8_t> frame)
{
    messagePacket_.Clear();
    DecodePacket(frame, messagePacket_);
    return messagePacket_;
}

bool CMoleculeSender::ResendInFlight()
{
    if (inFlight_ == nullptr || waitState_ == kWaitNone)
        return false;
    port_.SendRequestFrame(*inFlight_);
    return true;
}

void CMoleculeSender::BeginWaitForReply()
{
    waiting_ = true;
    NSHarrowen::UpdateAllWindows();
}

void CMoleculeSender::EndWaitForReply()
{
    waiting_ = false;
    NSHarrowen::UpdateAllWindows();
}
