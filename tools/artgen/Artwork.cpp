#include "tools/artgen/Artwork.h"

#include <algorithm>

#include "tools/artgen/Figures.h"
#include "tools/artgen/Heads.h"
#include "tools/artgen/Items.h"
#include "tools/artgen/Pages.h"
#include "tools/artgen/SystemSprites.h"
#include "tools/artgen/Terrain.h"

namespace art {

IndexedImage BitmapSprite::Frame(int i) const {
    int w = Frame_Width();
    return Crop(image, i * w, 0, w, image.height, KEY);
}

BitmapSprite Make_Bitmap(std::string path, const std::vector<IndexedImage>& frames, int hot_x, int hot_y, int layer) {
    BitmapSprite s;
    s.path = std::move(path);
    s.image = Join_Frames(frames, KEY);
    s.frames = static_cast<int>(frames.size());
    s.hot_x = hot_x;
    s.hot_y = hot_y;
    s.layer = layer;
    return s;
}

DysSprite Make_Dys(std::string path, std::vector<DysFrame> frames) {
    DysSprite s;
    s.path = std::move(path);
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    bool any = false;
    for (const DysFrame& f : frames) {
        if (f.image.width == 0 || f.image.height == 0) continue;
        if (!any) x0 = f.dx, y0 = f.dy, x1 = f.dx + f.image.width, y1 = f.dy + f.image.height, any = true;
        x0 = std::min(x0, f.dx);
        y0 = std::min(y0, f.dy);
        x1 = std::max(x1, f.dx + f.image.width);
        y1 = std::max(y1, f.dy + f.image.height);
    }
    s.frames = std::move(frames);
    s.width = x1 - x0;
    s.height = y1 - y0;
    s.hot_x = -x0;
    s.hot_y = -y0;
    return s;
}

Artwork Make_Artwork() {
    Artwork a;
    a.palette = Game_Palette();
    a.colour_remap = Colour_Remap();
    a.shade_remaps = Shade_Remaps();
    for (BitmapSprite& s : Terrain_Sprites()) a.bitmaps.push_back(std::move(s));
    for (BitmapSprite& s : System_Bitmaps()) a.bitmaps.push_back(std::move(s));
    a.bitmaps.push_back(Corpse_Sprite());
    for (BitmapSprite& s : Head_Sprites()) a.bitmaps.push_back(std::move(s));
    for (BitmapSprite& s : Page_Sprites()) a.bitmaps.push_back(std::move(s));
    a.pages = Page_Pictures();
    a.cursors = Cursor_Pictures();
    for (DysSprite& s : System_Dys()) a.dys.push_back(std::move(s));
    for (DysSprite& s : Body_Sprites()) a.dys.push_back(std::move(s));
    for (DysSprite& s : Item_Sprites()) a.dys.push_back(std::move(s));
    return a;
}

}  // namespace art
