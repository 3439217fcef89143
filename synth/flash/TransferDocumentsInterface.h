#pragma once

#include "synth/files/XFileBase.h"

#include <memory>
#include <optional>
#include <string>

class CMoleculePacket;
class CTransferPatchInterface;

namespace NSHarrowen {
class CFileSpec;
}

// How a bank transfer turns patch files and flash dumps into patches. The
// patch documents implement it.
class CTransferDocumentsInterface {
public:
    virtual ~CTransferDocumentsInterface() = default;

    // The patch of a file, named after the file. Throws XFileBase when
    // nothing could be applied; a file applied only in part gives its patch
    // and sets `problem`.
    virtual std::unique_ptr<CTransferPatchInterface> OpenPatchFile(const NSHarrowen::CFileSpec& file,
                                                                   std::optional<XFileBase>& problem) = 0;
    // The patch carried by the dumps of a flash location, named `name` (a
    // name dump among them serves when `name` is empty). Parts the document
    // refuses are left out and `fixed` is set; throws when the dumps do not
    // make a patch at all.
    virtual std::unique_ptr<CTransferPatchInterface> PatchFromDumps(const CMoleculePacket& dumps,
                                                                    const std::string& name, bool& fixed) = 0;
};
