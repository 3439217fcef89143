#include "tests/editor/PatchWindowFixture.h"

#include "editor/clipboard/Clipboard.h"

using namespace NSHarrowen;

namespace editortest {

CNewModuleButton::CNewModuleButton(CGroupView* parent, uint8_t type) : CView(parent, CRect(2, 2, 22, 22)), type_(type)
{ }

void CNewModuleButton::MouseDown(const CEvent&)
{
    GetModuleClipboard()->BeginDragFromToolbar(this, type_);
}

bool SameScreen(const platform::PixelBuffer& a, const platform::PixelBuffer& b)
{
    if (a.Width() != b.Width() || a.Height() != b.Height())
        return false;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if (a.At(x, y) != b.At(x, y))
                return false;
    return true;
}

void PatchWindowTest::SetUp()
{
    EditorTest::SetUp();
    Launch();
    PressCtrl('N');
    Step(100);
    ASSERT_FALSE(Patches().empty());
    CPatch& made = *Patches().front();
    CPatchHeader header = made.GetPatchHeader();
    header.SetSplitPosition(300);
    made.SetPatchHeader(header);
    UseWindowOf(made);
    view->LayoutRootView();
    Step(20);
}

} // namespace editortest
