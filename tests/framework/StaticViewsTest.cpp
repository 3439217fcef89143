#include "WindowTestFixture.h"

#include "framework/windows/ModalDialog.h"
#include "framework/controls/NativeControlView.h"
#include "framework/views/StaticTextView.h"
#include "framework/views/PagedGroupView.h"
#include "framework/views/ToolbarView.h"

using namespace NSHarrowen;

namespace {

class StaticViewsTest : public testsupport::WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        window = new CModalDialog("Views");
        window->Open(window->GetCenteredRectForContentSize(400, 300));
        Pump();
    }
    CModalDialog* window = nullptr;
};

TEST_F(StaticViewsTest, ToolbarLinesItsChildrenUpCentredVertically)
{
    auto* bar = new CToolbarView(window->GetRootView());
    bar->SetFrame(CRect(0, 10, 400, 38));
    auto* first = new CView(bar, CRect(0, 0, 30, 20));
    auto* separator = new CToolbarSeparatorView(bar);
    auto* last = new CView(bar, CRect(0, 0, 40, 27));
    bar->LayoutChildren();
    EXPECT_EQ(first->GetFrame(), CRect(6, 14, 36, 34));
    EXPECT_EQ(separator->GetFrame(), CRect(36, 10, 44, 38));
    EXPECT_EQ(last->GetFrame(), CRect(44, 10, 84, 37)); // (28 - 27) / 2 rounds toward zero
    bar->DeleteChildren();
}

TEST_F(StaticViewsTest, PagedGroupShowsOnePageAndParksTheOthers)
{
    auto* group = new CPagedGroupView(window->GetRootView());
    group->SetFrame(CRect(10, 10, 210, 110));
    auto* a = new CView(group, CRect(0, 0, 50, 40));
    auto* b = new CView(group, CRect(0, 0, 60, 30));
    group->ShowPageAt(1);
    EXPECT_EQ(group->GetShownPage(), b);
    EXPECT_EQ(b->GetFrame(), CRect(10, 10, 210, 110));
    EXPECT_EQ(a->GetFrame(), CRect(-8192, -8192, -8192 + 50, -8192 + 40));
    group->ShowPageAt(5);
    EXPECT_EQ(group->GetShownPage(), b);
    group->RemoveChild(b);
    EXPECT_EQ(group->GetShownPage(), nullptr);
    delete b;
    group->DeleteChildren();
}

TEST_F(StaticViewsTest, StaticTextGreysWithItsParentAndRepaintsOnlyOnChange)
{
    auto* holder = new CGroupView(window->GetRootView(), CRect(0, 0, 200, 100));
    auto* text = new CStaticTextView(holder, "Ready");
    RunUpdatePasses();
    EXPECT_EQ(text->GetShownText(), "Ready");
    EXPECT_TRUE(text->IsShownEnabled());
    holder->SetEnabled(false);
    RunUpdatePasses();
    EXPECT_FALSE(text->IsShownEnabled());
    holder->SetEnabled(true);
    text->SetText(std::string(1200, 'x'));
    RunUpdatePasses();
    EXPECT_TRUE(text->IsShownEnabled());
    EXPECT_EQ(text->GetShownText().size(), CStaticTextView::kTextCapacity);
    holder->DeleteChildren();
}

} // namespace
