#pragma once

#include "framework/files/FileSpec.h"
#include "patch/document/EditorServicesInterface.h"

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace testsupport {

// A patch window that counts what its document asks of it.
class CPatchWindowDouble final : public CPatchWindowInterface {
public:
    void BringToFront() override { ++fronts; }
    void Close() override { ++closes; }
    void Refresh() override { ++refreshes; }
    void NotifySplitter() override { ++splitterResets; }
    void RelayoutAreas() override { ++relayouts; }

    int fronts = 0;
    int closes = 0;
    int refreshes = 0;
    int splitterResets = 0;
    int relayouts = 0;
};

// The editor as a document sees it, installed for the life of the object:
// it records alerts and answers the save dialog with a chosen file.
class CEditorServicesDouble final : public CEditorServicesInterface {
public:
    CEditorServicesDouble() { SetEditorServices(this); }
    ~CEditorServicesDouble() override { SetEditorServices(nullptr); }
    CEditorServicesDouble(const CEditorServicesDouble&) = delete;
    CEditorServicesDouble& operator=(const CEditorServicesDouble&) = delete;

    // Null (no window) unless the test wants windows.
    CPatchWindowInterface* OpenPatchWindow(CPatch&, uint32_t) override
    {
        if (!openWindows) {
            return nullptr;
        }
        windows.push_back(std::make_unique<CPatchWindowDouble>());
        return windows.back().get();
    }
    bool HasMorphEntries() const override { return morphEntries; }
    void PostDeferredAlert(uint32_t alertId) override { deferredAlerts.push_back(alertId); }
    void ShowAlert(uint32_t alertId, const std::string&) override { alerts.push_back(alertId); }
    void ShowAlertScript(const std::string& script, const std::string& text) override
    {
        scripts.push_back(script + "|" + text);
    }
    bool AskSaveFile(const std::string& defaultName, NSHarrowen::CFileSpec& chosen) override
    {
        askedNames.push_back(defaultName);
        if (!saveAnswer) {
            return false;
        }
        chosen = *saveAnswer;
        return true;
    }
    uint32_t GetCableStyle() const override { return 0; }
    void BeginDragSelection(CPatch&) override { ++selectionDrags; }
    void CancelModuleDrag() override { ++dragCancels; }
    void BeginDragNewModule(CPatchBackground&, uint8_t typeId) override { draggedTypes.push_back(typeId); }
    void ReplaceWithEmptyPatch(CPatch&) override { ++emptied; }
    void MovePatchToSlot(uint8_t port, uint8_t slot, CPatch&) override { slotMoves.emplace_back(port, slot); }

    bool morphEntries = true;
    bool openWindows = false;
    std::vector<std::unique_ptr<CPatchWindowDouble>> windows;
    std::optional<NSHarrowen::CFileSpec> saveAnswer;
    std::vector<uint32_t> deferredAlerts;
    std::vector<uint32_t> alerts;
    std::vector<std::string> scripts;
    std::vector<std::string> askedNames;
    std::vector<uint8_t> draggedTypes;
    int dragCancels = 0;
    int selectionDrags = 0;
    int emptied = 0;
    std::vector<std::pair<uint8_t, uint8_t>> slotMoves;
};

} // namespace testsupport
