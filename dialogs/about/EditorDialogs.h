#pragma once

#include "editor/app/EditorDialogsInterface.h"

// The editor's dialogs as the editor reaches them.
class CEditorDialogs final : public CEditorDialogsInterface {
public:
    void RunAbout() override;
    bool RunNameDialog(NSHarrowen::CABCWindow*, const std::string&, std::string&, uint8_t,
                       NSHarrowen::CPoint) override
    {
        return false;
    }
};
