#include "tools/picgen/FixedPictures.h"
#include "tools/picgen/PictureColours.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace picgen {

namespace {

constexpr int kPointerFrame = 29;
constexpr int kPositions = 64;
constexpr uint32_t kMaskBackground = Rgb(0, 0xFF, 0);
constexpr uint32_t kMaskUntinted = Rgb(0, 0, 0xFF);
constexpr uint32_t kMaskFace = Rgb(0, 0, 0);

// Pointer frame p of 64 lies at 0.75 pi + 1.5 pi p / 64 (y grows downward:
// frame 0 lower left, 32 straight up, 63 lower right).
double PointerAngle(int p)
{
    return 0.75 * std::numbers::pi + 1.5 * std::numbers::pi * p / kPositions;
}

// 64 frames of 29 x 29: black, with the pointer line from the centre to the
// rim, its intensity in the red channel.
CRaster PointerStrip()
{
    CRaster r(kPointerFrame * kPositions, kPointerFrame, kBlack);
    for (int p = 0; p < kPositions; ++p) {
        const double cx = kPointerFrame * p + 14.0;
        const double cy = 14.0;
        const double a = PointerAngle(p);
        r.Line(cx, cy, cx + std::cos(a) * 13.0, cy + std::sin(a) * 13.0, 1.7, Rgb(0xFF, 0, 0));
    }
    return r;
}

// The body tints of frames 1 to 5: plain, then morph groups 0-3.
constexpr uint32_t kBodyTints[5] = {Rgb(0xC8, 0xC8, 0xC8), Rgb(0xE0, 0xB0, 0xB0), Rgb(0xB0, 0xD8, 0xB0),
                                    Rgb(0xB4, 0xB8, 0xE4), Rgb(0xE4, 0xDC, 0xA0)};

// Six frames of size x size: the mask (green: background, blue: the rim,
// drawn untinted; black: the face), the plain body and the four group bodies.
CRaster KnobStrip(int size)
{
    CRaster r(size * 6, size, kPanelGrey);
    const double c = (size - 1) / 2.0;
    const double outer = size / 2.0 - 0.3;
    const double face = outer - 2.2;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const double d = std::hypot(x - c, y - c);
            r.Set(x, y, d > outer ? kMaskBackground : d > face ? kMaskUntinted : kMaskFace);
        }
    for (int frame = 1; frame < 6; ++frame) {
        const double left = size * frame;
        const uint32_t tint = kBodyTints[frame - 1];
        r.Disc(left + c, c, outer, Rgb(0x38, 0x38, 0x38));
        r.Ring(left + c, c, face - 0.2, outer - 0.9, Rgb(0x70, 0x70, 0x70));
        // The face, lit from the top left.
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) {
                const double d = std::hypot(x - c, y - c);
                if (d <= face) {
                    const double light = 1.12 - 0.22 * ((x - c) + (y - c)) / (2 * face);
                    r.Blend(static_cast<int>(left) + x, y, Shade(tint, light), std::clamp(face + 0.5 - d, 0.0, 1.0));
                }
            }
    }
    return r;
}

void SmallTriangle(CRaster& r, int cx, int cy, bool pointsRight, uint32_t c)
{
    for (int i = 0; i < 3; ++i)
        r.VLine(pointsRight ? cx - 1 + i : cx + 1 - i, cy - (2 - i), cy + (2 - i), c);
}

// Marker strips: parts of width w, `step` apart: the focused control's mark,
// then the focused parameter's marks of kind 0, 1 and 2. Each shows the two
// step arrows under the knob.
constexpr uint32_t kMarkerColours[4] = {Rgb(0x30, 0x30, 0x30), Rgb(0xE0, 0x30, 0x30), Rgb(0x20, 0x90, 0x20),
                                        Rgb(0x30, 0x40, 0xD0)};

CRaster MarkerStrip(int width, int height, int partWidth, int step)
{
    CRaster r(width, height, kPanelGrey);
    for (int part = 0; part < 4; ++part) {
        const int x = step * part;
        const uint32_t c = kMarkerColours[part];
        const int cy = height / 2;
        SmallTriangle(r, x + partWidth / 4, cy, false, c);
        SmallTriangle(r, x + partWidth - 1 - partWidth / 4, cy, true, c);
        r.HLine(x + 2, x + partWidth - 3, height - 1, part == 0 ? c : Shade(c, 1.4));
    }
    return r;
}

// The slider track: columns of 11 at x 0 (no group) and 12, 24, 36, 48
// (groups 0-3), and the groups' morph-range fill 48 further right.
CRaster SliderTrack()
{
    CRaster r(107, 47, kPanelGrey);
    for (int look = 0; look < 5; ++look) {
        const int x = 12 * look;
        const uint32_t groove = look == 0 ? Rgb(0x30, 0x30, 0x30) : Shade(kGroupBright[look - 1], 0.45);
        r.FillRect(x + 4, 1, 3, 45, groove);
        r.VLine(x + 7, 1, 45, kWhite);
        for (int y = 3; y < 46; y += 6) {
            r.Set(x + 1, y, kGrey77);
            r.Set(x + 9, y, kGrey77);
        }
        if (look > 0) {
            const int fx = x + 48;
            r.FillRect(fx + 4, 1, 3, 45, kGroupBright[look - 1]);
            r.VLine(fx + 7, 1, 45, kWhite);
        }
    }
    return r;
}

CRaster SliderHandle()
{
    CRaster r(11, 3, Rgb(0xE8, 0xE8, 0xE8));
    r.HLine(0, 10, 2, kGrey77);
    r.HLine(0, 10, 1, Rgb(0x40, 0x40, 0x40));
    return r;
}

// The slider's markers: 12 x 16 parts at x 0, 13, 26, 39, each an up arrow
// over a down arrow (the slider's step arrows).
CRaster SliderMarkers()
{
    CRaster r(51, 16, kPanelGrey);
    for (int part = 0; part < 4; ++part) {
        const int x = 13 * part + 5;
        const uint32_t c = kMarkerColours[part];
        for (int i = 0; i < 3; ++i) {
            r.HLine(x - i, x + i, 2 + i, c);
            r.HLine(x - i, x + i, 10 - i, c);
        }
        r.VLine(13 * part + 11, 0, 15, part == 0 ? c : Shade(c, 1.4));
    }
    return r;
}

} // namespace

void AddKnobPictures(std::vector<CPicture>& out)
{
    out.push_back(MakeBitmap("CBMP", 200, PointerStrip()));
    out.push_back(MakeBitmap("CBMP", 199, KnobStrip(29)));
    out.push_back(MakeBitmap("CBMP", 205, KnobStrip(21)));
    out.push_back(MakeBitmap("CBMP", 204, KnobStrip(19)));
    out.push_back(MakeJpeg(230, MarkerStrip(119, 8, 29, 30)));
    out.push_back(MakeJpeg(231, MarkerStrip(95, 8, 23, 24)));
    out.push_back(MakeJpeg(233, MarkerStrip(87, 7, 21, 22)));
    out.push_back(MakeJpeg(223, SliderTrack()));
    out.push_back(MakeJpeg(216, SliderHandle()));
    out.push_back(MakeJpeg(228, SliderMarkers()));
}

} // namespace picgen
