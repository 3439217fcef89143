#include "tests/framework/WindowTestFixture.h"

#include "framework/drawing/DrawingContext.h"
#include "framework/views/GroupView.h"
#include "framework/windows/NoFrameWindow.h"
#include "framework/windows/ApplicationToolbar.h"
#include "framework/views/SolidColorGroupView.h"
#include "platform/windows/MessageQueue.h"

using namespace NSHarrowen;
using testsupport::WindowTest;

TEST_F(WindowTest, FrameHoldsItsMdiClientBelowTheToolbar)
{
    const platform::WindowHandle frame = app->GetFrameHandle();
    const platform::WindowHandle client = app->GetMDIClientHandle();
    ASSERT_NE(frame, 0u);
    ASSERT_EQ(platform::GetParent(client), frame);
    EXPECT_EQ(platform::GetWindowRectInParent(client), platform::GetClientRect(frame));

    auto* toolbar = new CApplicationToolbar(66);
    app->SetToolbar(toolbar);
    const platform::Rect area = platform::GetClientRect(frame);
    EXPECT_EQ(platform::GetParent(toolbar->GetHandle()), frame);
    EXPECT_EQ(platform::GetWindowRectInParent(toolbar->GetHandle()), platform::Rect::FromSize(0, 0, 8000, 66));
    EXPECT_EQ(platform::GetWindowRectInParent(client), (platform::Rect{0, 66, area.right, area.bottom}));

    platform::MoveWindow(frame, {0, 0, 640, 480}, true);
    Pump();
    const platform::Rect smaller = platform::GetClientRect(frame);
    EXPECT_EQ(platform::GetWindowRectInParent(toolbar->GetHandle()).Height(), 66);
    EXPECT_EQ(platform::GetWindowRectInParent(client), (platform::Rect{0, 66, smaller.right, smaller.bottom}));
    EXPECT_TRUE(toolbar->IsToolWindow());
}

TEST_F(WindowTest, NewDocumentWindowsTakeTheLeastUsedCascadeSlot)
{
    std::vector<CDocumentWindow*> windows;
    for (int i = 0; i < 3; ++i)
        windows.push_back(OpenDocument(200, 100, 2));
    EXPECT_EQ(windows[0]->GetWindowRectInFrame().TopLeft(), CPoint(0, 0));
    EXPECT_EQ(windows[1]->GetWindowRectInFrame().TopLeft(), CPoint(23, 23));
    EXPECT_EQ(windows[2]->GetWindowRectInFrame().TopLeft(), CPoint(46, 46));
    // The content keeps its size: the sizing frame and the caption go around it.
    EXPECT_EQ(windows[0]->GetClientRect(), CRect(0, 0, 200, 100));
    EXPECT_EQ(windows[0]->GetWindowRectInFrame(), CRect(0, 0, 208, 127));

    // A freed slot is taken again; with every slot taken once, slot 0 wins.
    delete windows[1];
    EXPECT_EQ(OpenDocument(200, 100, 2)->GetWindowRectInFrame().TopLeft(), CPoint(23, 23));
    for (int i = 3; i < 8; ++i)
        OpenDocument(50, 50, 0);
    EXPECT_EQ(OpenDocument(50, 50, 0)->GetWindowRectInFrame().TopLeft(), CPoint(0, 0));
}

TEST_F(WindowTest, WindowMarkedForClosingIsDeletedAtTheNextIdle)
{
    CDocumentWindow* w = OpenDocument();
    const platform::WindowHandle handle = w->GetHandle();
    w->RequestClose();
    EXPECT_TRUE(w->IsMarkedForDeletion());
    EXPECT_EQ(GetWindowListIndex(w), 0);
    desktop.Host().Advance(100);
    Pump();
    EXPECT_EQ(CountWindows(), 0);
    EXPECT_FALSE(platform::IsWindow(handle));
}
