#include "editor/toolbar/tabs/TabButtonBar.h"

#include "editor/toolbar/tabs/TabButton.h"
#include "editor/toolbar/tabs/TabGreys.h"
#include "editor/toolbar/tabs/TabScrollView.h"
#include "framework/drawing/ABCCanvas.h"
#include "panels/painters/PictureKeys.h"

CTabButtonBar::CTabButtonBar(CTabScrollView& owner) : CToolbarView(&owner), owner_(owner)
{
    SetSize(kWidth, kHeight);
    SetColor(TabGrey(0xBF00));
    SetLeftMargin(5);
}

void CTabButtonBar::AddButton(uint16_t picture, const std::string& tooltip, uint8_t typeId)
{
    new CTabButton(*this, picture, tooltip, typeId);
    LayoutChildren();
}

void CTabButtonBar::AddSeparator()
{
    new NSHarrowen::CToolbarSeparatorView(this);
    LayoutChildren();
}

void CTabButtonBar::DrawPicture(NSHarrowen::CABCCanvas& canvas, int32_t x, int32_t y, uint16_t index)
{
    canvas.DrawImagePart(x, y, SymbolPicture(kSheet), kCellWidth * (index % 10), kCellHeight * (index / 10), kCellWidth,
                         kCellHeight);
}
