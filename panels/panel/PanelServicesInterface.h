#pragma once

#include <cstdint>
#include <string>

class CPatch;
class CPanel;

// What the module panels need of the editor application above them: the
// rename dialog, help, the toolbar's morph group and the MIDI controller
// dialog. The editor installs it; without one a rename is cancelled, help
// does nothing, no morph group is selected and the dialog is cancelled.
class CPanelServicesInterface {
public:
    static constexpr uint8_t kNoMorphGroup = 4;
    // Results of the MIDI controller dialog.
    static constexpr int kControllerAssign = 1;
    static constexpr int kControllerCancel = 2;
    static constexpr int kControllerRemove = 3;

    virtual ~CPanelServicesInterface() = default;

    // The "Panel name" dialog over the panel; true and the new name when
    // the user confirmed.
    virtual bool AskPanelName(const CPanel& panel, std::string& name) = 0;
    virtual void ShowHelpTopic(uint32_t topic) = 0;
    // The morph group selected in the toolbar: 0-3, or kNoMorphGroup.
    virtual uint8_t GetToolbarMorphGroup() const = 0;
    // The modal MIDI controller dialog over the controller map of the patch
    // whose control was clicked, with the parameter's controller (121 for
    // none); one of the results above, and the chosen controller for
    // kControllerAssign.
    virtual int RunMidiControllerDialog(const CPatch& patch, uint8_t current, uint8_t& chosen) = 0;
};

void SetPanelServices(CPanelServicesInterface* services);
// Null until installed.
CPanelServicesInterface* GetPanelServices();
