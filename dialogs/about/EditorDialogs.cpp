#include "dialogs/about/EditorDialogs.h"

#include "dialogs/about/DialogAbout.h"

void CEditorDialogs::RunAbout()
{
    auto* about = new CDialogAbout();
    about->CenterOnFrame();
    about->Open(about->GetWindowRectInFrame());
    NSHarrowen::RunModal(about);
}
