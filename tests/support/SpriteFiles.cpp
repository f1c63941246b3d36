#include "support/SpriteFiles.h"

#include <unistd.h>

#include <atomic>
#include <vector>

#include "System/Display.h"
#include "platform/PathResolver.h"
#include "platform/Window.h"
#include "tools/writers/BmpWriter.h"
#include "tools/writers/DysWriter.h"

namespace fixture {

namespace {

constexpr int FRAME_SIDE = 8;
constexpr std::uint8_t INK = 7;
constexpr std::uint8_t KEY = 0;
// Any window will do: DirectDraw only needs one for its cooperative level.
constexpr std::uintptr_t MAIN_WINDOW_HANDLE = 0x1234;

std::filesystem::path Fresh_Folder() {
    static std::atomic<int> counter{0};
    auto root = std::filesystem::temp_directory_path() /
                ("orvex-sprites-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(root);
    std::filesystem::create_directories(root);
    return root;
}

}  // namespace

SpriteFolder::SpriteFolder() : root_(Fresh_Folder()) {
    Set_Working_Folder(root_);
    Set_Main_Window(reinterpret_cast<HWND>(MAIN_WINDOW_HANDLE));
    Init_DirectDraw();
}

SpriteFolder::~SpriteFolder() {
    Release_DirectDraw();
    Set_Main_Window(nullptr);
    Set_Working_Folder({});
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
}

std::filesystem::path SpriteFolder::File(const std::string& name, const char* extension) const {
    std::filesystem::path path = root_ / (Normalize_Game_Path(name) + extension);
    std::filesystem::create_directories(path.parent_path());
    return path;
}

void SpriteFolder::Add_Dys(const std::string& name, int frames) {
    DysImage image;
    image.width = image.height = FRAME_SIDE;
    image.x_origin = image.y_origin = -FRAME_SIDE / 2;
    const std::vector<std::uint8_t> pixels(FRAME_SIDE * FRAME_SIDE, INK);
    for (int i = 0; i < frames; ++i)
        image.frames.push_back({0, 0, Encode_Dys_Runs(FRAME_SIDE, FRAME_SIDE, pixels.data(), KEY)});
    Write_Dys(File(name, ".DYS"), image);
}

void SpriteFolder::Add_Bitmap(const std::string& name, int frames, int width, int layer) {
    Bmp8 picture;
    picture.width = width * frames;
    picture.height = FRAME_SIDE;
    picture.pixels.assign(static_cast<std::size_t>(picture.width) * picture.height, INK);
    for (int i = 0; i < 256; ++i)
        picture.palette[i] = {static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(i)};
    picture.palette[KEY] = {255, 0, 255};
    picture.fix = FixBlock{0, 0, static_cast<std::int16_t>(frames), 1, static_cast<std::int16_t>(layer)};
    Write_Bmp8(File(name, ".BMP"), picture);
}

}  // namespace fixture
