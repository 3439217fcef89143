#include "patch/files/TransferPatch.h"

#include "patch/area/ModuleList.h"
#include "patch/area/PatchBackground.h"
#include "patch/document/Patch.h"
#include "synth/files/XFileBase.h"

CTransferPatch::CTransferPatch(std::unique_ptr<CPatch> patch) : patch_(std::move(patch)) { }

CTransferPatch::~CTransferPatch() = default;

std::string CTransferPatch::GetName() const
{
    return patch_->GetName();
}

bool CTransferPatch::IsEmpty() const
{
    return patch_->GetArea(0)->GetModules().GetCount() == 0 && patch_->GetArea(1)->GetModules().GetCount() == 0;
}

void CTransferPatch::BuildPatchDump(CMoleculePacket& packet) const
{
    patch_->BuildPatchDump(packet);
}

void CTransferPatch::SaveToFile(const NSHarrowen::CFileSpec& file)
{
    // A document that still lacks parts would be saved incomplete.
    if (!patch_->SaveToFile(file))
        throw XFileBase("Patch incomplete", XFileBase::kFileError);
}
