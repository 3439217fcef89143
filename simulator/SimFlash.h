#pragma once

#include <filesystem>
#include <optional>
#include <vector>

#include "simulator/SimBits.h"
#include "simulator/SimPatch.h"

namespace sim {

// The flash banks: 99 locations each. With a folder attached the banks are
// kept as patch files named by the address number ("105 Bass.pch" for bank 0,
// location 4) and stores and deletes are written back.
class CSimFlash {
public:
    explicit CSimFlash(int banks);

    int Banks() const { return static_cast<int>(banks_.size()); }
    bool Valid(int bank, int location) const;
    const SimPatch* At(int bank, int location) const;
    void Store(int bank, int location, const SimPatch& patch);
    void Erase(int bank, int location);
    // Occupied locations in per mille of all, 0 to 1000.
    int Usage() const;

    // Loads every patch file of the folder and writes changes back to it.
    // Returns the files that could not be read.
    std::vector<std::string> AttachFolder(const std::filesystem::path& folder);

    // Answer to a scan request from (bank, location): up to 20 names, then
    // tag 5 (more to come) or, after the last bank, tag 4.
    void WriteDataDump(CSimBitWriter& out, int bank, int location) const;
    // An unsolicited update of one location (a name, or its deletion), with
    // the usage.
    void WriteLocationUpdate(CSimBitWriter& out, int bank, int location) const;
    void WriteUsage(CSimBitWriter& out) const;

    static constexpr int kNamesPerDump = 20;

private:
    std::filesystem::path FileOf(int bank, int location, const std::string& name) const;
    void RemoveFiles(int bank, int location) const;

    std::vector<std::vector<std::optional<SimPatch>>> banks_;
    std::filesystem::path folder_;
};

// A patch name as the flash listing carries it: printable, not empty.
std::string FlashName(const std::string& name);

} // namespace sim
