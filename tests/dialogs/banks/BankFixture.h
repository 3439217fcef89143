#pragma once

// The editor with a simulated synthesizer on port 0 whose flash banks are
// kept in a folder of patch files. The test works the editor as a user does:
// menu commands, clicks on the controls' windows, and an operator that acts
// while a dialog runs modally. The simulator's time follows the desktop's.

#include "simulator/SimState.h"
#include "tests/editor/EditorFixture.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace NSHarrowen {
class CNativeControlView;
class CView;
} // namespace NSHarrowen
namespace platform {
struct FileDialogRequest;
}
namespace sim {
class CSimulator;
class CSimVirtualPort;
struct SimPatch;
} // namespace sim
class CPortManager;

namespace banktest {

class BankDialogTest : public editortest::EditorTest {
public:
    BankDialogTest();
    ~BankDialogTest() override;

protected:
    void SetUp() override { StartWith(sim::SimModel::Kandrel); }
    void TearDown() override;

    // `beforeLaunch` may fill the synthesizer's flash.
    void StartWith(sim::SimModel model, const std::function<void()>& beforeLaunch = {});
    // The operator works through the steps one after another: each is given
    // every open window (the top one first) until it answers true, then the
    // next takes over. The synthesizer keeps up with the desktop's time.
    void Script(std::vector<std::function<bool(NSHarrowen::CABCWindow&)>> steps);
    size_t StepsDone() const { return *scriptAt_; }
    CPortManager& Ports() { return *app->GetPorts(); }
    sim::CSimulator& Sim() { return *synth_; }

    // Lets the synthesizer's time catch up with the desktop's.
    void CatchUp();
    // 10 ms for the desktop, the synthesizer and the editor's idle step.
    void SynthStep();
    bool StepUntil(const std::function<bool()>& done, int limit = 3000);
    // The flash map is read and nothing is awaited.
    bool Settle();

    // A left click in the middle of a control's window.
    void Click(const NSHarrowen::CNativeControlView* view);
    // Opens a drop-down and clicks its entry.
    void Pick(const NSHarrowen::CNativeControlView* popup, int index);
    // Asks the window manager to close the window with this title.
    void CloseByFrame(const std::string& title);

    // The next file dialog is answered with this path (none: cancelled);
    // the request is kept.
    void AnswerFileDialog(std::optional<std::string> path);
    std::optional<platform::FileDialogRequest> LastFileRequest() const;

    // Stores a named patch in the simulator's flash.
    void StoreInFlash(int bank, int location, const std::string& name);
    // The names of the simulator's flash bank by location, empty where unused.
    std::vector<std::string> FlashNames(int bank);
    // The name of the patch in a slot of the simulator.
    std::string SlotPatchName(int slot);
    void SetMemoryProtect(bool on);

    testsupport::TempDir flashFolder;
    testsupport::TempDir files;

private:
    std::string device_;
    std::unique_ptr<sim::CSimulator> synth_;
    std::unique_ptr<sim::CSimVirtualPort> port_;
    uint64_t synthTime_ = 0;
    std::optional<std::string> fileAnswer_;
    std::shared_ptr<std::optional<platform::FileDialogRequest>> fileRequest_;
    std::shared_ptr<size_t> scriptAt_ = std::make_shared<size_t>(0);
};

} // namespace banktest
