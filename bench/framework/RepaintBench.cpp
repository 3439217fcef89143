#include "framework/images/Bitmap.h"
#include "framework/drawing/Canvas.h"
#include "framework/drawing/ABCCanvas.h"
#include "framework/drawing/PixelBufferPort.h"

#include <benchmark/benchmark.h>

#include <string>

using namespace NSHarrowen;

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 768;

// One full repaint of a patch-window-like screen: background, module panels
// with outlines, titles and labels, cables as lines, pictures blitted from an
// off-screen bitmap, and a few inverted selection outlines.
void RepaintScreen(CABCCanvas& canvas, CABCBitmap& picture)
{
    const CFontSpec title("Arial", 14, 1, 0, 0);
    const CFontSpec label("Arial", 12);
    canvas.FillRect(CRect(0, 0, kWidth, kHeight), kGrey80);
    int index = 0;
    for (int row = 0; row < 12; ++row) {
        for (int column = 0; column < 8; ++column, ++index) {
            const CRect panel(column * 128 + 2, row * 64 + 2, column * 128 + 126, row * 64 + 62);
            canvas.FillRect(panel, kGrey93);
            canvas.FrameRect(panel, kBlack);
            canvas.DrawHorizontalLine(panel.top + 18, panel.left + 1, panel.right - 2, kGrey47);
            canvas.DrawString(panel.left + 4, panel.top + 14, ("Osc " + std::to_string(index)).c_str(), title, kBlack);
            canvas.DrawString(panel.left + 4, panel.top + 34, "Freq 440.0 Hz", label, kGrey23);
            canvas.DrawBitmap(panel.left + 90, panel.top + 24, picture);
        }
    }
    for (int i = 0; i < 60; ++i)
        canvas.DrawLine(17 * i % kWidth, 13 * i % kHeight, (31 * i + 400) % kWidth, (23 * i + 300) % kHeight,
                        i % 2 != 0 ? kRed : kDarkGreen);
    for (int i = 0; i < 10; ++i)
        canvas.InvertFrameRect(CRect(i * 100, i * 70, i * 100 + 130, i * 70 + 66), kBlack);
    canvas.DrawTextInRect(CRect(10, 700, 500, 768),
                          "Patch notes wrap over several lines of the window when they are long enough to need it.",
                          label, kBlack);
}

void BM_FullRepaint(benchmark::State& state)
{
    platform::PixelBuffer screen(kWidth, kHeight);
    CPixelBufferPort port(screen);
    CBitmap32 picture(32, 32);
    picture.FillRect(CRect(0, 0, 32, 32), kPaleGreen);
    picture.FrameRect(CRect(0, 0, 32, 32), kDarkGreen);
    for (auto _ : state) {
        CCanvas canvas(&port);
        RepaintScreen(canvas, picture);
        benchmark::DoNotOptimize(screen.Data());
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_FullRepaint)->Unit(benchmark::kMillisecond);

void BM_TextLines(benchmark::State& state)
{
    platform::PixelBuffer screen(kWidth, kHeight);
    CPixelBufferPort port(screen);
    const CFontSpec font("Arial", 12);
    for (auto _ : state) {
        CCanvas canvas(&port);
        for (int y = 12; y < kHeight; y += 14)
            canvas.DrawString(4, y, "The quick brown fox jumps over the lazy dog 0123456789", font, kBlack);
    }
}
BENCHMARK(BM_TextLines)->Unit(benchmark::kMillisecond);

void BM_FillScreen(benchmark::State& state)
{
    platform::PixelBuffer screen(kWidth, kHeight);
    CPixelBufferPort port(screen);
    bool odd = false;
    for (auto _ : state) {
        CCanvas canvas(&port);
        canvas.FillRect(CRect(0, 0, kWidth, kHeight), (odd = !odd) ? kWhite : kBlack);
    }
}
BENCHMARK(BM_FillScreen)->Unit(benchmark::kMicrosecond);

} // namespace
