// Fuzzes the palette readers: the input is laid down as the palette bitmap
// and as each of the five palette tables (PAL0.CNV, PAL0.SHD .. PAL3.SHD)
// of a working folder of its own, which the game then loads; a remap table
// it took is drawn through by the run-length blitter.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "System/ClipRect.h"
#include "System/Dys.h"
#include "System/Palette.h"
#include "System/SurfaceLock.h"
#include "platform/DDraw.h"
#include "platform/FileWrite.h"
#include "platform/PathResolver.h"
#include "platform/headless/HeadlessBackend.h"

namespace {

namespace fs = std::filesystem;

LPDIRECTDRAW dd = nullptr;
fs::path palettes;

fs::path root;

void Remove_Folder() {
    std::error_code ec;
    fs::remove_all(root, ec);
}

bool Open() {
    // A memory file system when there is one: the files are written anew
    // for every input.
    std::error_code ec;
    const fs::path shm = "/dev/shm";
    const fs::path base = fs::is_directory(shm, ec) ? shm : fs::temp_directory_path();
    root = base / ("orvex-fuzz-palette-" + std::to_string(::getpid()));
    std::atexit(&Remove_Folder);
    palettes = root / "ARTWORK" / "PALETTES";
    fs::create_directories(palettes);
    Set_Working_Folder(root);
    DirectDrawCreate(nullptr, &dd, nullptr);
    dd->SetCooperativeLevel(reinterpret_cast<HWND>(1), DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN);
    static LPDIRECTDRAWSURFACE surface = nullptr;
    DDSURFACEDESC desc = Offscreen_Surface_Desc(640, 480);
    dd->CreateSurface(&desc, &surface, nullptr);
    // Refusals answer Cancel, so that no quit is ever started.
    Headless_Backend().answer = [](const MessageBoxCall&) { return IDCANCEL; };
    Load_Palette_Tables();
    Lock_Surface(surface);
    return lock_state.locked != 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool ready = Open();
    if (!ready) return 0;
    Headless_Backend().boxes.clear();
    const std::vector<std::uint8_t> bytes(data, data + size);
    for (const char* name : {"PALETTE.BMP", "PAL0.CNV", "PAL0.SHD", "PAL1.SHD", "PAL2.SHD", "PAL3.SHD"})
        if (!Write_File_Atomic(palettes / name, bytes)) std::abort();
    // Load_Palette_Tables resets the lock state: the surface stays locked
    // for the blitter across the load.
    const auto kept = lock_state;
    Load_Palette_Tables();
    lock_state = kept;
    if (LPDIRECTDRAWPALETTE palette = DD_Load_Palette(dd, "ARTWORK\\PALETTES\\PALETTE.BMP", nullptr)) {
        PALETTEENTRY entries[256];
        palette->GetEntries(0, 0, 256, entries);
        palette->Release();
    }
    // Every index drawn through the remap table.
    static const std::vector<std::uint8_t> runs = [] {
        std::vector<std::uint8_t> r = {0, 255};
        for (int i = 0; i < 255; ++i) r.push_back(static_cast<std::uint8_t>(i));
        r.insert(r.end(), {0, 1, 255, 255, 254});
        return r;
    }();
    Set_Clip_Rect(0, 0, 640, 480);
    Draw_DYS_Frame(10, 10, runs.data(), runs.size(), 0, 45);
    return 0;
}
