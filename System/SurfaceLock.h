// Locking surfaces for drawing pixel by pixel. The run-length blitter draws
// into the one surface that Lock_Surface keeps locked, so a caller that draws
// many run-length frames locks its destination once.
#pragma once
#include <cstdint>

#include "platform/DDraw.h"

struct surface_lock_state {
    DDSURFACEDESC desc;
    std::uint16_t* pixels;  // the locked surface's first row
    int locked;
    LPDIRECTDRAWSURFACE surface;
};
extern surface_lock_state lock_state;

// When nothing is locked: locks the whole surface and keeps its pixels.
void Lock_Surface(LPDIRECTDRAWSURFACE surface);
// When something is locked: unlocks it.
void Unlock_Surface(LPDIRECTDRAWSURFACE surface);

// Locks a whole surface for one drawing: its pixels (null on failure), desc filled.
void* Lock_Sprite_Surface(LPDIRECTDRAWSURFACE surface, DDSURFACEDESC* desc);
void Unlock_Sprite_Surface(LPDIRECTDRAWSURFACE surface, void* pixels);

// Forgets the lock state without unlocking (a new game starts from nothing locked).
void Reset_Lock_State();
