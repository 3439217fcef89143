#pragma once

#include "synth/flash/TransferDocumentsInterface.h"

// Bank transfers' patches as patch documents: opened from patch files as
// the editor opens them, and built from flash dumps as a slot's document is.
class CTransferDocuments final : public CTransferDocumentsInterface {
public:
    std::unique_ptr<CTransferPatchInterface> OpenPatchFile(const NSHarrowen::CFileSpec& file,
                                                           std::optional<XFileBase>& problem) override;
    std::unique_ptr<CTransferPatchInterface> PatchFromDumps(const CMoleculePacket& dumps, const std::string& name,
                                                            bool& fixed) override;
};
