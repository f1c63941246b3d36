#include "System/Display.h"

#include <algorithm>
#include <bit>

#include "System/Bitmap.h"
#include "System/ClipRect.h"
#include "System/Cursor.h"
#include "System/ErrorReport.h"
#include "System/Hooks.h"
#include "System/MessageLine.h"
#include "System/Palette.h"
#include "System/Sprite.h"
#include "platform/Timing.h"
#include "platform/Window.h"

LPDIRECTDRAW direct_draw = nullptr;
LPDIRECTDRAWSURFACE primary_surface = nullptr;
LPDIRECTDRAWSURFACE BACK = nullptr;
LPDIRECTDRAWSURFACE ZOOM = nullptr;
LPDIRECTDRAWSURFACE TEXT = nullptr;
LPDIRECTDRAWSURFACE MESSAGE = nullptr;
LPDIRECTDRAWSURFACE MASK = nullptr;
LPDIRECTDRAWCLIPPER display_clipper = nullptr;
LPDIRECTDRAWPALETTE palette_object = nullptr;

int display_released = 1;
int surfaces_ready = 0;
RECT screen_rect{0, 0, SCREEN_WIDTH, SCREEN_HEIGHT};

colour_table red_table, green_table, blue_table;
std::uint16_t shade_table[LIGHT_LEVELS][256];
std::uint32_t ui_background = 0;

namespace {

constexpr COLORREF UI_BACKGROUND_COLOUR = RGB(222, 182, 148);
constexpr const char* TITLE_PICTURE = "ARTWORK\\PAGES\\cimkep2.bmp";
constexpr const char* PALETTE_BITMAP = "ARTWORK\\PALETTES\\PALETTE.BMP";
constexpr DWORD TITLE_WAIT_MS = 2500;
// Brightness of level L is L * 4 / 180 of the palette colour: 45 is plain.
constexpr int SHADE_NUMERATOR = 4;
constexpr int SHADE_DENOMINATOR = 180;

template <class T>
void Release_And_Forget(T*& object) {
    if (object != nullptr) object->Release();
    object = nullptr;
}

void Make_Channel(colour_table& t, DWORD mask) {
    t.shift = mask != 0 ? std::countr_zero(mask) : 0;
    t.bits = std::countr_one(mask >> t.shift);
    t.max = (1u << t.bits) - 1;
    for (std::uint32_t i = 0; i < 256; ++i) t.table[i] = ((i * t.max) >> 8) << t.shift;
}

LPDIRECTDRAWSURFACE Create_Plain(int width, int height, const char* label) {
    DDSURFACEDESC desc = Offscreen_Surface_Desc(width, height);
    LPDIRECTDRAWSURFACE surface = nullptr;
    if (DD_Error(label, direct_draw->CreateSurface(&desc, &surface, nullptr)) != DD_OK) return nullptr;
    return surface;
}

void Set_Zero_Key(LPDIRECTDRAWSURFACE surface, const char* label) {
    if (surface == nullptr) return;
    DDCOLORKEY key{0, 0};
    DD_Error(label, surface->SetColorKey(DDCKEY_SRCBLT, &key));
}

// Everything Create_Surfaces makes, released in the order of Release_Surfaces.
void Release_Display_Objects() {
    Release_And_Forget(palette_object);
    Release_And_Forget(display_clipper);
    Release_And_Forget(BACK);
    Release_And_Forget(ZOOM);
    Release_And_Forget(TEXT);
    Release_And_Forget(MESSAGE);
    Release_And_Forget(MASK);
    Release_And_Forget(primary_surface);
    message_sprite.surface = nullptr;
}

void Show_Title_Picture() {
    LPDIRECTDRAWSURFACE title = DD_Load_Bitmap(direct_draw, TITLE_PICTURE, 0, 0);
    if (title == nullptr) return;
    RECT r{0, 0, std::min(SCREEN_WIDTH, title->Width()), std::min(SCREEN_HEIGHT, title->Height())};
    DD_Error("blt balhe", primary_surface->Blt(&r, title, &r, DDBLT_WAIT, nullptr));
    Sleep(TITLE_WAIT_MS);
    // Nothing shows the title again: its surface goes at once.
    title->Release();
}

bool Create_Primary() {
    DDSURFACEDESC desc{};
    desc.dwSize = sizeof(desc);
    desc.dwFlags = DDSD_CAPS;
    desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
    HRESULT result = direct_draw->CreateSurface(&desc, &primary_surface, nullptr);
    if (result == DDERR_UNSUPPORTEDMODE) {
        Release_And_Forget(direct_draw);
        MessageBoxA(Get_Main_Window(),
                    "Please choose different resolution!\n\n(Click start, then settings->control panel,\n"
                    "double click display, then click settings!)",
                    "This application can't work in this resolution.", MB_ICONSTOP);
        return false;
    }
    // Nothing of the display works without a primary surface.
    return DD_Error("CreateSurface PRIMARY", result) == DD_OK;
}

}  // namespace

void Make_Colour_Tables(DWORD red_mask, DWORD green_mask, DWORD blue_mask) {
    Make_Channel(red_table, red_mask);
    Make_Channel(green_table, green_mask);
    Make_Channel(blue_table, blue_mask);
}

void Init_DirectDraw() {
    Release_And_Forget(direct_draw);
    if (DD_Error("DD creation", DirectDrawCreate(nullptr, &direct_draw, nullptr)) != DD_OK) {
        direct_draw = nullptr;
        return;
    }
    DD_Error("SetCooperativeLevel FULLSCREEN",
             direct_draw->SetCooperativeLevel(Get_Main_Window(), DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN));
    direct_draw->SetDisplayMode(SCREEN_WIDTH, SCREEN_HEIGHT, SCREEN_BITS);
    display_released = 0;
}

int Create_Surfaces() {
    if (display_released || direct_draw == nullptr) return 0;
    if (surfaces_ready) return 1;
    Release_Display_Objects();  // what an earlier, unfinished start-up left
    if (!Create_Primary()) return 0;

    DDPIXELFORMAT format{};
    format.dwSize = sizeof(format);
    primary_surface->GetPixelFormat(&format);
    Make_Colour_Tables(format.dwRBitMask, format.dwGBitMask, format.dwBBitMask);

    BACK = Create_Plain(SCREEN_WIDTH, SCREEN_HEIGHT, "CreateSurface BACK");
    ZOOM = Create_Plain(ZOOM_WIDTH, ZOOM_HEIGHT, "CreateSurface ZOOM");
    TEXT = Create_Plain(TEXT_WIDTH, TEXT_HEIGHT, "CreateSurface TEXT");
    MESSAGE = Create_Plain(MESSAGE_WIDTH, MESSAGE_HEIGHT, "CreateSurface MESSAGE");
    message_sprite.surface = MESSAGE;
    MASK = Create_Plain(MASK_WIDTH, MASK_HEIGHT, "CreateSurface MASK");

    if (DD_Error("CreateClipper", direct_draw->CreateClipper(0, &display_clipper, nullptr)) == DD_OK) {
        DD_Error("SetHwnd", display_clipper->SetHWnd(0, Get_Main_Window()));
        DD_Error("SetClipper", primary_surface->SetClipper(display_clipper));
    } else {
        display_clipper = nullptr;
    }

    Set_Zero_Key(BACK, "backbuffer colorkey");
    Set_Zero_Key(ZOOM, "zoombuffer colorkey");
    Set_Zero_Key(TEXT, "textbuffer colorkey");
    Set_Zero_Key(MESSAGE, "textbuffer colorkey");
    Set_Zero_Key(MASK, "maskbuffer colorkey");

    if (BACK != nullptr) {
        ui_background = DD_Color_Match(BACK, UI_BACKGROUND_COLOUR);
        DDBLTFX fx{sizeof(DDBLTFX), 0};
        RECT all{0, 0, SCREEN_WIDTH, SCREEN_HEIGHT};
        DD_Error("Blt colorfill", BACK->Blt(&all, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx));
    }
    Make_Shade_Table();
    Show_Title_Picture();
    return 1;
}

void Release_Surfaces() {
    if (!surfaces_ready) return;
    surfaces_ready = 0;
    Call_Free_Map_Artwork();
    Release_Display_Objects();
}

void Release_DirectDraw() {
    display_released = 1;
    // What a start-up that never finished loaded goes with the display: the
    // map's artwork and the surfaces.
    if (!surfaces_ready) {
        Call_Free_Map_Artwork();
        Release_Display_Objects();
    }
    if (direct_draw != nullptr) {
        direct_draw->RestoreDisplayMode();
        Release_And_Forget(direct_draw);
    }
}

void Make_Shade_Table() {
    file_fault fault{PALETTE_BITMAP, "not loaded"};
    if (palette_object == nullptr)
        palette_object = DD_Load_Palette(direct_draw, PALETTE_BITMAP, Get_Main_Window(), fault);
    if (palette_object == nullptr) {
        File_Error_Query_Quit("Palette load failed", fault);
        return;
    }
    PALETTEENTRY entries[256];
    palette_object->GetEntries(0, 0, 256, entries);
    for (int level = 0; level < LIGHT_LEVELS; ++level) {
        for (int i = 0; i < 256; ++i) {
            auto shade = [level](int c) { return std::min(c * level * SHADE_NUMERATOR / SHADE_DENOMINATOR, 255); };
            shade_table[level][i] = static_cast<std::uint16_t>(red_table.table[shade(entries[i].peRed)] |
                                                               green_table.table[shade(entries[i].peGreen)] |
                                                               blue_table.table[shade(entries[i].peBlue)]);
        }
    }
}

void Fill_Surface_Rect(LPDIRECTDRAWSURFACE surface, const RECT& rect, std::uint32_t pixel) {
    if (surface == nullptr) return;
    // An empty rect, or one outside the surface, fills nothing.
    RECT r{std::max<LONG>(rect.left, 0), std::max<LONG>(rect.top, 0), std::min<LONG>(rect.right, surface->Width()),
           std::min<LONG>(rect.bottom, surface->Height())};
    if (r.left >= r.right || r.top >= r.bottom) return;
    DDBLTFX fx{sizeof(DDBLTFX), pixel};
    DD_Error("Fill rect", surface->Blt(&r, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx));
}

void Fill_Back_Rect(const RECT& rect, std::uint32_t pixel) { Fill_Surface_Rect(BACK, rect, pixel); }

void Clear_Back_Buffer() { Fill_Back_Rect(clip_rect, 0); }

void Clear_Screen() {
    Set_Full_Clip();
    Clear_Back_Buffer();
}

int Update_Screen(const RECT* rect) {
    if (!surfaces_ready) return 0;
    RECT r = rect != nullptr ? *rect : RECT{0, 0, SCREEN_WIDTH, SCREEN_HEIGHT};
    // Only the screen's part of the rect can be copied.
    r = {std::max<LONG>(r.left, 0), std::max<LONG>(r.top, 0), std::min<LONG>(r.right, SCREEN_WIDTH),
         std::min<LONG>(r.bottom, SCREEN_HEIGHT)};
    if (r.left >= r.right || r.top >= r.bottom) return 0;
    if (BACK != nullptr && primary_surface != nullptr)
        DD_Error("blt balhe", primary_surface->Blt(&r, BACK, &r, DDBLT_WAIT, nullptr));
    Draw_DD_Cursor();
    Draw_Message_Line(&r);
    return 1;
}

void Tick_Stub() {}
