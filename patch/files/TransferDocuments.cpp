#include "patch/files/TransferDocuments.h"

#include "patch/document/Patch.h"
#include "patch/document/PatchApplyError.h"
#include "patch/files/TransferPatch.h"

std::unique_ptr<CTransferPatchInterface> CTransferDocuments::OpenPatchFile(const NSHarrowen::CFileSpec& file,
                                                                           std::optional<XFileBase>& problem)
{
    auto patch = std::make_unique<CPatch>();
    problem.reset();
    try {
        patch->Open(file);
    } catch (const XFileBase& error) {
        // Raised after applying: the document holds what could be read.
        if (!error.WasRaisedAfterApplying())
            throw;
        problem = error;
    }
    return std::make_unique<CTransferPatch>(std::move(patch));
}

std::unique_ptr<CTransferPatchInterface> CTransferDocuments::PatchFromDumps(const CMoleculePacket& dumps,
                                                                            const std::string& name, bool& fixed)
{
    auto patch = std::make_unique<CPatch>();
    fixed = false;
    try {
        patch->ApplyMoleculeList(dumps);
    } catch (const XPatchApplyError&) {
        // The document holds every part it took; the caller reports the
        // patch as fixed.
        fixed = true;
    }
    if (!name.empty())
        patch->SetName(name);
    // Everything came with the dumps: nothing is left to ask for.
    patch->ClearChangeFlags();
    return std::make_unique<CTransferPatch>(std::move(patch));
}
