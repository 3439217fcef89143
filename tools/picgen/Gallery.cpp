#include "tools/picgen/Gallery.h"

#include "modules/ModuleCatalogueContent.h"
#include "panels/BuildModule.h"
#include "panels/ModuleCatalogue.h"
#include "tools/picgen/BitmapFont.h"
#include "tools/picgen/FixedPictures.h"
#include "tools/picgen/PictureColours.h"
#include "tools/picgen/PictureEncoders.h"

#include <algorithm>
#include <string>

namespace picgen {

namespace {

constexpr int kColumns = 5;
constexpr int kColumnWidth = 262;
constexpr int kMargin = 8;
constexpr int kCaption = 10;
constexpr int kGalleryWidth = kMargin + kColumns * kColumnWidth;
constexpr uint32_t kGalleryBackground = Rgb(0x3A, 0x3F, 0x46);
constexpr uint32_t kCaptionInk = Rgb(0xF0, 0xF0, 0xF0);

// Cursors shown on a check pattern, inverted pixels in mid grey.
CRaster CursorView(const CRaster& cursor)
{
    CRaster r(cursor.Width(), cursor.Height(), 0);
    for (int y = 0; y < cursor.Height(); ++y)
        for (int x = 0; x < cursor.Width(); ++x) {
            const uint32_t p = cursor.At(x, y);
            const uint32_t check = ((x / 4 + y / 4) % 2) ? Rgb(0xE0, 0xA0, 0xC0) : Rgb(0xC0, 0x80, 0xA0);
            r.Set(x, y, p == kCursorClear ? check : p == kCursorInvert ? kGrey77 : p);
        }
    return r;
}

struct Tile {
    std::string caption;
    CRaster picture;
};

// Lays the tiles out in rows of the gallery's width and draws them.
class CFlow {
public:
    explicit CFlow(int top) : y_(top) { }

    void Place(const Tile& t, CRaster* target)
    {
        const int w = std::max(t.picture.Width(), CBitmapFont::TextWidth(t.caption));
        if (x_ + w > kGalleryWidth - kMargin && x_ > kMargin) {
            x_ = kMargin;
            y_ += rowHeight_ + kMargin;
            rowHeight_ = 0;
        }
        if (target) {
            CBitmapFont::Draw(*target, x_, y_, t.caption, kCaptionInk);
            target->Blit(t.picture, 0, 0, t.picture.Width(), t.picture.Height(), x_, y_ + kCaption);
        }
        x_ += w + kMargin;
        rowHeight_ = std::max(rowHeight_, kCaption + t.picture.Height());
    }
    int Bottom() const { return y_ + rowHeight_ + kMargin; }

private:
    int x_ = kMargin;
    int y_;
    int rowHeight_ = 0;
};

std::vector<Tile> FaceTiles()
{
    const CModuleCatalogue& catalogue = GetSharedModuleCatalogue();
    std::vector<Tile> tiles;
    for (FacePicture& face : MakeFaces()) {
        const CBuildModule& type = catalogue.GetBuilder(static_cast<uint8_t>(face.typeId));
        tiles.push_back(
            {std::to_string(face.typeId) + " " + type.GetShortName() + " (JPEG " + std::to_string(face.jpegId) + ")",
             std::move(face.layout.picture)});
    }
    return tiles;
}

std::vector<Tile> FixedTiles()
{
    std::vector<CPicture> pictures;
    AddPanelPictures(pictures);
    AddButtonPictures(pictures);
    AddKnobPictures(pictures);
    AddEditorPictures(pictures);
    AddCursors(pictures);
    std::vector<Tile> tiles;
    for (CPicture& p : pictures) {
        const bool cursor = p.encoding == PictureEncoding::Cursor;
        tiles.push_back({p.type + " " + std::to_string(p.id), cursor ? CursorView(p.raster) : std::move(p.raster)});
    }
    return tiles;
}

// Faces flow in columns of equal width, so they line up.
int FacesHeight(const std::vector<Tile>& faces, CRaster* target)
{
    std::vector<int> columnY(kColumns, kMargin);
    for (const Tile& t : faces) {
        const auto column = static_cast<size_t>(std::min_element(columnY.begin(), columnY.end()) - columnY.begin());
        const int x = kMargin + static_cast<int>(column) * kColumnWidth;
        if (target) {
            CBitmapFont::Draw(*target, x, columnY[column], t.caption, kCaptionInk);
            target->Blit(t.picture, 0, 0, t.picture.Width(), t.picture.Height(), x, columnY[column] + kCaption);
        }
        columnY[column] += kCaption + t.picture.Height() + kMargin;
    }
    return *std::max_element(columnY.begin(), columnY.end());
}

} // namespace

CRaster MakeGallery()
{
    const std::vector<Tile> faces = FaceTiles();
    const std::vector<Tile> fixed = FixedTiles();
    const int facesBottom = FacesHeight(faces, nullptr);
    CFlow measure(facesBottom + kMargin);
    for (const Tile& t : fixed)
        measure.Place(t, nullptr);
    CRaster gallery(kGalleryWidth, measure.Bottom(), kGalleryBackground);
    FacesHeight(faces, &gallery);
    CFlow flow(facesBottom + kMargin);
    for (const Tile& t : fixed)
        flow.Place(t, &gallery);
    return gallery;
}

} // namespace picgen
