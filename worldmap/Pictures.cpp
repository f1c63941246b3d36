#include "worldmap/Pictures.h"

#include <cstdio>
#include <cstring>

#include "worldmap/Display.h"
#include "worldmap/WorldMap.h"

picture_record terrain_picture;
picture_record map_picture;
picture_record frame_picture;
picture_record marker_picture;
picture_record flame_picture;

namespace {

struct loaded_picture {
    const picture_kind& kind;
    picture_record& record;
};
const loaded_picture all_pictures[] = {{TERRAIN_KIND, terrain_picture},
                                       {MAP_KIND, map_picture},
                                       {FRAME_KIND, frame_picture},
                                       {MARKER_KIND, marker_picture},
                                       {FLAME_KIND, flame_picture}};

void Picture_Error(const char* format, const char* name) {
    char text[96];
    std::snprintf(text, sizeof text, format, name);
    Show_Error(text);
}

bool Fits(const picture_record& p, const picture_kind& kind) {
    return p.width == kind.width && p.height == kind.height && p.bits_per_pixel == 8 && p.stride >= p.width;
}

// An off-screen surface of a picture's size; with a source colour key of
// index 0 when keyed.
LPDIRECTDRAWSURFACE Picture_Surface(const picture_kind& kind, bool keyed) {
    LPDIRECTDRAWSURFACE s = Create_Offscreen_Surface(kind.width, kind.height, 0);
    if (s == nullptr) {
        Picture_Error("Can't create the surface of the picture %s.", kind.name);
        return nullptr;
    }
    if (keyed) {
        DDCOLORKEY key{0, 0};
        s->SetColorKey(DDCKEY_SRCBLT, &key);
    }
    return s;
}

void Copy_Through_Dc(const picture_record& picture, LPDIRECTDRAWSURFACE surface) {
    if (surface == nullptr || picture.dc == nullptr) return;
    HDC dc = nullptr;
    if (surface->GetDC(&dc) != DD_OK) return;
    BitBlt(dc, 0, 0, picture.width, picture.height, picture.dc, 0, 0, SRCCOPY);
    surface->ReleaseDC(dc);
}

// The map picture row by row into the map surface: its rows are top-down
// already, so row y goes to row y.
bool Copy_Map_Rows() {
    DDSURFACEDESC desc;
    auto* pixels = static_cast<std::uint8_t*>(Main_Map_Lock_Surface(map_surface, &desc));
    if (pixels == nullptr) return false;
    for (int y = 0; y < map_picture.height; ++y)
        std::memcpy(pixels + static_cast<std::size_t>(y) * desc.lPitch,
                    map_picture.bits + static_cast<std::size_t>(y) * map_picture.stride, map_picture.width);
    Main_Map_Unlock_Surface(map_surface, pixels);
    return true;
}

}  // namespace

picture_record Load_Bitmap_Resource(const char* name) {
    picture_record p;
    p.bitmap = static_cast<HBITMAP>(LoadImageA(main_instance, name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (p.bitmap == nullptr) return p;
    BITMAP info{};
    GetObjectA(p.bitmap, sizeof info, &info);
    p.bits = static_cast<const std::uint8_t*>(info.bmBits);
    p.width = info.bmWidth;
    p.height = info.bmHeight;
    p.stride = info.bmWidthBytes;
    p.bits_per_pixel = info.bmBitsPixel;
    p.dc = CreateCompatibleDC(nullptr);
    p.old_bitmap = SelectObject(p.dc, p.bitmap);
    return p;
}

void Free_Picture(picture_record& p) {
    if (p.dc != nullptr) {
        SelectObject(p.dc, p.old_bitmap);
        DeleteDC(p.dc);
    }
    if (p.bitmap != nullptr) DeleteObject(p.bitmap);
    p = picture_record{};
}

bool Load_Pictures() {
    for (const loaded_picture& l : all_pictures) {
        l.record = Load_Bitmap_Resource(l.kind.name);
        if (l.record.bitmap == nullptr) {
            Picture_Error("Can't load the picture %s.", l.kind.name);
            return false;
        }
        if (!Fits(l.record, l.kind)) {
            char text[128];
            std::snprintf(text, sizeof text, "The picture %s is not %d x %d pixels with 256 colours.", l.kind.name,
                          l.kind.width, l.kind.height);
            Show_Error(text);
            return false;
        }
    }
    return true;
}

bool Make_Picture_Surfaces() {
    map_surface = Create_Offscreen_Surface(MAP_KIND.width, MAP_KIND.height, 1);
    if (map_surface == nullptr) {
        Picture_Error("Can't create the surface of the picture %s.", MAP_KIND.name);
        return false;
    }
    if (!Copy_Map_Rows()) {
        Picture_Error("Can't copy the picture %s.", MAP_KIND.name);
        return false;
    }
    if ((frame_surface = Picture_Surface(FRAME_KIND, true)) == nullptr) return false;
    if ((marker_surface = Picture_Surface(MARKER_KIND, true)) == nullptr) return false;
    if ((flame_surface = Picture_Surface(FLAME_KIND, true)) == nullptr) return false;
    Copy_Picture_Surfaces();
    view_surface = Create_Offscreen_Surface(VIEW_WIDTH, VIEW_HEIGHT, 0);
    if (view_surface == nullptr) {
        Show_Error("Can't create the view surface.");
        return false;
    }
    return true;
}

void Copy_Picture_Surfaces() {
    Copy_Through_Dc(frame_picture, frame_surface);
    Copy_Through_Dc(marker_picture, marker_surface);
    Copy_Through_Dc(flame_picture, flame_surface);
}

void Free_Pictures() {
    for (const loaded_picture& l : all_pictures) Free_Picture(l.record);
}
