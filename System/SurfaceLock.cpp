#include "System/SurfaceLock.h"

#include "System/ErrorReport.h"

surface_lock_state lock_state{};

void Lock_Surface(LPDIRECTDRAWSURFACE surface) {
    if (lock_state.locked || surface == nullptr) return;
    lock_state.desc = DDSURFACEDESC{};
    lock_state.desc.dwSize = sizeof(DDSURFACEDESC);
    if (DD_Error("Lock surface", surface->Lock(nullptr, &lock_state.desc, DDLOCK_WAIT, nullptr)) != DD_OK) return;
    lock_state.pixels = static_cast<std::uint16_t*>(lock_state.desc.lpSurface);
    lock_state.surface = surface;
    lock_state.locked = 1;
}

void Unlock_Surface(LPDIRECTDRAWSURFACE) {
    if (!lock_state.locked) return;
    // The surface that was locked is the one unlocked.
    DD_Error("Unlock surface", lock_state.surface->Unlock(lock_state.pixels));
    Reset_Lock_State();
}

void* Lock_Sprite_Surface(LPDIRECTDRAWSURFACE surface, DDSURFACEDESC* desc) {
    if (surface == nullptr) return nullptr;
    *desc = DDSURFACEDESC{};
    desc->dwSize = sizeof(DDSURFACEDESC);
    surface->GetSurfaceDesc(desc);
    if (DD_Error("Lock surface", surface->Lock(nullptr, desc, DDLOCK_WAIT, nullptr)) != DD_OK) return nullptr;
    return desc->lpSurface;
}

void Unlock_Sprite_Surface(LPDIRECTDRAWSURFACE surface, void* pixels) {
    if (surface != nullptr && pixels != nullptr) DD_Error("Unlock surface", surface->Unlock(pixels));
}

void Reset_Lock_State() { lock_state = surface_lock_state{}; }
