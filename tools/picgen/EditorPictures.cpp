#include "tools/picgen/FixedPictures.h"
#include "tools/picgen/BitmapFont.h"
#include "tools/picgen/PictureColours.h"

#include "modules/ModuleAbbreviations.h"
#include "modules/ModuleCatalogueContent.h"
#include "panels/ModuleCatalogue.h"

#include <cmath>
#include <numbers>
#include <string>

namespace picgen {

namespace {

// The toolbar's cable buttons: a 10 x 8 swatch per cable colour.
CRaster Swatch(uint32_t colour)
{
    CRaster r(10, 8, colour);
    r.FrameRect(0, 0, 10, 8, Rgb(0x30, 0x30, 0x30));
    r.HLine(1, 8, 1, Shade(colour, 1.3));
    return r;
}

// One 16 x 15 cell per type id, 10 to a row: the type's tab colour and its
// button's short name, on one line or two, in the tiny font.
CRaster TabSheet()
{
    const CModuleCatalogue& catalogue = GetSharedModuleCatalogue();
    CRaster r(160, 195, kPanelGrey);
    for (size_t tab = 0; tab < catalogue.GetTabCount(); ++tab)
        for (uint8_t id : catalogue.GetTabTypes(tab)) {
            if (id == 0) // a separator
                continue;
            const int x = 16 * (id % 10);
            const int y = 15 * (id / 10);
            const uint32_t accent = kTabAccents[tab % kTabAccents.size()];
            r.FillRect(x, y, 16, 15, accent);
            std::string name = ButtonName(id);
            if (name.empty())
                name = catalogue.GetBuilder(id).GetShortName();
            // Two lines where one is too wide for the cell.
            std::vector<std::string> lines{name};
            const size_t blank = name.find(' ');
            if (CBitmapFont::TextWidth(name, 1, FontSize::Tiny) > 16 && blank != std::string::npos)
                lines = {name.substr(0, blank), name.substr(blank + 1)};
            int top = y + (15 - 6 * static_cast<int>(lines.size()) + 1) / 2;
            for (const std::string& line : lines) {
                const int w = CBitmapFont::TextWidth(line, 1, FontSize::Tiny);
                CBitmapFont::Draw(r, x + (16 - w + 1) / 2, top, line, kWhite, 1, FontSize::Tiny);
                top += 6;
            }
        }
    return r;
}

// The voice area's background tile: dark slate with a faint dot every 16 pixels.
CRaster AreaTile()
{
    CRaster r(256, 126, Rgb(0x5C, 0x66, 0x70));
    for (int y = 3; y < 126; y += 16)
        for (int x = 3; x < 256; x += 16)
            r.Set(x, y, Rgb(0x6C, 0x76, 0x80));
    return r;
}

void KnobSketch(CRaster& r, double cx, double cy, double radius, double position)
{
    r.Disc(cx, cy, radius, Rgb(0x30, 0x30, 0x38));
    r.Disc(cx, cy, radius - 3, Rgb(0xC8, 0xC8, 0xD0));
    const double a = 0.75 * std::numbers::pi + 1.5 * std::numbers::pi * position;
    r.Line(cx, cy, cx + std::cos(a) * (radius - 4), cy + std::sin(a) * (radius - 4), 2.5, Rgb(0x30, 0x30, 0x38));
}

// The splash and About picture.
CRaster Splash()
{
    CRaster r(312, 227, kBlack);
    for (int y = 0; y < 227; ++y)
        r.HLine(0, 311, y, Mix(Rgb(0x20, 0x30, 0x50), Rgb(0x70, 0x40, 0x60), y / 226.0));
    for (int i = 0; i < 3; ++i)
        KnobSketch(r, 70 + 86 * i, 150, 26, 0.2 + 0.3 * i);
    double px = 20;
    double py = 200;
    for (int x = 20; x <= 292; x += 2) {
        const double y = 200 - 12 * std::sin(x / 14.0) * std::exp(-(x - 20) / 220.0);
        r.Line(px, py, x, y, 1.5, Rgb(0xE6, 0xE6, 0x50));
        px = x;
        py = y;
    }
    const std::string title = "Patchora";
    CBitmapFont::Draw(r, 156 - CBitmapFont::TextWidth(title, 5) / 2, 30, title, kWhite, 5);
    const std::string line = "Patch editor 3.0.3";
    CBitmapFont::Draw(r, 156 - CBitmapFont::TextWidth(line, 2) / 2, 82, line, Rgb(0xD0, 0xD8, 0xF0), 2);
    return r;
}

// The keyboard floater's picture: 75 white keys of 9 pixels for notes 0 to
// 127, octaves of 63 pixels from the left.
CRaster Keyboard()
{
    CRaster r(676, 32, kWhite);
    for (int k = 0; k <= 75; ++k)
        r.VLine(9 * k, 0, 31, Rgb(0x40, 0x40, 0x40));
    r.HLine(0, 675, 31, Rgb(0x40, 0x40, 0x40));
    r.HLine(0, 675, 0, Rgb(0x40, 0x40, 0x40));
    constexpr int kBlackKeyX[5] = {9, 18, 31, 40, 49};
    for (int octave = 0; octave < 11; ++octave)
        for (int k = 0; k < 5; ++k) {
            const int note = 12 * octave + (k < 2 ? 1 + 2 * k : 6 + 2 * (k - 2));
            if (note > 127)
                break;
            const int x = 1 + 63 * octave + kBlackKeyX[k];
            r.FillRect(x - 3, 0, 6, 20, Rgb(0x18, 0x18, 0x18));
        }
    return r;
}

CRaster SmallArrow()
{
    CRaster r(8, 9, kPanelGrey);
    for (int i = 0; i < 4; ++i)
        r.VLine(2 + i, 1 + i, 7 - i, kBlack);
    return r;
}

// The knob floater's three decorations (pedal, aftertouch and switch) and,
// below them, the knobs' number tags: 1 to 9 in the row at 25, 10 to 18 in
// the row at 36, 11 pixels each.
CRaster FloaterDecorations()
{
    CRaster r(99, 47, kPanelGrey);
    const uint32_t ink = Rgb(0x40, 0x40, 0x40);
    // Pedal.
    for (int y = 6; y < 20; ++y)
        r.HLine(8 + (20 - y) / 3, 24 - (20 - y) / 3, y, ink);
    r.FillRect(6, 20, 21, 2, ink);
    // Aftertouch: a key pressed down.
    r.FillRect(33 + 10, 4, 12, 14, kWhite);
    r.FrameRect(33 + 10, 4, 12, 14, ink);
    for (int i = 0; i < 4; ++i)
        r.HLine(33 + 16 - i, 33 + 16 + i, 19 + i, ink);
    // Switch.
    r.FillRect(66 + 6, 8, 20, 8, Rgb(0x90, 0x90, 0x90));
    r.FrameRect(66 + 6, 8, 20, 8, ink);
    r.Disc(66 + 21.5, 11.5, 3.5, Rgb(0x30, 0xB0, 0x30));
    for (int knob = 1; knob <= 18; ++knob) {
        const int x = 11 * ((knob - 1) % 9);
        const int y = knob <= 9 ? 25 : 36;
        r.FillRect(x, y, 11, 11, ink);
        const std::string number = std::to_string(knob);
        CBitmapFont::Draw(r, x + (12 - CBitmapFont::TextWidth(number, 1, FontSize::Tiny)) / 2, y + 3, number, kWhite, 1,
                          FontSize::Tiny);
    }
    return r;
}

CRaster PatchIcon(int size)
{
    CRaster r(size, size, kPanelGrey);
    const int s = size / 16;
    r.FillRect(2 * s, 1 * s, 12 * s, 14 * s, kWhite);
    r.FrameRect(2 * s, 1 * s, 12 * s, 14 * s, Rgb(0x30, 0x30, 0x30));
    r.Line(4 * s, 11 * s, 7 * s, 5 * s, s, kCableColours[0]);
    r.Line(7 * s, 5 * s, 12 * s, 9 * s, s, kCableColours[1]);
    return r;
}

CRaster BankIcon()
{
    CRaster r(16, 16, kPanelGrey);
    for (int i = 0; i < 3; ++i) {
        r.FillRect(2 + 2 * i, 2 + 3 * i, 10, 8, Rgb(0xE0, 0xC0, 0x60));
        r.FrameRect(2 + 2 * i, 2 + 3 * i, 10, 8, Rgb(0x60, 0x48, 0x10));
    }
    return r;
}

// The program's icon: a knob over the patch colours.
CRaster ProgramIcon()
{
    CRaster r(32, 32, Rgb(0x20, 0x30, 0x50));
    for (int i = 0; i < 4; ++i)
        r.FillRect(0, 24 + 2 * i, 32, 2, kCableColours[static_cast<size_t>(i)]);
    KnobSketch(r, 16, 13, 11, 0.7);
    return r;
}

} // namespace

void AddEditorPictures(std::vector<CPicture>& out)
{
    // Swatch pictures by cable colour index 0 to 6.
    constexpr int kSwatchIds[7] = {244, 240, 245, 242, 243, 268, 269};
    for (size_t i = 0; i < 7; ++i)
        out.push_back(MakeJpeg(kSwatchIds[i], Swatch(kCableColours[i])));
    out.push_back(MakeBitmap("SMTB", 264, TabSheet()));
    out.push_back(MakeJpeg(254, AreaTile()));
    out.push_back(MakeJpeg(317, Splash()));
    out.push_back(MakeJpeg(274, Keyboard()));
    out.push_back(MakeJpeg(314, SmallArrow()));
    out.push_back(MakeJpeg(316, FloaterDecorations()));
    out.push_back(MakeBitmap("ICON", 1, ProgramIcon()));
    out.push_back(MakeBitmap("ICON", 2, PatchIcon(32)));
    out.push_back(MakeBitmap("ICON", 279, PatchIcon(16)));
    out.push_back(MakeBitmap("ICON", 281, BankIcon()));
}

} // namespace picgen
