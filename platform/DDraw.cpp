#include "platform/DDraw.h"

#include <algorithm>
#include <atomic>
#include <cstring>

#include "platform/Gdi.h"
#include "platform/Window.h"

namespace {

struct DisplayMode {
    DWORD width = 640;
    DWORD height = 480;
    DWORD bits = 16;
};

// The desktop's mode, which RestoreDisplayMode returns to.
constexpr DisplayMode DESKTOP_MODE{};
constexpr int MAX_SURFACE_SIDE = 16384;

DisplayMode display_mode;
DisplayOptions display_options;
IDirectDrawSurface* primary_surface = nullptr;
int live_surfaces = 0;
// Any thread may draw onto the primary surface and so call it.
std::atomic<void (*)()> display_change_hook{nullptr};

bool Rect_Empty(const RECT& r) { return r.left >= r.right || r.top >= r.bottom; }

RECT Intersect(const RECT& a, const RECT& b) {
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
}

bool Inside(const RECT& r, int width, int height) {
    return r.left >= 0 && r.top >= 0 && r.right <= width && r.bottom <= height;
}

const DWORD* Display_Masks() { return display_options.rgb555 ? RGB555_MASKS : RGB565_MASKS; }

// Where a blit reads its source pixels: the source surface itself or, when
// source and destination overlap on one surface, a copy of the source rect.
struct SourcePixels {
    const std::uint8_t* bits;
    int pitch;
    int origin_x, origin_y;  // surface coordinates of bits[0]
    std::vector<std::uint8_t> copy;
};

template <class Pixel>
void Copy_Rect(std::uint8_t* dest_bits, int dest_pitch, const RECT& cut, const RECT& dest, const SourcePixels& src,
               const RECT& source, bool keyed, DWORD key_low, DWORD key_high) {
    const long dest_w = dest.right - dest.left, dest_h = dest.bottom - dest.top;
    const long src_w = source.right - source.left, src_h = source.bottom - source.top;
    const bool one_to_one = dest_w == src_w && dest_h == src_h;
    for (LONG y = cut.top; y < cut.bottom; ++y) {
        long sy = source.top + (one_to_one ? y - dest.top : (y - dest.top) * src_h / dest_h);
        const Pixel* src_row =
            reinterpret_cast<const Pixel*>(src.bits + (sy - src.origin_y) * src.pitch) - src.origin_x;
        Pixel* dest_row = reinterpret_cast<Pixel*>(dest_bits + y * dest_pitch);
        if (one_to_one && !keyed) {
            long sx = source.left + (cut.left - dest.left);
            std::memmove(dest_row + cut.left, src_row + sx, (cut.right - cut.left) * sizeof(Pixel));
            continue;
        }
        for (LONG x = cut.left; x < cut.right; ++x) {
            long sx = source.left + (one_to_one ? x - dest.left : (x - dest.left) * src_w / dest_w);
            Pixel p = src_row[sx];
            if (keyed && p >= key_low && p <= key_high) continue;
            dest_row[x] = p;
        }
    }
}

}  // namespace

DisplayOptions& Display_Options() { return display_options; }

void Reset_Display_Options() { display_options = DisplayOptions{}; }

IDirectDrawSurface* Display_Primary() { return primary_surface; }

void Set_Display_Change_Hook(void (*hook)()) { display_change_hook = hook; }

int Live_Surface_Count() { return live_surfaces; }

// ---- palette ---------------------------------------------------------------

ULONG IDirectDrawPalette::AddRef() { return ++refs_; }

ULONG IDirectDrawPalette::Release() {
    ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
}

HRESULT IDirectDrawPalette::GetEntries(DWORD, DWORD base, DWORD count, PALETTEENTRY* entries) const {
    if (entries == nullptr || base > 256 || count > 256 - base) return DDERR_INVALIDPARAMS;
    std::copy(entries_ + base, entries_ + base + count, entries);
    return DD_OK;
}

HRESULT IDirectDrawPalette::SetEntries(DWORD, DWORD start, DWORD count, const PALETTEENTRY* entries) {
    if (entries == nullptr || start > 256 || count > 256 - start) return DDERR_INVALIDPARAMS;
    std::copy(entries, entries + count, entries_ + start);
    if (primary_surface != nullptr && primary_surface->Palette() == this)
        primary_surface->Mark_Dirty({0, 0, primary_surface->Width(), primary_surface->Height()});
    return DD_OK;
}

// ---- clipper ---------------------------------------------------------------

ULONG IDirectDrawClipper::AddRef() { return ++refs_; }

ULONG IDirectDrawClipper::Release() {
    ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
}

HRESULT IDirectDrawClipper::SetHWnd(DWORD, HWND window) {
    window_ = window;
    return DD_OK;
}

HRESULT IDirectDrawClipper::GetHWnd(HWND* window) const {
    if (window == nullptr) return DDERR_INVALIDPARAMS;
    *window = window_;
    return DD_OK;
}

// ---- surface ---------------------------------------------------------------

IDirectDrawSurface::IDirectDrawSurface(int width, int height, int bits, const DWORD masks[3], bool primary)
    : width_(width), height_(height), bits_(bits), primary_(primary) {
    std::copy(masks, masks + 3, masks_);
    pitch_ = (width * (bits / 8) + 3) & ~3;
    memory_.assign(static_cast<std::size_t>(pitch_) * height, 0);
    ++live_surfaces;
    if (primary) primary_surface = this;
}

IDirectDrawSurface::~IDirectDrawSurface() {
    for (HDC dc : dcs_) Gdi_Delete_Surface_DC(dc);
    if (palette_ != nullptr) palette_->Release();
    if (clipper_ != nullptr) clipper_->Release();
    if (primary_surface == this) primary_surface = nullptr;
    --live_surfaces;
}

ULONG IDirectDrawSurface::AddRef() { return ++refs_; }

ULONG IDirectDrawSurface::Release() {
    ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
}

PixelLayout IDirectDrawSurface::Layout() const {
    PixelLayout layout;
    layout.bits = bits_;
    layout.r_mask = masks_[0];
    layout.g_mask = masks_[1];
    layout.b_mask = masks_[2];
    layout.palette = palette_ != nullptr ? palette_->Entries() : nullptr;
    return layout;
}

HRESULT IDirectDrawSurface::Blt(const RECT* dest, IDirectDrawSurface* source, const RECT* source_rect, DWORD flags,
                                const DDBLTFX* fx) {
    RECT d = dest != nullptr ? *dest : RECT{0, 0, width_, height_};
    if (Rect_Empty(d)) return DDERR_INVALIDRECT;
    RECT cut = d;
    if (!Inside(d, width_, height_)) {
        if (clipper_ == nullptr) return DDERR_INVALIDRECT;
        cut = Intersect(d, {0, 0, width_, height_});
    }

    if (flags & DDBLT_COLORFILL) {
        if (fx == nullptr) return DDERR_INVALIDPARAMS;
        if (Busy()) return DDERR_SURFACEBUSY;
        if (Rect_Empty(cut)) return DD_OK;
        for (LONG y = cut.top; y < cut.bottom; ++y) {
            std::uint8_t* row = memory_.data() + static_cast<std::size_t>(y) * pitch_;
            if (bits_ == 8) {
                std::memset(row + cut.left, static_cast<int>(fx->dwFillColor & 0xFF), cut.right - cut.left);
            } else {
                auto* p = reinterpret_cast<std::uint16_t*>(row);
                std::fill(p + cut.left, p + cut.right, static_cast<std::uint16_t>(fx->dwFillColor));
            }
        }
        Mark_Dirty(cut);
        return DD_OK;
    }

    if (source == nullptr) return DDERR_INVALIDPARAMS;
    RECT s = source_rect != nullptr ? *source_rect : RECT{0, 0, source->width_, source->height_};
    if (Rect_Empty(s) || !Inside(s, source->width_, source->height_)) return DDERR_INVALIDRECT;
    if (source->bits_ != bits_) return DDERR_INVALIDPIXELFORMAT;
    if (Busy() || source->Busy()) return DDERR_SURFACEBUSY;
    bool keyed = (flags & DDBLT_KEYSRC) != 0;
    if (keyed && !source->has_key_) return DDERR_NOCOLORKEY;
    if (Rect_Empty(cut)) return DD_OK;

    SourcePixels src{source->memory_.data(), source->pitch_, 0, 0, {}};
    if (source == this && !Rect_Empty(Intersect(s, d))) {
        // One surface, overlapping rects: read from a copy of the source.
        int bytes = bits_ / 8;
        int row_bytes = (s.right - s.left) * bytes;
        src.copy.resize(static_cast<std::size_t>(row_bytes) * (s.bottom - s.top));
        for (LONG y = s.top; y < s.bottom; ++y)
            std::memcpy(src.copy.data() + static_cast<std::size_t>(y - s.top) * row_bytes,
                        memory_.data() + static_cast<std::size_t>(y) * pitch_ + s.left * bytes, row_bytes);
        src.bits = src.copy.data();
        src.pitch = row_bytes;
        src.origin_x = s.left;
        src.origin_y = s.top;
    }
    DWORD low = source->key_.dwColorSpaceLowValue, high = source->key_.dwColorSpaceHighValue;
    if (bits_ == 8)
        Copy_Rect<std::uint8_t>(memory_.data(), pitch_, cut, d, src, s, keyed, low, high);
    else
        Copy_Rect<std::uint16_t>(memory_.data(), pitch_, cut, d, src, s, keyed, low, high);
    Mark_Dirty(cut);
    return DD_OK;
}

HRESULT IDirectDrawSurface::BltFast(DWORD x, DWORD y, IDirectDrawSurface* source, const RECT* source_rect,
                                    DWORD flags) {
    if (source == nullptr) return DDERR_INVALIDPARAMS;
    if (clipper_ != nullptr) return DDERR_BLTFASTCANTCLIP;
    RECT s = source_rect != nullptr ? *source_rect : RECT{0, 0, source->width_, source->height_};
    if (Rect_Empty(s) || x > static_cast<DWORD>(width_) || y > static_cast<DWORD>(height_)) return DDERR_INVALIDRECT;
    RECT d{static_cast<LONG>(x), static_cast<LONG>(y), static_cast<LONG>(x) + (s.right - s.left),
           static_cast<LONG>(y) + (s.bottom - s.top)};
    if (!Inside(d, width_, height_)) return DDERR_INVALIDRECT;
    return Blt(&d, source, &s, (flags & DDBLTFAST_SRCCOLORKEY) ? DDBLT_KEYSRC : 0, nullptr);
}

HRESULT IDirectDrawSurface::Lock(const RECT* rect, DDSURFACEDESC* desc, DWORD, HANDLE) {
    if (desc == nullptr) return DDERR_INVALIDPARAMS;
    RECT r = rect != nullptr ? *rect : RECT{0, 0, width_, height_};
    if (Rect_Empty(r) || !Inside(r, width_, height_)) return DDERR_INVALIDRECT;
    GetSurfaceDesc(desc);
    desc->lpSurface = memory_.data() + static_cast<std::size_t>(r.top) * pitch_ + r.left * (bits_ / 8);
    ++locks_;
    Mark_Dirty(r);
    return DD_OK;
}

HRESULT IDirectDrawSurface::Unlock(void*) {
    if (locks_ == 0) return DDERR_NOTLOCKED;
    --locks_;
    return DD_OK;
}

HRESULT IDirectDrawSurface::GetSurfaceDesc(DDSURFACEDESC* desc) const {
    if (desc == nullptr) return DDERR_INVALIDPARAMS;
    *desc = DDSURFACEDESC{};
    desc->dwSize = sizeof(DDSURFACEDESC);
    desc->dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH | DDSD_PITCH | DDSD_PIXELFORMAT;
    desc->dwWidth = static_cast<DWORD>(width_);
    desc->dwHeight = static_cast<DWORD>(height_);
    desc->lPitch = pitch_;
    desc->ddsCaps.dwCaps = primary_ ? DDSCAPS_PRIMARYSURFACE : DDSCAPS_OFFSCREENPLAIN;
    if (has_key_) {
        desc->dwFlags |= DDSD_CKSRCBLT;
        desc->ddckCKSrcBlt = key_;
    }
    GetPixelFormat(&desc->ddpfPixelFormat);
    return DD_OK;
}

HRESULT IDirectDrawSurface::GetPixelFormat(DDPIXELFORMAT* format) const {
    if (format == nullptr) return DDERR_INVALIDPARAMS;
    *format = DDPIXELFORMAT{};
    format->dwSize = sizeof(DDPIXELFORMAT);
    format->dwFlags = DDPF_RGB | (bits_ == 8 ? DDPF_PALETTEINDEXED8 : 0);
    format->dwRGBBitCount = static_cast<DWORD>(bits_);
    format->dwRBitMask = masks_[0];
    format->dwGBitMask = masks_[1];
    format->dwBBitMask = masks_[2];
    return DD_OK;
}

HRESULT IDirectDrawSurface::SetColorKey(DWORD flags, const DDCOLORKEY* key) {
    if (!(flags & DDCKEY_SRCBLT)) return DDERR_INVALIDPARAMS;
    has_key_ = key != nullptr;
    key_ = key != nullptr ? *key : DDCOLORKEY{};
    return DD_OK;
}

HRESULT IDirectDrawSurface::GetColorKey(DWORD flags, DDCOLORKEY* key) const {
    if (!(flags & DDCKEY_SRCBLT) || key == nullptr) return DDERR_INVALIDPARAMS;
    if (!has_key_) return DDERR_NOCOLORKEY;
    *key = key_;
    return DD_OK;
}

HRESULT IDirectDrawSurface::SetPalette(IDirectDrawPalette* palette) {
    if (bits_ != 8) return DDERR_NOTPALETTIZED;
    if (palette != nullptr) palette->AddRef();
    if (palette_ != nullptr) palette_->Release();
    palette_ = palette;
    Mark_Dirty({0, 0, width_, height_});
    return DD_OK;
}

HRESULT IDirectDrawSurface::GetPalette(IDirectDrawPalette** palette) const {
    if (palette == nullptr) return DDERR_INVALIDPARAMS;
    if (palette_ == nullptr) return DDERR_NOPALETTEATTACHED;
    palette_->AddRef();
    *palette = palette_;
    return DD_OK;
}

HRESULT IDirectDrawSurface::SetClipper(IDirectDrawClipper* clipper) {
    if (clipper != nullptr) clipper->AddRef();
    if (clipper_ != nullptr) clipper_->Release();
    clipper_ = clipper;
    return DD_OK;
}

HRESULT IDirectDrawSurface::GetDC(HDC* dc) {
    if (dc == nullptr) return DDERR_INVALIDPARAMS;
    *dc = Gdi_Create_Surface_DC(this);
    dcs_.push_back(*dc);
    ++locks_;
    return DD_OK;
}

HRESULT IDirectDrawSurface::ReleaseDC(HDC dc) {
    auto it = std::find(dcs_.begin(), dcs_.end(), dc);
    if (dc == nullptr || it == dcs_.end()) return DDERR_NODC;
    dcs_.erase(it);
    Gdi_Delete_Surface_DC(dc);
    --locks_;
    Mark_Dirty({0, 0, width_, height_});
    return DD_OK;
}

HRESULT IDirectDrawSurface::Restore() { return DD_OK; }

HRESULT IDirectDrawSurface::IsLost() const { return DD_OK; }

void IDirectDrawSurface::Mark_Dirty(const RECT& r) {
    if (!primary_) return;
    RECT cut = Intersect(r, {0, 0, width_, height_});
    if (Rect_Empty(cut)) return;
    if (!dirty_) {
        dirty_rect_ = cut;
        dirty_ = true;
        if (void (*hook)() = display_change_hook.load()) hook();
        return;
    }
    dirty_rect_ = {std::min(dirty_rect_.left, cut.left), std::min(dirty_rect_.top, cut.top),
                   std::max(dirty_rect_.right, cut.right), std::max(dirty_rect_.bottom, cut.bottom)};
}

bool IDirectDrawSurface::Take_Dirty_Rect(RECT& out) {
    if (!dirty_) return false;
    out = dirty_rect_;
    dirty_ = false;
    return true;
}

void IDirectDrawSurface::Read_RGB(const RECT& r, std::uint32_t* out, int stride) const {
    RECT cut = Intersect(r, {0, 0, width_, height_});
    PixelLayout layout = Layout();
    for (LONG y = cut.top; y < cut.bottom; ++y) {
        const std::uint8_t* row = memory_.data() + static_cast<std::size_t>(y) * pitch_;
        std::uint32_t* dest = out + static_cast<std::size_t>(y - r.top) * stride - r.left;
        for (LONG x = cut.left; x < cut.right; ++x) {
            DWORD pixel = bits_ == 8 ? row[x] : reinterpret_cast<const std::uint16_t*>(row)[x];
            COLORREF c = Colour_From_Pixel(layout, pixel);
            dest[x] = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
        }
    }
}

// ---- the DirectDraw object -------------------------------------------------

HRESULT DirectDrawCreate(GUID* guid, IDirectDraw** out, void*) {
    if (out == nullptr || guid != nullptr) return DDERR_INVALIDPARAMS;
    if (display_options.no_directdraw) return DDERR_NODIRECTDRAWHW;
    *out = new IDirectDraw();
    return DD_OK;
}

ULONG IDirectDraw::AddRef() { return ++refs_; }

ULONG IDirectDraw::Release() {
    ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
}

HRESULT IDirectDraw::SetCooperativeLevel(HWND window, DWORD flags) {
    bool exclusive = (flags & DDSCL_EXCLUSIVE) != 0;
    bool fullscreen = (flags & DDSCL_FULLSCREEN) != 0;
    bool normal = (flags & DDSCL_NORMAL) != 0;
    if (flags == 0 || exclusive != fullscreen || (normal && exclusive)) return DDERR_INVALIDPARAMS;
    if (exclusive && window == nullptr) return DDERR_INVALIDPARAMS;
    if (exclusive && display_options.exclusive_taken) return DDERR_EXCLUSIVEMODEALREADYSET;
    level_ = flags;
    return DD_OK;
}

HRESULT IDirectDraw::SetDisplayMode(DWORD width, DWORD height, DWORD bits) {
    if (!(level_ & DDSCL_EXCLUSIVE)) return DDERR_NOEXCLUSIVEMODE;
    if (width != 640 || height != 480 || (bits != 8 && bits != 16) || display_options.mode_refused)
        return DDERR_INVALIDMODE;
    display_mode = {width, height, bits};
    return DD_OK;
}

HRESULT IDirectDraw::RestoreDisplayMode() {
    display_mode = DESKTOP_MODE;
    return DD_OK;
}

HRESULT IDirectDraw::GetDisplayMode(DDSURFACEDESC* desc) const {
    if (desc == nullptr) return DDERR_INVALIDPARAMS;
    *desc = DDSURFACEDESC{};
    desc->dwSize = sizeof(DDSURFACEDESC);
    desc->dwFlags = DDSD_HEIGHT | DDSD_WIDTH | DDSD_PIXELFORMAT;
    desc->dwWidth = display_mode.width;
    desc->dwHeight = display_mode.height;
    desc->ddpfPixelFormat.dwSize = sizeof(DDPIXELFORMAT);
    desc->ddpfPixelFormat.dwRGBBitCount = display_mode.bits;
    if (display_mode.bits == 8) {
        desc->ddpfPixelFormat.dwFlags = DDPF_RGB | DDPF_PALETTEINDEXED8;
    } else {
        desc->ddpfPixelFormat.dwFlags = DDPF_RGB;
        desc->ddpfPixelFormat.dwRBitMask = Display_Masks()[0];
        desc->ddpfPixelFormat.dwGBitMask = Display_Masks()[1];
        desc->ddpfPixelFormat.dwBBitMask = Display_Masks()[2];
    }
    return DD_OK;
}

HRESULT IDirectDraw::CreateSurface(const DDSURFACEDESC* desc, IDirectDrawSurface** surface, void*) {
    if (desc == nullptr || surface == nullptr || !(desc->dwFlags & DDSD_CAPS)) return DDERR_INVALIDPARAMS;
    *surface = nullptr;
    if (level_ == 0) return DDERR_NOCOOPERATIVELEVELSET;
    static constexpr DWORD NO_MASKS[3] = {0, 0, 0};
    const int mode_bits = static_cast<int>(display_mode.bits);
    const DWORD* mode_masks = mode_bits == 8 ? NO_MASKS : Display_Masks();

    if (desc->ddsCaps.dwCaps & DDSCAPS_PRIMARYSURFACE) {
        if (desc->dwFlags & (DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT)) return DDERR_INVALIDPARAMS;
        if (display_options.unsupported_mode) return DDERR_UNSUPPORTEDMODE;
        if (primary_surface != nullptr) return DDERR_PRIMARYSURFACEALREADYEXISTS;
        *surface = new IDirectDrawSurface(static_cast<int>(display_mode.width), static_cast<int>(display_mode.height),
                                          mode_bits, mode_masks, true);
        return DD_OK;
    }

    if ((desc->dwFlags & (DDSD_WIDTH | DDSD_HEIGHT)) != (DDSD_WIDTH | DDSD_HEIGHT)) return DDERR_INVALIDPARAMS;
    if (desc->dwWidth == 0 || desc->dwHeight == 0) return DDERR_INVALIDPARAMS;
    if (desc->dwWidth > MAX_SURFACE_SIDE || desc->dwHeight > MAX_SURFACE_SIDE) return DDERR_TOOBIGSIZE;
    if (display_options.offscreen_left == 0) return DDERR_OUTOFVIDEOMEMORY;
    int bits = mode_bits;
    const DWORD* masks = mode_masks;
    DWORD given_masks[3];
    if (desc->dwFlags & DDSD_PIXELFORMAT) {
        const DDPIXELFORMAT& pf = desc->ddpfPixelFormat;
        if (pf.dwFlags & DDPF_PALETTEINDEXED8) {
            bits = 8;
            masks = NO_MASKS;
        } else if ((pf.dwFlags & DDPF_RGB) && pf.dwRGBBitCount == 16 && pf.dwRBitMask != 0 && pf.dwGBitMask != 0 &&
                   pf.dwBBitMask != 0) {
            bits = 16;
            given_masks[0] = pf.dwRBitMask;
            given_masks[1] = pf.dwGBitMask;
            given_masks[2] = pf.dwBBitMask;
            masks = given_masks;
        } else {
            return DDERR_INVALIDPIXELFORMAT;
        }
    }
    if (display_options.offscreen_left > 0) --display_options.offscreen_left;
    *surface =
        new IDirectDrawSurface(static_cast<int>(desc->dwWidth), static_cast<int>(desc->dwHeight), bits, masks, false);
    return DD_OK;
}

HRESULT IDirectDraw::CreatePalette(DWORD flags, const PALETTEENTRY* entries, IDirectDrawPalette** palette, void*) {
    if (palette == nullptr || entries == nullptr || !(flags & DDPCAPS_8BIT)) return DDERR_INVALIDPARAMS;
    auto* made = new IDirectDrawPalette();
    std::copy(entries, entries + 256, made->entries_);
    *palette = made;
    return DD_OK;
}

HRESULT IDirectDraw::CreateClipper(DWORD, IDirectDrawClipper** clipper, void*) {
    if (clipper == nullptr) return DDERR_INVALIDPARAMS;
    *clipper = new IDirectDrawClipper();
    return DD_OK;
}

HRESULT IDirectDraw::WaitForVerticalBlank(DWORD flags, HANDLE) {
    if (flags != DDWAITVB_BLOCKBEGIN && flags != DDWAITVB_BLOCKEND) return DDERR_UNSUPPORTED;
    Window_Backend().Wait_Vertical_Blank();
    return DD_OK;
}
