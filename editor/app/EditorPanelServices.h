#pragma once

#include "panels/panel/PanelServicesInterface.h"

// What the module panels ask of the editor: the panel name prompt runs in
// the active patch window; help goes to the help file. The toolbar's morph
// groups and the MIDI controller dialog are not part of the program yet:
// no group is selected and the dialog answers Cancel.
class CEditorPanelServices final : public CPanelServicesInterface {
public:
    CEditorPanelServices();
    ~CEditorPanelServices() override;
    CEditorPanelServices(const CEditorPanelServices&) = delete;
    CEditorPanelServices& operator=(const CEditorPanelServices&) = delete;

    bool AskPanelName(const CPanel& panel, std::string& name) override;
    void ShowHelpTopic(uint32_t topic) override;
    uint8_t GetToolbarMorphGroup() const override { return kNoMorphGroup; }
    int RunMidiControllerDialog(const CCtrlMap&, uint8_t, uint8_t&) override { return kControllerCancel; }
};
