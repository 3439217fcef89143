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

} // namespace

CBankTransfer::CBankTransfer(CBankTransferHost& host) : m_host(host) { }

CBankTransfer::~CBankTransfer() = default;

// ---- starting ----

void CBankTransfer::Begin(NSHarrowen::CLineRing* report, CFlashAddress address)
{
    m_report = report;
    if (m_report != nullptr)
        m_report->Clear();
    m_state = kStateIdle;
    m_result = kResultNone;
    m_address = address;
    m_abortRequested = false;
    m_currentName.clear();
    m_awaiting = false;
    m_repeats = 0;
    m_claim = nullptr;
    m_done = {};
    m_pending.reset();
}

bool CBankTransfer::Run(uint32_t state)
{
    if (m_documents == nullptr) {
        Fail(kOutOfMemory);
        return false;
    }
    m_entryCount = static_cast<uint16_t>(
        std::count_if(m_entries.begin(), m_entries.end(), [](const std::string& e) { return !e.empty(); }));
    m_state = state;
    NSHarrowen::UpdateAllWindows();
    return true;
}

bool CBankTransfer::DownloadFromListFile(const NSHarrowen::CFileSpec& listFile, uint8_t bank,
                                         NSHarrowen::CLineRing* report)
{
    Begin(report, {CFlashAddress::ClampBank(bank), 0});
    try {
        m_sourceSpec = std::make_unique<NSHarrowen::CFileSpec>(listFile);
        m_folderSpec = listFile.MakeDirSpec();
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
        m_sourceSpec.reset();
        m_folderSpec = std::make_unique<NSHarrowen::CDirSpec>(folder);
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
        m_sourceSpec = std::make_unique<NSHarrowen::CFileSpec>(listFile);
        m_folderSpec = listFile.MakeDirSpec();
        m_entries.clear();
        m_entries.reserve(kPositions);
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
        m_sourceSpec = std::make_unique<NSHarrowen::CFileSpec>(file);
        m_folderSpec = file.MakeDirSpec();
        m_entries.assign(1, file.GetFileName());
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
    m_entries.clear();
    NSHarrowen::CDirIterator files(*m_folderSpec);
    while (const std::unique_ptr<NSHarrowen::CFileTypeEntry> entry = files.Next()) {
        if (IsPatchFile(*entry))
            m_entries.push_back(entry->name);
    }
    if (m_entries.empty()) {
        Fail(kNoPatchFiles);
        return false;
    }
    if (m_entries.size() > kPositions) {
        m_entries.clear();
        Fail(kTooManyPatchFiles);
        return false;
    }
    std::sort(m_entries.begin(), m_entries.end());
    return true;
}

// ---- stepping ----

bool CBankTransfer::Tick()
{
    if (m_state == kStateIdle)
        return false;
    if (m_awaiting) {
        if (static_cast<int64_t>(platform::NowMilliseconds() - m_sentAt) > kAnswerTimeoutMs)
            RepeatOrGiveUp();
        return IsRunning();
    }
    try {
        switch (m_state) {
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
    m_awaiting = false;
    if (TakeAbort())
        return;
    if (++m_repeats > kMaxRepeats) {
        Fail(kLostContactText);
        return;
    }
    Tick();
}

void CBankTransfer::Sent(std::vector<int>* claim)
{
    m_awaiting = true;
    m_sentAt = platform::NowMilliseconds();
    m_claim = claim;
}

void CBankTransfer::DownloadStep()
{
    const size_t position = m_address.location;
    const std::string entry = position < m_entries.size() ? m_entries[position] : std::string();
    if (entry.empty()) {
        m_currentName.clear();
        SendDelete();
        return;
    }
    m_currentName = entry;
    RemovePatchExtension(m_currentName);
    const std::unique_ptr<NSHarrowen::CFileSpec> file = FindPatchFile(entry);
    SendPatchFile(*file, true);
}

void CBankTransfer::DownloadFileStep()
{
    m_currentName = m_entries.front();
    RemovePatchExtension(m_currentName);
    if (!SendPatchFile(*m_sourceSpec, false))
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
        patch = m_documents->OpenPatchFile(file, problem);
    } catch (const XFileBase&) {
        patch.reset();
    }
    if (patch == nullptr || (problem && patch->IsEmpty())) {
        ReportEntry(m_address, m_currentName, kSkipped);
        m_done.skipped.push_back(m_address.GetDisplayNumber());
        if (emptyOnFailure)
            SendDelete();
        return false;
    }
    if (problem)
        ReportEntry(m_address, m_currentName, kFixed);
    CMoleculePacket packet;
    patch->BuildPatchDump(packet);
    packet.Append(std::make_unique<CMDumpBubbleDestination>(1, m_address.bank, m_address.location, patch->GetName()));
    m_host.SendRequest(packet);
    Sent(&m_done.written);
    return true;
}

void CBankTransfer::SendDelete()
{
    CMoleculePacket packet;
    packet.Append(std::make_unique<CMFlashDeleteCommand>(m_address, 1));
    m_host.SendRequest(packet);
    Sent(&m_done.emptied);
}

void CBankTransfer::UploadStep()
{
    CMoleculePacket packet;
    packet.Append(std::make_unique<CMFlashDumpRequest>(m_address));
    m_host.SendDump(packet);
    Sent(nullptr);
}

// The file of exactly the entry's name in the job's folder, else the one
// named without ".pch".
std::unique_ptr<NSHarrowen::CFileSpec> CBankTransfer::FindPatchFile(const std::string& entry) const
{
    std::unique_ptr<NSHarrowen::CFileSpec> file = m_folderSpec->MakeFileSpec(entry);
    if (file->Exists())
        return file;
    std::string bare = entry;
    RemovePatchExtension(bare);
    if (bare.empty() || bare == entry)
        return file;
    return m_folderSpec->MakeFileSpec(bare);
}

// ---- answers ----

// Answers are taken only for the position in hand: one that arrives late or
// twice must not move the job on.
bool CBankTransfer::IsAnswerFor(CFlashAddress address) const
{
    return m_state != kStateIdle && m_awaiting && address == m_address;
}

void CBankTransfer::OnCommandResult(const CMFlashCommandResult& result)
{
    if (!IsAnswerFor(result.address) || m_state == kStateUpload)
        return;
    if (result.result == 4)
        OnMemoryProtect();
    else if (result.result == 5)
        OnPositionDone();
}

void CBankTransfer::OnDumpMarker(const CMFlashDumpMarker& marker, const CMoleculePacket& packet)
{
    if (!IsAnswerFor(marker.address) || m_state != kStateUpload)
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
    m_awaiting = false;
    Fail("Memory protect on!");
}

void CBankTransfer::OnMemoryFull()
{
    m_awaiting = false;
    Fail(EntryText(m_address, m_currentName, "Memory full!"));
}

void CBankTransfer::OnEmptyPosition()
{
    m_awaiting = false;
    m_currentName.clear();
    std::string failure;
    if (!SavePending(failure)) {
        Fail(failure);
        return;
    }
    try {
        m_entries.emplace_back();
    } catch (const std::bad_alloc&) {
        Fail(kOutOfMemoryStep);
        return;
    }
    OnUploadPositionDone();
}

// The molecules after the marker are the position's patch. It is kept as a
// document and written at the next step, once the next position's request
// is on its way.
void CBankTransfer::OnPatchDump(const CMFlashDumpMarker& marker, const CMoleculePacket& packet)
{
    m_awaiting = false;
    CMoleculePacket dumps;
    dumps.SetOwns(false);
    try {
        bool after = false;
        for (CMolecule* molecule : packet) {
            if (after)
                dumps.AppendBorrowed(*molecule);
            after = after || molecule == &marker;
        }
        std::string failure;
        if (!SavePending(failure)) {
            Fail(failure);
            return;
        }
        m_pending =
            std::make_unique<CPendingSave>(CPendingSave{m_documents->PatchFromDumps(dumps, marker.name), m_address});
    } catch (const std::bad_alloc&) {
        Fail(kOutOfMemoryStep);
        return;
    } catch (...) {
        // The report says only "Dump error"; what it was goes to the log.
        platform::RecordDroppedException("building an uploaded patch");
        Fail("Dump error");
        return;
    }
    m_currentName = m_pending->patch->GetName();
    OnUploadPositionDone();
}

// Saves the patch kept from the last dump under its own name, or a numbered
// one when that is taken. False with the report line when it fails.
bool CBankTransfer::SavePending(std::string& failure)
{
    if (m_pending == nullptr)
        return true;
    const std::unique_ptr<CPendingSave> pending = std::move(m_pending);
    const std::string name = pending->patch->GetName();
    try {
        bool renamed = false;
        const std::string fileName = ChooseFileName(FileNameFromPatchName(name), renamed);
        if (renamed)
            ReportEntry(pending->address, name, "Name changed to " + fileName);
        pending->patch->SaveToFile(*m_folderSpec->MakeFileSpec(fileName));
        m_entries.push_back(fileName);
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
    m_done.written.push_back(pending->address.GetDisplayNumber());
    return true;
}

std::string CBankTransfer::ChooseFileName(const std::string& base, bool& renamed) const
{
    std::string candidate = base + kPatchExtension;
    renamed = false;
    for (uint32_t number = 1; m_folderSpec->MakeFileSpec(candidate)->Exists(); ++number) {
        candidate = base + std::to_string(number) + kPatchExtension;
        renamed = true;
    }
    return candidate;
}

// ---- moving on ----

bool CBankTransfer::TakeAbort()
{
    if (!m_abortRequested)
        return false;
    Fail(kAborted);
    return true;
}

void CBankTransfer::OnPositionDone()
{
    m_awaiting = false;
    m_repeats = 0;
    if (m_claim != nullptr)
        m_claim->push_back(m_address.GetDisplayNumber());
    m_claim = nullptr;
    if (TakeAbort())
        return;
    if (m_state == kStateDownloadFile || m_address.location >= CFlashAddress::kMaxLocation) {
        Finish();
        return;
    }
    ++m_address.location;
}

void CBankTransfer::OnUploadPositionDone()
{
    m_awaiting = false;
    m_repeats = 0;
    if (TakeAbort())
        return;
    if (m_address.location < CFlashAddress::kMaxLocation) {
        ++m_address.location;
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
    if (report == nullptr || m_report != report)
        return;
    m_report = nullptr;
    // It ends at the synthesizer's next answer, as a stop does; ending here
    // would run the window passes from inside the report owner's teardown.
    if (m_state != kStateIdle)
        m_abortRequested = true;
}

void CBankTransfer::OnLinkLost(const std::string& reason)
{
    if (m_state == kStateIdle)
        return;
    m_awaiting = false;
    Fail(reason);
}

void CBankTransfer::Finish()
{
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
    if (m_state == kStateIdle)
        return;
    if (!m_done.written.empty())
        ReportLine((m_state == kStateUpload ? "Saved: " : "Written: ") + RunsText(m_done.written));
    if (!m_done.emptied.empty())
        ReportLine("Emptied: " + RunsText(m_done.emptied));
    if (!m_done.skipped.empty())
        ReportLine("Skipped: " + RunsText(m_done.skipped));
}

void CBankTransfer::End(uint32_t result)
{
    m_pending.reset();
    m_result = result;
    m_state = kStateIdle;
    m_awaiting = false;
    m_claim = nullptr;
    m_report = nullptr;
    NSHarrowen::UpdateAllWindows();
}

// ---- progress and report ----

uint32_t CBankTransfer::GetProgress() const
{
    return m_state == kStateIdle ? 0 : uint32_t{m_address.location} * 1000 / kPositions;
}

std::string CBankTransfer::GetCurrentName() const
{
    return m_state == kStateIdle ? std::string() : m_currentName;
}

void CBankTransfer::ReportLine(const std::string& text)
{
    if (m_report != nullptr)
        m_report->AddLine(text.c_str());
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
    if (list.Write(*m_sourceSpec, m_entries))
        return true;
    ReportLine(list.GetFailure());
    return false;
}

bool CBankTransfer::ReadPatchList()
{
    CPatchListFile list;
    if (list.Read(*m_sourceSpec, m_entries))
        return true;
    ReportLine(list.GetFailure());
    return false;
}
