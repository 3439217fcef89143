// Who deletes a group view's children: the group deletes the views made with
// it as their parent and those it adopted, exactly once; it never deletes a
// view it was lent, one that was taken out of it, or one deleted before it.
// The sanitizer build reports any leak or second delete.
#include "WindowTestFixture.h"

#include "framework/views/GroupView.h"

#include <memory>
#include <vector>

using namespace NSHarrowen;

namespace {

// A view that counts the live views of its kind.
class CCountedView : public CView {
public:
    explicit CCountedView(CGroupView* parent = nullptr) : CView(parent, CRect(0, 0, 10, 10)) { ++alive; }
    ~CCountedView() override { --alive; }
    static inline int alive = 0;
};

class CCountedGroup : public CGroupView {
public:
    explicit CCountedGroup(CGroupView* parent = nullptr) : CGroupView(parent, CRect(0, 0, 100, 100)) { ++alive; }
    ~CCountedGroup() override { --alive; }
    static inline int alive = 0;
};

// A group with a child of its own as a member, as module panels hold their items.
class CGroupWithMember : public CGroupView {
public:
    CGroupWithMember() : member(this) { }
    CCountedView member;
};

// A view that records the parent it is told of at each change, as views that
// keep something of their parent (a cast of it) do.
class CParentWatcher : public CView {
public:
    std::vector<const CGroupView*> seen;

protected:
    void ParentChanged() override { seen.push_back(GetParent()); }
};

class GroupViewOwnership : public testsupport::WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        CCountedView::alive = 0;
        CCountedGroup::alive = 0;
    }
};

TEST_F(GroupViewOwnership, AGroupDeletesWhatItOwnsAndLeavesWhatItWasLent)
{
    auto group = std::make_unique<CCountedGroup>();
    new CCountedView(group.get()); // made with the group as parent
    auto* nested = new CCountedGroup(group.get());
    new CCountedView(nested);
    group->AdoptChild(std::make_unique<CCountedView>());
    CCountedView lent;
    group->AddChild(&lent);
    ASSERT_EQ(group->CountChildren(), 4);
    ASSERT_EQ(CCountedView::alive, 4);

    group.reset();
    EXPECT_EQ(CCountedView::alive, 1) << "only the lent view is left";
    EXPECT_EQ(CCountedGroup::alive, 0);
    EXPECT_EQ(lent.GetParent(), nullptr);
}

TEST_F(GroupViewOwnership, ARemovedChildBelongsToWhoeverTookIt)
{
    auto group = std::make_unique<CCountedGroup>();
    auto* first = new CCountedView(group.get());
    auto* second = new CCountedView(group.get());
    auto* lent = new CCountedView;
    group->AddChild(lent);

    std::unique_ptr<CView> taken = group->TakeChild(first);
    ASSERT_EQ(taken.get(), first);
    EXPECT_EQ(first->GetParent(), nullptr);
    EXPECT_EQ(group->TakeChild(lent), nullptr) << "a lent view stays its owner's";
    EXPECT_EQ(group->TakeChild(first), nullptr) << "no longer in the group";
    group->RemoveChild(second); // the caller owns it now
    EXPECT_EQ(group->CountChildren(), 0);

    group.reset();
    EXPECT_EQ(CCountedView::alive, 3);
    taken.reset();
    delete second;
    delete lent;
    EXPECT_EQ(CCountedView::alive, 0);
}

TEST_F(GroupViewOwnership, AChildDeletedFirstLeavesTheGroup)
{
    {
        CGroupWithMember group;
        auto* other = new CCountedView(&group);
        EXPECT_EQ(group.CountChildren(), 2);
        delete other;
        EXPECT_EQ(group.CountChildren(), 1);
        EXPECT_EQ(group.GetChild(0), &group.member);
    } // the member goes before the group's own destructor looks at its children
    EXPECT_EQ(CCountedView::alive, 0);
}

TEST_F(GroupViewOwnership, AdoptingMovesAViewFromItsOldParent)
{
    auto from = std::make_unique<CCountedGroup>();
    auto to = std::make_unique<CCountedGroup>();
    auto* child = new CCountedView(from.get());
    std::unique_ptr<CView> taken = from->TakeChild(child);
    EXPECT_EQ(to->AdoptChild(std::move(taken)), child);
    EXPECT_EQ(child->GetParent(), to.get());

    CCountedView lent;
    from->AddChild(&lent);
    from->DeleteChildren(); // the lent view goes free, nothing is deleted
    EXPECT_EQ(lent.GetParent(), nullptr);
    EXPECT_EQ(CCountedView::alive, 2);
    from.reset();
    to.reset();
    EXPECT_EQ(CCountedView::alive, 1);
}

TEST_F(GroupViewOwnership, ClosingAWindowDeletesItsViewsAndForgetsTheFocusedOne)
{
    CDocumentWindow* window = OpenDocument(120, 80);
    auto* group = new CCountedGroup(window->GetRootView());
    auto* focused = new CCountedView(group);
    focused->SetFocusable(true);
    focused->Focus();
    ASSERT_EQ(window->GetFocusView(), focused);

    // A group deleted alone takes its children with it and the window forgets them.
    delete group;
    EXPECT_EQ(CCountedView::alive, 0);
    EXPECT_NE(window->GetFocusView(), focused);

    new CCountedView(new CCountedGroup(window->GetRootView()));
    delete window;
    EXPECT_EQ(CCountedView::alive, 0);
    EXPECT_EQ(CCountedGroup::alive, 0);
}

TEST_F(GroupViewOwnership, AViewIsToldOfEveryChangeOfItsParent)
{
    auto first = std::make_unique<CCountedGroup>();
    auto second = std::make_unique<CCountedGroup>();
    const CGroupView* const secondGroup = second.get();
    auto owned = std::make_unique<CParentWatcher>();
    CParentWatcher* watcher = owned.get();
    first->AdoptChild(std::move(owned));
    second->AdoptChild(first->TakeChild(watcher)); // moved from one group to another
    EXPECT_EQ(watcher->seen, (std::vector<const CGroupView*>{first.get(), nullptr, secondGroup}));

    CParentWatcher lent;
    first->AddChild(&lent);
    first->RemoveChild(&lent);
    second->AddChild(&lent);
    second.reset(); // deletes the adopted one, lets the lent one go
    EXPECT_EQ(lent.seen, (std::vector<const CGroupView*>{first.get(), nullptr, secondGroup, nullptr}));
}

} // namespace
