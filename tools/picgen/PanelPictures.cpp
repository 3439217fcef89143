#include "tools/picgen/FixedPictures.h"
#include "tools/picgen/PictureColours.h"

namespace picgen {

namespace {

constexpr uint32_t kBorderLight = Rgb(0xE8, 0xE8, 0xE8);
constexpr uint32_t kBorderMid = Rgb(0x9A, 0x9A, 0x9A);
constexpr uint32_t kBorderDark = Rgb(0x50, 0x50, 0x50);

// The panel's 3-pixel border: light outside and mid inside on the top and
// left strips, mid and dark on the bottom and right ones.
CRaster BorderStrip(int w, int h, bool horizontal, bool lightSide)
{
    CRaster r(w, h, kBorderMid);
    const uint32_t outer = lightSide ? kBorderLight : kBorderDark;
    const uint32_t inner = lightSide ? Rgb(0xD0, 0xD0, 0xD0) : Rgb(0x70, 0x70, 0x70);
    for (int i = 0; i < 3; ++i) {
        // Row or column 0 is the outer edge for the top and left strips.
        const int line = lightSide ? i : 2 - i;
        const uint32_t c = i == 0 ? outer : i == 1 ? inner : kBorderMid;
        if (horizontal)
            r.HLine(0, w - 1, line, c);
        else
            r.VLine(line, 0, h - 1, c);
    }
    return r;
}

// A jack, unconnected on the left half and connected on the right.
CRaster Jack(SignalKind kind, bool output)
{
    CRaster r(26, 13, kPanelGrey);
    const uint32_t colour = JackColour(kind);
    for (int half = 0; half < 2; ++half) {
        const double cx = 13 * half + 6.0;
        const double cy = 6.0;
        if (output) {
            r.FillRect(13 * half, 0, 13, 13, Shade(colour, 0.55));
            r.Bevel(13 * half, 0, 13, 13, Shade(colour, 1.3), Shade(colour, 0.35));
        }
        r.Disc(cx, cy, 5.6, colour);
        r.Ring(cx, cy, 4.6, 5.6, Shade(colour, 0.5));
        if (half == 0)
            r.Disc(cx, cy, 2.6, Rgb(0x10, 0x10, 0x10)); // the open hole
        else {
            r.Disc(cx, cy, 3.4, Shade(colour, 0.7)); // the plug
            r.Disc(cx - 0.8, cy - 0.8, 1.2, Shade(colour, 1.5));
        }
    }
    return r;
}

CRaster Led(uint32_t colour, bool lit)
{
    CRaster r(7, 7, kPanelGrey);
    r.Disc(3.0, 3.0, 3.4, Rgb(0x40, 0x40, 0x40));
    r.Disc(3.0, 3.0, 2.5, lit ? colour : Shade(colour, 0.35));
    if (lit)
        r.Set(2, 2, Shade(colour, 1.6));
    return r;
}

// Rows: 0-4 free and 6-10 used bars of the toolbar's load meter; 12-16 dark
// and 18-22 lit gain bars; 24-28 dark and 30-34 lit level bars with the clip
// lamp at x 93-99.
CRaster MeterStrip()
{
    CRaster r(100, 35, kPanelGrey);
    const auto bar = [&r](int y, int w, uint32_t from, uint32_t to) {
        for (int x = 0; x < w; ++x)
            r.FillRect(x, y, 1, 5, Mix(from, to, x / 99.0));
        r.HLine(0, w - 1, y, Shade(from, 1.2));
    };
    bar(0, 100, Rgb(0x30, 0x38, 0x30), Rgb(0x30, 0x38, 0x30));
    bar(6, 100, Rgb(0x20, 0xC0, 0x20), Rgb(0xE0, 0x40, 0x20));
    bar(12, 100, Rgb(0x38, 0x30, 0x20), Rgb(0x38, 0x30, 0x20));
    bar(18, 100, Rgb(0xF0, 0xA0, 0x20), Rgb(0xF0, 0x70, 0x10));
    bar(24, 92, Rgb(0x20, 0x30, 0x20), Rgb(0x20, 0x30, 0x20));
    bar(30, 92, Rgb(0x30, 0xD0, 0x30), Rgb(0xF0, 0xE0, 0x20));
    r.FillRect(93, 24, 7, 5, Rgb(0x48, 0x18, 0x18));
    r.FillRect(93, 30, 7, 5, Rgb(0xFF, 0x20, 0x20));
    // Segment gaps every 4 pixels make the bars read as lamps.
    for (int x = 3; x < 92; x += 4)
        for (int y : {24, 30})
            r.VLine(x, y, y + 4, Shade(r.At(x, y + 2), 0.7));
    return r;
}

// The trigger arrow: a small arrow pointing right.
CRaster TriggerArrow()
{
    CRaster r(3, 11, kPanelGrey);
    r.VLine(0, 2, 8, kBlack);
    r.VLine(1, 3, 7, kBlack);
    r.VLine(2, 4, 6, kBlack);
    return r;
}

void Arrow(CRaster& r, int x, int y, int w, bool up, uint32_t c)
{
    for (int i = 0; i <= w / 2; ++i) {
        const int row = up ? y + i : y + w / 2 - i;
        r.HLine(x + w / 2 - i, x + w / 2 + i, row, c);
    }
}

// The note graph's scroll bar: rows 0-71 the bar (arrows at both ends and the
// track), rows 72-82 the thumb.
CRaster ScrollBar()
{
    CRaster r(11, 83, Rgb(0xD8, 0xD8, 0xD8));
    r.FillRect(0, 11, 11, 50, Rgb(0xC8, 0xC8, 0xC8));
    for (int y = 12; y < 61; y += 2)
        r.HLine(1, 9, y, Rgb(0xB8, 0xB8, 0xB8));
    for (int end : {0, 61}) {
        r.FillRect(0, end, 11, 11, kButtonFace);
        r.Bevel(0, end, 11, 11, kWhite, kGrey77);
        Arrow(r, 2, end + 3, 6, end == 0, kBlack);
    }
    r.FillRect(0, 72, 11, 11, kButtonFace);
    r.Bevel(0, 72, 11, 11, kWhite, kGrey77);
    for (int y : {75, 77, 79})
        r.HLine(3, 7, y, kGrey77);
    return r;
}

} // namespace

void AddPanelPictures(std::vector<CPicture>& out)
{
    out.push_back(MakeJpeg(255, BorderStrip(3, 144, false, true)));
    out.push_back(MakeJpeg(256, BorderStrip(3, 144, false, false)));
    out.push_back(MakeJpeg(257, BorderStrip(256, 3, true, true)));
    out.push_back(MakeJpeg(258, BorderStrip(256, 3, true, false)));

    out.push_back(MakeJpeg(208, Jack(SignalKind::Audio, true)));
    out.push_back(MakeJpeg(209, Jack(SignalKind::Audio, false)));
    out.push_back(MakeJpeg(218, Jack(SignalKind::Logic, true)));
    out.push_back(MakeJpeg(224, Jack(SignalKind::Logic, false)));
    out.push_back(MakeJpeg(219, Jack(SignalKind::Control, true)));
    out.push_back(MakeJpeg(225, Jack(SignalKind::Control, false)));
    out.push_back(MakeJpeg(226, Jack(SignalKind::Slave, true)));
    out.push_back(MakeJpeg(227, Jack(SignalKind::Slave, false)));

    out.push_back(MakeJpeg(212, Led(Rgb(0x30, 0xF0, 0x30), true)));
    out.push_back(MakeJpeg(217, Led(Rgb(0x30, 0xF0, 0x30), false)));
    out.push_back(MakeJpeg(272, Led(Rgb(0xF8, 0xC0, 0x20), true)));
    out.push_back(MakeJpeg(214, Led(Rgb(0xFF, 0x30, 0x30), true)));

    out.push_back(MakeJpeg(265, MeterStrip()));
    out.push_back(MakeJpeg(315, TriggerArrow()));
    out.push_back(MakeJpeg(271, ScrollBar()));
}

} // namespace picgen
