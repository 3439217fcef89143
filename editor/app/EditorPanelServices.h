#pragma once

#include "panels/panel/PanelServicesInterface.h"

// What the module panels ask of the editor: the panel name prompt runs in
// the active patch window; help goes to the help file; new morphs go to the
// toolbar's selected group. The MIDI controller dialog is the installed
// editor dialogs' (Cancel without them).
class CEditorPanelServices final : public CPanelServicesInterface {
public:
    CEditorPanelServices();
    ~CEditorPanelServices() override;
    CEditorPanelServices(const CEditorPanelServices&) = delete;
    CEditorPanelServices& operator=(const CEditorPanelServices&) = delete;

    bool AskPanelName(const CPanel& panel, std::string& name) override;
    void ShowHelpTopic(uint32_t topic) override;
    uint8_t GetToolbarMorphGroup() const override;
    int RunMidiControllerDialog(const CPatch& patch, uint8_t current, uint8_t& chosen) override;
};
