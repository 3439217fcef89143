#include "tests/editor/EditorFixture.h"

#include "dialogs/log/DialogLog.h"
#include "framework/controls/PushButtonView.h"
#include "framework/controls/ScrollBarView.h"
#include "framework/lists/LineRing.h"
#include "framework/lists/TerminalView.h"
#include "platform/input/Keys.h"

#include <string>

using namespace NSHarrowen;

namespace editortest {

namespace {

struct CSeen {
    bool shown = false;
    bool barEnabled = false;
    int16_t barValue = -1;
    bool barEnabledAtEnd = false;
    int16_t barValueAtEnd = -1;
    int32_t firstLineAtEnd = -1;
};

} // namespace

// The log box as the bank transfers show their reports: the operator looks
// at it, presses End, looks again and clicks Close.
TEST_F(EditorTest, TheLogBoxScrollsItsLinesAndDisablesItsBarWhileAllFit)
{
    Launch();
    struct Case {
        int lines;
        bool barEnabled;
    };
    for (const Case c : {Case{0, false}, Case{5, false}, Case{100, true}}) {
        CLineRing log(100, 60);
        for (int i = 0; i < c.lines; ++i)
            log.AddLine(("line " + std::to_string(i)).c_str());
        CSeen seen;
        int phase = 0;
        operate = [&](CABCWindow& window) {
            auto* box = dynamic_cast<CDialogLog*>(&window);
            if (!box)
                return false;
            if (phase == 0) {
                seen.shown = true;
                seen.barEnabled = box->GetScrollBar()->IsEnabled();
                seen.barValue = box->GetScrollBar()->GetValue();
                desktop.Host().PressKey(platform::kVKEnd);
                desktop.Host().ReleaseKey(platform::kVKEnd);
            } else if (phase == 1) {
                seen.barEnabledAtEnd = box->GetScrollBar()->IsEnabled();
                seen.barValueAtEnd = box->GetScrollBar()->GetValue();
                seen.firstLineAtEnd = box->GetLogView()->GetScrollOffset();
                box->GetCloseButton()->Click();
            }
            ++phase;
            return true;
        };
        auto* box = new CDialogLog(nullptr, &log, "Bank Download log");
        box->Open(box->GetWindowRectInFrame());
        RunModal(box);
        ASSERT_TRUE(seen.shown) << c.lines;
        EXPECT_EQ(seen.barEnabled, c.barEnabled) << c.lines;
        EXPECT_EQ(seen.barValue, 0) << c.lines;
        if (c.barEnabled) {
            EXPECT_GT(seen.firstLineAtEnd, 0);
            EXPECT_EQ(seen.barValueAtEnd, 999 * seen.firstLineAtEnd / c.lines);
        } else {
            EXPECT_FALSE(seen.barEnabledAtEnd) << c.lines;
            EXPECT_EQ(seen.firstLineAtEnd, 0) << c.lines;
        }
    }
}

} // namespace editortest
