#pragma once

// Bootwren on a headless desktop with a virtual clock, the update-mode
// simulated synthesizer on a virtual MIDI device, and a built-in synthetic
// image. The test works it as a user: clicks and keys on the windows, and
// an operator that answers alerts and file dialogs.

#include "framework/resources/ResourceModule.h"
#include "platform/graphics/PixelBuffer.h"
#include "simulator/update/SimUpdatePort.h"
#include "tests/support/HeadlessDesktop.h"
#include "tests/support/TempDir.h"
#include "tests/support/TimerOperator.h"
#include "tests/updater/support/SyntheticImages.h"
#include "updater/app/Bootwren.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace NSHarrowen {
class CAlertBox;
class CPushButtonView;
class CNativeControlView;
class CStaticTextView;
} // namespace NSHarrowen

namespace updatertest {

class WizardTest : public ::testing::Test {
public:
    // How the operator answers an alert: a click on its button 1, Return,
    // Escape, or a quit from outside (SIGTERM) while it is open.
    enum class AlertAnswer { Button, Return, Escape, Quit };
    // Answers an alert box that is open (the operator's timer).
    void OperateAlerts();

protected:
    void SetUp() override;
    void TearDown() override;

    // Builds the image in as "DATA" 128 (none: no built-in image).
    void BuildIn(const std::vector<uint8_t>* bytes);
    // Starts the application (its Init) on the frame.
    void Launch();
    void Launch(const SyntheticImage& image);

    // Lets time pass in steps of 10 ms, as the run loop would.
    void Step(uint64_t ms = 10);
    // The longest time one message took to handle (virtual clock): no input
    // can wait longer for the window.
    uint64_t longestDispatchMs = 0;
    // Steps until the page is the given one (at most `limitMs`).
    bool WaitForPage(int page, uint64_t limitMs = 20000);

    // The number of the page shown (1 to 8), 0 when none.
    int Page() const;
    // The texts of the page's static items, in template order.
    std::vector<std::string> Texts() const;
    NSHarrowen::CStaticTextView* FirstText() const;
    void Click(NSHarrowen::CNativeControlView* view);
    void ClickNext();
    void ClickBack();
    void ClickCancel();
    void Key(uint32_t virtualKey);
    // Picks an entry of a pop-up of the MIDI page.
    void Pick(NSHarrowen::CNativeControlView* popup, int index);
    // From page 1 to the current page on the simulator's ports.
    void GoToCurrentPage(bool safe = false) { GoToCurrentPageExpectingPage(4, safe); }
    // The same, where Next on the ports page leads to `expected`.
    void GoToCurrentPageExpectingPage(int expected, bool safe = false);
    bool IsQuitRequested() const;
    // What the screen shows of a window (the presented pixels of its frame).
    platform::PixelBuffer OnScreen(platform::WindowHandle window);

    testsupport::ScopedConfigHome configHome;
    testsupport::HeadlessDesktop desktop;
    testsupport::TempDir folder;
    sim::CSimUpdateSynth synth;
    std::unique_ptr<sim::CSimUpdatePort> port;
    std::unique_ptr<sim::CSimUpdatePort> otherPort;
    sim::CSimUpdateSynth otherSynth;
    std::unique_ptr<NSBootwren::CBootwren> app;
    // What the operator saw: alert messages and file dialog titles.
    AlertAnswer alertAnswer = AlertAnswer::Button;
    std::vector<std::string> alerts;
    std::vector<uint64_t> alertTimes; // when the operator saw each alert
    std::vector<std::string> fileDialogs;
    std::vector<std::string> fileDialogFolders; // where each started ("": the home folder)
    // Paths the file dialog answers with, front first; empty: cancelled.
    std::vector<std::string> dialogAnswers;

private:
    std::vector<uint8_t> builtIn_;
    std::unique_ptr<NSHarrowen::CResourceEntry[]> entries_;
    std::unique_ptr<NSHarrowen::CResourceModule> module_;
    std::unique_ptr<testsupport::TimerOperator> operator_;
    const NSHarrowen::CAlertBox* quitUnder_ = nullptr;
};

} // namespace updatertest
