#include <algorithm>

#include "System/ClipRect.h"
#include "System/Display.h"
#include "System/Dys.h"
#include "System/Palette.h"
#include "System/SurfaceLock.h"

void Draw_DYS_Frame(int x, int y, const std::uint8_t* data, std::size_t length, int remap, int light) {
    if (remap < -1 || remap > DYS_LARGEST_REMAP) return;
    if (!lock_state.locked || lock_state.pixels == nullptr || data == nullptr) return;
    if (lock_state.desc.ddpfPixelFormat.dwRGBBitCount != 16) return;
    const std::uint8_t* table = remap >= 0 && remap < REMAP_TABLE_COUNT ? remap_tables[remap].data() : nullptr;
    const std::uint16_t* shade = shade_table[std::clamp(light, 0, LIGHT_LEVELS - 1)];
    const long pitch = lock_state.desc.lPitch / 2;
    const RECT clip{std::max<LONG>(clip_rect.left, 0), std::max<LONG>(clip_rect.top, 0),
                    std::min<LONG>(clip_rect.right, static_cast<LONG>(lock_state.desc.dwWidth)),
                    std::min<LONG>(clip_rect.bottom, static_cast<LONG>(lock_state.desc.dwHeight))};

    std::size_t i = 0;
    for (int row = y; i < length && data[i] != DYS_FRAME_END; ++row) {
        if (row >= clip.bottom) return;  // this row and the rest lie below the clip
        const bool visible = row >= clip.top && clip.left < clip.right;
        bool row_done = !visible;
        int pen = x;
        for (;;) {
            if (i >= length) return;
            int skip = data[i++];
            if (skip == DYS_ROW_END) break;
            if (i >= length) return;
            std::size_t count = data[i++];
            if (count > length - i) return;
            const std::uint8_t* run = data + i;
            i += count;
            if (row_done) continue;
            const int start = pen + skip;
            const int end = start + static_cast<int>(count);
            pen = end;
            if (end <= clip.left) continue;
            if (start >= clip.right) {
                row_done = true;
                continue;
            }
            const int from = std::max<int>(start, clip.left);
            const int to = std::min<int>(end, clip.right);
            std::uint16_t* dest = lock_state.pixels + row * pitch;
            if (table != nullptr) {
                for (int p = from; p < to; ++p) dest[p] = shade[table[run[p - start]]];
            } else {
                for (int p = from; p < to; ++p) dest[p] = shade[run[p - start]];
            }
            if (end > clip.right) row_done = true;
        }
    }
}
