// Patchora: the patch editor of the Vesk Kandrel synthesizers.
//
//   Patchora [FILE.pch...]   one copy runs: a second start hands its files
//                            to the running copy, which opens them

#include "dialogs/common/EditorDialogs.h"
#include "editor/app/EditorApp.h"
#include "framework/application/StartupRecord.h"
#include "resources/PictureResources.h"

namespace {

int RunPatchora(NSHarrowen::CStartupRecord& record)
{
    PictureResources();
    CEditorDialogs dialogs;
    SetEditorDialogs(&dialogs);
    const int result = RunEditorApplication(record);
    SetEditorDialogs(nullptr);
    return result;
}

} // namespace

int main(int argc, char** argv)
{
    return NSHarrowen::RunProgramMain(argc, argv, RunPatchora);
}
