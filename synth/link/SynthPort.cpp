#include "synth/link/SynthPort.h"
#include "synth/protocol/TextFunctions.h"

#include "framework/windows/ABCWindow.h"
#include "framework/midi/MIDIInput.h"
#include "framework/midi/MIDIOutput.h"
#include "framework/midi/PortRegistry.h"
#include "framework/base/Exceptions.h"
#include "platform/midi/MidiArrival.h"
#include "platform/system/Clock.h"
#include "synth/protocol/ProtocolErrors.h"
#include "synth/protocol/RawSysex.h"
#include "synth/protocol/SysexFrame.h"
#include "synth/protocol/ValueFrame.h"
#include "synth/link/Kandrel.h"
#include "synth/link/KandrelRack.h"
#include "synth/link/LinkApplicationInterface.h"
#include "synth/link/Pebix.h"
#include "synth/link/PortManager.h"
#include "synth/link/Synth.h"

#include <cstdio>

namespace {

constexpr uint32_t kShortReplyLength = 11;
constexpr uint32_t kLongReplyLength = 12;
constexpr uint8_t kUpdateModeMark = 0x7F;

constexpr std::array<const char*, 4> kModelNames{"Kandrel", "Kandrel R", "Pebix", "Unknown"};

struct CStatusText {
    int32_t status;
    const char* text;
};
constexpr std::array<CStatusText, 10> kStatusTexts{{
    {CSynthPort::kLooking, "Looking..."},
    {CSynthPort::kStillLooking, "Still looking..."},
    {CSynthPort::kUnsupportedModel, "Unsupported model"},
    {CSynthPort::kNewFound, "New found"},
    {CSynthPort::kVersionCorrupted, "Version courrupted"},
    {CSynthPort::kLostContact, "Lost contact"},
    {CSynthPort::kUpdateMode, "Update mode"},
    {CSynthPort::kOutOfMemory, "Out of memory"},
    {CSynthPort::kUplinkChecksumError, "Uplink chk sum error"},
    {CSynthPort::kSynthException, "Synth exception"},
}};
constexpr const char* kStatusErrorText = "Status error";

uint32_t NowMs()
{
    return static_cast<uint32_t>(platform::NowMilliseconds());
}

// Milliseconds from `earlier` to now, as a signed 32-bit difference.
int32_t Since(uint32_t earlier)
{
    return static_cast<int32_t>(NowMs() - earlier);
}

std::string ModelName(int32_t model)
{
    return model >= CSynthPort::kModelKandrel && model <= CSynthPort::kModelPebix ? kModelNames[model - 1]
                                                                                  : kModelNames[3];
}

// "V3.03": the minor number at least two digits wide.
std::string VersionText(std::span<const uint8_t, 5> version)
{
    char text[16];
    std::snprintf(text, sizeof text, "V%u.%02u", unsigned{version[0]}, unsigned{version[1]});
    return text;
}

} // namespace

CSynthPort::CSynthPort(CPortManager& manager, uint8_t portIndex, uint16_t inputIndex, uint16_t outputIndex)
    : manager_(manager), portIndex_(portIndex > 3 ? 3 : portIndex)
{
    const auto& inputs = manager.GetInputRegistry();
    const auto& outputs = manager.GetOutputRegistry();
    if (inputs.GetCount() == 0 || outputs.GetCount() == 0 || inputs.GetAt(inputIndex) == nullptr ||
        outputs.GetAt(outputIndex) == nullptr)
        throw XNoMidiPorts();
    input_ = inputs.GetAt(inputIndex)->CreatePort(*this);
    output_ = outputs.GetAt(outputIndex)->CreatePort();
    statusText_ = MakeStatusText(status_, model_, version_);
    SetAcceptsLongData(true);
}

CSynthPort::~CSynthPort()
{
    DeleteSynth();
    ClosePorts();
}

void CSynthPort::ClosePorts()
{
    // The input first: once it is closed the worker no longer reaches this
    // object.
    input_.reset();
    output_.reset();
}

std::string CSynthPort::GetModelName() const
{
    return ModelName(model_);
}

std::string CSynthPort::GetDisplayName() const
{
    if (synth_ != nullptr && synth_->HasSettings()) {
        // Shown in lists and titles: cleaned as names from files are.
        std::string name = synth_->GetSynthName();
        RemoveInvalidPatchNameChars(name);
        return name;
    }
    return statusText_;
}

bool CSynthPort::IsFailed() const
{
    switch (status_) {
    case kLooking:
    case kStillLooking:
    case kUnsupportedModel:
    case kVersionError:
    case kUpdateMode:
    case kConnected:
        return false;
    default:
        return true;
    }
}

std::string CSynthPort::MakeStatusText(int32_t status, int32_t model, std::span<const uint8_t, 5> version)
{
    if (status == kVersionError)
        return "Ver err " + VersionText(version);
    if (status == kConnected)
        return ModelName(model) + " " + VersionText(version);
    for (const CStatusText& entry : kStatusTexts) {
        if (entry.status == status)
            return entry.text;
    }
    return kStatusErrorText;
}

// ---- worker thread ----

void CSynthPort::OnLongData(NSHarrowen::CMIDIInput*, uint32_t, const uint8_t* bytes, uint32_t count)
{
    AddData(bytes, count);
}

bool CSynthPort::Accept(const uint8_t* bytes, uint32_t length)
{
    const std::span<const uint8_t> message(bytes, length);
    if (!IsEditorFrame(message))
        return IsIdentifyReply(message);
    if (!IsValueFrame(message))
        return true;
    if (HasValidChecksum(message))
        StoreValueFrame(message);
    return false;
}

void CSynthPort::StoreValueFrame(std::span<const uint8_t> frame)
{
    const uint8_t slot = frame[2] & SysexFrame::kSlotMask;
    if (slot < synthSlotCount_.load(std::memory_order_acquire))
        ::StoreValueFrame(frame, valueBlocks_[slot]);
}

// ---- main thread ----

template <class Work> void CSynthPort::Guarded(const Work& work)
{
    try {
        work();
    } catch (const XMHostMidi& error) {
        // The synthesizer's own report; a code without a text gives none.
        Fail(kSynthException, error.GetErrorText());
    } catch (const NSHarrowen::XMIDI& error) {
        // The MIDI device refused or went away: the synthesizer is out of
        // reach, and the system's reason says why.
        Fail(kLostContact, error.GetText());
    } catch (...) {
        // What the editor could not take (a frame it cannot decode,
        // anything else that went wrong on the way in).
        Fail(kOutOfMemory, {});
    }
}

void CSynthPort::WantStep()
{
    stepWanted_ = true;
    platform::SignalMidiArrival();
}

void CSynthPort::Idle(bool onArrival)
{
    stepWanted_ = false;
    if (outOfMemory_) {
        outOfMemory_ = false;
        Fail(kOutOfMemory, {});
        return;
    }
    ProcessInput();
    if (IsFailed())
        return;
    switch (CheckContact(onArrival)) {
    case kContactDue:
        Service();
        break;
    case kContactSilent:
        if (manager_.GetApplication().IsActive())
            Guarded([this] { Ping(); });
        break;
    case kContactOverdue:
        OnAnswerOverdue();
        break;
    case kContactRepeat:
        RepeatFlashCommand();
        break;
    case kContactPingAside:
        if (manager_.GetApplication().IsActive())
            Guarded([this] { PingAside(); });
        break;
    case kContactQuiet:
        break;
    }
}

CSynthPort::EContact CSynthPort::CheckContact(bool onArrival) const
{
    if (awaitingAnswer_) {
        const int32_t waited = Since(lastSent_);
        if (waited > kAnswerTimeoutMs)
            return kContactOverdue;
        if (waited > kFlashRepeatAfterMs && flashRepeats_ < kMaxRetries && synth_ != nullptr &&
            synth_->IsAwaitingFlashAnswer())
            return kContactRepeat;
        // The contact is watched while the answer is awaited, too.
        if (synth_ != nullptr && !awaitingPing_ && Since(lastHeard_) > kPingAfterMs &&
            Since(lastPingAside_) > kPingAfterMs)
            return kContactPingAside;
        return kContactQuiet;
    }
    const int32_t silence = Since(lastHeard_);
    if (silence > kPingAfterMs)
        return kContactSilent;
    // The step run on an answer's arrival sends what comes next at once.
    return silence > 0 || onArrival ? kContactDue : kContactQuiet;
}

void CSynthPort::Service()
{
    Guarded([this] {
        if (needsIdentify_)
            Ping();
        else if (synth_ != nullptr)
            synth_->Poll();
    });
}

void CSynthPort::OnAnswerOverdue()
{
    if (status_ == kLooking || status_ == kStillLooking) {
        Disconnect(kStillLooking);
    } else if (status_ == kConnected) {
        if (awaitingPing_ && !manager_.GetApplication().IsActive()) {
            // No pings in the background, and silence alone loses nothing:
            // the contact is checked again once the editor is in front.
            awaitingAnswer_ = false;
            return;
        }
        // A flash command repeated early has had its repeats.
        if (flashRepeats_ >= kMaxRetries || !RepeatAwaited())
            Fail(kLostContact, {});
    } else {
        Disconnect(kLostContact);
    }
}

bool CSynthPort::RepeatAwaited()
{
    if (++retryCount_ > kMaxRetries)
        return false;
    if (awaitingAnswer_ && !awaitingPing_)
        return ResendRequest();
    // A lost or spoilt reply to a ping, or a spoilt message with nothing
    // awaited: the contact is asked for again.
    Guarded([this] { Ping(); });
    return !IsFailed();
}

void CSynthPort::RepeatFlashCommand()
{
    ++flashRepeats_;
    if (!ResendRequest())
        Fail(kLostContact, {});
}

bool CSynthPort::ResendRequest()
{
    if (synth_ == nullptr)
        return false;
    const bool awaiting = awaitingAnswer_;
    awaitingAnswer_ = false;
    bool resent = false;
    try {
        resent = synth_->ResendRequest();
    } catch (...) {
        outOfMemory_ = true;
    }
    awaitingAnswer_ = awaiting;
    return resent;
}

void CSynthPort::ProcessInput()
{
    // A failed port is closed at the manager's next look; what arrives in
    // between (an identify reply could connect it again) is not handled.
    while (!IsFailed()) {
        const std::unique_ptr<CRawSysex> message = TakeMessage();
        if (message == nullptr)
            break;
        Guarded([&] { HandleMessage(*message); });
    }
}

void CSynthPort::HandleMessage(const CRawSysex& message)
{
    const std::span<const uint8_t> bytes = message.View();
    if (IsIdentifyReply(bytes)) {
        // Only the answer a ping awaits: one to a ping beside an awaited
        // frame leaves that frame awaited.
        if (awaitingAnswer_ && awaitingPing_) {
            awaitingAnswer_ = false;
            retryCount_ = 0;
        }
        MarkHeard();
        OnIdentifyReply(bytes);
        if (synth_ != nullptr)
            synth_->PumpSender();
        return;
    }
    if (synth_ == nullptr)
        return;
    if (!HasValidChecksum(bytes)) {
        // A spoilt message of the synthesizer's own while a frame is
        // awaited is lost: repeating the frame would draw a second answer,
        // taken for the answer to the frame after it.
        const bool answer = (bytes[2] & SysexFrame::kFlagLast) != 0;
        if (!answer && awaitingAnswer_ && !awaitingPing_)
            return;
        if (!RepeatAwaited())
            Fail(kLostContact, {});
        return;
    }
    retryCount_ = 0;
    HandleFrame(bytes);
}

void CSynthPort::HandleFrame(std::span<const uint8_t> frame)
{
    if ((frame[2] & SysexFrame::kFlagLast) != 0) {
        awaitingAnswer_ = false;
        flashRepeats_ = 0;
        MarkHeard();
        synth_->OnReplyFrame(frame);
    } else {
        synth_->OnSynthFrame(frame);
    }
}

void CSynthPort::OnIdentifyReply(std::span<const uint8_t> reply)
{
    Guarded([&] { EvaluateIdentity(reply); });
}

void CSynthPort::EvaluateIdentity(std::span<const uint8_t> reply)
{
    if (reply.size() != kShortReplyLength && reply.size() != kLongReplyLength) {
        Fail(kVersionCorrupted, {});
        return;
    }
    std::array<uint8_t, 5> version{};
    std::copy(reply.begin() + 5, reply.begin() + 10, version.begin());
    int32_t model = kModelKandrel;
    if (reply.size() == kLongReplyLength)
        model = reply[10] <= 2 ? reply[10] + 1 : kModelUnknown;

    if (!needsIdentify_ && status_ == kConnected) {
        // The answer to a contact ping while connected. A reply spoilt on
        // the cable may read as another version: only a second reply that
        // says the same is taken for a new system.
        if (version == version_) {
            otherVersion_.reset();
            return;
        }
        if (otherVersion_ != version) {
            otherVersion_ = version;
            return;
        }
        version_ = version;
        model_ = model;
        Disconnect(kNewFound);
        return;
    }
    version_ = version;
    model_ = model;
    needsIdentify_ = false;
    if (model == kModelUnknown)
        Disconnect(kUnsupportedModel);
    else if (reply[7] == kUpdateModeMark)
        Disconnect(kUpdateMode);
    else if (reply[5] == kEditorVersion.major && reply[6] / 10 == kEditorVersion.minor)
        OnModelFound();
    else
        Disconnect(kVersionError);
}

void CSynthPort::OnModelFound()
{
    if (synth_ != nullptr)
        return;
    for (CParamValueBlock& block : valueBlocks_)
        block.Clear();
    otherVersion_.reset();
    CreateModel();
    SetStatus(kConnected);
}

void CSynthPort::CreateModel()
{
    switch (model_) {
    case kModelKandrel:
        synth_ = std::make_unique<CKandrel>(*this);
        break;
    case kModelKandrelRack:
        synth_ = std::make_unique<CKandrelRack>(*this);
        break;
    case kModelPebix:
        synth_ = std::make_unique<CPebix>(*this);
        break;
    default:
        return;
    }
    synthSlotCount_.store(synth_->GetSlotCount(), std::memory_order_release);
}

void CSynthPort::DeleteSynth()
{
    if (synth_ == nullptr)
        return;
    // The worker stops storing values for the object before it goes.
    synthSlotCount_.store(0, std::memory_order_release);
    synth_.reset();
    manager_.OnPortLost(portIndex_);
}

void CSynthPort::SetStatus(int32_t status)
{
    if (status == status_)
        return;
    status_ = status;
    statusText_ = MakeStatusText(status_, model_, version_);
    NSHarrowen::UpdateAllWindows();
}

void CSynthPort::Disconnect(int32_t status)
{
    // A bank transfer under way ends with what ended the link, and edits
    // still queued are not kept.
    if (synth_ != nullptr) {
        synth_->OnLinkLost(MakeStatusText(status, model_, version_));
        synth_->TakeBackUnsentEdits();
    }
    DeleteSynth();
    SetStatus(status);
    // From the reader's side: the input stays open and may be writing.
    DrainRing();
    awaitingAnswer_ = false;
}

void CSynthPort::Fail(int32_t status, const std::string& text)
{
    needsIdentify_ = true;
    failureText_ = text;
    if (synth_ != nullptr && !text.empty())
        synth_->OnLinkLost(MakeStatusText(status, model_, version_) + ": " + text);
    Disconnect(status);
    retryCount_ = 0;
    flashRepeats_ = 0;
    awaitingAnswer_ = false;
}

void CSynthPort::WriteSysex(const uint8_t* bytes, uint32_t length)
{
    output_->WriteSysex(bytes, static_cast<int32_t>(length));
}

void CSynthPort::SendFrame(const CSysexFrame& frame)
{
    WriteSysex(frame.GetBytes(), frame.GetLength());
}

void CSynthPort::SendRequestFrame(const CSysexFrame& frame)
{
    WriteSysex(frame.GetBytes(), frame.GetLength());
    MarkSent();
    awaitingAnswer_ = true;
    awaitingPing_ = false;
}

bool CSynthPort::Ping()
{
    const auto frame = MakeIdentifyFrame();
    WriteSysex(frame.data(), static_cast<uint32_t>(frame.size()));
    MarkSent();
    awaitingAnswer_ = true;
    awaitingPing_ = true;
    return true;
}

void CSynthPort::PingAside()
{
    const auto frame = MakeIdentifyFrame();
    WriteSysex(frame.data(), static_cast<uint32_t>(frame.size()));
    lastPingAside_ = NowMs();
}

void CSynthPort::MarkSent()
{
    lastSent_ = NowMs();
}

void CSynthPort::MarkHeard()
{
    lastHeard_ = NowMs();
}
