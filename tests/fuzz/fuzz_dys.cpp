// Fuzzes the DYS reader and, for every file it accepts, the run-length
// blitter on each frame at places that cut it at every edge.
#include <cstddef>
#include <cstdint>

#include "System/ClipRect.h"
#include "System/Dys.h"
#include "System/ErrorReport.h"
#include "System/SurfaceLock.h"
#include "platform/DDraw.h"
#include "platform/headless/HeadlessBackend.h"

namespace {

// A 640 x 480 16-bit surface, kept locked for the blitter for the whole run.
bool Open_Target() {
    static LPDIRECTDRAW dd = nullptr;
    static LPDIRECTDRAWSURFACE surface = nullptr;
    DirectDrawCreate(nullptr, &dd, nullptr);
    dd->SetCooperativeLevel(reinterpret_cast<HWND>(1), DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN);
    DDSURFACEDESC desc = Offscreen_Surface_Desc(640, 480);
    dd->CreateSurface(&desc, &surface, nullptr);
    Lock_Surface(surface);
    // Refusals answer Cancel, so that no quit is ever started.
    Headless_Backend().answer = [](const MessageBoxCall&) { return IDCANCEL; };
    return lock_state.locked != 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool ready = Open_Target();
    if (!ready) return 0;
    Headless_Backend().boxes.clear();
    CDysFrame* table = nullptr;
    CDysHeader header;
    std::uint16_t count = Parse_DYS(data, size, &table, &header);
    if (count == DYS_FAILED) return 0;
    struct Place {
        int x, y;
    };
    static constexpr Place PLACES[] = {{320, 240}, {-40, -40}, {630, 470}, {0, 479}, {639, 0}, {-1000, 200}};
    Set_Clip_Rect(0, 0, 640, 480);
    for (std::uint16_t i = 0; i < count; ++i) {
        const CDysFrame& f = table[i];
        for (const Place& p : PLACES) Draw_DYS_Frame(p.x + f.x, p.y + f.y, f.data, f.length, i % 3 - 1, i % 64);
    }
    Set_Clip_Rect(100, 100, 300, 200);
    for (std::uint16_t i = 0; i < count; ++i) Draw_DYS_Frame(150, 120, table[i].data, table[i].length, 0, 45);
    delete[] table;
    return 0;
}
