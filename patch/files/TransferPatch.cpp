#include "patch/files/TransferPatch.h"

#include "patch/area/ModuleList.h"
#include "patch/area/PatchBackground.h"
#include "patch/document/Patch.h"
#include "synth/files/XFileBase.h"

CTransferPatch::CTransferPatch(std::unique_ptr<CPatch> patch) : m_patch(std::move(patch)) { }

CTransferPatch::~CTransferPatch() = default;

std::string CTransferPatch::GetName() const
{
    return m_patch->GetName();
}

bool CTransferPatch::IsEmpty() const
{
    return m_patch->GetArea(0)->GetModules().GetCount() == 0 && m_patch->GetArea(1)->GetModules().GetCount() == 0;
}

void CTransferPatch::BuildPatchDump(CMoleculePacket& packet) const
{
    m_patch->BuildPatchDump(packet);
}

void CTransferPatch::SaveToFile(const NSHarrowen::CFileSpec& file)
{
    // A document that still lacks parts would be saved incomplete.
    if (!m_patch->SaveToFile(file))
        throw XFileBase("Patch incomplete", XFileBase::kFileError);
}
