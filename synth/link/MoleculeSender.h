#pragma once

#include "synth/link/LiveConfirmations.h"
#include "synth/molecules/MoleculePacket.h"
#include "synth/protocol/SysexFrame.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <span>

class CSynthPort;

// The send queues of one synthesizer: turns packets of molecules into SysEx
// frames, releases them to the port with at most one frame awaiting its
// answer, and turns received frames back into packets.
//   live queue:    live edits, sent at once, no answer awaited;
//   dump queue:    served first, one frame at a time;
//   request queue: one frame at a time.
// The frame in flight is kept for a repeat: the synthesizer answers a frame
// it already took again without doing its work twice.
// Main thread only.
class CMoleculeSender {
public:
    enum EWaitState : uint32_t { kWaitNone = 0, kWaitRequest = 1, kWaitDump = 2 };

    explicit CMoleculeSender(CSynthPort& port);
    ~CMoleculeSender();
    CMoleculeSender(const CMoleculeSender&) = delete;
    CMoleculeSender& operator=(const CMoleculeSender&) = delete;

    // Each send builds every frame of the packet before queuing any: a
    // molecule that overflows its stream (XMStreamOverflow) queues nothing.
    // An empty packet is ignored.
    void SendRequest(const CMoleculePacket& packet);
    // A request whose sender is told when its last frame went out.
    void SendRequest(const CMoleculePacket& packet, std::function<void()> onSent);
    // Each live molecule is also kept, framed, to confirm its parameter's
    // last value (ConfirmLive).
    void SendLive(const CMoleculePacket& packet);
    void SendDump(const CMoleculePacket& packet);
    // A closing link's last message: written at once, without waiting for an
    // answer still due, since no later exchange will send it.
    void SendFinal(const CMoleculePacket& packet);
    void Pump();
    // Queues the last live value of each parameter still for a moment (of
    // every parameter with `all`) as answered frames, ahead of the queued
    // requests; true when any was queued.
    bool ConfirmLive(bool all);

    // An answer (flag 0x08) from the port; true when it completes what was
    // awaited, the whole answer then being in the reply packet.
    bool ReceiveReply(std::span<const uint8_t> frame);
    CMoleculePacket& GetReplyPacket() { return replyPacket_; }
    void ClearReplyPacket() { replyPacket_.Clear(); }
    // Any other frame, decoded into the cleared message packet.
    CMoleculePacket& ReceiveMessage(std::span<const uint8_t> frame);
    void ClearMessagePacket() { messagePacket_.Clear(); }

    // Sends the frame in flight again when its answer is awaited; false
    // otherwise.
    bool ResendInFlight();

    void BeginWaitForReply();
    void EndWaitForReply();
    bool IsWaitingForReply() const { return waiting_; }

private:
    using Frames = std::deque<std::unique_ptr<CSysexFrame>>;

    static Frames FrameLongMolecules(const CMoleculePacket& packet);
    static Frames FrameShortMolecules(const CMoleculePacket& packet);
    static void Append(Frames& queue, Frames&& frames);
    void NoteConfirmations(const CMoleculePacket& packet);

    CSynthPort& port_;
    CMoleculePacket replyPacket_;
    CMoleculePacket messagePacket_;
    Frames request_;
    Frames dump_;
    Frames live_;
    CLiveConfirmations confirmations_;
    // The last frames of queued requests whose senders wait to hear they
    // went out, in queue order.
    std::deque<std::pair<const CSysexFrame*, std::function<void()>>> sentNotes_;
    std::unique_ptr<CSysexFrame> inFlight_;
    EWaitState waitState_ = kWaitNone;
    bool waiting_ = false;
};
