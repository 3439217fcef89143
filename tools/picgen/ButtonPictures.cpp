#include "tools/picgen/FixedPictures.h"
#include "tools/picgen/PictureColours.h"

#include <cmath>
#include <functional>
#include <numbers>

namespace picgen {

namespace {

constexpr uint32_t kPlateGrey = Rgb(0xC0, 0xC0, 0xC0);

// The nine 50-pixel columns of the button face strip: grey, then dull and
// bright red, green, blue and yellow.
uint32_t FaceColumnColour(int column)
{
    if (column == 0)
        return kButtonFace;
    const int group = (column - 1) / 2;
    return column % 2 == 1 ? kGroupDull[group] : kGroupBright[group];
}

// One column of the face strip, from x = c: the raised and pressed edges side
// by side (columns c to c+13, rows 0-14) and the top and bottom edges from
// column c+14 (raised top rows 0-2, raised bottom 4-7, pressed top 9-12,
// pressed bottom 14-16).
void FaceColumn(CRaster& r, int c, uint32_t base)
{
    const auto s = [base](double f) { return Shade(base, f); };
    r.FillRect(c, 0, 50, 18, base);
    // Raised left edge: two light columns, dark at the bottom corner.
    r.VLine(c, 0, 13, s(1.6));
    r.VLine(c + 1, 0, 12, s(1.25));
    r.Set(c, 14, s(0.3));
    r.Set(c + 1, 13, s(0.55));
    r.Set(c + 1, 14, s(0.3));
    // Raised right edge: mid, dark, darkest outward.
    r.VLine(c + 3, 1, 14, s(0.8));
    r.VLine(c + 4, 0, 14, s(0.55));
    r.VLine(c + 5, 0, 14, s(0.3));
    r.Set(c + 3, 0, s(1.25));
    // Pressed left edge: darkest outward.
    r.VLine(c + 7, 0, 14, s(0.3));
    r.VLine(c + 8, 0, 14, s(0.55));
    r.VLine(c + 9, 0, 14, s(0.8));
    // Pressed right edge: light.
    r.VLine(c + 11, 0, 14, s(1.25));
    r.VLine(c + 12, 0, 14, s(1.6));
    const int x0 = c + 14;
    const int x1 = c + 49;
    r.HLine(x0, x1, 0, s(1.6));
    r.HLine(x0, x1, 1, s(1.25));
    r.HLine(x0, x1, 2, s(1.05));
    r.HLine(x0, x1, 4, s(0.95));
    r.HLine(x0, x1, 5, s(0.8));
    r.HLine(x0, x1, 6, s(0.55));
    r.HLine(x0, x1, 7, s(0.3));
    r.HLine(x0, x1, 9, s(0.3));
    r.HLine(x0, x1, 10, s(0.55));
    r.HLine(x0, x1, 11, s(0.8));
    r.HLine(x0, x1, 12, s(0.95));
    r.HLine(x0, x1, 14, s(1.05));
    r.HLine(x0, x1, 15, s(1.25));
    r.HLine(x0, x1, 16, s(1.6));
}

CRaster ButtonFaceStrip()
{
    CRaster r(449, 18, kButtonFace);
    for (int column = 0; column < 9; ++column)
        FaceColumn(r, 50 * column, FaceColumnColour(column));
    return r;
}

// A triangle pointing up, down, left or right, centred in the box.
enum class Direction { Up, Down, Left, Right };

void Triangle(CRaster& r, int x, int y, int w, int h, Direction d, uint32_t c)
{
    const int cx = x + w / 2;
    const int cy = y + h / 2;
    for (int i = 0; i < 3; ++i) {
        switch (d) {
        case Direction::Up:
            r.HLine(cx - i, cx + i, cy - 1 + i, c);
            break;
        case Direction::Down:
            r.HLine(cx - i, cx + i, cy + 1 - i, c);
            break;
        case Direction::Left:
            r.VLine(cx - 1 + i, cy - i, cy + i, c);
            break;
        case Direction::Right:
            r.VLine(cx + 1 - i, cy - i, cy + i, c);
            break;
        }
    }
}

void HalfButton(CRaster& r, int x, int y, int w, int h, uint32_t base, bool pressed, Direction d)
{
    r.FillRect(x, y, w, h, pressed ? Shade(base, 1.15) : base);
    if (pressed)
        r.Bevel(x, y, w, h, Shade(base, 0.4), Shade(base, 1.5));
    else
        r.Bevel(x, y, w, h, Shade(base, 1.6), Shade(base, 0.4));
    Triangle(r, x + (pressed ? 1 : 0), y + (pressed ? 1 : 0), w, h, d, kBlack);
}

// The steppers' looks at offsets 0 (plain), 36 (alternate) and 72, 108, 144,
// 180 (morph groups 0-3), each as three frames 12 apart: idle, upper (or
// right) half pressed, lower (or left) half pressed.
uint32_t StepperLook(int look)
{
    if (look == 0)
        return kButtonFace;
    if (look == 1)
        return Rgb(0xA8, 0xB4, 0xC8);
    return kGroupDull[static_cast<size_t>(look - 2)];
}

CRaster Steppers(bool horizontal)
{
    CRaster r(horizontal ? 21 : 215, horizontal ? 215 : 21, kPanelGrey);
    for (int look = 0; look < 6; ++look)
        for (int state = 0; state < 3; ++state) {
            const int offset = 36 * look + 12 * state;
            const uint32_t base = StepperLook(look);
            if (horizontal) {
                HalfButton(r, 0, offset, 11, 11, base, state == 2, Direction::Left);
                HalfButton(r, 11, offset, 10, 11, base, state == 1, Direction::Right);
            } else {
                HalfButton(r, offset, 0, 11, 10, base, state == 1, Direction::Up);
                HalfButton(r, offset, 10, 11, 11, base, state == 2, Direction::Down);
            }
        }
    return r;
}

// A strip of 11 x 9 symbols one above the other on the raised button colour.
using SymbolPainter = std::function<void(CRaster&, int top)>;

CRaster SymbolStrip(const std::vector<SymbolPainter>& symbols)
{
    CRaster r(11, 9 * static_cast<int>(symbols.size()), kButtonFace);
    for (size_t i = 0; i < symbols.size(); ++i)
        symbols[i](r, 9 * static_cast<int>(i));
    return r;
}

// A curve y = f(t) for t in 0..1 with f in -1..1, drawn across the symbol.
SymbolPainter Curve(std::function<double(double)> f)
{
    return [f](CRaster& r, int top) {
        double px = 0;
        double py = 0;
        for (int i = 0; i <= 20; ++i) {
            const double t = i / 20.0;
            const double x = 0.5 + 9.0 * t;
            const double y = top + 4.0 - 3.2 * f(t);
            if (i > 0)
                r.Line(px, py, x, y, 1.0, kBlack);
            px = x;
            py = y;
        }
    };
}

double Sine(double t)
{
    return std::sin(2 * std::numbers::pi * t);
}
double Tri(double t)
{
    return t < 0.25 ? 4 * t : t < 0.75 ? 2 - 4 * t : 4 * t - 4;
}
double Saw(double t)
{
    return 1 - 2 * t;
}
double SawUp(double t)
{
    return 2 * t - 1;
}
double Square(double t)
{
    return t < 0.5 ? 1 : -1;
}

SymbolPainter Dot()
{
    return [](CRaster& r, int top) { r.Disc(5, top + 4, 3.2, kBlack); };
}

SymbolPainter Block()
{
    return [](CRaster& r, int top) { r.FillRect(2, top + 1, 7, 7, kBlack); };
}

SymbolPainter Loop()
{
    return [](CRaster& r, int top) {
        r.Ring(5, top + 4, 2.4, 3.4, kBlack);
        r.FillRect(6, top, 3, 3, kButtonFace);
        r.HLine(6, 8, top + 1, kBlack);
        r.VLine(8, top, top + 2, kBlack);
    };
}

SymbolPainter LevelShift(int level)
{
    return [level](CRaster& r, int top) {
        r.HLine(0, 10, top + 4, Rgb(0x60, 0x60, 0x60));
        r.FillRect(2, top + 4 - 3 * level - 1, 7, 2, kBlack);
    };
}

// The small pictures of the voice area's direction buttons, on the plate grey.
CRaster SmallButtonPicture(int id)
{
    CRaster r(8, 8, kPlateGrey);
    switch (id) {
    case 188: // to top
        r.HLine(0, 7, 0, kBlack);
        Triangle(r, 0, 2, 8, 6, Direction::Up, kBlack);
        break;
    case 189: // to bottom
        r.HLine(0, 7, 7, kBlack);
        Triangle(r, 0, 0, 8, 6, Direction::Down, kBlack);
        break;
    case 190:
        Triangle(r, 0, 0, 8, 8, Direction::Left, kBlack);
        break;
    case 191:
        Triangle(r, 0, 0, 8, 8, Direction::Right, kBlack);
        break;
    case 192:
        r.FrameRect(1, 1, 6, 6, kBlack);
        break;
    default: // 193, restore: the splitter in the middle
        r.HLine(0, 7, 2, kBlack);
        r.HLine(0, 7, 5, kBlack);
        break;
    }
    return r;
}

CRaster UpOneLevel()
{
    CRaster r(11, 7, kButtonFace);
    Triangle(r, 0, 0, 6, 5, Direction::Up, kBlack);
    r.VLine(3, 3, 5, kBlack);
    r.HLine(3, 9, 5, kBlack);
    return r;
}

CRaster Refresh()
{
    CRaster r(11, 7, kButtonFace);
    r.Ring(5, 3, 1.8, 2.8, kBlack);
    r.FillRect(6, 0, 3, 3, kButtonFace);
    r.HLine(6, 8, 1, kBlack);
    r.VLine(8, 0, 2, kBlack);
    return r;
}

} // namespace

void AddButtonPictures(std::vector<CPicture>& out)
{
    out.push_back(MakeJpeg(229, ButtonFaceStrip()));
    out.push_back(MakeJpeg(249, Steppers(false)));
    out.push_back(MakeJpeg(267, Steppers(true)));

    const auto curve = [](double power) { return Curve([power](double t) { return 2 * std::pow(t, power) - 1; }); };
    const auto env = [](int kind) {
        return Curve([kind](double t) {
            const double e = t < 0.3 ? t / 0.3 : 1 - (t - 0.3) / 0.7;
            return kind == 0 ? 2 * e - 1 : kind == 1 ? e * (t < 0.5 ? 1 : -1) : 1 - 2 * e;
        });
    };
    out.push_back(MakeBitmap("SMTB", 301, SymbolStrip({Curve(Sine), Curve(Tri), Curve(Saw), Curve(Square)})));
    out.push_back(
        MakeBitmap("SMTB", 302, SymbolStrip({Curve(Sine), Curve(Tri), Curve(Saw), Curve(SawUp), Curve(Square)})));
    out.push_back(MakeBitmap("SMTB", 303, SymbolStrip({env(0), env(1), env(2)})));
    out.push_back(MakeBitmap("SMTB", 304, SymbolStrip({curve(0.4), curve(1.0), curve(2.5)})));
    out.push_back(MakeBitmap("SMTB", 305, SymbolStrip({env(2)})));
    out.push_back(MakeBitmap("SMTB", 306, SymbolStrip({Curve([](double t) {
                                 return std::sin(6 * std::numbers::pi * t) * std::sin(std::numbers::pi * t);
                             })})));
    out.push_back(MakeBitmap("SMTB", 307, SymbolStrip({LevelShift(1)})));
    out.push_back(MakeBitmap("SMTB", 308, SymbolStrip({LevelShift(-1), LevelShift(0), LevelShift(1)})));
    out.push_back(MakeBitmap("SMTB", 309,
                             SymbolStrip({Curve(Sine), Curve([](double t) { return std::max(0.0, Sine(t)) * 2 - 1; }),
                                          Curve([](double t) { return std::fabs(Sine(t)) * 2 - 1; })})));
    out.push_back(MakeBitmap("SMTB", 310, SymbolStrip({curve(3.0), curve(1.8), curve(1.0), curve(0.55), curve(0.33)})));
    out.push_back(MakeBitmap("SMTB", 311, SymbolStrip({Loop()})));
    out.push_back(MakeBitmap("SMTB", 312, SymbolStrip({Dot()})));
    out.push_back(MakeBitmap("SMTB", 313, SymbolStrip({Block()})));

    for (int id = 188; id <= 193; ++id)
        out.push_back(MakeBitmap("SMTB", id, SmallButtonPicture(id)));
    out.push_back(MakeBitmap("SMTB", 318, UpOneLevel()));
    out.push_back(MakeBitmap("SMTB", 319, Refresh()));
}

} // namespace picgen
