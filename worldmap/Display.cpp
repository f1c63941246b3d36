#include "worldmap/Display.h"

#include <cstdio>

#include "platform/Resources.h"
#include "worldmap/MainMap.h"
#include "worldmap/Pictures.h"
#include "worldmap/WorldMap.h"

LPDIRECTDRAW direct_draw = nullptr;
LPDIRECTDRAWSURFACE primary_surface = nullptr;
LPDIRECTDRAWSURFACE back_surface = nullptr;
LPDIRECTDRAWSURFACE map_surface = nullptr;
LPDIRECTDRAWSURFACE frame_surface = nullptr;
LPDIRECTDRAWSURFACE marker_surface = nullptr;
LPDIRECTDRAWSURFACE flame_surface = nullptr;
LPDIRECTDRAWSURFACE view_surface = nullptr;
LPDIRECTDRAWPALETTE display_palette = nullptr;
PALETTEENTRY map_palette[256];

namespace {

constexpr std::size_t PALETTE_BYTES = 256 * 3;

template <class T>
void Release(T*& object) {
    if (object != nullptr) object->Release();
    object = nullptr;
}

LPDIRECTDRAWSURFACE Create_Primary_Surface() {
    DDSURFACEDESC desc{};
    desc.dwSize = sizeof(desc);
    desc.dwFlags = DDSD_CAPS;
    desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
    LPDIRECTDRAWSURFACE surface = nullptr;
    if (direct_draw->CreateSurface(&desc, &surface, nullptr) != DD_OK) return nullptr;
    return surface;
}

LPDIRECTDRAWSURFACE Create_Surface(int width, int height, DWORD caps) {
    DDSURFACEDESC desc = Offscreen_Surface_Desc(width, height, caps);
    LPDIRECTDRAWSURFACE surface = nullptr;
    if (direct_draw == nullptr || direct_draw->CreateSurface(&desc, &surface, nullptr) != DD_OK) return nullptr;
    return surface;
}

}  // namespace

void Show_Error(const char* text) { MessageBoxA(main_window, text, nullptr, MB_TOPMOST | MB_ICONERROR); }

int Main_Map_Init_DirectDraw(HWND window, int width, int height, int bits) {
    if (DirectDrawCreate(nullptr, &direct_draw, nullptr) != DD_OK) {
        direct_draw = nullptr;
        Show_Error(NO_DIRECTX_TEXT);
        return 0;
    }
    if (direct_draw->SetCooperativeLevel(window, DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN) != DD_OK) {
        Show_Error(NO_FULLSCREEN_TEXT);
        return 0;
    }
    if (direct_draw->SetDisplayMode(static_cast<DWORD>(width), static_cast<DWORD>(height), static_cast<DWORD>(bits)) !=
        DD_OK) {
        char text[96];
        std::snprintf(text, sizeof text, NO_VIDEOMODE_FORMAT, width, height, bits);
        Show_Error(text);
        return 0;
    }
    primary_surface = Create_Primary_Surface();
    if (primary_surface == nullptr) {
        Show_Error(NO_PRIMARY_TEXT);
        return 0;
    }
    back_surface = Create_Surface(width, height, DDSCAPS_OFFSCREENPLAIN);
    if (back_surface == nullptr) {
        Show_Error(NO_BACK_TEXT);
        return 0;
    }
    return Pump_Message();
}

void Main_Map_Release_DirectDraw(HWND window) {
    if (direct_draw != nullptr) {
        direct_draw->SetCooperativeLevel(window, DDSCL_NORMAL);
        direct_draw->RestoreDisplayMode();
    }
    Release(view_surface);
    Release(flame_surface);
    Release(marker_surface);
    Release(frame_surface);
    Release(map_surface);
    Release(back_surface);
    Release(primary_surface);
    Release(display_palette);
    Release(direct_draw);
}

LPDIRECTDRAWSURFACE Create_Offscreen_Surface(int width, int height, int system_memory) {
    return Create_Surface(width, height, DDSCAPS_OFFSCREENPLAIN | (system_memory != 0 ? DDSCAPS_SYSTEMMEMORY : 0));
}

void Clear_Surface(LPDIRECTDRAWSURFACE surface, int left, int top, int right, int bottom, int index) {
    if (surface == nullptr) return;
    DDBLTFX fx{};
    fx.dwSize = sizeof(fx);
    fx.dwFillColor = static_cast<DWORD>(index);
    RECT r{left, top, right, bottom};
    surface->Blt(&r, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx);
}

void* Main_Map_Lock_Surface(LPDIRECTDRAWSURFACE surface, DDSURFACEDESC* desc) {
    *desc = DDSURFACEDESC{};
    desc->dwSize = sizeof(*desc);
    if (surface->GetSurfaceDesc(desc) != DD_OK) return nullptr;
    if (surface->Lock(nullptr, desc, DDLOCK_WAIT, nullptr) != DD_OK) return nullptr;
    return desc->lpSurface;
}

void Main_Map_Unlock_Surface(LPDIRECTDRAWSURFACE surface, void* pixels) { surface->Unlock(pixels); }

void Rgb_To_Palette_Entries(const BYTE* rgb, PALETTEENTRY* entries) {
    for (int i = 0; i < 256; ++i) entries[i] = {rgb[3 * i], rgb[3 * i + 1], rgb[3 * i + 2], 0};
}

bool Load_Palette_Resource(const char* name, const char* type, PALETTEENTRY* entries) {
    const HRSRC found = FindResourceA(main_instance, name, type);
    const void* rgb = LockResource(LoadResource(main_instance, found));
    if (rgb == nullptr || SizeofResource(main_instance, found) < PALETTE_BYTES) return false;
    Rgb_To_Palette_Entries(static_cast<const BYTE*>(rgb), entries);
    return true;
}

void Set_Palette(const PALETTEENTRY* entries) {
    if (display_palette == nullptr) {
        if (direct_draw == nullptr ||
            direct_draw->CreatePalette(DDPCAPS_8BIT | DDPCAPS_ALLOW256, entries, &display_palette, nullptr) != DD_OK) {
            display_palette = nullptr;
            return;
        }
        if (primary_surface != nullptr) primary_surface->SetPalette(display_palette);
        return;
    }
    display_palette->SetEntries(0, 0, 256, entries);
}

void Restore_Surfaces() {
    for (LPDIRECTDRAWSURFACE s :
         {primary_surface, back_surface, frame_surface, marker_surface, flame_surface, map_surface, view_surface})
        if (s != nullptr) s->Restore();
    Copy_Picture_Surfaces();
    redraw_flag = 1;
}
