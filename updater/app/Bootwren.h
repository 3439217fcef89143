#pragma once

#include "framework/application/Application.h"
#include "platform/windows/Message.h"
#include "updater/pages/WizardHost.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace NSBootwren {

class CUpdateFile;
class CUpdateLink;
class CWizardDialog;
class CBootwrenStateReport;

// The updater's application: finds its update image (built in, or a dump
// file the user picks), creates the update link, shows the step pages one
// at a time and drives the link from the idle step.
class CBootwren final : public NSHarrowen::CApplication, public CWizardHost {
public:
    static constexpr const char* kApplicationName = "Bootwren";
    static constexpr int32_t kImageResource = 128;
    static constexpr uint32_t kQuitCommand = 15;
    static constexpr uint32_t kAboutCommand = 400;

    explicit CBootwren(const NSHarrowen::CStartupRecord& record);
    explicit CBootwren(std::string name = kApplicationName);
    ~CBootwren() override;

    void Init() override { Start(); }
    // Shapes the main window, loads the image and shows page 1.
    void Start();
    void Idle() override;
    void Exit() override;
    void UpdateMenus(NSHarrowen::CMenuBar* bar) override;
    void HandleMenuSelect(NSHarrowen::CMenu* menu, uint32_t command) override;
    void DoCommand(const NSHarrowen::CKeyEvent& event) override;

    void ShowPage(int n) override;
    // The update image; the framework's pictures stay reachable by id.
    using NSHarrowen::CApplication::GetImage;
    const CUpdateFile& GetImage() const override { return *image_; }
    CUpdateLink& GetLink() override { return *link_; }
    void RequestQuit() override { CApplication::RequestQuit(); }
    void ForgetPage(CWizardDialog* page) override;

    CWizardDialog* GetPage() const { return page_; }

private:
    void ShapeFrame();
    void LoadBuiltInImage();
    // Asks for a dump file once; false when the user cancelled.
    bool LoadDumpFile();
    // Parses an image; shows the alert of a failure and returns false.
    bool TakeImage(const std::vector<uint8_t>& bytes, const char* corruptAlert);
    CWizardDialog* MakePage(int n);
    // Ticks the link and, while the dump has messages to send, sets the
    // link timer to the next one's due time: the idle step alone comes too
    // seldom to keep the cable's pace.
    void TickLink();
    static void OnLinkTimer(platform::WindowHandle window, uint32_t message, uintptr_t id, uint32_t time);
    void StopLinkTimer();

    CWizardDialog* page_ = nullptr; // a window: the framework deletes it
    std::unique_ptr<CUpdateFile> image_;
    std::unique_ptr<CUpdateLink> link_;
    bool quit_ = false;
    uintptr_t linkTimer_ = 0;
    int pageNumber_ = 0;
    std::unique_ptr<CBootwrenStateReport> stateReport_; // a test hook
    // Where the dump file was chosen last: asked again, the dialog starts there.
    std::string dumpFolder_;
};

// The program's entry: the application on the desktop, until it ends.
int RunBootwrenApplication(NSHarrowen::CStartupRecord& record);

} // namespace NSBootwren
