// Converting the screen for the window: a whole 640 x 480 16-bit frame as
// RGB at the window's scale (1, 2 and 3), the part of presenting a frame
// that the game's code pays for.
#include <benchmark/benchmark.h>

#include <vector>

#include "platform/DDraw.h"
#include "platform/ScreenFit.h"

namespace {

void BM_ScaleFrameToRgb(benchmark::State& state) {
    const int scale = static_cast<int>(state.range(0));
    LPDIRECTDRAW dd = nullptr;
    DirectDrawCreate(nullptr, &dd, nullptr);
    dd->SetCooperativeLevel(reinterpret_cast<HWND>(1), DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN);
    dd->SetDisplayMode(640, 480, 16);
    DDSURFACEDESC desc{};
    desc.dwFlags = DDSD_CAPS;
    desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
    LPDIRECTDRAWSURFACE screen = nullptr;
    dd->CreateSurface(&desc, &screen, nullptr);
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x)
            reinterpret_cast<std::uint16_t*>(screen->Bits() + y * screen->Pitch())[x] =
                static_cast<std::uint16_t>(x * 97 + y * 31);
    const std::size_t stride = static_cast<std::size_t>(640) * scale * 3;
    std::vector<std::uint8_t> rgb(stride * 480 * scale);
    for (auto _ : state) {
        Scale_To_Rgb(*screen, {0, 0, 640, 480}, scale, rgb.data(), stride);
        benchmark::DoNotOptimize(rgb.data());
    }
    state.counters["frames_per_second"] = benchmark::Counter(1, benchmark::Counter::kIsIterationInvariantRate);
    screen->Release();
    dd->Release();
}
BENCHMARK(BM_ScaleFrameToRgb)->Arg(1)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
