#include "synth/link/MoleculeSender.h"

#include "framework/windows/ABCWindow.h"
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

CMoleculeSender::CMoleculeSender(CSynthPort& port) : m_port(port) { }

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
    // A packet without molecules yields no frame, so no answer could ever
    // end the wait.
    if (packet.IsEmpty())
        return;
    Frames frames = FrameLongMolecules(packet);
    m_replyPacket.Clear();
    Append(m_request, std::move(frames));
    Pump();
    BeginWaitForReply();
}

void CMoleculeSender::SendLive(const CMoleculePacket& packet)
{
    if (packet.IsEmpty())
        return;
    Append(m_live, FrameShortMolecules(packet));
    Pump();
}

void CMoleculeSender::SendDump(const CMoleculePacket& packet)
{
    if (packet.IsEmpty())
        return;
    Append(m_dump, FrameLongMolecules(packet));
    m_replyPacket.Clear();
    Pump();
}

void CMoleculeSender::SendFinal(const CMoleculePacket& packet)
{
    for (const std::unique_ptr<CSysexFrame>& frame : FrameLongMolecules(packet))
        m_port.SendFrame(*frame);
}

void CMoleculeSender::Pump()
{
    while (!m_live.empty()) {
        const std::unique_ptr<CSysexFrame> frame = std::move(m_live.front());
        m_live.pop_front();
        m_port.SendFrame(*frame);
    }
    if (m_port.IsAwaitingAnswer())
        return;
    if (!m_dump.empty()) {
        std::unique_ptr<CSysexFrame> frame = std::move(m_dump.front());
        m_dump.pop_front();
        m_inFlight = std::move(frame);
        m_waitState = kWaitDump;
        m_port.SendRequestFrame(*m_inFlight);
    } else if (!m_request.empty()) {
        const std::unique_ptr<CSysexFrame> frame = std::move(m_request.front());
        m_request.pop_front();
        m_inFlight.reset();
        m_waitState = kWaitRequest;
        m_port.SendRequestFrame(*frame);
    }
}

bool CMoleculeSender::ReceiveReply(std::span<const uint8_t> frame)
{
    bool complete = false;
    const EWaitState state = m_waitState;
    m_waitState = kWaitNone;
    if (state == kWaitRequest) {
        DecodePacket(frame, m_replyPacket);
        if (m_request.empty()) {
            EndWaitForReply();
            complete = true;
        }
    } else if (state == kWaitDump) {
        DecodePacket(frame, m_replyPacket);
        complete = m_dump.empty();
    }
    Pump();
    return complete;
}

CMoleculePacket& CMoleculeSender::ReceiveMessage(std::span<const uint8_t> frame)
{
    m_messagePacket.Clear();
    DecodePacket(frame, m_messagePacket);
    return m_messagePacket;
}

bool CMoleculeSender::ResendInFlight()
{
    if (m_inFlight == nullptr || m_waitState != kWaitDump)
        return false;
    m_port.SendRequestFrame(*m_inFlight);
    return true;
}

void CMoleculeSender::BeginWaitForReply()
{
    m_waiting = true;
    NSHarrowen::UpdateAllWindows();
}

void CMoleculeSender::EndWaitForReply()
{
    m_waiting = false;
    NSHarrowen::UpdateAllWindows();
}
