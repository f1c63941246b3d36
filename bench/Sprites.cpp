// Drawing through the shade table: a 64 x 96 bitmap sprite, a whole
// 640 x 480 screen of one, and a 64 x 96 run-length frame, in nanoseconds
// per pixel (the time_per_pixel counter, in seconds with an SI prefix: 300p
// is 0.3 ns).
#include <benchmark/benchmark.h>

#include <vector>

#include "System/ClipRect.h"
#include "System/Display.h"
#include "System/Dys.h"
#include "System/Sprite.h"
#include "System/SurfaceLock.h"
#include "tools/writers/DysWriter.h"

namespace {

constexpr std::uint8_t KEY = 253;

// The pixel index of a figure: a quarter of it transparent.
std::uint8_t Figure(int x, int y) {
    return (x * 5 + y * 3) % 4 == 0 ? KEY : static_cast<std::uint8_t>((x + 7 * y) % 200 + 1);
}

struct Scene {
    LPDIRECTDRAWSURFACE back = nullptr;
    sprite figure{};
    sprite screen{};

    Scene() {
        DirectDrawCreate(nullptr, &direct_draw, nullptr);
        direct_draw->SetCooperativeLevel(reinterpret_cast<HWND>(1), DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN);
        back = Plain(640, 480, false);
        PALETTEENTRY entries[256];
        for (int i = 0; i < 256; ++i)
            entries[i] = {static_cast<BYTE>(i), static_cast<BYTE>(255 - i), static_cast<BYTE>(i * 3), 0};
        direct_draw->CreatePalette(DDPCAPS_8BIT, entries, &palette_object, nullptr);
        Make_Colour_Tables(0xF800, 0x07E0, 0x001F);
        Make_Shade_Table();
        figure = Bitmap_Sprite(64, 96);
        screen = Bitmap_Sprite(640, 480);
        Set_Full_Clip();
    }

    LPDIRECTDRAWSURFACE Plain(int w, int h, bool eight_bit) {
        DDSURFACEDESC desc = Offscreen_Surface_Desc(w, h, DDSCAPS_OFFSCREENPLAIN, eight_bit);
        LPDIRECTDRAWSURFACE s = nullptr;
        direct_draw->CreateSurface(&desc, &s, nullptr);
        return s;
    }

    sprite Bitmap_Sprite(int w, int h) {
        LPDIRECTDRAWSURFACE s = Plain(w, h, true);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) s->Bits()[y * s->Pitch() + x] = Figure(x, y);
        DDCOLORKEY k{KEY, KEY};
        s->SetColorKey(DDCKEY_SRCBLT, &k);
        return sprite{SPRITE_BITMAP, w, h, 0, 0, s, nullptr, 1, 0};
    }
};

Scene& The_Scene() {
    static Scene scene;
    return scene;
}

void Per_Pixel(benchmark::State& state, double pixels) {
    state.counters["time_per_pixel"] = benchmark::Counter(pixels * static_cast<double>(state.iterations()),
                                                          benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_Put_Sprite_64x96(benchmark::State& state) {
    Scene& s = The_Scene();
    for (auto _ : state) {
        Put_Sprite(s.back, 300, 200, &s.figure, 0, 0, 30);
        benchmark::ClobberMemory();
    }
    Per_Pixel(state, 64.0 * 96.0);
}
BENCHMARK(BM_Put_Sprite_64x96);

void BM_Put_Sprite_Full_Screen(benchmark::State& state) {
    Scene& s = The_Scene();
    for (auto _ : state) {
        Put_Sprite(s.back, 0, 0, &s.screen, 0, 0, 50);
        benchmark::ClobberMemory();
    }
    Per_Pixel(state, 640.0 * 480.0);
}
BENCHMARK(BM_Put_Sprite_Full_Screen);

void BM_Draw_DYS_Frame_64x96(benchmark::State& state) {
    Scene& s = The_Scene();
    std::vector<std::uint8_t> pixels(64 * 96);
    for (int y = 0; y < 96; ++y)
        for (int x = 0; x < 64; ++x) pixels[y * 64 + x] = Figure(x, y);
    const std::vector<std::uint8_t> runs = Encode_Dys_Runs(64, 96, pixels.data(), KEY);
    Lock_Surface(s.back);
    for (auto _ : state) {
        Draw_DYS_Frame(300, 200, runs.data(), runs.size(), 0, 30);
        benchmark::ClobberMemory();
    }
    Unlock_Surface(s.back);
    Per_Pixel(state, 64.0 * 96.0);
}
BENCHMARK(BM_Draw_DYS_Frame_64x96);

}  // namespace

BENCHMARK_MAIN();
