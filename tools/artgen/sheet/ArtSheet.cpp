// artsheet OUT.png: draws contact sheets of every sprite and page of the
// default artwork: OUT.png (map artwork, system sprites, items), and beside it
// OUT-figures.png (bodies, corpses, heads), OUT-pages.png (the screens and
// their sprites) and OUT-scene.png (a small map drawn the way the map view
// draws it).

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "tools/artgen/Artwork.h"
#include "tools/artgen/PixelFont.h"
#include "tools/artgen/sheet/PngFile.h"
#include "tools/artgen/sheet/Scene.h"

namespace art {
namespace {

const Rgb BACKGROUND{34, 34, 42};
const Rgb CHECKER[2] = {{70, 70, 82}, {86, 86, 100}};
const Rgb BORDER{150, 150, 170};
const Rgb HOT_TICK{255, 70, 70};
const Rgb LABEL{230, 230, 210};
const Rgb HEADING{255, 210, 90};
constexpr int SHEET_WIDTH = 1400;
constexpr int FIGURE_SHEET_WIDTH = 1800;
constexpr int GAP = 10;

struct Block {
    int w = 0, h = 0;
    bool full_row = false;
    std::function<void(RgbImage&, int, int)> draw;
};

void Text(RgbImage& out, int x, int y, const std::string& s, Rgb c, int scale = 1) {
    IndexedImage tmp(Text_Width(s, scale) + 1, GLYPH_HEIGHT * scale, 0);
    Draw_Text(tmp, 0, 0, s, 1, scale);
    for (int ty = 0; ty < tmp.height; ++ty)
        for (int tx = 0; tx < tmp.width; ++tx)
            if (tmp.At(tx, ty)) out.Set(x + tx, y + ty, c);
}

// A picture at (x, y) with the key shown as a checker pattern.
void Picture(RgbImage& out, const Palette& pal, const IndexedImage& img, int x, int y) {
    for (int py = 0; py < img.height; ++py)
        for (int px = 0; px < img.width; ++px) {
            uint8_t v = img.At(px, py);
            out.Set(x + px, y + py, v == KEY ? CHECKER[((px >> 2) + (py >> 2)) & 1] : pal[v]);
        }
}

void Box_Around(RgbImage& out, int x, int y, int w, int h, int hot_x, int hot_y) {
    for (int i = -1; i <= w; ++i) out.Set(x + i, y - 1, BORDER), out.Set(x + i, y + h, BORDER);
    for (int i = -1; i <= h; ++i) out.Set(x - 1, y + i, BORDER), out.Set(x + w, y + i, BORDER);
    if (hot_x >= 0 && hot_x <= w)
        for (int k = 1; k <= 3; ++k) out.Set(x + hot_x, y - k, HOT_TICK), out.Set(x + hot_x, y + h + k - 1, HOT_TICK);
    if (hot_y >= 0 && hot_y <= h)
        for (int k = 1; k <= 3; ++k) out.Set(x - k, y + hot_y, HOT_TICK), out.Set(x + w + k - 1, y + hot_y, HOT_TICK);
}

std::string Short_Name(const std::string& path) {
    std::string s = path;
    const std::string prefix = "ARTWORK\\";
    if (s.compare(0, prefix.size(), prefix) == 0) s = s.substr(prefix.size());
    return s;
}

Block Heading(const std::string& title) {
    Block b;
    b.full_row = true;
    b.h = 24;
    b.draw = [title](RgbImage& out, int x, int y) { Text(out, x, y + 6, title, HEADING, 2); };
    return b;
}

// Frames in rows of at most `per_row`, each with its box and hot-spot ticks.
Block Frames_Block(const Palette& pal, const std::string& label, const std::vector<IndexedImage>& frames,
                   const std::vector<std::pair<int, int>>& hots, int per_row, bool numbers,
                   const std::vector<int>& frame_numbers = {}, int width = SHEET_WIDTH) {
    int fw = 0, fh = 0;
    for (const IndexedImage& f : frames) fw = std::max(fw, f.width), fh = std::max(fh, f.height);
    int n = static_cast<int>(frames.size());
    int cell_w = std::max(fw + 3, numbers ? 20 : 0), cell_h = fh + 3;
    per_row = std::max(1, std::min({per_row, n, (width - 20) / cell_w}));
    int rows = (n + per_row - 1) / per_row;
    Block b;
    b.w = std::max(per_row * cell_w, Text_Width(label) + 2);
    b.h = 12 + rows * cell_h + (numbers ? 9 : 0);
    b.draw = [=, &pal](RgbImage& out, int x, int y) {
        Text(out, x, y, label, LABEL);
        // Frame numbers under the last row, counted along a row.
        for (int i = 0; i < n; ++i) {
            int cx = x + 1 + (i % per_row) * cell_w, cy = y + 13 + (i / per_row) * cell_h;
            const IndexedImage& f = frames[i];
            Picture(out, pal, f, cx, cy);
            Box_Around(out, cx, cy, f.width, f.height, hots[i].first, hots[i].second);
        }
        if (numbers)
            for (int i = 0; i < std::min(n, per_row); ++i) {
                int k = (rows - 1) * per_row + i;
                int number = k < n ? (frame_numbers.empty() ? k : frame_numbers[k]) : i;
                if (rows > 1 && k >= n) continue;
                Text(out, x + 1 + i * cell_w, y + 13 + rows * cell_h, std::to_string(rows > 1 ? i : number), BORDER);
            }
    };
    return b;
}

Block Bitmap_Block(const Palette& pal, const BitmapSprite& s, int per_row = 1000) {
    std::vector<IndexedImage> frames;
    std::vector<std::pair<int, int>> hots;
    for (int i = 0; i < s.frames; ++i) frames.push_back(s.Frame(i)), hots.push_back({s.hot_x, s.hot_y});
    std::string label = Short_Name(s.path) + "  " + std::to_string(s.frames) + "X " + std::to_string(s.Frame_Width()) +
                        "X" + std::to_string(s.image.height) + " HOT " + std::to_string(s.hot_x) + "," +
                        std::to_string(s.hot_y) + " L" + std::to_string(s.layer);
    return Frames_Block(pal, label, frames, hots, per_row, s.frames > 3);
}

// A run-length sprite: each frame placed in the header box at its offsets;
// with `only_used`, empty frames are left out.
Block Dys_Block(const Palette& pal, const DysSprite& s, int per_row, bool only_used, bool own_boxes,
                int width = SHEET_WIDTH) {
    std::vector<IndexedImage> frames;
    std::vector<std::pair<int, int>> hots;
    std::vector<int> numbers;
    for (size_t i = 0; i < s.frames.size(); ++i) {
        const DysFrame& f = s.frames[i];
        if (only_used && f.image.width == 0) continue;
        if (own_boxes) {
            frames.push_back(f.image);
            hots.push_back({-f.dx, -f.dy});
        } else {
            IndexedImage box(s.width, s.height, KEY);
            Blit(box, f.image, s.hot_x + f.dx, s.hot_y + f.dy, KEY);
            frames.push_back(box);
            hots.push_back({s.hot_x, s.hot_y});
        }
        numbers.push_back(static_cast<int>(i));
    }
    std::string label = Short_Name(s.path) + "  DYS " + std::to_string(s.frames.size()) + " FRAMES BOX " +
                        std::to_string(s.width) + "X" + std::to_string(s.height) + " HOT " + std::to_string(s.hot_x) +
                        "," + std::to_string(s.hot_y);
    return Frames_Block(pal, label, frames, hots, per_row, true, numbers, width);
}

Block Page_Block(const Palette& pal, const Page& p) {
    Block b;
    b.w = p.image.width;
    b.h = p.image.height + 13;
    b.draw = [&pal, &p](RgbImage& out, int x, int y) {
        Text(out, x, y,
             Short_Name(p.path) + "  " + std::to_string(p.image.width) + "X" + std::to_string(p.image.height), LABEL);
        Picture(out, pal, p.image, x, y + 12);
    };
    return b;
}

bool Write_Sheet(const std::string& path, const std::vector<Block>& blocks, int width = SHEET_WIDTH) {
    struct Placed {
        int x, y;
    };
    std::vector<Placed> at;
    int x = GAP, y = GAP, row_h = 0;
    for (const Block& b : blocks) {
        if (b.full_row || x + b.w > width - GAP) {
            if (x > GAP) y += row_h + GAP;
            x = GAP;
            row_h = 0;
        }
        at.push_back({x, y});
        row_h = std::max(row_h, b.h);
        x += b.w + 2 * GAP;
        if (b.full_row) {
            y += b.h;
            x = GAP;
            row_h = 0;
        }
    }
    int height = y + row_h + GAP;
    RgbImage out(width, height, BACKGROUND);
    for (size_t i = 0; i < blocks.size(); ++i) blocks[i].draw(out, at[i].x, at[i].y);
    bool ok = Write_Png(path, out);
    if (ok) std::printf("%s: %dx%d\n", path.c_str(), width, height);
    return ok;
}

bool Starts(const std::string& s, const char* prefix) { return s.rfind(prefix, 0) == 0; }

}  // namespace
}  // namespace art

int main(int argc, char** argv) {
    using namespace art;
    if (argc != 2) {
        std::fprintf(stderr, "usage: artsheet OUT.png\n");
        return 2;
    }
    std::string out = argv[1];
    std::string stem = out.size() > 4 && out.substr(out.size() - 4) == ".png" ? out.substr(0, out.size() - 4) : out;
    const Artwork a = Make_Artwork();
    const Palette& pal = a.palette;

    std::vector<Block> main_blocks, figure_blocks, page_blocks;
    main_blocks.push_back(Heading("MAP ARTWORK, SYSTEM SPRITES, ITEMS"));
    for (const BitmapSprite& s : a.bitmaps) {
        if (Starts(s.path, "ARTWORK\\HEADS") || Starts(s.path, "ARTWORK\\ITEMS\\HULLAK"))
            figure_blocks.push_back(Bitmap_Block(pal, s, 12));
        else if (Starts(s.path, "ARTWORK\\PAGES"))
            page_blocks.push_back(Bitmap_Block(pal, s, 24));
        else
            main_blocks.push_back(Bitmap_Block(pal, s, s.frames > 24 ? 16 : 1000));
    }
    for (const DysSprite& s : a.dys) {
        if (Starts(s.path, "ARTWORK\\CHARS")) {
            // A facing group per row, or two rows for a group of 32 frames.
            int group = static_cast<int>(s.frames.size()) / 6;
            figure_blocks.push_back(
                Dys_Block(pal, s, group > 17 ? group / 2 : group, false, false, FIGURE_SHEET_WIDTH));
        } else if (Starts(s.path, "ARTWORK\\ITEMS")) {
            main_blocks.push_back(Heading(Short_Name(s.path)));
            main_blocks.push_back(Dys_Block(pal, s, 40, true, true));
        } else {
            main_blocks.push_back(Dys_Block(pal, s, 1000, false, false));
        }
    }
    for (const CursorPicture& c : a.cursors)
        main_blocks.push_back(Frames_Block(pal, c.path, {c.image}, {{c.hot_x, c.hot_y}}, 1, false));
    for (const Page& p : a.pages) page_blocks.push_back(Page_Block(pal, p));
    bool ok = Write_Sheet(out, main_blocks);
    if (!figure_blocks.empty()) ok = Write_Sheet(stem + "-figures.png", figure_blocks, FIGURE_SHEET_WIDTH) && ok;
    if (!page_blocks.empty()) ok = Write_Sheet(stem + "-pages.png", page_blocks, 1320) && ok;
    RgbImage scene = Draw_Scene(a);
    ok = Write_Png(stem + "-scene.png", scene) && ok;
    return ok ? 0 : 1;
}
