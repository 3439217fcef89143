#include "synth/protocol/FlashMemory.h"
#include "synth/protocol/TextFunctions.h"

#include "platform/system/Clock.h"
#include "synth/molecules/MoleculePacket.h"
#include "synth/molecules/FlashMolecules.h"

#include <algorithm>

namespace {

const std::vector<CFlashEntry> kNoEntries;

// What the synthesizer's result code of a single command means to the user.
struct CCommandOutcome {
    uint8_t code;
    uint32_t result;
    const char* text;
};
constexpr CCommandOutcome kOutcomes[] = {
    {0, CFlashMemory::kResultDone, ""},
    {1, CFlashMemory::kResultLoadFailed, "Can't load from flash"},
    {2, CFlashMemory::kResultDone, ""},
    {3, CFlashMemory::kResultMemoryFull, "Flash memory full"},
    {4, CFlashMemory::kResultMemoryProtect, "Memory protect on"},
    {5, CFlashMemory::kResultDone, ""},
};

} // namespace

CFlashMemory::CFlashMemory(CFlashMemoryHost& host, uint8_t bankCount)
    : host_(host), banks_(std::clamp<uint8_t>(bankCount, 1, CFlashAddress::kMaxBank + 1))
{ }

const std::vector<CFlashEntry>& CFlashMemory::GetBank(uint8_t bank) const
{
    return bank < banks_.size() ? banks_[bank] : kNoEntries;
}

bool CFlashMemory::ContinueScan()
{
    if (!scanning_)
        return false;
    // One request at a time: a second one would only repeat the first.
    if (host_.IsWaitingForReply())
        return true;
    CMoleculePacket packet;
    packet.Append(std::make_unique<CMFlashDataRequest>(scanPosition_));
    host_.SendRequest(packet);
    return true;
}

void CFlashMemory::OnDataDump(const CMFlashDataDump& dump)
{
    for (const CFlashDumpItem& item : dump.GetItems())
        Enter(item.address, item.name);
    AdvanceScan(dump);
    StampChange();
}

void CFlashMemory::OnDeleteDump(const CMFlashDeleteDump& dump)
{
    if (Remove(dump.address))
        StampChange();
}

void CFlashMemory::LoadToSlot(uint8_t slot, CFlashAddress address)
{
    SendCommand(std::make_unique<CMFlashLoadCommand>(slot, address));
}

void CFlashMemory::StoreFromSlot(uint8_t slot, CFlashAddress address)
{
    SendCommand(std::make_unique<CMFlashStoreCommand>(slot, address));
}

void CFlashMemory::DeleteLocation(CFlashAddress address)
{
    SendCommand(std::make_unique<CMFlashDeleteCommand>(address, 0));
}

void CFlashMemory::SendCommand(std::unique_ptr<CMolecule> command)
{
    lastResultText_.clear();
    if (host_.IsWaitingForReply()) {
        lastResult_ = kResultBusy;
        return;
    }
    try {
        CMoleculePacket packet;
        packet.Append(std::move(command));
        host_.SendRequest(packet);
        commandPending_ = true;
    } catch (...) {
        // The dialog shows the failure; the link has already marked the
        // port when the send itself broke down.
        commandPending_ = false;
        lastResult_ = kResultSendFailed;
    }
}

void CFlashMemory::OnCommandResult(const CMFlashCommandResult& result)
{
    commandPending_ = false;
    for (const CCommandOutcome& outcome : kOutcomes) {
        if (outcome.code == result.result) {
            lastResult_ = outcome.result;
            lastResultText_ = outcome.text;
            return;
        }
    }
}

void CFlashMemory::Enter(CFlashAddress address, const std::string& rawName)
{
    // A model with fewer banks has no table for the others.
    if (address.bank >= banks_.size())
        return;
    std::vector<CFlashEntry>& bank = banks_[address.bank];
    // The browser's lists show it: no control character may get there.
    std::string name = rawName;
    RemoveInvalidPatchNameChars(name);
    const auto at = std::ranges::lower_bound(bank, address.location, {}, &CFlashEntry::location);
    if (at != bank.end() && at->location == address.location)
        at->name = name;
    else
        bank.insert(at, CFlashEntry{address.location, name});
}

bool CFlashMemory::Remove(CFlashAddress address)
{
    if (address.bank >= banks_.size())
        return false;
    return std::erase_if(banks_[address.bank], [&](const CFlashEntry& e) { return e.location == address.location; }) !=
        0;
}

// The scan moves on past what the dump reported. A dump without the "more"
// byte, or one that brings the scan no further, would have the same request
// sent again; after a few of those the scan is given up rather than repeated
// forever.
void CFlashMemory::AdvanceScan(const CMFlashDataDump& dump)
{
    if (!scanning_)
        return;
    if (!dump.HasMore()) {
        Stall();
        return;
    }
    if (dump.IsComplete()) {
        scanning_ = false;
        return;
    }
    if (!dump.HasReported() || dump.GetResumeIndex() <= scanPosition_.GetIndex()) {
        Stall();
        return;
    }
    stalledScans_ = 0;
    // The scan ends after the model's last bank.
    if (dump.GetResumeIndex() >= static_cast<int>(banks_.size()) * CFlashAddress::kLocationsPerBank) {
        scanning_ = false;
        return;
    }
    scanPosition_ = CFlashAddress::FromIndex(dump.GetResumeIndex());
}

void CFlashMemory::Stall()
{
    if (++stalledScans_ >= kMaxStalledScans)
        scanning_ = false;
}

void CFlashMemory::StampChange()
{
    changeTime_ = platform::NowMilliseconds();
    ++changeCount_;
}
