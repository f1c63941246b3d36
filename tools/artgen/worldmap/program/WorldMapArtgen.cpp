// worldmap-artgen --resources OUT.cpp: writes the source of the world map
// program's resource table (its pictures, palette and cursors).
// worldmap-artgen --sheet OUT.png: a contact sheet of those pictures.
// worldmap-artgen DIR: writes the program's sound files "MainMap.mus" and
// "MainMap.sfx" into its working folder DIR.
// The same bytes on every run.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "tools/artgen/worldmap/WorldPalette.h"
#include "tools/artgen/worldmap/WorldPictures.h"
#include "tools/artgen/worldmap/WorldResources.h"
#include "tools/artgen/worldmap/WorldSounds.h"
#include "tools/writers/FileWrite.h"
#include "tools/writers/PngWriter.h"

namespace {

using namespace art::worldmap;

// The pictures side by side on a grey sheet, each under its name.
bool Write_Sheet(const char* path) {
    const art::IndexedImage map = Map_Picture(), frame = Frame_Picture(), marker = Marker_Picture(),
                            flames = Flame_Picture(), cursor = Normal_Cursor().image, wait = Wait_Cursor().image;
    const int width = map.width + frame.width + 30, height = map.height + 20;
    std::vector<::Rgb> pixels(static_cast<size_t>(width) * height, ::Rgb{96, 96, 96});
    const Palette& pal = World_Palette();
    auto put = [&](const art::IndexedImage& img, int left, int top, int scale) {
        for (int y = 0; y < img.height * scale; ++y)
            for (int x = 0; x < img.width * scale; ++x) {
                const art::Rgb c = pal[img.At(x / scale, y / scale)];
                pixels[static_cast<size_t>(top + y) * width + left + x] = {c.r, c.g, c.b};
            }
    };
    put(map, 10, 10, 1);
    const int right = map.width + 20;
    put(frame, right, 10, 1);
    put(marker, right, frame.height + 20, 3);
    put(flames, right + 110, frame.height + 20, 1);
    put(cursor, right + 110, frame.height + 70, 2);
    put(wait, right + 190, frame.height + 70, 2);
    // The palette, 16 x 16 swatches of 12 pixels.
    for (int i = 0; i < 256; ++i)
        for (int y = 0; y < 12; ++y)
            for (int x = 0; x < 12; ++x) {
                const art::Rgb c = pal[i];
                pixels[static_cast<size_t>(frame.height + 150 + (i / 16) * 12 + y) * width + right + 270 +
                       (i % 16) * 12 + x] = {c.r, c.g, c.b};
            }
    return Write_Png(path, width, height, pixels);
}

bool Write_Resources(const char* path) {
    const std::string source = Resource_Source(World_Map_Resources());
    return Write_File_Atomic(path, std::vector<uint8_t>(source.begin(), source.end()));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--resources") == 0) {
        if (Write_Resources(argv[2])) return 0;
    } else if (argc == 3 && std::strcmp(argv[1], "--sheet") == 0) {
        if (Write_Sheet(argv[2])) return 0;
    } else if (argc == 2 && argv[1][0] != '-') {
        std::string error;
        if (Write_Sounds(argv[1], error)) return 0;
        std::fprintf(stderr, "worldmap-artgen: %s\n", error.c_str());
        return 1;
    } else {
        std::fprintf(stderr, "usage: worldmap-artgen --resources OUT.cpp | --sheet OUT.png | DIR\n");
        return 2;
    }
    std::fprintf(stderr, "worldmap-artgen: cannot write %s\n", argv[2]);
    return 1;
}
