#include "editor/app/EditorDialogsInterface.h"

namespace {
CEditorDialogsInterface* gDialogs = nullptr;
}

void SetEditorDialogs(CEditorDialogsInterface* dialogs)
{
    gDialogs = dialogs;
}
CEditorDialogsInterface* GetEditorDialogs()
{
    return gDialogs;
}
