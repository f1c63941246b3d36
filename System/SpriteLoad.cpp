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

namespace {
std::int16_t I16(const unsigned char* p) { return static_cast<std::int16_t>(p[0] | (p[1] << 8)); }
}  // namespace

sprite message_sprite{SPRITE_BITMAP, MESSAGE_WIDTH, MESSAGE_HEIGHT, 0, MESSAGE_HEIGHT, nullptr, nullptr, 1, 0};

fix_block Parse_Fix_Block(const std::uint8_t* file, std::size_t size) {
    fix_block fix;
    if (size < FIX_BLOCK_END || std::memcmp(file + FIX_BLOCK_OFFSET, "FIX", 3) != 0) return fix;
    const std::uint8_t* block = file + FIX_BLOCK_OFFSET;
    fix.hot_x = I16(block + 3);
    fix.hot_y = I16(block + 5);
    fix.frames = I16(block + 7);
    if (fix.frames == 0) fix.frames = 1;
    fix.layer = I16(block + 11);
    return fix;
}

namespace {

constexpr COLORREF SPRITE_KEY_COLOUR = RGB(255, 0, 255);

// The "FIX" block of a bitmap file (or the defaults when it has none, or
// cannot be opened). The block lies in the first bytes, so only those are
// read.
fix_block Read_Fix_Block(const std::string& path) {
    std::optional<std::filesystem::path> found = Resolve_Readable_File(path);
    if (!found) return {};
    std::FILE* f = std::fopen(found->c_str(), "rb");
    if (f == nullptr) return {};
    std::uint8_t start[FIX_BLOCK_END];
    const std::size_t got = std::fread(start, 1, sizeof start, f);
    std::fclose(f);
    return Parse_Fix_Block(start, got);
}

LPDIRECTDRAWSURFACE Create_Sprite_Surface(int width, int height) {
    DDSURFACEDESC desc =
        Offscreen_Surface_Desc((width + 3) & ~3, height, DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY, true);
    LPDIRECTDRAWSURFACE surface = nullptr;
    HRESULT result =
        direct_draw != nullptr ? direct_draw->CreateSurface(&desc, &surface, nullptr) : DDERR_INVALIDOBJECT;
    if (DD_Error("CreateSurface to loaded sprite", result) != DD_OK) return nullptr;
    return surface;
}

// The bitmap sprite of name + ".BMP"; none, with what is wrong, when the
// file cannot be read as one.
sprite* Read_Bitmap_Sprite(const char* name, file_fault& fault) {
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
        fault = Bitmap_File_Fault(path.c_str());
        if (bitmap != nullptr) {
            DeleteObject(bitmap);
            fault.reason = "its FIX block names " + std::to_string(fix.frames) + " frames";
        }
        delete s;
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

}  // namespace

sprite* LoadSprite(const char* name, int) {
    file_fault fault;
    sprite* s = Read_Bitmap_Sprite(name, fault);
    if (s == nullptr && !Is_Quitting()) File_Fatal_Error("Can't load bitmap:", fault);
    return s;
}

sprite* Try_Load_Sprite(const char* name) {
    file_fault fault;
    return Read_Bitmap_Sprite(name, fault);
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
