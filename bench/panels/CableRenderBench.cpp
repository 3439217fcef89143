// Cables of a full patch window repainted straight into the window's pixels,
// each area clipped to its frame, in each cable style: 255 cables in each of
// two areas on a 1280 x 1024 window.
#include "framework/images/Bitmap.h"
#include "panels/cables/CableRenderList.h"
#include "platform/graphics/Region.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <random>
#include <vector>

namespace {

constexpr int kWidth = 1280;
constexpr int kHeight = 1024;
constexpr int kCables = 255;

// Cables between jacks of modules laid out on the area: most are short, a
// few cross the whole area.
std::unique_ptr<CCableRenderList> MakeArea(uint32_t style, int top, int height, unsigned seed)
{
    auto list = std::make_unique<CCableRenderList>();
    list->SetStyle(style);
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> x(0, kWidth - 1);
    std::uniform_int_distribution<int> y(top, top + height - 1);
    std::uniform_int_distribution<int> near(-200, 200);
    for (int i = 0; i < kCables; ++i) {
        const NSHarrowen::CPoint from(x(random), y(random));
        const bool far = i % 10 == 0;
        const NSHarrowen::CPoint to(far ? x(random) : std::clamp(from.x + near(random), 0, kWidth - 1),
                                    far ? y(random) : std::clamp(from.y + near(random), top, top + height - 1));
        list->AddCable({static_cast<uint8_t>(i % 127 + 1), static_cast<uint8_t>(i / 127), 1},
                       {static_cast<uint8_t>((i + 1) % 127 + 1), static_cast<uint8_t>(i / 127), 0}, from, to,
                       static_cast<uint8_t>(i % 7));
    }
    return list;
}

void RepaintCables(benchmark::State& state)
{
    const auto style = static_cast<uint32_t>(state.range(0));
    // A picture of the window's size and layout stands in for its buffer.
    NSHarrowen::CBitmap32 window(kWidth, kHeight);
    const int split = kHeight * 2 / 3;
    std::vector<std::pair<std::unique_ptr<CCableRenderList>, platform::Region>> areas;
    areas.emplace_back(MakeArea(style, 0, split, 1), platform::Region({0, 0, kWidth, split}));
    areas.emplace_back(MakeArea(style, split, kHeight - split, 2), platform::Region({0, split, kWidth, kHeight}));
    for (auto _ : state) {
        for (auto& [list, frame] : areas) {
            window.GetDC()->SelectClip(&frame);
            list->DrawAll(window);
        }
        benchmark::ClobberMemory();
    }
}

} // namespace

BENCHMARK(RepaintCables)
    ->ArgName("style")
    ->Arg(CCableRenderList::kStraight3D)
    ->Arg(CCableRenderList::kCurved3D)
    ->Arg(CCableRenderList::kStraightThin)
    ->Arg(CCableRenderList::kCurvedThin)
    ->Unit(benchmark::kMillisecond);
