#include "tests/editor/EditorFixture.h"

#include "dialogs/log/DialogLog.h"
#include "framework/controls/PushButtonView.h"
#include "framework/controls/ScrollBarView.h"
#include "framework/lists/LineRing.h"
#include "framework/lists/TerminalView.h"
#include "platform/input/Keys.h"
#include "platform/windows/Window.h"

#include <string>
#include <vector>

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

// A short log reads from the top of its box, as a page does: the bank
// log's few lines once stood at the bottom of a large empty box.
TEST_F(EditorTest, AShortLogStartsAtTheTopOfItsBox)
{
    Launch();
    CLineRing log(100, 60);
    for (const char* line : {"Bank 1: 12 patches received.", "Bank 2: 3 patches received.", "Done."})
        log.AddLine(line);
    // The rows of the log's box, from its top, that hold black text.
    std::vector<int> inked;
    int boxHeight = 0;
    int visibleLines = 0;
    operate = [&](CABCWindow& window) {
        auto* box = dynamic_cast<CDialogLog*>(&window);
        if (!box)
            return false;
        const CRect frame = box->GetLogView()->GetFrame();
        boxHeight = frame.Height();
        visibleLines = box->GetLogView()->GetVisibleLineCount();
        const platform::Point origin = platform::ClientToScreen(box->GetHandle(), {frame.left, frame.top});
        const platform::PixelBuffer screen = desktop.Host().Screen();
        for (int y = 0; y < frame.Height(); ++y)
            for (int x = 0; x < frame.Width(); ++x)
                if ((screen.At(origin.x + x, origin.y + y) & 0xFFFFFFu) == 0) {
                    inked.push_back(y);
                    break;
                }
        box->GetCloseButton()->Click();
        return true;
    };
    auto* box = new CDialogLog(nullptr, &log, "Bank Download log");
    box->Open(box->GetWindowRectInFrame());
    RunModal(box);
    ASSERT_GT(boxHeight, 200);
    ASSERT_FALSE(inked.empty()) << "the log shows no text";
    ASSERT_GT(visibleLines, 3);
    const int line = boxHeight / visibleLines;
    EXPECT_LT(inked.front(), line) << "the first line does not stand at the top";
    EXPECT_LT(inked.back(), 3 * line + 2) << "a line stands below the third";
}

} // namespace editortest
