#include "tools/artgen/sheet/Scene.h"

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "tools/artgen/Figures.h"
#include "tools/artgen/Hex.h"
#include "tools/artgen/Terrain.h"

namespace art {
namespace {

struct Thing {
    std::string sprite;  // bitmap path, or DYS path when dys is set
    int frame = 0;
    int height = 0;  // lift for what stands on it
    bool dys = false;
};

struct Field {
    std::string floor;  // empty: no floor
    int frame = 0;
    int elevation = 0;
    int light = 45;
    std::vector<Thing> things;
};

class Map {
  public:
    Map(int w, int h, int levels) : w_(w), h_(h), fields_(static_cast<size_t>(w) * h * levels) {}
    Field& At(int x, int y, int l) { return fields_[static_cast<size_t>(l) * w_ * h_ + y * w_ + x]; }
    int w_, h_;

  private:
    std::vector<Field> fields_;
};

class Drawer {
  public:
    Drawer(const Artwork& a, RgbImage& out) : a_(a), out_(out) {
        for (const BitmapSprite& s : a.bitmaps) bitmaps_[s.path] = &s;
        for (const DysSprite& s : a.dys) dys_[s.path] = &s;
    }

    void Put_Bitmap(const std::string& path, int frame, int x, int y, int light) {
        auto it = bitmaps_.find(path);
        if (it == bitmaps_.end()) return;
        const BitmapSprite& s = *it->second;
        if (frame < 0 || frame >= s.frames) return;
        int fw = s.Frame_Width();
        for (int py = 0; py < s.image.height; ++py)
            for (int px = 0; px < fw; ++px) {
                uint8_t v = s.image.At(frame * fw + px, py);
                if (v != KEY) Plot(x - s.hot_x + px, y - s.hot_y + py, v, light);
            }
    }

    void Put_Dys(const std::string& path, int frame, int x, int y, int light) {
        auto it = dys_.find(path);
        if (it == dys_.end()) return;
        const DysSprite& s = *it->second;
        if (frame < 0 || frame >= static_cast<int>(s.frames.size())) return;
        const DysFrame& f = s.frames[frame];
        for (int py = 0; py < f.image.height; ++py)
            for (int px = 0; px < f.image.width; ++px) {
                uint8_t v = f.image.At(px, py);
                if (v != KEY) Plot(x + f.dx + px, y + f.dy + py, v, light);
            }
    }

    void Draw(Map& m, int levels, int left, int top) {
        std::vector<int> lift(static_cast<size_t>(m.w_) * m.h_ * levels);
        for (int l = 0; l < levels; ++l) {
            int lo = (levels - 1 - l) * LEVEL_STEP;
            for (int pass = 0; pass < 2; ++pass)
                for (int r = 0; r < m.h_; ++r)
                    for (int c = m.w_ - 1; c >= 0; --c) {
                        Field& f = m.At(c, r, l);
                        int x = left + Anchor_X(c, r), y = top + Anchor_Y(r) + lo;
                        int& lf = lift[static_cast<size_t>(l) * m.w_ * m.h_ + r * m.w_ + c];
                        if (pass == 0) {
                            lf = 0;
                            if (f.floor.empty()) continue;
                            lf = f.elevation * ELEVATION_STEP;
                            Put_Bitmap("ARTWORK\\" + f.floor, f.frame, x, y - lf, f.light);
                            continue;
                        }
                        int cur = lf;
                        for (const Thing& t : f.things) {
                            if (t.dys)
                                Put_Dys(t.sprite, t.frame, x, y - cur, f.light);
                            else
                                Put_Bitmap(t.sprite, t.frame, x, y - cur, f.light);
                            cur += t.height;
                        }
                    }
        }
    }

  private:
    void Plot(int x, int y, uint8_t v, int light) {
        Rgb c = a_.palette[v];
        auto f = [light](int ch) { return static_cast<uint8_t>(std::min(255, ch * light * 4 / 180)); };
        out_.Set(x, y, {f(c.r), f(c.g), f(c.b)});
    }

    const Artwork& a_;
    RgbImage& out_;
    std::map<std::string, const BitmapSprite*> bitmaps_;
    std::map<std::string, const DysSprite*> dys_;
};

void Build(Map& m) {
    const char* floors[] = {"GRASS", "EARTH", "STONE", "WATER", "WOOD"};
    for (int r = 0; r < m.h_; ++r)
        for (int c = 0; c < m.w_; ++c) {
            Field& f = m.At(c, r, 0);
            f.floor = "GRASS";
            f.frame = (c * 7 + r * 3) % FLOOR_VARIANTS;
        }
    // A strip of each floor.
    for (int i = 0; i < 5; ++i)
        for (int r = 6; r < 9; ++r) m.At(1 + i * 2, r, 0).floor = floors[i], m.At(2 + i * 2, r, 0).floor = floors[i];
    // A wall with a door and a chest behind it.
    for (int c = 2; c < 10; ++c) m.At(c, 2, 0).things.push_back({"ARTWORK\\WALL", c == 8 ? 1 : 0, WALL_HEIGHT});
    m.At(5, 2, 0).things = {{"ARTWORK\\DOOR", 3, 0}};
    m.At(6, 2, 0).things = {{"ARTWORK\\DOOR", 0, 0}};
    m.At(4, 1, 0).things.push_back({"ARTWORK\\CHEST", 0});
    m.At(6, 1, 0).things.push_back({"ARTWORK\\CHEST", 3});
    m.At(3, 4, 0).things.push_back({"ARTWORK\\HILL", 0, HILL_HEIGHTS[0]});
    m.At(4, 4, 0).things.push_back({"ARTWORK\\HILL", 1, HILL_HEIGHTS[1]});
    m.At(1, 4, 0).things.push_back({"ARTWORK\\Lampa1", 0});
    m.At(8, 4, 0).things.push_back({"ARTWORK\\Faklya", 1});
    m.At(10, 4, 0).things.push_back({"ARTWORK\\Gyertyat", 2});
    m.At(11, 5, 0).things.push_back({"ARTWORK\\TELEPORT", 1});
    m.At(0, 2, 0).things.push_back({"ARTWORK\\TREE", 0});
    m.At(1, 1, 0).things.push_back({"ARTWORK\\ROCK", 0});
    m.At(10, 1, 0).things.push_back({"ARTWORK\\BARREL", 0});
    m.At(11, 1, 0).things.push_back({"ARTWORK\\PALISADE", 0, 40});
    m.At(12, 1, 0).things.push_back({"ARTWORK\\PALISADE", 0, 40});
    m.At(11, 2, 0).things.push_back({"ARTWORK\\STEPS", 5, 0});
    // Raised fields and slopes.
    for (int s = 1; s < 4; ++s) {
        Field& f = m.At(6 + s, 5, 0);
        f.elevation = s;
        f.floor = "GRASSR";
        f.frame = s - 1;
    }
    m.At(12, 6, 0).floor = "GRASSH";
    m.At(12, 6, 0).frame = 4;
    m.At(13, 6, 0).floor = "GRASSH";
    m.At(13, 6, 0).frame = 13;
    // Figures and things lying about.
    auto body = [&m](int c, int r, const char* name, int facing, int frame) {
        int group = PERSON_GROUP_FRAMES;
        for (const BodyKind& k : Body_Kinds())
            if (std::string(k.name) == name) group = k.group_frames;
        m.At(c, r, 0).things.push_back({std::string("ARTWORK\\CHARS\\") + name, frame + (facing - 1) * group, 0, true});
    };
    body(2, 5, "WARRIOR", 3, 0);
    body(3, 5, "RANGER", 2, 6);
    body(4, 3, "MAGE", 3, 14);
    body(3, 4, "DWARF", 4, 0);
    body(5, 4, "THIEF", 1, 5);
    body(7, 3, "SKELETON", 3, 13);
    body(8, 3, "ZOMBIE", 4, 7);
    body(9, 3, "TROLL", 3, 0);
    body(10, 5, "WOLF", 4, 5);
    body(11, 4, "BEAR", 3, 0);
    body(12, 3, "SPIDER", 2, 6);
    m.At(5, 5, 0).things.push_back({"ARTWORK\\ITEMS\\MITEMS", 2, 0, true});
    m.At(6, 4, 0).things.push_back({"ARTWORK\\ITEMS\\MITEMS", 32, 0, true});
    m.At(6, 3, 0).things.push_back({"ARTWORK\\ITEMS\\HULLAK", 0});
    m.At(1, 3, 0).things.push_back({"ARTWORK\\ANIM\\BLPOOL", 6});
}

}  // namespace

RgbImage Draw_Scene(const Artwork& a) {
    // The same map twice: in plain light (45) and in the default light of a
    // map without lamps (26).
    RgbImage out(700, 840, {0, 0, 0});
    Drawer d(a, out);
    for (int i = 0; i < 2; ++i) {
        Map m(14, 10, 1);
        Build(m);
        if (i == 1)
            for (int r = 0; r < m.h_; ++r)
                for (int c = 0; c < m.w_; ++c) m.At(c, r, 0).light = 26;
        d.Draw(m, 1, 30, 60 + i * 420);
    }
    return out;
}

}  // namespace art
