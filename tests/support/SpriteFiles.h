// A working folder of small sprite files for the sprite loaders: run-length
// (DYS) files and bitmaps with their "FIX" block, written where the game
// names them, with DirectDraw open so that bitmap sprites get a surface.
#pragma once
#include <filesystem>
#include <string>

namespace fixture {

class SpriteFolder {
  public:
    SpriteFolder();
    ~SpriteFolder();
    SpriteFolder(const SpriteFolder&) = delete;
    SpriteFolder& operator=(const SpriteFolder&) = delete;

    // name as the game spells it, without the extension
    // ("ARTWORK\\CHARS\\HUMAN"): a DYS file of frames 8 x 8 frames.
    void Add_Dys(const std::string& name, int frames);
    // A bitmap of frames frames of width x 8 pixels with a FIX block.
    void Add_Bitmap(const std::string& name, int frames, int width, int layer = 0);

    const std::filesystem::path& Root() const { return root_; }

  private:
    std::filesystem::path File(const std::string& name, const char* extension) const;
    std::filesystem::path root_;
};

}  // namespace fixture
