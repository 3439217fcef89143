#pragma once

#include "editor/app/EditorDialogsInterface.h"

// The editor's dialogs as the editor reaches them.
class CEditorDialogs final : public CEditorDialogsInterface {
public:
    void RunAbout() override;
    bool RunNameDialog(NSHarrowen::CABCWindow* owner, const std::string& caption, std::string& name, uint8_t maxLength,
                       NSHarrowen::CPoint position) override;
    void RunBankDownload(uint8_t port) override;
    void RunBankUpload(uint8_t port) override;
    void ToggleBrowser() override;
    bool IsBrowserShown() const override;
    void CloseBrowser() override;
    void RunSlotDialog(CSlotChoice& choice) override;
    void RunMidiSetup() override;
    void RunPatchSettings(NSHarrowen::CABCWindow* owner, CPatch& patch) override;
    void RunSaveInSynth(const std::string& patchName, uint8_t port, uint8_t slot) override;
    void RunOptions() override;
    int RunMidiControl(const CPatch& patch, uint8_t current, uint8_t& chosen) override;
    void RunSynthSettings(uint8_t port) override;
};
