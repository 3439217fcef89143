#include "synth/flash/BankTransfer.h"

#include "framework/files/DirIterator.h"
#include "framework/files/DirSpec.h"
#include "framework/files/FileSpec.h"
#include "framework/lists/LineRing.h"
#include "framework/windows/ABCWindow.h"
#include "platform/base/DroppedExceptions.h"
#include "platform/system/Clock.h"
#include "synth/files/PatchFileTypes.h"
#include "synth/files/PatchListFile.h"
#include "synth/flash/BankTransferHost.h"
#include "synth/flash/TransferDocumentsInterface.h"
#include "synth/flash/TransferPatchInterface.h"
#include "synth/molecules/FlashMolecules.h"
#include "synth/molecules/MoleculePacket.h"
#include "synth/molecules/SynthMolecules.h"
#include "synth/protocol/TextFunctions.h"

#include <algorithm>
#include <new>

namespace {

constexpr const char* kOutOfMemory = "Out of memory";
constexpr const char* kOutOfMemoryStep = "Out of memory!";
constexpr const char* kAborted = "Aborted by user";
constexpr const char* kSkipped = "-skipped";
constexpr const char* kFixed = "-fixed";
constexpr const char* kNoPatchFiles = "Can't find any patch files in the folder.";
constexpr const char* kTooManyPatchFiles = "Too many patch files in the folder.";
constexpr const char* kPatchExtension = ".pch";

// Display numbers as runs: "101-103, 105".
std::string RunsText(const std::vector<int>& numbers)
{
    std::string text;
    for (size_t i = 0; i < numbers.size();) {
        size_t last = i;
        while (last + 1 < numbers.size() && numbers[last + 1] == numbers[last] + 1)
            ++last;
        if (!text.empty())
            text += ", ";
        text += std::to_string(numbers[i]);
        if (last > i)
            text += "-" + std::to_string(numbers[last]);
        i = last + 1;
    }
    return text;
}

bool IsPatchFile(const NSHarrowen::CFileTypeEntry& entry)
{
    return !entry.directory && entry.name.size() > 4 &&
        entry.name.compare(entry.name.size() - 4, 4, kPatchExtension) == 0;
}

// The molecules of a flash dump answer after its marker: the patch.
std::vector<CMolecule*> MoleculesAfter(const CMolecule& marker, const CMoleculePacket& packet)
{
    const auto found = std::find(packet.begin(), packet.end(), &marker);
    return found == packet.end() ? std::vector<CMolecule*>() : std::vector<CMolecule*>(std::next(found), packet.end());
}

// Lists the molecules in a packet that does not own them.
template <class Molecules> void ListBorrowed(const Molecules& molecules, CMoleculePacket& into)
{
    into.SetOwns(false);
    for (const auto& molecule : molecules)
        into.AppendBorrowed(*molecule);
}

} // namespace

CBankTransfer::CBankTransfer(CBankTransferHost& host) : host_(host) { }

CBankTransfer::~CBankTransfer() = default;

// ---- starting ----

void CBankTransfer::Begin(NSHarrowen::CLineRing* report, CFlashAddress address)
{
    report_ = report;
    if (report_ != nullptr)
        report_->Clear();
    state_ = kStateIdle;
    result_ = kResultNone;
    address_ = address;
    abortRequested_ = false;
    currentName_.clear();
    awaiting_ = false;
    repeats_ = 0;
    claim_ = nullptr;
    done_ = {};
    pending_.reset();
}

bool CBankTransfer::Run(uint32_t state)
{
    if (documents_ == nullptr) {
        Fail(kOutOfMemory);
        return false;
    }
    entryCount_ = static_cast<uint16_t>(
        std::count_if(entries_.begin(), entries_.end(), [](const std::string& e) { return !e.empty(); }));
    state_ = state;
    NSHarrowen::UpdateAllWindows();
    host_.WantStep();
    return true;
}

bool CBankTransfer::DownloadFromListFile(const NSHarrowen::CFileSpec& listFile, uint8_t bank,
                                         NSHarrowen::CLineRing* report)
{
    Begin(report, {CFlashAddress::ClampBank(bank), 0});
    try {
        sourceSpec_ = std::make_unique<NSHarrowen::CFileSpec>(listFile);
        folderSpec_ = listFile.MakeDirSpec();
        if (!ReadPatchList()) {
            End(kResultFailed);
            return false;
        }
    } catch (const std::bad_alloc&) {
        Fail(kOutOfMemory);
        return false;
    }
    return Run(kStateDownload);
}

bool CBankTransfer::DownloadFromFolder(const NSHarrowen::CDirSpec& folder, uint8_t bank, NSHarrowen::CLineRing* report)
{
    Begin(report, {CFlashAddress::ClampBank(bank), 0});
    try {
        sourceSpec_.reset();
        folderSpec_ = std::make_unique<NSHarrowen::CDirSpec>(folder);
        if (!ScanFolder())
            return false;
    } catch (const std::bad_alloc&) {
        Fail(kOutOfMemory);
        return false;
    }
    return Run(kStateDownload);
}

bool CBankTransfer::StartUpload(const NSHarrowen::CFileSpec& listFile, uint8_t bank, NSHarrowen::CLineRing* report)
{
    Begin(report, {CFlashAddress::ClampBank(bank), 0});
    try {
        sourceSpec_ = std::make_unique<NSHarrowen::CFileSpec>(listFile);
        folderSpec_ = listFile.MakeDirSpec();
        entries_.clear();
        entries_.reserve(kPositions);
    } catch (const std::bad_alloc&) {
        Fail(kOutOfMemory);
        return false;
    }
    return Run(kStateUpload);
}

bool CBankTransfer::DownloadFromFiles(const NSHarrowen::CFileSpec& file, CFlashAddress address,
                                      NSHarrowen::CLineRing* report)
{
    Begin(report, CFlashAddress::Clamped(address.bank, address.location));
    try {
        sourceSpec_ = std::make_unique<NSHarrowen::CFileSpec>(file);
        folderSpec_ = file.MakeDirSpec();
        entries_.assign(1, file.GetFileName());
    } catch (const std::bad_alloc&) {
        Fail(kOutOfMemory);
        return false;
    }
    return Run(kStateDownloadFile);
}

// The folder's patch files in ascending order of their names' character
// codes; they fill the positions from the first on.
bool CBankTransfer::ScanFolder()
{
    entries_.clear();
    NSHarrowen::CDirIterator files(*folderSpec_);
    while (const std::unique_ptr<NSHarrowen::CFileTypeEntry> entry = files.Next()) {
        if (IsPatchFile(*entry))
            entries_.push_back(entry->name);
    }
    if (entries_.empty()) {
        Fail(kNoPatchFiles);
        return false;
    }
    if (entries_.size() > kPositions) {
        entries_.clear();
        Fail(kTooManyPatchFiles);
        return false;
    }
    std::sort(entries_.begin(), entries_.end());
    return true;
}

// ---- stepping ----

bool CBankTransfer::Tick()
{
    if (state_ == kStateIdle)
        return false;
    if (awaiting_) {
        if (static_cast<int64_t>(platform::NowMilliseconds() - sentAt_) > kAnswerTimeoutMs)
            RepeatOrGiveUp();
        return IsRunning();
    }
    try {
        switch (state_) {
        case kStateDownload:
            DownloadStep();
            break;
        case kStateUpload: {
            // The next position's dump travels while the last one is written.
            UploadStep();
            std::string failure;
            if (!SavePending(failure))
                Fail(failure);
            break;
        }
        case kStateDownloadFile:
            DownloadFileStep();
            break;
        default:
            break;
        }
    } catch (const std::bad_alloc&) {
        Fail(kOutOfMemoryStep);
    }
    return IsRunning();
}

// The answer to the position in hand never came (or the port took it for
// another's): ask again, unless Cancel was pressed or it was asked often
// enough.
void CBankTransfer::RepeatOrGiveUp()
{
    awaiting_ = false;
    if (TakeAbort())
        return;
    if (++repeats_ > kMaxRepeats) {
        Fail(kLostContactText);
        return;
    }
    Tick();
}

void CBankTransfer::Sent(std::vector<int>* claim)
{
    awaiting_ = true;
    sentAt_ = platform::NowMilliseconds();
    claim_ = claim;
}

void CBankTransfer::DownloadStep()
{
    const size_t position = address_.location;
    const std::string entry = position < entries_.size() ? entries_[position] : std::string();
    if (entry.empty()) {
        currentName_.clear();
        SendDelete();
        return;
    }
    currentName_ = entry;
    RemovePatchExtension(currentName_);
    const std::unique_ptr<NSHarrowen::CFileSpec> file = FindPatchFile(entry);
    SendPatchFile(*file, true);
}

void CBankTransfer::DownloadFileStep()
{
    currentName_ = entries_.front();
    RemovePatchExtension(currentName_);
    if (!SendPatchFile(*sourceSpec_, false))
        Finish();
}

// A file that could not be applied at all is skipped (the position is
// emptied when asked). A file applied only in part is sent as far as it
// was read and reported as fixed, unless nothing of a patch was left: an
// empty patch never replaces what the position held.
bool CBankTransfer::SendPatchFile(const NSHarrowen::CFileSpec& file, bool emptyOnFailure)
{
    std::optional<XFileBase> problem;
    std::unique_ptr<CTransferPatchInterface> patch;
    try {
        patch = documents_->OpenPatchFile(file, problem);
    } catch (const XFileBase&) {
        patch.reset();
    }
    if (patch == nullptr || (problem && patch->IsEmpty())) {
        ReportEntry(address_, currentName_, kSkipped);
        done_.skipped.push_back(address_.GetDisplayNumber());
        if (emptyOnFailure)
            SendDelete();
        return false;
    }
    if (problem)
        ReportEntry(address_, currentName_, kFixed);
    CMoleculePacket packet;
    patch->BuildPatchDump(packet);
    packet.Append(std::make_unique<CMDumpBubbleDestination>(1, address_.bank, address_.location, patch->GetName()));
    host_.SendRequest(packet);
    Sent(&done_.written);
    return true;
}

void CBankTransfer::SendDelete()
{
    CMoleculePacket packet;
    packet.Append(std::make_unique<CMFlashDeleteCommand>(address_, 1));
    host_.SendRequest(packet);
    Sent(&done_.emptied);
}

void CBankTransfer::UploadStep()
{
    CMoleculePacket packet;
    packet.Append(std::make_unique<CMFlashDumpRequest>(address_));
    host_.SendDump(packet);
    Sent(nullptr);
}

// The file of exactly the entry's name in the job's folder, else the one
// named without ".pch".
std::unique_ptr<NSHarrowen::CFileSpec> CBankTransfer::FindPatchFile(const std::string& entry) const
{
    std::unique_ptr<NSHarrowen::CFileSpec> file = folderSpec_->MakeFileSpec(entry);
    if (file->Exists())
        return file;
    std::string bare = entry;
    RemovePatchExtension(bare);
    if (bare.empty() || bare == entry)
        return file;
    return folderSpec_->MakeFileSpec(bare);
}

// ---- answers ----

// Answers are taken only for the position in hand: one that arrives late or
// twice must not move the job on.
bool CBankTransfer::IsAnswerFor(CFlashAddress address) const
{
    return state_ != kStateIdle && awaiting_ && address == address_;
}

void CBankTransfer::OnCommandResult(const CMFlashCommandResult& result)
{
    if (!IsAnswerFor(result.address) || state_ == kStateUpload)
        return;
    if (result.result == 4)
        OnMemoryProtect();
    else if (result.result == 5)
        OnPositionDone();
}

void CBankTransfer::OnDumpMarker(const CMFlashDumpMarker& marker, CMoleculePacket& packet)
{
    if (!IsAnswerFor(marker.address) || state_ != kStateUpload)
        return;
    switch (marker.kind) {
    case CMFlashDumpMarker::kKindDone:
        OnUploadPositionDone();
        break;
    case CMFlashDumpMarker::kKindProtect:
        OnMemoryProtect();
        break;
    case CMFlashDumpMarker::kKindPatch:
        OnPatchDump(marker, packet);
        break;
    case CMFlashDumpMarker::kKindFull:
        OnMemoryFull();
        break;
    case CMFlashDumpMarker::kKindEmpty:
        OnEmptyPosition();
        break;
    default:
        break;
    }
}

void CBankTransfer::OnMemoryProtect()
{
    awaiting_ = false;
    Fail("Memory protect on!");
}

void CBankTransfer::OnMemoryFull()
{
    awaiting_ = false;
    Fail(EntryText(address_, currentName_, "Memory full!"));
}

void CBankTransfer::OnEmptyPosition()
{
    awaiting_ = false;
    currentName_.clear();
    std::string failure;
    if (!SavePending(failure)) {
        Fail(failure);
        return;
    }
    try {
        entries_.emplace_back();
    } catch (const std::bad_alloc&) {
        Fail(kOutOfMemoryStep);
        return;
    }
    OnUploadPositionDone();
}

// The molecules after the marker are the position's patch. They are kept
// and made a document at the next step, once the next position's request
// is on its way; the last one, or one before a stop, at once.
void CBankTransfer::OnPatchDump(const CMFlashDumpMarker& marker, CMoleculePacket& packet)
{
    awaiting_ = false;
    try {
        std::string failure;
        if (!SavePending(failure)) {
            Fail(failure);
            return;
        }
        // The name goes into the file's name and the report: cleaned as
        // names from files are.
        std::string name = marker.name;
        RemoveInvalidPatchNameChars(name);
        pending_ = std::make_unique<CPendingSave>(CPendingSave{nullptr, address_, name});
        const bool last = abortRequested_ || address_.location >= CFlashAddress::kMaxLocation;
        if (last || !KeepDumps(marker, packet)) {
            CMoleculePacket dumps;
            ListBorrowed(MoleculesAfter(marker, packet), dumps);
            if (!BuildPending(*pending_, dumps, failure)) {
                pending_.reset();
                Fail(failure);
                return;
            }
        }
    } catch (const std::bad_alloc&) {
        // This patch was neither built nor kept: the kept dumps are still the
        // last patch's, which must not be saved again under this position.
        pending_.reset();
        Fail(kOutOfMemoryStep);
        return;
    }
    OnUploadPositionDone();
}

// Takes the molecules after the marker over from the packet; false when
// the packet does not own them all (those taken stay kept).
bool CBankTransfer::KeepDumps(const CMFlashDumpMarker& marker, CMoleculePacket& packet)
{
    std::vector<std::unique_ptr<CMolecule>> kept;
    // Room first: a molecule taken is never dropped while the packet lists it.
    kept.reserve(packet.GetCount());
    bool whole = true;
    for (CMolecule* molecule : MoleculesAfter(marker, packet)) {
        std::unique_ptr<CMolecule> taken = packet.Release(*molecule);
        whole = whole && taken != nullptr;
        if (taken != nullptr)
            kept.push_back(std::move(taken));
    }
    received_ = std::move(kept);
    return whole;
}

// The document of a received patch; false with the report line when the
// dumps do not make one.
bool CBankTransfer::BuildPending(CPendingSave& pending, const CMoleculePacket& dumps, std::string& failure)
{
    if (pending.patch != nullptr)
        return true;
    try {
        bool fixed = false;
        pending.patch = documents_->PatchFromDumps(dumps, pending.name, fixed);
        if (fixed)
            ReportEntry(pending.address, pending.patch->GetName(), kFixed);
    } catch (const std::bad_alloc&) {
        failure = kOutOfMemoryStep;
        return false;
    } catch (...) {
        // The report says only "Dump error"; what it was goes to the log.
        platform::RecordDroppedException("building an uploaded patch");
        failure = "Dump error";
        return false;
    }
    currentName_ = pending.patch->GetName();
    return true;
}

// Saves the patch kept from the last dump under its own name, or a numbered
// one when that is taken. False with the report line when it fails.
bool CBankTransfer::SavePending(std::string& failure)
{
    if (pending_ == nullptr)
        return true;
    const std::unique_ptr<CPendingSave> pending = std::move(pending_);
    if (pending->patch == nullptr) {
        CMoleculePacket dumps;
        ListBorrowed(received_, dumps);
        if (!BuildPending(*pending, dumps, failure))
            return false;
    }
    const std::string name = pending->patch->GetName();
    try {
        bool renamed = false;
        const std::string fileName = ChooseFileName(FileNameFromPatchName(name), renamed);
        if (renamed)
            ReportEntry(pending->address, name, "Name changed to " + fileName);
        pending->patch->SaveToFile(*folderSpec_->MakeFileSpec(fileName));
        entries_.push_back(fileName);
    } catch (const XFileBase&) {
        failure = "Could not save " + name + ". Aborting!";
        return false;
    } catch (const std::bad_alloc&) {
        failure = kOutOfMemoryStep;
        return false;
    } catch (...) {
        platform::RecordDroppedException("saving an uploaded patch");
        failure = "Dump error";
        return false;
    }
    done_.written.push_back(pending->address.GetDisplayNumber());
    return true;
}

std::string CBankTransfer::ChooseFileName(const std::string& base, bool& renamed) const
{
    std::string candidate = base + kPatchExtension;
    renamed = false;
    for (uint32_t number = 1; folderSpec_->MakeFileSpec(candidate)->Exists(); ++number) {
        candidate = base + std::to_string(number) + kPatchExtension;
        renamed = true;
    }
    return candidate;
}

// ---- moving on ----

bool CBankTransfer::TakeAbort()
{
    if (!abortRequested_)
        return false;
    Fail(kAborted);
    return true;
}

void CBankTransfer::OnPositionDone()
{
    awaiting_ = false;
    repeats_ = 0;
    if (claim_ != nullptr)
        claim_->push_back(address_.GetDisplayNumber());
    claim_ = nullptr;
    if (TakeAbort())
        return;
    if (state_ == kStateDownloadFile || address_.location >= CFlashAddress::kMaxLocation) {
        Finish();
        return;
    }
    ++address_.location;
}

void CBankTransfer::OnUploadPositionDone()
{
    awaiting_ = false;
    repeats_ = 0;
    if (TakeAbort())
        return;
    if (address_.location < CFlashAddress::kMaxLocation) {
        ++address_.location;
        return;
    }
    std::string failure;
    if (!SavePending(failure))
        Fail(failure);
    else if (WritePatchList())
        Finish();
    else
        Fail({});
}

void CBankTransfer::ReleaseReport(const NSHarrowen::CLineRing* report)
{
    if (report == nullptr || report_ != report)
        return;
    report_ = nullptr;
    // It ends at the synthesizer's next answer, as a stop does; ending here
    // would run the window passes from inside the report owner's teardown.
    if (state_ != kStateIdle)
        abortRequested_ = true;
}

void CBankTransfer::OnLinkLost(const std::string& reason)
{
    if (state_ == kStateIdle)
        return;
    awaiting_ = false;
    Fail(reason);
}

void CBankTransfer::Finish()
{
    // A bank job's log tells what was done also when all went well; a
    // single file's store (the browser's) reports only what went wrong.
    if (state_ != kStateDownloadFile)
        ReportDone();
    End(kResultFinished);
}

// What was done so far stays in the report, then the reason of the end.
void CBankTransfer::Fail(const std::string& reason)
{
    // A patch received in full is saved whatever ends the job.
    std::string failure;
    if (!SavePending(failure))
        ReportLine(failure);
    ReportDone();
    if (!reason.empty())
        ReportLine(reason);
    End(kResultFailed);
}

void CBankTransfer::ReportDone()
{
    if (state_ == kStateIdle)
        return;
    if (!done_.written.empty())
        ReportLine((state_ == kStateUpload ? "Saved: " : "Written: ") + RunsText(done_.written));
    if (!done_.emptied.empty())
        ReportLine("Emptied: " + RunsText(done_.emptied));
    if (!done_.skipped.empty())
        ReportLine("Skipped: " + RunsText(done_.skipped));
}

void CBankTransfer::End(uint32_t result)
{
    pending_.reset();
    result_ = result;
    state_ = kStateIdle;
    awaiting_ = false;
    claim_ = nullptr;
    report_ = nullptr;
    NSHarrowen::UpdateAllWindows();
}

// ---- progress and report ----

uint32_t CBankTransfer::GetProgress() const
{
    return state_ == kStateIdle ? 0 : uint32_t{address_.location} * 1000 / kPositions;
}

std::string CBankTransfer::GetCurrentName() const
{
    return state_ == kStateIdle ? std::string() : currentName_;
}

void CBankTransfer::ReportLine(const std::string& text)
{
    if (report_ != nullptr)
        report_->AddLine(text.c_str());
}

void CBankTransfer::ReportEntry(CFlashAddress address, const std::string& name, const std::string& text)
{
    ReportLine(EntryText(address, name, text));
}

std::string CBankTransfer::EntryText(CFlashAddress address, const std::string& name, const std::string& text)
{
    return std::to_string(address.GetDisplayNumber()) + " : " + name + " : " + text;
}

// ---- the patch list ----

bool CBankTransfer::WritePatchList()
{
    CPatchListFile list;
    if (list.Write(*sourceSpec_, entries_))
        return true;
    ReportLine(list.GetFailure());
    return false;
}

bool CBankTransfer::ReadPatchList()
{
    CPatchListFile list;
    if (list.Read(*sourceSpec_, entries_))
        return true;
    ReportLine(list.GetFailure());
    return false;
}
