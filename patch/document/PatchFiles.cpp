#include "framework/files/FileSpec.h"
#include "patch/document/EditorServicesInterface.h"
#include "patch/document/Patch.h"
#include "patch/document/PatchApplyError.h"
#include "patch/files/PatchFile.h"
#include "synth/protocol/TextFunctions.h"

namespace {

constexpr const char* kSaveErrorAlert = "[STOP][File Save Error]%s[OK]";

} // namespace

void CPatch::Open(const NSHarrowen::CFileSpec& file)
{
    SetName(PatchNameFromText(file.GetBaseName()));
    CPatchFileContent content;
    try {
        ReadPatchFile(file, content);
    } catch (...) {
        ClearChangeFlags();
        throw;
    }
    std::optional<XFileBase> problem = content.pendingError;
    try {
        ApplyMoleculeList(content.dumps);
    } catch (const XPatchApplyError& error) {
        // The parts that applied stay: a load problem, not a failed load.
        problem = XFileBase(error.GetText(), XFileBase::kCorrupt);
    } catch (...) {
        ClearChangeFlags();
        throw;
    }
    SetNotes(content.notes);
    file_ = std::make_unique<NSHarrowen::CFileSpec>(file);
    if (HasChanges()) {
        ClearChangeFlags();
    }
    if (problem) {
        problem->MarkRaisedAfterApplying();
        throw *problem;
    }
}

bool CPatch::SaveToFile(const NSHarrowen::CFileSpec& file)
{
    if (HasChanges()) {
        return false;
    }
    CMoleculePacket dumps;
    BuildPatchDump(dumps);
    WritePatchFile(file, dumps, notes_);
    file_ = std::make_unique<NSHarrowen::CFileSpec>(file);
    const std::string fileName = PatchNameFromText(file.GetBaseName());
    if (fileName != GetName()) {
        SendPatchName(fileName);
    }
    ClearDirty();
    RefreshWindows();
    return true;
}

bool CPatch::Save()
{
    if (file_ != nullptr && PatchNameFromText(file_->GetBaseName()) == GetName()) {
        try {
            const NSHarrowen::CFileSpec file = *file_;
            return SaveToFile(file);
        } catch (const XFileBase& error) {
            if (CEditorServicesInterface* editor = GetEditorServices()) {
                editor->ShowAlertScript(kSaveErrorAlert, error.GetText());
            }
            return false;
        }
    }
    return SaveAsking();
}

bool CPatch::SaveAs()
{
    return SaveAsking();
}

bool CPatch::SaveAsking()
{
    CEditorServicesInterface* editor = GetEditorServices();
    if (editor == nullptr) {
        return false;
    }
    NSHarrowen::CFileSpec chosen(FileNameFromPatchName(GetName()));
    if (!editor->AskSaveFile(FileNameFromPatchName(GetName()), chosen)) {
        return false;
    }
    try {
        return SaveToFile(chosen);
    } catch (const XFileBase& error) {
        editor->ShowAlertScript(kSaveErrorAlert, error.GetText());
        return false;
    }
}
