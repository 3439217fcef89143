#pragma once

#include <string>

class CMoleculePacket;

namespace NSHarrowen {
class CFileSpec;
}

// A patch a bank transfer holds for a moment: read from a patch file to be
// sent to a flash location, or built from a location's dump to be saved.
// Implemented by the patch documents.
class CTransferPatchInterface {
public:
    virtual ~CTransferPatchInterface() = default;

    virtual std::string GetName() const = 0;
    // No module in either voice area.
    virtual bool IsEmpty() const = 0;
    // Appends the whole patch as dumps, as sent to a slot.
    virtual void BuildPatchDump(CMoleculePacket& packet) const = 0;
    // Writes the patch file; the old file stays when it fails. Throws
    // XFileBase.
    virtual void SaveToFile(const NSHarrowen::CFileSpec& file) = 0;
};
