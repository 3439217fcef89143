#pragma once

class CMoleculePacket;

// What a bank transfer needs of the synthesizer that owns it.
class CBankTransferHost {
public:
    virtual ~CBankTransferHost() = default;
    // The request queue: the answer is awaited before the next request.
    virtual void SendRequest(CMoleculePacket& packet) = 0;
    // The dump queue: the frame is kept and sent again when its answer is
    // overdue.
    virtual void SendDump(CMoleculePacket& packet) = 0;
    // A job has its first step to take: at once, not at the next idle tick.
    virtual void WantStep() { }
};
