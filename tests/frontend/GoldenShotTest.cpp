// The hexamap screen on "start.map" of the default artwork, shot by the
// headless runner after the first tick, equals the picture kept in
// tests/frontend/golden/start-map.png pixel for pixel.
//
// The picture changes only on purpose: after a change of the artwork, the
// start map or the drawing that is meant to show, write it again with
//
//     ORVEX_UPDATE_GOLDEN=1 build/bin/test_frontend --gtest_filter='GoldenShot.*'
//
// and look at the new picture before committing it.
#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/PngRead.h"
#include "tests/frontend/GeneratedFolder.h"
#include "tests/frontend/RunnerFixture.h"

namespace {

namespace fs = std::filesystem;

using GoldenShot = RunnerTest;

// The first tick draws the map; the seed makes the characters' first
// decisions the same on every run; the mouse rests in the middle of the
// screen, where the start-up puts it.
constexpr const char* SCRIPT = "seed 1\ntick 1\nshot start-map\n";

TEST_F(GoldenShot, StartMapOfTheDefaultArtworkAfterTheFirstTick) {
    const run_result r = Run(Generated_Folder(), SCRIPT);
    ASSERT_EQ(r.status, 0) << r.out << r.err;
    const fs::path shot = dir / "shots" / "start-map.png";
    const fs::path golden = fs::path(ORVEX_GOLDEN_DIR) / "start-map.png";
    if (std::getenv("ORVEX_UPDATE_GOLDEN") != nullptr) {
        fs::create_directories(golden.parent_path());
        fs::copy_file(shot, golden, fs::copy_options::overwrite_existing);
        GTEST_SKIP() << "wrote " << golden;
    }

    fixture::png_picture got, want;
    ASSERT_TRUE(fixture::Read_Png(shot, got));
    ASSERT_TRUE(fixture::Read_Png(golden, want)) << "no golden picture " << golden;
    ASSERT_EQ(got.width, want.width);
    ASSERT_EQ(got.height, want.height);
    int differing = 0, first = -1;
    for (std::size_t i = 0; i < got.rgb.size(); ++i)
        if (got.rgb[i] != want.rgb[i]) {
            if (first < 0) first = static_cast<int>(i);
            ++differing;
        }
    if (differing > 0)
        fs::copy_file(shot, fs::temp_directory_path() / "start-map-differs.png", fs::copy_options::overwrite_existing);
    EXPECT_EQ(differing, 0) << "first at (" << first % got.width << ", " << first / got.width << "); the shot is in "
                            << (fs::temp_directory_path() / "start-map-differs.png");
}

}  // namespace
