#pragma once

// The editor on a headless desktop with a virtual clock: the test works it
// as a user, with keys, menu commands and clicks, and an operator that
// answers the boxes the editor opens (from a timer, as modal runs keep
// dispatching).

#include "dialogs/common/EditorDialogs.h"
#include "editor/app/EditorApp.h"
#include "tests/support/HeadlessDesktop.h"
#include "tests/support/TempDir.h"
#include "tests/support/TimerOperator.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace NSHarrowen {
class CABCWindow;
class CMenuItemRecord;
} // namespace NSHarrowen
class CPatch;

namespace editortest {

class EditorTest : public ::testing::Test {
public:
    // Called from the operator's timer while a box runs modally.
    void Operate();

protected:
    EditorTest() = default;
    // The editor on a desktop of that size.
    EditorTest(int width, int height) : desktop(width, height) { }

    void SetUp() override;
    void TearDown() override;

    // Starts the editor as its run does: frame, Init, menu bar.
    // `beforeInit` runs once the application (and so its settings folder)
    // exists.
    void Launch(const std::function<void()>& beforeInit = {});
    void Pump();
    // Lets time pass in steps of 10 ms.
    void Step(uint64_t ms = 10);
    // Ctrl with a letter key, released again.
    void PressCtrl(uint32_t key);
    // The menu update the framework runs before a menu opens.
    void UpdateMenus();
    // Runs a command as a menu choice does.
    void Choose(uint32_t command);
    bool IsEnabled(uint32_t command);
    bool IsChecked(uint32_t command);
    std::vector<CPatch*> Patches() const;
    // Ctrl+N `count` times, as a person opens new patches: all patches then.
    std::vector<CPatch*> NewPatches(int count);
    // The operator answers the next name box as a person would: types the
    // text, then presses the key that ends it; `shown` gets what the box
    // showed before.
    void AnswerNameBox(const std::u32string& typed, uint32_t finalKey, std::string* shown = nullptr);
    // Ctrl+Q: true when the run loop is left.
    bool Quit();

    testsupport::ScopedConfigHome configHome;
    testsupport::HeadlessDesktop desktop;
    testsupport::TempDir folder;
    CEditorDialogs dialogs;
    std::unique_ptr<CEditorApp> app;
    // The operator's work for each box it finds open; it returns true when
    // it acted. Boxes it does not handle stay open until it does.
    std::function<bool(NSHarrowen::CABCWindow&)> operate;
    // Runs at every operator tick before it looks at the boxes (time for
    // the simulated synthesizers while a box runs modally).
    std::function<void()> onOperatorTick;
    // What the operator saw: the messages of alert boxes.
    std::vector<std::string> alerts;

private:
    std::unique_ptr<testsupport::TimerOperator> operator_;
};

} // namespace editortest
