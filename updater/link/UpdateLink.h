#pragma once

#include "framework/menus/Menu.h"
#include "framework/midi/PortRegistry.h"

#include <atomic>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace NSBootwren {

class CMIDIIn;
class CUpdateFile;
class CUpdateOutput;

enum EIdentifyResult : int32_t {
    kIdentifyIdle = 0,
    kIdentifyLooking = 1,
    kIdentifyNoReply = 2,
    kIdentifyNotInUpdateMode = 3,
    kIdentifyWrongModel = 4,
    kIdentifyFound = 5,
};

enum EDumpState : int32_t {
    kDumpIdle = 0,
    kDumpHeader = 1, // the header is due
    kDumpSending = 2,
    kDumpWaiting = 3, // the end has gone; the verdict is awaited
    kDumpDone = 4,
    kDumpFailed = 5,
};

// Why a dump failed.
enum EDumpTrouble : int32_t {
    kTroubleNone = 0,
    kTroubleLoss = 1,      // the MIDI system lost data while the system went out
    kTroubleGone = 2,      // the synthesizer's port or the MIDI system went away
    kTroubleRefused = 3,   // the synthesizer refused the system it received
    kTroubleNoVerdict = 4, // the synthesizer said nothing after the end
};

// The updater's conversation with the synthesizer: finds it with identify
// requests and their repeats, reads its version reply, and streams the image
// as a header, paced data packets and an end message, then waits for the
// verdict. Everything runs on the main thread: replies arrive on the MIDI
// worker thread and wait in a queue until the next Tick.
//
// Pacing: the synthesizer writes each packet to its flash in the silence
// after it, so a message is due a pause (30 ms, 200 ms in safe mode) after
// the last byte of the one before has left on the wire. A tick sends at most
// one message and never sleeps: the main thread waits only for the message's
// own wire time, and the window stays alive between packets.
//
// The dump has no repeats: a packet lost on the way spoils the whole image,
// which the synthesizer then refuses. So the link watches what the MIDI
// system tells of the path while it sends, and stops at once when data may
// have been lost or the synthesizer went away.
class CUpdateLink {
public:
    static constexpr uint32_t kIdentifyInterval = 1000; // ms
    static constexpr uint16_t kIdentifyRepeats = 4;
    static constexpr uint32_t kVerdictTimeout = 12000; // ms
    static constexpr uint32_t kPacketPause = 30;       // ms
    static constexpr uint32_t kSafePacketPause = 200;  // ms

    // Lists the machine's MIDI ports.
    explicit CUpdateLink(const CUpdateFile& image);
    ~CUpdateLink();
    CUpdateLink(const CUpdateLink&) = delete;
    CUpdateLink& operator=(const CUpdateLink&) = delete;

    // Opens the two ports (nothing changes when they are open already); tells
    // the user and returns false when they cannot be opened.
    bool OpenPorts(uint16_t input, uint16_t output);
    void ClosePorts();
    // Closes the ports and lists the machine's devices again; the chosen
    // indices follow their devices' names into the new lists (0 when gone).
    void RelistPorts(uint16_t& input, uint16_t& output);
    bool HasPorts() const { return input_ && output_; }
    uint16_t GetInPortIndex() const;
    uint16_t GetOutPortIndex() const;
    NSHarrowen::CMenu& GetInputMenu() { return inputMenu_; }
    NSHarrowen::CMenu& GetOutputMenu() { return outputMenu_; }

    void StartIdentify();
    void StopIdentify();
    void StartDump();
    void StopDump();
    // Slow pacing, for the rest of the link's life.
    void SetSafeMode() { safe_ = true; }

    // Per mille of the payload sent.
    double GetProgress() const;
    uint32_t GetCurrentVersion() const;
    std::string GetCurrentVersionText() const;
    int32_t GetIdentifyResult() const { return identifyResult_; }
    int32_t GetDumpState() const { return dumpState_; }
    // Why the dump failed (kTroubleNone unless it did).
    int32_t GetDumpTrouble() const { return dumpTrouble_; }

    // The idle step: takes the waiting replies, repeats the identify request,
    // and moves the dump on.
    void Tick();
    // While the dump has messages to send: the milliseconds until the next
    // one is due (0: now), so the caller can tick the link just in time.
    std::optional<uint64_t> GetTimeToNextSend() const;
    // One whole message from the synthesizer (main thread), received after
    // everything the link has sent.
    void OnSysex(const uint8_t* message, size_t length);
    // The same from any thread: handled at the next Tick.
    void PostSysex(const uint8_t* message, size_t length);

private:
    // A message in the queue, numbered in the order of arrival.
    struct CQueuedMessage {
        uint64_t number;
        std::vector<uint8_t> bytes;
    };

    void ListPorts();
    void TakeQueuedMessages();
    void Handle(const uint8_t* m, size_t n, bool afterDumpEnd);
    uint64_t CountArrivals();
    void RepeatIdentify();
    void StepDump();
    void SendNext();
    // Sends one message of the dump; the next is due a pause after it is out.
    void SendPaced(const std::vector<uint8_t>& message);
    void ReadVersionReply(const uint8_t* m, size_t n);
    void EndSearch(int32_t result);
    // Fails the dump; a loss seen on the way is the likelier cause of a
    // refusal or a silence.
    void FailDump(int32_t trouble);
    // Fails the dump when the MIDI system tells of a loss or a gone peer.
    void WatchPath();
    void Send(const std::vector<uint8_t>& message);

    NSHarrowen::CInputPortRegistry inputs_;
    NSHarrowen::COutputPortRegistry outputs_;
    NSHarrowen::CMenu inputMenu_;
    NSHarrowen::CMenu outputMenu_;
    int32_t identifyResult_ = kIdentifyIdle;
    uint8_t currentMajor_ = 127;
    uint8_t currentMinor_ = 127;
    uint8_t currentBuild_ = 0;
    bool looking_ = false;
    uint64_t identifyTime_ = 0;
    int32_t dumpState_ = kDumpIdle;
    int32_t dumpTrouble_ = kTroubleNone;
    uint32_t lossesAtStart_ = 0; // the path's losses when the dump began
    bool lossSeen_ = false;      // a loss after the end went out
    uint32_t bytesSent_ = 0;
    uint64_t dumpTime_ = 0;
    uint64_t nextSendTime_ = 0; // when the next message of the dump is due
    std::unique_ptr<CMIDIIn> input_;
    std::unique_ptr<CUpdateOutput> output_;
    bool safe_ = false;
    uint16_t resendCount_ = 0;
    const CUpdateFile& image_;

    std::mutex queueLock_;
    std::deque<CQueuedMessage> queue_;
    uint64_t arrivals_ = 0;      // messages queued so far (under the lock)
    uint64_t arrivalsAtEnd_ = 0; // of those, the ones queued before the end went out
};

} // namespace NSBootwren
