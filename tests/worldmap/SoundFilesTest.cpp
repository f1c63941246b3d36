// The generated sound files: the music longer than its loop point, its
// looping part following on from its own end exactly as the piece played
// on would; the steps of their size, continuing smoothly across their seam.
#include <gtest/gtest.h>

#include <cstdlib>

#include "tools/artgen/worldmap/WorldSounds.h"

namespace {

namespace wm = art::worldmap;

TEST(SoundFiles, TheMusicLoopsSeamlesslyFromItsEndToTheLoopPoint) {
    const std::vector<std::int16_t> once = wm::Music_Samples();
    ASSERT_GT(once.size() * 2, static_cast<std::size_t>(wm::MUSIC_LOOP_BYTE) + 44100 * 4);
    EXPECT_EQ(once.size() % 2, 0u) << "whole stereo frames";
    // The piece with its looping part twice over is the file, then the file
    // from the loop point again.
    const std::vector<std::int16_t> twice = wm::Music_Samples(2);
    const std::size_t loop = static_cast<std::size_t>(wm::MUSIC_LOOP_BYTE) / 2;
    ASSERT_EQ(twice.size(), once.size() + (once.size() - loop));
    EXPECT_TRUE(std::equal(once.begin(), once.end(), twice.begin()));
    EXPECT_TRUE(
        std::equal(once.begin() + static_cast<long>(loop), once.end(), twice.begin() + static_cast<long>(once.size())));
    int peak = 0;
    for (std::int16_t s : once) peak = std::max(peak, std::abs(static_cast<int>(s)));
    EXPECT_GT(peak, 8000);
    EXPECT_LT(peak, 32767) << "never clipped";
}

TEST(SoundFiles, TheStepsLoopSmoothly) {
    const std::vector<std::int16_t> steps = wm::Step_Samples();
    ASSERT_EQ(steps.size() * 2, static_cast<std::size_t>(wm::STEP_BYTES));
    const std::vector<std::uint8_t> file = wm::Sound_File_Bytes(steps);
    EXPECT_EQ(file.size(), static_cast<std::size_t>(wm::STEP_BYTES));
    // The largest jump between neighbours, the seam's included, is no larger
    // than inside the sound.
    int inside = 0;
    for (std::size_t i = 1; i < steps.size(); ++i) inside = std::max(inside, std::abs(steps[i] - steps[i - 1]));
    EXPECT_LE(std::abs(steps.front() - steps.back()), inside / 4);
    EXPECT_GT(inside, 500) << "they sound";
}

}  // namespace
