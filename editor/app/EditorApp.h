#pragma once

#include "framework/application/Application.h"
#include "patch/document/EditorServicesInterface.h"
#include "synth/link/LinkApplicationInterface.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace NSHarrowen {
class CMenu;
class CMenuBar;
class CPixelFormat;
class CSplashScreen;
} // namespace NSHarrowen
class CClipboard;
class CEditorPanelServices;
class CModuleCatalogue;
class CPanelModuleServices;
class CMoleculeRegistry;
class CPatchManager;
class CPortManager;
class CPreferences;
class CSlotChoice;
class CTransferDocuments;
class CEditorStateReport;

// The editor's application object: it builds the menus and every
// long-lived object at start, answers the menu commands no window handles,
// runs the idle work, asks the save questions before quitting, opens the
// patch files handed to the program, and tears everything down at exit. It
// is also what the synthesizer link and the patch documents ask of the
// application.
class CEditorApp final : public NSHarrowen::CApplication,
                         public CLinkApplicationInterface,
                         public CEditorServicesInterface {
public:
    static constexpr const char* kApplicationName = "Vesk Kandrel Editor";
    static constexpr uint32_t kSplashPicture = 317;
    static constexpr uint32_t kSplashTicks = 83;
    static constexpr uint32_t kAlertHelpFile = 500128005;
    static constexpr uint32_t kAlertNotEnoughMemory = 500128006;

    explicit CEditorApp(const NSHarrowen::CStartupRecord& record);
    explicit CEditorApp(std::string name = kApplicationName);
    ~CEditorApp() override;

    void Init() override;
    void Exit() override;
    void Idle() override;
    void OnMidiArrival() override;
    void KeepAlive() override;
    bool CanQuit() override;
    NSHarrowen::CMenuBar* GetMenuBar() override { return bar_.get(); }
    platform::Point GetSmallestDocumentSize() const override;
    void UpdateMenus(NSHarrowen::CMenuBar* bar) override;
    void HandleMenuSelect(NSHarrowen::CMenu* menu, uint32_t command) override;
    NSHarrowen::CABCBitmap* GetImage(const NSHarrowen::CImageID& id) override;
    void OpenDocument(const NSHarrowen::CFileSpec& file, const NSHarrowen::CUnknownFileType& type,
                      uint32_t argument) override;

    void NewPatch();
    void OpenPatch();
    uint32_t GetDeferredAlert() const { return deferredAlert_; }
    // The millisecond clock when the splash had been painted (0 without one).
    uint64_t GetSplashShownAt() const { return splashShownAt_; }
    NSHarrowen::CMenu* GetMenu(size_t index) const { return menus_.at(index).get(); }
    CPatchManager* GetPatches() const { return patches_.get(); }
    // "Unsaved patches: A, B" for the patches with changes; empty when none.
    std::string DescribeUnsavedPatches() const;
    CPortManager* GetPorts() const { return ports_.get(); }
    CPreferences* GetPrefs() const { return preferences_.get(); }

    // CLinkApplicationInterface.
    bool IsActive() const override { return CApplication::IsActive(); }
    void RunAlertText(const std::string& script) override;

    // CEditorServicesInterface.
    CPatchWindowInterface* OpenPatchWindow(CPatch& patch, uint32_t argument) override;
    bool HasMorphEntries() const override { return false; }
    void PostDeferredAlert(uint32_t alertId) override { deferredAlert_ = alertId; }
    void ShowAlert(uint32_t alertId, const std::string& argument) override;
    void ShowAlertScript(const std::string& script, const std::string& text) override;
    bool AskSaveFile(const std::string& defaultName, NSHarrowen::CFileSpec& chosen) override;
    uint32_t GetCableStyle() const override;
    void BeginDragSelection(CPatch& patch) override;
    void CancelModuleDrag() override;
    void BeginDragNewModule(CPatchBackground& area, uint8_t typeId) override;
    void AreaWillScroll(CPatchBackground& area) override;
    void AreaDidScroll(CPatchBackground& area) override;
    void ReplaceWithEmptyPatch(CPatch& patch) override;
    void MovePatchToSlot(uint8_t port, uint8_t slot, CPatch& patch) override;

private:
    void ShowSplash();
    void CloseSplash();
    // The slot dialog when a synthesizer is attached, else Local at once.
    void AskSlot(CSlotChoice& choice);
    void BuildMenus();
    void UpdateWindowsMenu();
    // Runs a step of a command; a failure records the out-of-memory alert
    // for idle. False when the step failed.
    template <typename Step> bool Guarded(Step step);
    // Runs a step of a command whose failure ends it without a word to the
    // user; the failure is kept in the record of dropped exceptions. False
    // when the step failed.
    template <typename Step> bool Quietly(const char* where, Step step);
    void RunHelp(bool contents);
    void RunBankDialog(uint32_t command);
    void Teardown();

    std::unique_ptr<NSHarrowen::CSplashScreen> splash_;
    std::unique_ptr<NSHarrowen::CMenuBar> bar_;
    std::array<std::unique_ptr<NSHarrowen::CMenu>, 8> menus_;
    std::unique_ptr<CMoleculeRegistry> registry_;
    std::unique_ptr<CModuleCatalogue> catalogue_;
    std::unique_ptr<CPanelModuleServices> moduleServices_;
    std::unique_ptr<CEditorPanelServices> panelServices_;
    std::unique_ptr<CPreferences> preferences_;
    std::unique_ptr<CPatchManager> patches_;
    std::unique_ptr<CClipboard> clipboard_;
    std::unique_ptr<CTransferDocuments> transferDocuments_;
    std::unique_ptr<CPortManager> ports_;
    std::unique_ptr<NSHarrowen::CPixelFormat> screenFormat_;
    std::unique_ptr<CEditorStateReport> stateReport_; // a test hook, off unless asked for
    uint32_t deferredAlert_ = 0;
    uint64_t splashShownAt_ = 0;
    bool openingDocuments_ = false;
    bool heapWarmed_ = false;
};

// The program's entry: the editor on the desktop, until it quits.
int RunEditorApplication(NSHarrowen::CStartupRecord& record);
