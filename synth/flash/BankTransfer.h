#pragma once

#include "synth/protocol/FlashAddress.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace NSHarrowen {
class CDirSpec;
class CFileSpec;
class CLineRing;
} // namespace NSHarrowen
class CBankTransferHost;
class CMFlashCommandResult;
class CMFlashDumpMarker;
class CMolecule;
class CMoleculePacket;
class CTransferDocumentsInterface;
class CTransferPatchInterface;

// The long flash jobs of the bank dialogs: an upload copies the 99 positions
// of a bank into a folder of patch files with a patch list; a download sends
// the files of a list (or of a folder, in name order) to the positions of a
// bank, emptying the positions the list leaves empty; a single file can go
// to one position. One position per quiet idle step of the port, each only
// once the previous one was answered. Progress, the current name and a log
// of report lines are for the dialog. Main thread only.
class CBankTransfer {
public:
    enum EResult : uint32_t { kResultNone = 0, kResultFinished = 1, kResultFailed = 2 };
    enum EState : uint32_t { kStateIdle = 0, kStateDownload = 1, kStateUpload = 2, kStateDownloadFile = 3 };
    static constexpr uint8_t kPositions = CFlashAddress::kLocationsPerBank;
    // A position whose answer is this late is asked again, at most
    // kMaxRepeats times; then the job fails with kLostContactText. (The port
    // repeats a position's frames itself; this covers an answer the port
    // took for another's.)
    static constexpr uint32_t kAnswerTimeoutMs = 5000;
    static constexpr int kMaxRepeats = 3;
    static constexpr const char* kLostContactText = "Lost contact";

    explicit CBankTransfer(CBankTransferHost& host);
    ~CBankTransfer();
    CBankTransfer(const CBankTransfer&) = delete;
    CBankTransfer& operator=(const CBankTransfer&) = delete;

    void SetDocuments(CTransferDocumentsInterface* documents) { documents_ = documents; }

    // Starting a job. The report (the dialog's log, may be null) is cleared
    // and kept until the job ends. False, with the reason reported and
    // result kResultFailed, when the job cannot start.
    // The files of a patch list, from its folder.
    bool DownloadFromListFile(const NSHarrowen::CFileSpec& listFile, uint8_t bank, NSHarrowen::CLineRing* report);
    // The patch files of a folder in name order, from position 1 on.
    bool DownloadFromFolder(const NSHarrowen::CDirSpec& folder, uint8_t bank, NSHarrowen::CLineRing* report);
    // The bank into the folder of the list file, which is written last.
    bool StartUpload(const NSHarrowen::CFileSpec& listFile, uint8_t bank, NSHarrowen::CLineRing* report);
    // One patch file to one position.
    bool DownloadFromFiles(const NSHarrowen::CFileSpec& file, CFlashAddress address, NSHarrowen::CLineRing* report);

    // One step of the running job; true while a job runs.
    bool Tick();
    void RequestAbort() { abortRequested_ = true; }
    // The owner of a report is going: the report is no longer touched and a
    // job writing into it is stopped.
    void ReleaseReport(const NSHarrowen::CLineRing* report);

    uint32_t GetResult() const { return result_; }
    void ClearResult() { result_ = kResultNone; }
    uint32_t GetState() const { return state_; }
    bool IsRunning() const { return state_ != kStateIdle; }
    // A position was sent and its answer has not come yet.
    bool IsAwaitingAnswer() const { return state_ != kStateIdle && awaiting_; }
    // Tenths of a percent of the bank done; 0 when idle.
    uint32_t GetProgress() const;
    std::string GetCurrentName() const;
    CFlashAddress GetAddress() const { return address_; }
    const std::vector<std::string>& GetEntries() const { return entries_; }

    // Answers of the synthesizer.
    void OnCommandResult(const CMFlashCommandResult& result);
    void OnDumpMarker(const CMFlashDumpMarker& marker, CMoleculePacket& packet);
    // The port lost the synthesizer: a running job ends with `reason` as
    // its last report line.
    void OnLinkLost(const std::string& reason);

    void ReportLine(const std::string& text);
    // "<address number> : <name> : <text>".
    void ReportEntry(CFlashAddress address, const std::string& name, const std::string& text);
    static std::string EntryText(CFlashAddress address, const std::string& name, const std::string& text);

    bool WritePatchList();
    bool ReadPatchList();

private:
    // The patch is null until it is built from the kept dumps.
    struct CPendingSave {
        std::unique_ptr<CTransferPatchInterface> patch;
        CFlashAddress address;
        std::string name;
    };
    struct CDone {
        std::vector<int> written;
        std::vector<int> emptied;
        std::vector<int> skipped;
    };

    void Begin(NSHarrowen::CLineRing* report, CFlashAddress address);
    bool Run(uint32_t state);
    bool ScanFolder();
    void DownloadStep();
    void UploadStep();
    void DownloadFileStep();
    // Sends the patch of a file to the current position; false when the
    // file could not be read (reported).
    bool SendPatchFile(const NSHarrowen::CFileSpec& file, bool emptyOnFailure);
    void SendDelete();
    void Sent(std::vector<int>* claim);
    bool IsAnswerFor(CFlashAddress address) const;

    void OnPositionDone();
    void OnMemoryProtect();
    void OnPatchDump(const CMFlashDumpMarker& marker, CMoleculePacket& packet);
    void OnMemoryFull();
    void OnEmptyPosition();
    void OnUploadPositionDone();
    bool KeepDumps(const CMFlashDumpMarker& marker, CMoleculePacket& packet);
    bool BuildPending(CPendingSave& pending, const CMoleculePacket& dumps, std::string& failure);
    bool SavePending(std::string& failure);
    bool TakeAbort();
    void RepeatOrGiveUp();

    std::unique_ptr<NSHarrowen::CFileSpec> FindPatchFile(const std::string& entry) const;
    std::string ChooseFileName(const std::string& base, bool& renamed) const;

    void Finish();
    void Fail(const std::string& reason);
    void End(uint32_t result);
    void ReportDone();

    CBankTransferHost& host_;
    CTransferDocumentsInterface* documents_ = nullptr;
    uint32_t result_ = kResultNone;
    std::unique_ptr<NSHarrowen::CFileSpec> sourceSpec_;
    std::unique_ptr<NSHarrowen::CDirSpec> folderSpec_;
    std::vector<std::string> entries_;
    CFlashAddress address_;
    uint32_t state_ = kStateIdle;
    uint16_t entryCount_ = 0;
    bool abortRequested_ = false;
    std::string currentName_;
    NSHarrowen::CLineRing* report_ = nullptr;

    // The position sent and not answered yet, when it was sent, how often
    // it was repeated, and where its success is to be counted.
    bool awaiting_ = false;
    uint64_t sentAt_ = 0;
    int repeats_ = 0;
    std::vector<int>* claim_ = nullptr;
    CDone done_;
    // An uploaded patch not written yet.
    std::unique_ptr<CPendingSave> pending_;
    // The dumps of the last patch received. Kept until the next one comes,
    // never sooner: the packet they came in lists them while it is handled.
    std::vector<std::unique_ptr<CMolecule>> received_;
};
