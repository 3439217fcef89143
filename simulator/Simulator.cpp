#include "simulator/Simulator.h"

#include "simulator/SimEdit.h"

#include <algorithm>
#include <sstream>

namespace sim {

namespace {

constexpr uint64_t kWireByteUs = 320; // 10 bits at 31,250 baud
// The molecules of live edits: a parameter's value, a morph's range.
constexpr uint8_t kParamChangeId = 0x40;
constexpr uint8_t kMorphChangeId = 0x43;

bool IsRequest(uint8_t id)
{
    switch (id) {
    case 0x20:
    case 0x28:
    case 0x2E:
    case 0x4B:
    case 0x4C:
    case 0x4E:
    case 0x4F:
    case 0x53:
    case 0x61:
    case 0x63:
    case 0x66:
    case 0x68:
    case 0x70:
        return true;
    default:
        return false;
    }
}

std::string Describe(const SimMol& mol)
{
    const SimMoleculeSpec* spec = FindMoleculeSpec(mol.id);
    std::ostringstream text;
    text << (spec ? spec->name : "?");
    if (!mol.v.empty() || !mol.text.empty()) {
        text << '(';
        for (size_t i = 0; i < mol.v.size(); ++i)
            text << (i ? "," : "") << mol.v[i];
        if (!mol.text.empty())
            text << (mol.v.empty() ? "" : ",") << '"' << mol.text << '"';
        text << ')';
    } else if (mol.part && spec && !spec->layout && mol.id != 0x03 && mol.id != 0x21)
        text << "(area " << mol.area << ')';
    return text.str();
}

void WriteFlashResult(CSimBitWriter& out, int bank, int location, int requester, int code)
{
    out.Byte(0x0D);
    out.Byte(static_cast<unsigned>(bank));
    out.Byte(static_cast<unsigned>(location));
    out.Byte(static_cast<unsigned>(requester));
    out.Byte(static_cast<unsigned>(code));
}

} // namespace

CSimulator::CSimulator(const SimConfig& config, const CSimModuleTypes& types)
    : config_(config), types_(types), flash_(BankCount(config.model))
{
    for (int slot = 0; slot < 4; ++slot) {
        slots_[slot].session = static_cast<uint8_t>(1 + 16 * slot);
        settings_.slots[slot].channel = slot;
        settings_.slots[slot].active = slot < SlotCount();
    }
}

void CSimulator::LoadSlot(int slot, const SimPatch& patch)
{
    SimSlot& s = Slot(slot);
    s.patch = patch;
    s.voices = patch.header.voices;
}

void CSimulator::LogEntry(const Bytes& bytes, const std::string& text)
{
    log_.push_back({nowUs_, bytes, text});
    if (logSink_)
        logSink_(log_.back());
}

// ---- Time and output -------------------------------------------------------

void CSimulator::AdvanceToUs(uint64_t us)
{
    GenerateValueFrames(us);
    nowUs_ = std::max(nowUs_, us);
}

void CSimulator::Enqueue(Bytes bytes, uint64_t extraDelayUs, bool answer)
{
    bool twice = false;
    if (answer) {
        ++answerCount_;
        if (const auto fault = faults_.TakeAnswerFault(answerCount_)) {
            switch (fault->kind) {
            case SimAnswerFault::Drop:
                LogEntry(bytes, "fault: answer " + std::to_string(answerCount_) + " dropped");
                return;
            case SimAnswerFault::Delay:
                extraDelayUs += uint64_t{fault->delayMs} * 1000;
                break;
            case SimAnswerFault::Duplicate:
                twice = true;
                break;
            case SimAnswerFault::Corrupt:
                bytes[bytes.size() - 2] = (bytes[bytes.size() - 2] + 1) & 0x7F;
                break;
            case SimAnswerFault::Error:
                bytes = BuildFrame(kFlagFirst | kFlagLast, bytes[2] & 3, kNoNumber,
                                   {kSynthError, fault->errorCode, kEndOfMolecules});
                break;
            }
        }
    }
    for (int copy = 0; copy < (twice ? 2 : 1); ++copy) {
        Bytes sent = bytes;
        cable_.Follow(config_.lossy);
        const CSimLossyCable::Fate fate = cable_.FromSynth(sent);
        if (fate != CSimLossyCable::Fate::Carried)
            LogEntry(bytes, std::string("sent, ") + CableFateText(fate));
        if (fate == CSimLossyCable::Fate::Dropped)
            continue;
        uint64_t due = std::max(nowUs_ + extraDelayUs, lastDueUs_);
        if (config_.paceAtWireRate) {
            wireFreeUs_ = std::max(due, wireFreeUs_) + bytes.size() * kWireByteUs;
            due = wireFreeUs_;
        }
        lastDueUs_ = due;
        outbox_.push_back({due, std::move(sent)});
    }
}

std::optional<uint64_t> CSimulator::NextDueUs() const
{
    std::optional<uint64_t> next;
    if (!outbox_.empty())
        next = outbox_.front().dueUs;
    if (valuePeriodUs_ && (!next || nextValueUs_ < *next))
        next = nextValueUs_;
    return next;
}

std::vector<Bytes> CSimulator::TakeOutput()
{
    std::vector<Bytes> due;
    while (!outbox_.empty() && outbox_.front().dueUs <= nowUs_) {
        due.push_back(std::move(outbox_.front().bytes));
        outbox_.pop_front();
    }
    if (due.empty() || (faults_.bufferSizes.empty() && !faults_.coalesce))
        return due;
    Bytes all;
    for (const Bytes& b : due)
        all.insert(all.end(), b.begin(), b.end());
    if (faults_.bufferSizes.empty())
        return {all};
    std::vector<Bytes> buffers;
    for (size_t pos = 0; pos < all.size();) {
        const size_t size = faults_.bufferSizes[nextBufferSize_++ % faults_.bufferSizes.size()];
        const size_t n = std::min(size, all.size() - pos);
        buffers.emplace_back(all.begin() + static_cast<std::ptrdiff_t>(pos),
                             all.begin() + static_cast<std::ptrdiff_t>(pos + n));
        pos += n;
    }
    return buffers;
}

void CSimulator::SendAnswer(uint8_t slot, uint8_t numberByte, Bytes payload)
{
    Bytes frame = BuildFrame(kFlagFirst | kFlagLast, slot, numberByte, payload);
    lastAnswer_ = frame;
    Enqueue(std::move(frame), uint64_t{config_.latencyMs} * 1000, true);
}

void CSimulator::SendError(uint8_t slot, uint8_t code)
{
    SendAnswer(slot, kNoNumber, {kSynthError, code, kEndOfMolecules});
}

void CSimulator::SendUnsolicited(uint8_t slot, bool slotNumbered, const CSimBitWriter& out, unsigned count)
{
    Bytes payload = out.Bytes();
    payload.push_back(kEndOfMolecules);
    const uint8_t number = slotNumbered ? Slot(slot).session : static_cast<uint8_t>(kNoNumber | (count & 0x3F));
    Enqueue(BuildFrame(kFlagFirst, slot, number, payload), 0, false);
    lastFrame_.clear(); // what the synthesizer holds changed: no answer is repeated from now on
}

void CSimulator::SendRaw(const Bytes& bytes)
{
    Enqueue(bytes, 0, false);
}

// ---- Receiving ---------------------------------------------------------------

void CSimulator::Receive(const uint8_t* data, size_t size)
{
    for (size_t i = 0; i < size; ++i) {
        const uint8_t b = data[i];
        if (b >= 0xF8)
            continue; // real-time bytes may fall anywhere
        if (b == 0xF0) {
            if (inMessage_)
                LogEntry(inbox_, "ignored: message without its end");
            inbox_.assign(1, b);
            inMessage_ = true;
        } else if (inMessage_) {
            inbox_.push_back(b);
            if (b == 0xF7) {
                inMessage_ = false;
                HandleMessage(inbox_);
            } else if (b & 0x80) {
                inMessage_ = false;
                LogEntry(inbox_, "ignored: message cut by a status byte");
            }
        }
    }
}

void CSimulator::HandleMessage(Bytes message)
{
    cable_.Follow(config_.lossy);
    const CSimLossyCable::Fate fate = cable_.ToSynth(message);
    if (fate != CSimLossyCable::Fate::Carried)
        LogEntry(message, CableFateText(fate));
    if (fate == CSimLossyCable::Fate::Dropped)
        return;
    if (IsIdentifyPing(message.data(), message.size())) {
        LogEntry(message, "identify ping");
        ReplyIdentify();
        return;
    }
    const std::optional<SimFrame> frame = ParseFrame(message.data(), message.size());
    if (!frame) {
        LogEntry(message, "ignored: not a frame of this synthesizer");
        return;
    }
    HandleFrame(message, *frame);
}

void CSimulator::ReplyIdentify()
{
    ++identifyCount_;
    if (faults_.identify == SimIdentifyFault::NoReply)
        return;
    std::array<uint8_t, 5> version = config_.version;
    if (faults_.changeVersionAfter && identifyCount_ > faults_.changeVersionAfter)
        version = faults_.changedVersion;
    if (faults_.identify == SimIdentifyFault::OtherVersion)
        version = faults_.otherVersion;
    if (config_.updateMode || faults_.identify == SimIdentifyFault::UpdateMode)
        version[2] = 0x7F;
    Bytes reply{0xF0, kManufacturerId, 0x00, kFamily, 0x01};
    reply.insert(reply.end(), version.begin(), version.end());
    reply.push_back(faults_.identify == SimIdentifyFault::UnknownModel ? 9 : ModelByte(config_.model));
    reply.push_back(0xF7);
    if (faults_.identify == SimIdentifyFault::Short)
        reply.erase(reply.begin() + 9, reply.begin() + 11);
    Enqueue(std::move(reply), uint64_t{config_.latencyMs} * 1000, false);
}

void CSimulator::HandleFrame(const Bytes& message, const SimFrame& frame)
{
    if (!frame.hasChecksum) {
        // A live edit: one whole packet, never answered.
        if (!frame.First() || !frame.Last()) {
            LogEntry(message, "ignored: live frame that is not a whole packet");
            return;
        }
        ProcessPacket(frame.slot, frame.numberByte, frame.payload, true);
        liveSinceFrame_ = true;
        return;
    }
    if (!frame.checksumOk) {
        LogEntry(message, "bad checksum: not answered");
        return;
    }
    // After live edits, the same values set again are a new edit (the end
    // of a gesture that left what the one before left), to be done.
    if (message == lastFrame_ && !lastAnswer_.empty() && !(liveSinceFrame_ && SetsValuesOnly(frame))) {
        // The editor repeats a frame whose answer it missed: answer again,
        // without doing its work twice.
        LogEntry(message, "repeated frame: answered again");
        Enqueue(lastAnswer_, uint64_t{config_.latencyMs} * 1000, true);
        return;
    }
    lastFrame_ = message;
    lastAnswer_.clear();
    liveSinceFrame_ = false;
    if (frame.First()) {
        if (pending_)
            LogEntry(pending_->payload, "unfinished packet dropped");
        pending_ = Pending{frame.slot, frame.numberByte, frame.payload};
    } else if (!pending_ || pending_->slot != frame.slot) {
        LogEntry(message, "frame without the start of its packet");
        pending_.reset();
        SendError(frame.slot, kErrorBubble);
        return;
    } else {
        pending_->payload.insert(pending_->payload.end(), frame.payload.begin(), frame.payload.end());
    }
    if (!frame.Last()) {
        LogEntry(message, "part of a packet: acknowledged");
        SendAnswer(frame.slot, kNoNumber, {kEndOfMolecules});
        return;
    }
    const Pending packet = std::move(*pending_);
    pending_.reset();
    ProcessPacket(packet.slot, packet.numberByte, packet.payload, false);
}

std::vector<SimMol> CSimulator::ParseMolecules(const Bytes& payload) const
{
    std::vector<SimMol> mols;
    size_t pos = 0;
    while (pos < payload.size() && payload[pos] != kEndOfMolecules) {
        CSimBitReader in(payload.data(), payload.size(), pos);
        mols.push_back(ReadMolecule(in, types_));
        pos = in.NextByte();
    }
    return mols;
}

bool CSimulator::SetsValuesOnly(const SimFrame& frame) const
{
    if (!frame.First() || !frame.Last())
        return false;
    try {
        const std::vector<SimMol> mols = ParseMolecules(frame.payload);
        return !mols.empty() && std::all_of(mols.begin(), mols.end(), [](const SimMol& m) {
            return m.id == kParamChangeId || m.id == kMorphChangeId;
        });
    } catch (const XSimParse&) {
        return false;
    }
}

void CSimulator::ProcessPacket(uint8_t slot, uint8_t numberByte, const Bytes& payload, bool live)
{
    std::vector<SimMol> mols;
    try {
        mols = ParseMolecules(payload);
    } catch (const XSimParse& e) {
        LogEntry(payload, std::string("cannot parse: ") + e.what());
        if (!live)
            SendError(slot, e.Code());
        return;
    }
    const bool stale = !(numberByte & kNoNumber) && slot < SlotCount() && numberByte != slots_[slot].session;
    std::ostringstream text;
    text << (live ? "live " : "") << "slot " << char('A' + slot);
    if (!(numberByte & kNoNumber))
        text << " #" << int(numberByte) << (stale ? " (stale)" : "");
    text << ':';
    for (const SimMol& mol : mols)
        text << ' ' << Describe(mol);
    LogEntry(payload, text.str());

    Answer answer;
    const auto bubble = std::find_if(mols.begin(), mols.end(), [](const SimMol& m) { return m.id == 0x37; });
    if (bubble != mols.end())
        LoadFullPatch(slot, mols, *bubble, answer);
    else
        for (const SimMol& mol : mols)
            Execute(mol, slot, stale, answer);
    if (!live) {
        Bytes reply = answer.out.Bytes();
        reply.push_back(kEndOfMolecules);
        const uint8_t number = answer.slotNumbered && slot < SlotCount()
            ? slots_[slot].session
            : static_cast<uint8_t>(kNoNumber | (answer.count & 0x3F));
        SendAnswer(slot, number, std::move(reply));
    }
    for (const auto& follow : answer.after)
        follow();
}

void CSimulator::NewSession(int slot)
{
    SimSlot& s = Slot(slot);
    s.session = static_cast<uint8_t>((s.session + 1) % kSessionNumbers);
    s.values.fill(0);
    s.states.fill(0);
}

// ---- Executing molecules -------------------------------------------------------

void CSimulator::LoadFullPatch(uint8_t slot, const std::vector<SimMol>& mols, const SimMol& bubble, Answer& answer)
{
    SimPatch patch;
    patch.name = bubble.text; // as sent; the flash listings clean it where a listing needs it
    for (const SimMol& mol : mols)
        if (mol.part && FindMoleculeSpec(mol.id)->scope == SimScope::Patch)
            ApplyEdit(patch, mol, types_);
    const int flag = bubble.v[0], bank = bubble.v[1], location = bubble.v[2];
    if (flag == 0) {
        if (slot < SlotCount()) {
            LoadSlot(slot, patch);
            NewSession(slot);
        }
        return;
    }
    int code = 5;
    if (config_.memoryProtect)
        code = 4;
    else if (!flash_.Valid(bank, location))
        code = 3;
    else
        flash_.Store(bank, location, patch);
    WriteFlashResult(answer.out, bank, location, 1, code);
    ++answer.count;
    if (code == 5) {
        flash_.WriteLocationUpdate(answer.out, bank, location);
        answer.count += 2;
    }
}

void CSimulator::Execute(const SimMol& mol, uint8_t slot, bool stale, Answer& answer)
{
    const SimMoleculeSpec* spec = FindMoleculeSpec(mol.id);
    if (spec->scope == SimScope::Flash) {
        ExecuteFlash(mol, answer);
        return;
    }
    if (spec->scope == SimScope::Patch) {
        if (slot >= SlotCount())
            return;
        answer.slotNumbered = true; // even an empty acknowledgement of a patch's packet
        if (IsRequest(mol.id))
            AnswerPatchRequest(mol, slot, answer);
        else if (!stale) {
            ApplyEdit(slots_[slot].patch, mol, types_);
            if (mol.id == 0x21)
                slots_[slot].voices = slots_[slot].patch.header.voices;
        }
        return;
    }
    CSimBitWriter& out = answer.out;
    switch (mol.id) {
    case 0x02:
        WriteSettingsDump(out, settings_);
        ++answer.count;
        break;
    case 0x04: {
        std::array<int, 4> voices{};
        for (int s = 0; s < SlotCount(); ++s)
            voices[s] = slots_[s].voices;
        WriteVoicesDump(out, voices);
        ++answer.count;
        break;
    }
    case 0x06:
        WriteSelectionDump(out, selection_, SlotCount());
        ++answer.count;
        break;
    case 0x08:
        WriteSlotFocusDump(out, focusSlot_);
        ++answer.count;
        break;
    case 0x03:
        settings_ = *mol.settings;
        break;
    case 0x07:
        for (int s = 0; s < 4; ++s)
            selection_[s] = s < SlotCount() && mol.v[s];
        break;
    case 0x09:
        focusSlot_ = mol.v[0] ? 4 : mol.v[1];
        break;
    case 0x35:
        out.Byte(0x36);
        out.Byte(slot < SlotCount() ? slots_[slot].session : 0);
        ++answer.count;
        answer.slotNumbered = true;
        break;
    case 0x56:
        soundingNote_ = mol.v[0] == 0 ? mol.v[1] : -1;
        break;
    default:
        break; // 0x37 alone: a bubble without a patch
    }
}

void CSimulator::ExecuteFlash(const SimMol& mol, Answer& answer)
{
    CSimBitWriter& out = answer.out;
    const auto result = [&](int bank, int location, int requester, int code) {
        WriteFlashResult(out, bank, location, requester, code);
        ++answer.count;
    };
    switch (mol.id) {
    case 0x0A: { // load
        const int slot = std::min(mol.v[0], 3), bank = mol.v[1], location = mol.v[2];
        const SimPatch* patch = flash_.At(bank, location);
        if (!patch || slot >= SlotCount()) {
            result(bank, location, 0, 1);
            break;
        }
        LoadSlot(slot, *patch);
        NewSession(slot);
        result(bank, location, 0, 0);
        answer.after.push_back([this, slot] {
            CSimBitWriter release;
            release.Byte(0x38);
            release.Byte(static_cast<unsigned>(slot));
            release.Byte(slots_[slot].session);
            SendUnsolicited(static_cast<uint8_t>(slot), false, release, 1);
        });
        break;
    }
    case 0x0B: { // store
        const int slot = std::min(mol.v[0], 3), bank = mol.v[1], location = mol.v[2];
        if (config_.memoryProtect)
            result(bank, location, 0, 4);
        else if (!flash_.Valid(bank, location) || slot >= SlotCount())
            result(bank, location, 0, 3);
        else {
            flash_.Store(bank, location, slots_[slot].patch);
            result(bank, location, 0, 0);
            flash_.WriteLocationUpdate(out, bank, location);
            answer.count += 2;
        }
        break;
    }
    case 0x0C: { // delete
        const int bank = mol.v[0], location = mol.v[1], requester = mol.v[2] == 1 ? 1 : 0;
        if (config_.memoryProtect)
            result(bank, location, requester, 4);
        else {
            flash_.Erase(bank, location);
            result(bank, location, requester, requester ? 5 : 0);
            if (flash_.Valid(bank, location)) {
                flash_.WriteLocationUpdate(out, bank, location);
                answer.count += 2;
            }
        }
        break;
    }
    case 0x14:
        flash_.WriteDataDump(out, mol.v[0], mol.v[1]);
        ++answer.count;
        break;
    case 0x17: { // upload: the marker, then the patch
        const int bank = mol.v[0], location = mol.v[1];
        const SimPatch* patch = flash_.At(bank, location);
        out.Byte(0x18);
        out.Byte(patch ? 2 : 4);
        out.Byte(static_cast<unsigned>(std::clamp(bank, 0, 8)));
        out.Byte(static_cast<unsigned>(std::clamp(location, 0, kLocations - 1)));
        ++answer.count;
        if (patch) {
            out.Text16(FlashName(patch->name));
            WritePatchDump(out, *patch, types_);
            answer.count += 15;
        }
        break;
    }
    default:
        break;
    }
}

void CSimulator::AnswerPatchRequest(const SimMol& mol, uint8_t slot, Answer& answer)
{
    const SimPatch& p = slots_[slot].patch;
    const int area = mol.v.empty() ? 1 : (AreaFromByte(static_cast<unsigned>(mol.v[0])) == 0 ? 0 : 1);
    CSimBitWriter& out = answer.out;
    answer.slotNumbered = true;
    switch (mol.id) {
    case 0x20:
        WriteHeaderDump(out, p.header);
        break;
    case 0x28:
        WriteSimple(out, 0x27, {}, p.name);
        break;
    case 0x2E:
        WriteParamFocusDump(out, p.focus);
        break;
    case 0x4B:
        WriteModuleDump(out, area, p.areas[area]);
        break;
    case 0x4C:
        WriteParamDump(out, area, p.areas[area], types_);
        break;
    case 0x4E:
        WriteNameDump(out, area, p.areas[area]);
        break;
    case 0x4F:
        WriteCustomDump(out, area, p.areas[area]);
        break;
    case 0x53:
        WriteCableDump(out, area, p.areas[area]);
        break;
    case 0x61:
        WriteCtrlMapDump(out, p.ctrls);
        break;
    case 0x63:
        WriteKnobMapDump(out, p.knobs);
        break;
    case 0x66:
        WriteMorphMapDump(out, p.morph);
        break;
    case 0x68:
        WriteNotesDump(out, p.notes);
        break;
    default:
        return; // the flush blink asks for nothing
    }
    ++answer.count;
}

} // namespace sim
