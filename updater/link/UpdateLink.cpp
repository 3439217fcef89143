#include "updater/link/UpdateLink.h"

#include "framework/alerts/AlertBox.h"
#include "framework/base/Exceptions.h"
#include "platform/system/Clock.h"
#include "updater/image/OsVersion.h"
#include "updater/image/UpdateFile.h"
#include "updater/link/MIDIIn.h"
#include "updater/link/UpdateMessages.h"
#include "updater/link/UpdateOutput.h"

#include <algorithm>

namespace NSBootwren {

namespace {

constexpr const char* kPortsAlert = "[NOTE]Can't open the MIDI ports you have selected.[OK]";
constexpr const char* kPortsAlertWithText = "[NOTE]Can't open the MIDI ports you have selected.\r^0[OK]";

// The shortest message whose kind can be read.
constexpr size_t kShortestMessage = 6;

} // namespace

CUpdateLink::CUpdateLink(const CUpdateFile& image) : image_(image)
{
    ListPorts();
}

void CUpdateLink::ListPorts()
{
    inputs_.DeleteAll();
    outputs_.DeleteAll();
    inputMenu_.RemoveAllItems();
    outputMenu_.RemoveAllItems();
    NSHarrowen::RegisterMMEPorts(inputs_, outputs_);
    for (uint16_t i = 0; i < inputs_.GetCount(); ++i)
        inputMenu_.AppendItem(inputs_.GetAt(i)->GetName());
    for (uint16_t i = 0; i < outputs_.GetCount(); ++i)
        outputMenu_.AppendItem(outputs_.GetAt(i)->GetName());
}

void CUpdateLink::RelistPorts(uint16_t& input, uint16_t& output)
{
    const NSHarrowen::CRegisteredMIDIInput* in = inputs_.GetAt(input);
    const NSHarrowen::CRegisteredMIDIOutput* out = outputs_.GetAt(output);
    const std::string inName = in ? in->GetName() : std::string();
    const std::string outName = out ? out->GetName() : std::string();
    // An open port may belong to a device that went away since: it is
    // opened anew from the new list.
    ClosePorts();
    ListPorts();
    if (!inputs_.FindByName(inName, input))
        input = 0;
    if (!outputs_.FindByName(outName, output))
        output = 0;
}

CUpdateLink::~CUpdateLink()
{
    ClosePorts();
}

bool CUpdateLink::OpenPorts(uint16_t input, uint16_t output)
{
    if (HasPorts() && GetInPortIndex() == input && GetOutPortIndex() == output)
        return true;
    ClosePorts();
    try {
        input_ = std::make_unique<CMIDIIn>(inputs_, input, *this);
        output_ = std::make_unique<CUpdateOutput>(outputs_, output);
        return true;
    } catch (const NSHarrowen::XMIDI& e) {
        ClosePorts();
        if (e.GetText().empty())
            NSHarrowen::RunAlertText(kPortsAlert);
        else
            NSHarrowen::RunAlertTextWithArgs(kPortsAlertWithText, {e.GetText()});
    } catch (...) {
        ClosePorts();
        NSHarrowen::RunAlertText(kPortsAlert);
    }
    return false;
}

void CUpdateLink::ClosePorts()
{
    input_.reset();
    output_.reset();
    // Replies of the closed ports are no longer wanted.
    const std::lock_guard<std::mutex> guard(queueLock_);
    queue_.clear();
}

uint16_t CUpdateLink::GetInPortIndex() const
{
    return input_ ? input_->GetIndex() : 0;
}

uint16_t CUpdateLink::GetOutPortIndex() const
{
    return output_ ? output_->GetIndex() : 0;
}

void CUpdateLink::StartIdentify()
{
    looking_ = true;
    identifyTime_ = platform::NowMilliseconds();
    identifyResult_ = kIdentifyLooking;
    try {
        Send(MakeIdentifyRequest(image_.GetModel().FamilyByte()));
    } catch (const NSHarrowen::XBase&) {
        // A lost request counts as unanswered: the repeats go on.
    }
}

void CUpdateLink::StopIdentify()
{
    resendCount_ = 0;
    identifyResult_ = kIdentifyIdle;
    looking_ = false;
}

void CUpdateLink::StartDump()
{
    dumpState_ = kDumpHeader;
    dumpTrouble_ = kTroubleNone;
    lossSeen_ = false;
    lossesAtStart_ = output_ ? output_->GetPathState().losses : 0;
    bytesSent_ = 0;
    nextSendTime_ = platform::NowMilliseconds();
}

void CUpdateLink::StopDump()
{
    dumpState_ = kDumpIdle;
}

double CUpdateLink::GetProgress() const
{
    switch (dumpState_) {
    case kDumpDone:
        return 1000.0;
    case kDumpIdle:
        return 0.0;
    default: {
        const uint32_t size = image_.GetPayloadSize();
        return size == 0 ? 0.0 : static_cast<double>(bytesSent_) * 1000.0 / size;
    }
    }
}

uint32_t CUpdateLink::GetCurrentVersion() const
{
    return PackOsVersion(currentMajor_, currentMinor_, currentBuild_);
}

std::string CUpdateLink::GetCurrentVersionText() const
{
    return FormatOsVersion(GetCurrentVersion());
}

void CUpdateLink::Tick()
{
    TakeQueuedMessages();
    RepeatIdentify();
    StepDump();
}

void CUpdateLink::PostSysex(const uint8_t* message, size_t length)
{
    const std::lock_guard<std::mutex> guard(queueLock_);
    queue_.push_back({++arrivals_, std::vector<uint8_t>(message, message + length)});
}

uint64_t CUpdateLink::CountArrivals()
{
    const std::lock_guard<std::mutex> guard(queueLock_);
    return arrivals_;
}

// A message that was on its way before the dump's end went out cannot be
// the verdict on it, even when the main thread takes it only afterwards.
void CUpdateLink::TakeQueuedMessages()
{
    std::deque<CQueuedMessage> taken;
    {
        const std::lock_guard<std::mutex> guard(queueLock_);
        taken.swap(queue_);
    }
    for (const CQueuedMessage& message : taken)
        Handle(message.bytes.data(), message.bytes.size(), message.number > arrivalsAtEnd_);
}

void CUpdateLink::RepeatIdentify()
{
    if (!looking_ || platform::NowMilliseconds() - identifyTime_ <= kIdentifyInterval)
        return;
    if (resendCount_ < kIdentifyRepeats) {
        ++resendCount_;
        StartIdentify();
    } else {
        EndSearch(kIdentifyNoReply);
    }
}

void CUpdateLink::FailDump(int32_t trouble)
{
    dumpState_ = kDumpFailed;
    dumpTrouble_ = lossSeen_ && (trouble == kTroubleRefused || trouble == kTroubleNoVerdict) ? kTroubleLoss : trouble;
}

void CUpdateLink::WatchPath()
{
    if (dumpState_ != kDumpHeader && dumpState_ != kDumpSending && dumpState_ != kDumpWaiting)
        return;
    if (!output_) {
        FailDump(kTroubleGone);
        return;
    }
    const platform::MidiPathState path = output_->GetPathState();
    if (path.peerGone || path.systemGone)
        FailDump(kTroubleGone);
    else if (path.losses != lossesAtStart_) {
        // Once the end is out everything may have arrived: the verdict tells.
        if (dumpState_ == kDumpWaiting)
            lossSeen_ = true;
        else
            FailDump(kTroubleLoss);
    }
}

void CUpdateLink::StepDump()
{
    WatchPath();
    try {
        switch (dumpState_) {
        case kDumpHeader:
            SendPaced(MakeDumpHeader(image_.GetPayloadSize(), image_.GetMajor(), image_.GetMinor()));
            dumpState_ = kDumpSending;
            break;
        case kDumpSending:
            if (platform::NowMilliseconds() >= nextSendTime_)
                SendNext();
            break;
        case kDumpWaiting:
            if (platform::NowMilliseconds() - dumpTime_ > kVerdictTimeout)
                FailDump(kTroubleNoVerdict);
            break;
        default:
            break;
        }
    } catch (const NSHarrowen::XBase&) {
        // The output refused the message: the port or the system is gone.
        FailDump(kTroubleGone);
    }
}

void CUpdateLink::SendNext()
{
    const uint32_t size = image_.GetPayloadSize();
    if (bytesSent_ >= size) {
        dumpState_ = kDumpWaiting;
        arrivalsAtEnd_ = CountArrivals();
        Send(MakeDumpEnd(image_.Checksum()));
        // The synthesizer has the end once it is off the wire.
        dumpTime_ = platform::NowMilliseconds();
        return;
    }
    SendPaced(MakeDataPacket(image_.GetPayload(), size, bytesSent_));
    bytesSent_ += std::min(kPacketPayload, size - bytesSent_);
}

// The output returns once the message's last byte is on the wire (at the
// earliest after its wire time, on every MIDI system).
void CUpdateLink::SendPaced(const std::vector<uint8_t>& message)
{
    Send(message);
    nextSendTime_ = platform::NowMilliseconds() + (safe_ ? kSafePacketPause : kPacketPause);
}

std::optional<uint64_t> CUpdateLink::GetTimeToNextSend() const
{
    if (dumpState_ != kDumpHeader && dumpState_ != kDumpSending)
        return std::nullopt;
    const uint64_t now = platform::NowMilliseconds();
    return nextSendTime_ > now ? nextSendTime_ - now : 0;
}

void CUpdateLink::Send(const std::vector<uint8_t>& message)
{
    if (!output_)
        throw NSHarrowen::XMIDIWriteFailed();
    output_->Send(message);
}

void CUpdateLink::EndSearch(int32_t result)
{
    identifyResult_ = result;
    looking_ = false;
}

void CUpdateLink::OnSysex(const uint8_t* m, size_t n)
{
    Handle(m, n, true);
}

void CUpdateLink::Handle(const uint8_t* m, size_t n, bool afterDumpEnd)
{
    if (n < kShortestMessage || m[1] != kManufacturerId)
        return;
    if (m[2] != 0) {
        EndSearch(kIdentifyNotInUpdateMode);
        return;
    }
    if (m[3] != image_.GetModel().FamilyByte()) {
        EndSearch(kIdentifyWrongModel);
        return;
    }
    switch (m[4]) {
    case kMessageVersionReply:
        if (looking_) {
            looking_ = false;
            ReadVersionReply(m, n);
        }
        break;
    case kMessageFailure:
        if (dumpState_ == kDumpWaiting && afterDumpEnd)
            FailDump(kTroubleRefused);
        break;
    case kMessageAcknowledge:
        if (dumpState_ == kDumpWaiting && afterDumpEnd)
            dumpState_ = kDumpDone;
        break;
    default:
        EndSearch(kIdentifyNotInUpdateMode);
        break;
    }
}

void CUpdateLink::ReadVersionReply(const uint8_t* m, size_t n)
{
    // F0 M 00 F 01 major minor 7F x x [model] [build] F7
    if (n < 11 || n > 13 || m[7] != 0x7F) {
        identifyResult_ = kIdentifyNotInUpdateMode;
        return;
    }
    const uint8_t model = n >= 12 ? m[10] : 0;
    if (!image_.GetModel().AcceptsModelByte(model)) {
        identifyResult_ = kIdentifyWrongModel;
        return;
    }
    currentMajor_ = m[5];
    currentMinor_ = m[6];
    currentBuild_ = n == 13 ? m[11] : 0;
    identifyResult_ = kIdentifyFound;
}

} // namespace NSBootwren
