#include "synth/link/SynthPort.h"

#include "framework/windows/ABCWindow.h"
#include "framework/midi/MIDIInput.h"
#include "framework/midi/MIDIOutput.h"
#include "framework/midi/PortRegistry.h"
#include "framework/base/Exceptions.h"
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
    : m_manager(manager), m_portIndex(portIndex > 3 ? 3 : portIndex)
{
    const auto& inputs = manager.GetInputRegistry();
    const auto& outputs = manager.GetOutputRegistry();
    if (inputs.GetCount() == 0 || outputs.GetCount() == 0 || inputs.GetAt(inputIndex) == nullptr ||
        outputs.GetAt(outputIndex) == nullptr)
        throw XNoMidiPorts();
    m_input = inputs.GetAt(inputIndex)->CreatePort(*this);
    m_output = outputs.GetAt(outputIndex)->CreatePort();
    m_statusText = MakeStatusText(m_status, m_model, m_version);
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
    m_input.reset();
    m_output.reset();
}

std::string CSynthPort::GetModelName() const
{
    return ModelName(m_model);
}

std::string CSynthPort::GetDisplayName() const
{
    if (m_synth != nullptr && m_synth->HasSettings())
        return m_synth->GetSynthName();
    return m_statusText;
}

bool CSynthPort::IsFailed() const
{
    switch (m_status) {
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
    if (slot < m_synthSlotCount.load(std::memory_order_acquire))
        ::StoreValueFrame(frame, m_valueBlocks[slot]);
}

// ---- main thread ----

template <class Work> void CSynthPort::Guarded(const Work& work)
{
    try {
        work();
    } catch (const XMHostMidi& error) {
        const std::string text = error.GetErrorText();
        Fail(kSynthException, text.empty() ? error.GetText() : text);
    } catch (const XTorvanBase& error) {
        // What the editor could not take (a frame it cannot decode, a patch
        // its document refuses): the alert says what it was.
        Fail(kOutOfMemory, error.GetText());
    } catch (const NSHarrowen::XMIDI& error) {
        // A send the MIDI output refused, with the system's reason.
        Fail(kOutOfMemory, error.GetText());
    } catch (...) {
        Fail(kOutOfMemory, {});
    }
}

void CSynthPort::Idle()
{
    if (m_outOfMemory) {
        m_outOfMemory = false;
        Fail(kOutOfMemory, {});
        return;
    }
    ProcessInput();
    if (IsFailed())
        return;
    switch (CheckContact()) {
    case kContactDue:
        Service();
        break;
    case kContactSilent:
        if (m_manager.GetApplication().IsActive())
            Guarded([this] { Ping(); });
        break;
    case kContactOverdue:
        OnAnswerOverdue();
        break;
    case kContactQuiet:
        break;
    }
}

CSynthPort::EContact CSynthPort::CheckContact() const
{
    if (m_awaitingAnswer)
        return Since(m_lastSent) > kAnswerTimeoutMs ? kContactOverdue : kContactQuiet;
    const int32_t silence = Since(m_lastHeard);
    if (silence > kPingAfterMs)
        return kContactSilent;
    return silence > 0 ? kContactDue : kContactQuiet;
}

void CSynthPort::Service()
{
    Guarded([this] {
        if (m_needsIdentify)
            Ping();
        else if (m_synth != nullptr)
            m_synth->Poll();
    });
}

void CSynthPort::OnAnswerOverdue()
{
    if (m_status == kLooking || m_status == kStillLooking) {
        Disconnect(kStillLooking);
    } else if (m_status == kConnected) {
        if (++m_retryCount > kMaxRetries || !ResendRequest())
            Fail(kLostContact, {});
    } else {
        Disconnect(kLostContact);
    }
}

bool CSynthPort::ResendRequest()
{
    if (m_synth == nullptr)
        return false;
    const bool awaiting = m_awaitingAnswer;
    m_awaitingAnswer = false;
    bool resent = false;
    try {
        resent = m_synth->ResendRequest();
    } catch (...) {
        m_outOfMemory = true;
    }
    m_awaitingAnswer = awaiting;
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
        m_awaitingAnswer = false;
        MarkHeard();
        OnIdentifyReply(bytes);
        if (m_synth != nullptr)
            m_synth->PumpSender();
        return;
    }
    if (m_synth == nullptr)
        return;
    if (!HasValidChecksum(bytes)) {
        if (++m_retryCount <= kMaxRetries && ResendRequest())
            return;
        Fail(kLostContact, {});
        return;
    }
    m_retryCount = 0;
    HandleFrame(bytes);
}

void CSynthPort::HandleFrame(std::span<const uint8_t> frame)
{
    if ((frame[2] & SysexFrame::kFlagLast) != 0) {
        m_awaitingAnswer = false;
        MarkHeard();
        m_synth->OnReplyFrame(frame);
    } else {
        m_synth->OnSynthFrame(frame);
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

    if (!m_needsIdentify && m_status == kConnected) {
        // The answer to a contact ping while connected.
        if (version == m_version)
            return;
        m_version = version;
        m_model = model;
        Disconnect(kNewFound);
        return;
    }
    m_version = version;
    m_model = model;
    m_needsIdentify = false;
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
    if (m_synth != nullptr)
        return;
    for (CParamValueBlock& block : m_valueBlocks)
        block.Clear();
    CreateModel();
    SetStatus(kConnected);
}

void CSynthPort::CreateModel()
{
    switch (m_model) {
    case kModelKandrel:
        m_synth = std::make_unique<CKandrel>(*this);
        break;
    case kModelKandrelRack:
        m_synth = std::make_unique<CKandrelRack>(*this);
        break;
    case kModelPebix:
        m_synth = std::make_unique<CPebix>(*this);
        break;
    default:
        return;
    }
    m_synthSlotCount.store(m_synth->GetSlotCount(), std::memory_order_release);
}

void CSynthPort::DeleteSynth()
{
    if (m_synth == nullptr)
        return;
    // The worker stops storing values for the object before it goes.
    m_synthSlotCount.store(0, std::memory_order_release);
    m_synth.reset();
    m_manager.OnPortLost(m_portIndex);
}

void CSynthPort::SetStatus(int32_t status)
{
    if (status == m_status)
        return;
    m_status = status;
    m_statusText = MakeStatusText(m_status, m_model, m_version);
    NSHarrowen::UpdateAllWindows();
}

void CSynthPort::Disconnect(int32_t status)
{
    // A bank transfer under way ends with what ended the link.
    if (m_synth != nullptr)
        m_synth->OnLinkLost(MakeStatusText(status, m_model, m_version));
    DeleteSynth();
    SetStatus(status);
    // From the reader's side: the input stays open and may be writing.
    DrainRing();
    m_awaitingAnswer = false;
}

void CSynthPort::Fail(int32_t status, const std::string& text)
{
    m_needsIdentify = true;
    m_failureText = text;
    if (m_synth != nullptr && !text.empty())
        m_synth->OnLinkLost(MakeStatusText(status, m_model, m_version) + ": " + text);
    Disconnect(status);
    m_retryCount = 0;
    m_awaitingAnswer = false;
}

void CSynthPort::WriteSysex(const uint8_t* bytes, uint32_t length)
{
    m_output->WriteSysex(bytes, static_cast<int32_t>(length));
}

void CSynthPort::SendFrame(const CSysexFrame& frame)
{
    WriteSysex(frame.GetBytes(), frame.GetLength());
}

void CSynthPort::SendRequestFrame(const CSysexFrame& frame)
{
    WriteSysex(frame.GetBytes(), frame.GetLength());
    MarkSent();
    m_awaitingAnswer = true;
}

bool CSynthPort::Ping()
{
    const auto frame = MakeIdentifyFrame();
    WriteSysex(frame.data(), static_cast<uint32_t>(frame.size()));
    MarkSent();
    m_awaitingAnswer = true;
    return true;
}

void CSynthPort::MarkSent()
{
    m_lastSent = NowMs();
}

void CSynthPort::MarkHeard()
{
    m_lastHeard = NowMs();
}
