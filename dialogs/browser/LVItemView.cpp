#include "dialogs/browser/LVItemView.h"

#include "dialogs/browser/ListView.h"
#include "framework/base/Exceptions.h"
#include "framework/drawing/Canvas.h"
#include "framework/drawing/FontSpec.h"
#include "framework/files/MemoryMedia.h"
#include "framework/images/BMPReader.h"
#include "framework/images/Bitmap.h"
#include "framework/resources/ResourceModule.h"
#include "framework/windows/ABCWindow.h"
#include "platform/base/DroppedExceptions.h"

#include <map>
#include <memory>

using namespace NSHarrowen;

namespace {

const CFontSpec& RowFont()
{
    static const CFontSpec font("Arial", 12);
    return font;
}

// The 16 x 16 row icons, read once from their resources; a missing or
// unreadable one draws nothing.
CABCBitmap* RowIcon(uint32_t id)
{
    static std::map<uint32_t, std::unique_ptr<CBitmap32>> icons;
    auto found = icons.find(id);
    if (found == icons.end()) {
        std::unique_ptr<CBitmap32> bitmap;
        if (const auto bytes = FindResource("ICON", static_cast<int32_t>(id))) {
            try {
                CMemoryMedia media(*bytes);
                bitmap = ReadBMP(media);
            } catch (const XBase&) {
                // The row is drawn without its icon.
                platform::RecordDroppedException("reading a browser row icon");
            }
        }
        found = icons.emplace(id, std::move(bitmap)).first;
    }
    return found->second.get();
}

} // namespace

CLVItemView::CLVItemView(CListView& owner, std::string text, uint32_t iconResource)
    : CSolidColorGroupView(&owner), owner_(owner), text_(std::move(text)), iconResource_(iconResource)
{ }

void CLVItemView::SetHighlighted(bool highlighted)
{
    highlighted_ = highlighted;
    highlightChanged_ = true;
}

void CLVItemView::MouseDown(const CEvent& event)
{
    if (event.IsDoubleClick())
        owner_.RowPressed(*this, true);
    else if (event.IsMouseDown())
        owner_.RowPressed(*this, false);
}

void CLVItemView::ContextClick(CPoint where)
{
    owner_.RowContextClicked(*this, where);
}

void CLVItemView::UpdateDisplay()
{
    if (highlightChanged_) {
        highlightChanged_ = false;
        InvalidateFrame();
    }
    CSolidColorGroupView::UpdateDisplay();
}

void CLVItemView::DrawBackground()
{
    CABCWindow* window = GetWindow();
    if (!window)
        return;
    CCanvas canvas(window);
    const CRect f = GetFrame();
    canvas.FillRect(f, GetBackgroundColor());
    if (iconResource_ != 0)
        if (CABCBitmap* icon = RowIcon(iconResource_))
            canvas.DrawBitmap(f.left + 4, f.top + 1, *icon);
    CRect text(f.left + 24, f.top + 2, f.left + 24 + canvas.GetStringWidth(text_.c_str(), RowFont()) + 2, f.bottom - 3);
    if (highlighted_)
        canvas.FillRect(text, CColor(0, 0, 0));
    text.Deflate(1);
    canvas.DrawString(text.left, text.top + canvas.GetFontAscent(RowFont()), text_.c_str(), RowFont(),
                      highlighted_ ? CColor(0xFFFF, 0xFFFF, 0xFFFF) : CColor(0, 0, 0));
    canvas.DrawHorizontalLine(f.bottom - 1, f.left, f.right, CColor(0xFFFF, 0xFFFF, 0xFFFF));
}
