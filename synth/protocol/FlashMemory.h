#pragma once

#include "synth/protocol/FlashAddress.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CMFlashCommandResult;
class CMFlashDataDump;
class CMFlashDeleteDump;
class CMolecule;
class CMoleculePacket;

// What the flash memory map needs of the synthesizer that owns it.
class CFlashMemoryHost {
public:
    virtual ~CFlashMemoryHost() = default;
    // Queues a request packet; its answer is awaited before the next one.
    virtual void SendRequest(CMoleculePacket& packet) = 0;
    virtual bool IsWaitingForReply() const = 0;
};

// One used location of a flash bank.
struct CFlashEntry {
    uint8_t location = 0;
    std::string name;
    bool operator==(const CFlashEntry&) const = default;
};

// The editor's map of the synthesizer's flash memory: the names of the stored
// patches bank by bank, filled by scanning the flash from its start, and the
// usage the synthesizer reports. It also sends the flash dialogs' single
// commands (load, store, delete) and keeps the result of the last one.
class CFlashMemory {
public:
    // Results of a single command, read by the flash dialogs.
    enum EResult : uint32_t {
        kResultNone = 0,
        kResultMemoryFull = 1,
        kResultMemoryProtect = 2,
        kResultLoadFailed = 3,
        kResultDone = 4,
        kResultSendFailed = 5,
        kResultBusy = 6,
    };

    // Scans that bring nothing new this many times in a row are given up.
    static constexpr int kMaxStalledScans = 3;

    // bankCount: 9 for the large models, 1 for the small one.
    CFlashMemory(CFlashMemoryHost& host, uint8_t bankCount);

    uint8_t GetBankCount() const { return static_cast<uint8_t>(banks_.size()); }
    // Used locations in ascending order; an empty list for a bank the model
    // does not have.
    const std::vector<CFlashEntry>& GetBank(uint8_t bank) const;
    bool IsBankEmpty(uint8_t bank) const { return GetBank(bank).empty(); }

    bool IsScanning() const { return scanning_; }
    CFlashAddress GetScanPosition() const { return scanPosition_; }
    // Milliseconds of the clock when the map last changed (0 before).
    uint64_t GetChangeTime() const { return changeTime_; }
    // Raised at every change: two changes within one millisecond differ.
    uint32_t GetChangeCount() const { return changeCount_; }

    uint16_t GetUsage() const { return usage_; }
    void SetUsage(uint16_t usage) { usage_ = usage; }

    // While scanning, asks for the names from the scan position on; false
    // once the scan has ended.
    bool ContinueScan();

    void OnDataDump(const CMFlashDataDump& dump);
    void OnDeleteDump(const CMFlashDeleteDump& dump);

    // The single commands. While the synthesizer's answer to another request
    // is awaited nothing is sent (result kResultBusy); a send that fails
    // gives kResultSendFailed. Otherwise the command is pending until its
    // result arrives.
    void LoadToSlot(uint8_t slot, CFlashAddress address);
    void StoreFromSlot(uint8_t slot, CFlashAddress address);
    void DeleteLocation(CFlashAddress address);
    // The synthesizer's result of a single command.
    void OnCommandResult(const CMFlashCommandResult& result);
    bool IsCommandPending() const { return commandPending_; }
    uint32_t GetLastResult() const { return lastResult_; }
    // Forgets the last result before a command whose answer is awaited.
    void ClearResult()
    {
        lastResult_ = kResultNone;
        lastResultText_.clear();
    }
    const std::string& GetLastResultText() const { return lastResultText_; }

private:
    void SendCommand(std::unique_ptr<CMolecule> command);
    void Enter(CFlashAddress address, const std::string& name);
    bool Remove(CFlashAddress address);
    void AdvanceScan(const CMFlashDataDump& dump);
    void Stall();
    void StampChange();

    CFlashMemoryHost& host_;
    std::vector<std::vector<CFlashEntry>> banks_;
    CFlashAddress scanPosition_;
    bool scanning_ = true;
    int stalledScans_ = 0;
    uint64_t changeTime_ = 0;
    uint32_t changeCount_ = 0;
    uint16_t usage_ = 0;
    bool commandPending_ = false;
    uint32_t lastResult_ = kResultNone;
    std::string lastResultText_;
};
