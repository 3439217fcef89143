#include "simulator/SimFlash.h"

#include <cstdio>

#include "simulator/SimPatchFile.h"
#include "simulator/SimState.h"

namespace sim {

namespace {

std::string AddressPrefix(int bank, int location)
{
    char text[32];
    std::snprintf(text, sizeof text, "%d%02d", bank + 1, location + 1);
    return text;
}

} // namespace

std::string FlashName(const std::string& name)
{
    std::string clean;
    for (char c : name)
        if (c >= 0x20 && c < 0x7F && clean.size() < 16)
            clean.push_back(c);
    return clean.empty() ? "No name" : clean;
}

CSimFlash::CSimFlash(int banks) : banks_(static_cast<size_t>(banks), std::vector<std::optional<SimPatch>>(kLocations))
{ }

bool CSimFlash::Valid(int bank, int location) const
{
    return bank >= 0 && bank < Banks() && location >= 0 && location < kLocations;
}

const SimPatch* CSimFlash::At(int bank, int location) const
{
    if (!Valid(bank, location) || !banks_[bank][location])
        return nullptr;
    return &*banks_[bank][location];
}

void CSimFlash::Store(int bank, int location, const SimPatch& patch)
{
    if (!Valid(bank, location))
        return;
    banks_[bank][location] = patch;
    if (!folder_.empty()) {
        RemoveFiles(bank, location);
        WritePatchFile(FileOf(bank, location, patch.name), patch);
    }
}

void CSimFlash::Erase(int bank, int location)
{
    if (!Valid(bank, location))
        return;
    banks_[bank][location].reset();
    if (!folder_.empty())
        RemoveFiles(bank, location);
}

int CSimFlash::Usage() const
{
    int used = 0;
    for (const auto& bank : banks_)
        for (const auto& location : bank)
            used += location.has_value();
    return used * 1000 / (Banks() * kLocations);
}

std::filesystem::path CSimFlash::FileOf(int bank, int location, const std::string& name) const
{
    std::string safe;
    for (char c : FlashName(name))
        safe.push_back(c == '/' || c == '\\' || c == ':' ? '_' : c);
    return folder_ / (AddressPrefix(bank, location) + " " + safe + ".pch");
}

void CSimFlash::RemoveFiles(int bank, int location) const
{
    const std::string prefix = AddressPrefix(bank, location) + " ";
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder_, ec))
        if (entry.path().filename().string().rfind(prefix, 0) == 0 && entry.path().extension() == ".pch")
            std::filesystem::remove(entry.path(), ec);
}

std::vector<std::string> CSimFlash::AttachFolder(const std::filesystem::path& folder)
{
    std::vector<std::string> failed;
    std::filesystem::create_directories(folder);
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const std::string file = entry.path().filename().string();
        int address = 0;
        char blank = 0;
        if (entry.path().extension() != ".pch" || std::sscanf(file.c_str(), "%d%c", &address, &blank) != 2 ||
            blank != ' ')
            continue;
        const int bank = address / 100 - 1, location = address % 100 - 1;
        if (!Valid(bank, location))
            continue;
        try {
            SimPatch patch = ReadPatchFile(entry.path());
            patch.name = FlashName(file.substr(file.find(' ') + 1, file.size() - file.find(' ') - 5));
            banks_[bank][location] = patch;
        } catch (const std::exception&) {
            failed.push_back(entry.path().string());
        }
    }
    folder_ = folder;
    return failed;
}

void CSimFlash::WriteDataDump(CSimBitWriter& out, int bank, int location) const
{
    out.Byte(0x16);
    out.Byte(1); // more: a scan answer
    int curBank = 0, curLocation = 0, listed = 0, lastBank = 0, lastLocation = 0;
    for (int b = bank < 0 ? 0 : bank; b < Banks(); ++b) {
        for (int l = b == bank ? location : 0; l < kLocations; ++l) {
            if (l < 0 || !banks_[b][l])
                continue;
            if (listed == kNamesPerDump) {
                // Leave the reader's address on the last name, so that the
                // scan goes on right behind it.
                out.Byte(3);
                out.Byte(static_cast<unsigned>(lastBank));
                out.Byte(static_cast<unsigned>(lastLocation));
                out.Byte(5);
                return;
            }
            if (b != curBank) {
                out.Byte(3);
                out.Byte(static_cast<unsigned>(b));
                out.Byte(static_cast<unsigned>(l));
            } else if (l != curLocation) {
                out.Byte(1);
                out.Byte(static_cast<unsigned>(l));
            }
            out.Text16(FlashName(banks_[b][l]->name));
            curBank = b;
            curLocation = l < kLocations - 1 ? l + 1 : l;
            lastBank = b;
            lastLocation = l;
            ++listed;
        }
    }
    out.Byte(4);
}

void CSimFlash::WriteLocationUpdate(CSimBitWriter& out, int bank, int location) const
{
    if (const SimPatch* patch = At(bank, location)) {
        out.Byte(0x16);
        out.Byte(0); // more 0: not part of a scan
        out.Byte(3);
        out.Byte(static_cast<unsigned>(bank));
        out.Byte(static_cast<unsigned>(location));
        out.Text16(FlashName(patch->name));
        out.Byte(5);
    } else {
        out.Byte(0x15);
        out.Byte(static_cast<unsigned>(bank));
        out.Byte(static_cast<unsigned>(location));
    }
    WriteUsage(out);
}

void CSimFlash::WriteUsage(CSimBitWriter& out) const
{
    const int usage = Usage();
    out.Byte(0x13);
    out.Byte(static_cast<unsigned>(usage & 0x7F));
    out.Byte(static_cast<unsigned>(usage >> 7));
}

} // namespace sim
