// Loading and releasing sprites of both kinds' records; bitmap sprites here.
#include <cstdio>
#include <cstring>
#include <new>
#include <string>

#include "System/Bitmap.h"
#include "System/Display.h"
#include "System/Dys.h"
#include "System/ErrorReport.h"
#include "System/Sprite.h"
#include "System/SpriteHandles.h"
#include "platform/PathResolver.h"

sprite message_sprite{SPRITE_BITMAP, MESSAGE_WIDTH, MESSAGE_HEIGHT, 0, MESSAGE_HEIGHT, nullptr, nullptr, 1, 0};

namespace {

constexpr long FIX_BLOCK_OFFSET = 58;
constexpr COLORREF SPRITE_KEY_COLOUR = RGB(255, 0, 255);

struct fix_block {
    std::int16_t hot_x = 0;
    std::int16_t hot_y = 0;
    std::int16_t frames = 1;
    std::int16_t layer = 0;
};

std::int16_t I16(const unsigned char* p) { return static_cast<std::int16_t>(p[0] | (p[1] << 8)); }

// The "FIX" block of a bitmap file: "FIX", then hot x, hot y, frame count
// (0 means 1), a second count (unused) and a value whose low byte is the
// layer. A file without one (or that cannot be opened) gives the defaults.
fix_block Read_Fix_Block(const std::string& path) {
    fix_block fix;
    std::optional<std::filesystem::path> found = Resolve_Path(path);
    if (!found) return fix;
    std::FILE* f = std::fopen(found->c_str(), "rb");
    if (f == nullptr) return fix;
    unsigned char block[13];
    if (std::fseek(f, FIX_BLOCK_OFFSET, SEEK_SET) == 0 && std::fread(block, 1, sizeof(block), f) == sizeof(block) &&
        std::memcmp(block, "FIX", 3) == 0) {
        fix.hot_x = I16(block + 3);
        fix.hot_y = I16(block + 5);
        fix.frames = I16(block + 7);
        if (fix.frames == 0) fix.frames = 1;
        fix.layer = I16(block + 11);
    }
    std::fclose(f);
    return fix;
}

LPDIRECTDRAWSURFACE Create_Sprite_Surface(int width, int height) {
    DDSURFACEDESC desc{};
    desc.dwSize = sizeof(desc);
    desc.dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH | DDSD_PIXELFORMAT;
    desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY;
    desc.dwWidth = static_cast<DWORD>((width + 3) & ~3);
    desc.dwHeight = static_cast<DWORD>(height);
    desc.ddpfPixelFormat.dwSize = sizeof(DDPIXELFORMAT);
    desc.ddpfPixelFormat.dwFlags = DDPF_PALETTEINDEXED8 | DDPF_RGB;
    desc.ddpfPixelFormat.dwRGBBitCount = 8;
    LPDIRECTDRAWSURFACE surface = nullptr;
    HRESULT result =
        direct_draw != nullptr ? direct_draw->CreateSurface(&desc, &surface, nullptr) : DDERR_INVALIDOBJECT;
    if (DD_Error("CreateSurface to loaded sprite", result) != DD_OK) return nullptr;
    return surface;
}

}  // namespace

sprite* LoadSprite(const char* name, int) {
    auto* s = new (std::nothrow) sprite{};
    if (s == nullptr) {
        Fatal_Error("Not enough memory...", "");
        return nullptr;
    }
    const std::string path = std::string(name != nullptr ? name : "") + ".BMP";
    const fix_block fix = Read_Fix_Block(path);
    auto bitmap = static_cast<HBITMAP>(
        LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    BITMAP info{};
    if (bitmap != nullptr) GetObjectA(bitmap, sizeof(info), &info);
    // A frame count the bitmap cannot hold is as bad as no bitmap.
    if (bitmap == nullptr || fix.frames < 1 || fix.frames > info.bmWidth) {
        if (bitmap != nullptr) DeleteObject(bitmap);
        delete s;
        Fatal_Error("Can't load bitmap:", path.c_str());
        return nullptr;
    }
    s->kind = SPRITE_BITMAP;
    s->hot_x = fix.hot_x;
    s->hot_y = fix.hot_y;
    s->frames = static_cast<std::uint16_t>(fix.frames);
    s->layer = static_cast<std::uint8_t>(fix.layer & 0xFF);
    s->surface = Create_Sprite_Surface(info.bmWidth, info.bmHeight);
    if (s->surface != nullptr) {
        DD_Error("SetPalette in LoadSprite()", s->surface->SetPalette(palette_object));
        DD_Copy_Bitmap(s->surface, bitmap, 0, 0, 0, 0);
    }
    s->width = info.bmWidth / s->frames;
    s->height = info.bmHeight;
    if (s->surface != nullptr) DD_Set_Color_Key(s->surface, SPRITE_KEY_COLOUR);
    DeleteObject(bitmap);
    return s;
}

void Release_Sprite(sprite* s) {
    if (s == nullptr || s == &message_sprite) return;
    if (s->kind == SPRITE_BITMAP) {
        if (s->surface != nullptr) s->surface->Release();
    } else {
        delete[] s->frames_data;
    }
    Forget_Sprite_Handle(s);
    delete s;
}
