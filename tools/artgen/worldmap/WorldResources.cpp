#include "tools/artgen/worldmap/WorldResources.h"

#include <cstdio>

#include "tools/artgen/worldmap/WorldPalette.h"
#include "tools/artgen/worldmap/WorldPictures.h"
#include "tools/artgen/worldmap/WorldTerrain.h"
#include "tools/writers/BmpWriter.h"
#include "tools/writers/CurWriter.h"

namespace art::worldmap {

namespace {

constexpr uint16_t CURSOR_TYPE = 1, BITMAP_TYPE = 2;
constexpr size_t BYTES_PER_LINE = 40;

std::array<::Rgb, 256> Writer_Palette() {
    std::array<::Rgb, 256> out{};
    const Palette& p = World_Palette();
    for (int i = 0; i < 256; ++i) out[i] = {p[i].r, p[i].g, p[i].b};
    return out;
}

Resource Bitmap(const std::string& name, const IndexedImage& img) {
    Bmp8 bmp;
    bmp.width = img.width;
    bmp.height = img.height;
    bmp.pixels = img.pixels;
    bmp.palette = Writer_Palette();
    return {BITMAP_TYPE, "", name, Encode_Bmp8(bmp)};
}

Resource Cursor_Resource(const std::string& name, const Cursor& c) {
    CurPicture cur;
    cur.width = c.image.width;
    cur.height = c.image.height;
    cur.hot_x = c.hot_x;
    cur.hot_y = c.hot_y;
    cur.pixels = c.image.pixels;
    cur.palette = Writer_Palette();
    cur.transparent = TRANSPARENT_INDEX;
    return {CURSOR_TYPE, "", name, Encode_Cur(cur, 8)};
}

void Put_Literal_Byte(std::string& out, uint8_t b) {
    if (b >= 0x20 && b < 0x7F && b != '"' && b != '\\' && b != '?') {
        out += static_cast<char>(b);
        return;
    }
    char octal[5];
    std::snprintf(octal, sizeof octal, "\\%03o", b);
    out += octal;
}

}  // namespace

std::vector<Resource> World_Map_Resources() {
    const Terrain& terrain = World_Terrain();
    IndexedImage hmap(CELLS, CELLS, 0);
    hmap.pixels = terrain.cells;
    const std::array<uint8_t, 768> pal = Palette_Bytes();
    return {
        Bitmap("CMAP", Map_Picture()),
        Bitmap("HMAP", hmap),
        Bitmap("KERET", Frame_Picture()),
        Bitmap("PLAYER", Marker_Picture()),
        Bitmap("LANG", Flame_Picture()),
        {0, "Palette", "PAL", std::vector<uint8_t>(pal.begin(), pal.end())},
        Cursor_Resource("CURSOR", Normal_Cursor()),
        Cursor_Resource("URES", Wait_Cursor()),
    };
}

std::string Resource_Source(const std::vector<Resource>& resources) {
    std::string out =
        "// Written by worldmap-artgen: the world map program's resources.\n"
        "#include <iterator>\n\n"
        "#include \"platform/Resources.h\"\n"
        "#include \"worldmap/WorldMapResources.h\"\n\n"
        "namespace {\n\n";
    for (size_t i = 0; i < resources.size(); ++i) {
        out += "// " + resources[i].name + "\nconst char resource_" + std::to_string(i) + "[] =";
        const std::vector<uint8_t>& bytes = resources[i].bytes;
        if (bytes.empty()) out += "\n    \"\"";
        for (size_t at = 0; at < bytes.size(); at += BYTES_PER_LINE) {
            out += "\n    \"";
            for (size_t j = at; j < bytes.size() && j < at + BYTES_PER_LINE; ++j) Put_Literal_Byte(out, bytes[j]);
            out += "\"";
        }
        out += ";\n\n";
    }
    out += "const resource_entry world_map_resources[] = {\n";
    for (size_t i = 0; i < resources.size(); ++i) {
        const Resource& r = resources[i];
        const std::string type = r.type_id != 0 ? "nullptr" : "\"" + r.type_name + "\"";
        out += "    {" + std::to_string(r.type_id) + ", " + type + ", \"" + r.name + "\", resource_" +
               std::to_string(i) + ", sizeof resource_" + std::to_string(i) + " - 1},\n";
    }
    out +=
        "};\n\n"
        "}  // namespace\n\n"
        "void Register_World_Map_Resources() { Register_Resources(world_map_resources, "
        "std::size(world_map_resources)); }\n";
    return out;
}

}  // namespace art::worldmap
