#include "System/Bitmap.h"

#include <cstring>

#include "System/ErrorReport.h"

namespace {
constexpr UINT LOAD_FROM_FILE = LR_LOADFROMFILE | LR_CREATEDIBSECTION;
}

HRESULT DD_Copy_Bitmap(LPDIRECTDRAWSURFACE surface, HBITMAP bitmap, int x, int y, int width, int height) {
    if (surface == nullptr || bitmap == nullptr) return E_FAIL;
    surface->Restore();
    HDC image = CreateCompatibleDC(nullptr);
    SelectObject(image, bitmap);
    BITMAP info{};
    GetObjectA(bitmap, sizeof(info), &info);
    if (width == 0) width = info.bmWidth;
    if (height == 0) height = info.bmHeight;
    HDC dc = nullptr;
    HRESULT result = surface->GetDC(&dc);
    if (result == DD_OK) {
        StretchBlt(dc, 0, 0, width, height, image, x, y, width, height, SRCCOPY);
        surface->ReleaseDC(dc);
    }
    DeleteDC(image);
    return result;
}

LPDIRECTDRAWSURFACE DD_Load_Bitmap(LPDIRECTDRAW dd, const char* path, int width, int height) {
    auto bitmap = static_cast<HBITMAP>(LoadImageA(nullptr, path, IMAGE_BITMAP, width, height, LOAD_FROM_FILE));
    if (bitmap == nullptr) {
        File_Fatal_Error("Can't load bitmap:", Bitmap_File_Fault(path));
        return nullptr;
    }
    BITMAP info{};
    GetObjectA(bitmap, sizeof(info), &info);
    DDSURFACEDESC desc = Offscreen_Surface_Desc(info.bmWidth, info.bmHeight);
    LPDIRECTDRAWSURFACE surface = nullptr;
    HRESULT result = dd != nullptr ? dd->CreateSurface(&desc, &surface, nullptr) : DDERR_INVALIDOBJECT;
    if (DD_Error("CreateSurface to loaded bitmap", result) == DD_OK) DD_Copy_Bitmap(surface, bitmap, 0, 0, 0, 0);
    DeleteObject(bitmap);
    return result == DD_OK ? surface : nullptr;
}

HRESULT DD_Reload_Bitmap(LPDIRECTDRAWSURFACE surface, const char* path) {
    auto bitmap = static_cast<HBITMAP>(LoadImageA(nullptr, path, IMAGE_BITMAP, 0, 0, LOAD_FROM_FILE));
    if (bitmap == nullptr) return E_FAIL;
    HRESULT result = DD_Copy_Bitmap(surface, bitmap, 0, 0, 0, 0);
    DeleteObject(bitmap);
    return result;
}

DWORD DD_Color_Match(LPDIRECTDRAWSURFACE surface, COLORREF colour) {
    if (surface == nullptr) return CLR_INVALID;
    COLORREF saved = CLR_INVALID;
    HDC dc = nullptr;
    if (colour != CLR_INVALID && surface->GetDC(&dc) == DD_OK) {
        saved = GetPixel(dc, 0, 0);
        SetPixel(dc, 0, 0, colour);
        surface->ReleaseDC(dc);
    }
    DWORD value = CLR_INVALID;
    DDSURFACEDESC desc{};
    desc.dwSize = sizeof(desc);
    HRESULT result;
    while ((result = surface->Lock(nullptr, &desc, 0, nullptr)) == DDERR_WASSTILLDRAWING) {}
    if (result == DD_OK) {
        std::memcpy(&value, desc.lpSurface, sizeof(value));
        DWORD bits = desc.ddpfPixelFormat.dwRGBBitCount;
        if (bits < 32) value &= (1u << bits) - 1;
        surface->Unlock(nullptr);
    }
    if (colour != CLR_INVALID && surface->GetDC(&dc) == DD_OK) {
        SetPixel(dc, 0, 0, saved);
        surface->ReleaseDC(dc);
    }
    return value;
}

HRESULT DD_Set_Color_Key(LPDIRECTDRAWSURFACE surface, COLORREF colour) {
    if (surface == nullptr) return E_FAIL;
    DWORD pixel = DD_Color_Match(surface, colour);
    DDCOLORKEY key{pixel, pixel};
    return surface->SetColorKey(DDCKEY_SRCBLT, &key);
}
