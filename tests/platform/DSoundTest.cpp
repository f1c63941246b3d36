// The sound stand-in: buffers locked in one or two parts, played looping or
// once, mixed by the manual driver bit for bit at full volume and scaled by
// 10^(v / 2000) below it; slower mono buffers resampled at their own pitch
// across the loop's seam; and SDL's device, or its absence.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "platform/DSound.h"

namespace {

class Sound : public ::testing::Test {
  protected:
    void SetUp() override {
        Sound_Options().manual = true;
        ASSERT_EQ(DirectSoundCreate(nullptr, &ds, nullptr), DS_OK);
        ASSERT_EQ(ds->SetCooperativeLevel(nullptr, DSSCL_NORMAL), DS_OK);
    }
    void TearDown() override {
        for (LPDIRECTSOUNDBUFFER b : buffers) b->Release();
        if (ds != nullptr) ds->Release();
        Sound_Options() = SoundOptions{};
    }
    LPDIRECTSOUNDBUFFER Make(DWORD bytes, WORD channels, DWORD rate) {
        WAVEFORMATEX f{WAVE_FORMAT_PCM, channels, rate, rate * channels * 2, static_cast<WORD>(channels * 2), 16, 0};
        DSBUFFERDESC desc{sizeof(DSBUFFERDESC), DSBCAPS_CTRLVOLUME, bytes, 0, &f};
        LPDIRECTSOUNDBUFFER b = nullptr;
        EXPECT_EQ(ds->CreateSoundBuffer(&desc, &b, nullptr), DS_OK);
        if (b != nullptr) buffers.push_back(b);
        return b;
    }
    static void Fill(LPDIRECTSOUNDBUFFER b, const std::vector<std::int16_t>& samples) {
        void *p1, *p2;
        DWORD n1, n2;
        ASSERT_EQ(b->Lock(0, static_cast<DWORD>(samples.size() * 2), &p1, &n1, &p2, &n2, 0), DS_OK);
        std::memcpy(p1, samples.data(), n1);
        ASSERT_EQ(b->Unlock(p1, n1, p2, n2), DS_OK);
    }
    static std::vector<std::int16_t> Mix(std::size_t frames) {
        std::vector<std::int16_t> out(frames * 2);
        Mix_Sound_Output(out.data(), frames);
        return out;
    }
    LPDIRECTSOUND ds = nullptr;
    std::vector<LPDIRECTSOUNDBUFFER> buffers;
};

std::vector<std::int16_t> Pattern(std::size_t count, int seed) {
    std::vector<std::int16_t> v(count);
    std::uint32_t x = static_cast<std::uint32_t>(seed);
    for (auto& s : v) {
        x = x * 1103515245u + 12345u;
        s = static_cast<std::int16_t>(x >> 16);
    }
    return v;
}

TEST_F(Sound, LocksInTwoPartsWhereTheRangeWraps) {
    LPDIRECTSOUNDBUFFER b = Make(16, 2, 44100);
    void *p1, *p2;
    DWORD n1, n2;
    ASSERT_EQ(b->Lock(12, 8, &p1, &n1, &p2, &n2, 0), DS_OK);
    EXPECT_EQ(n1, 4u);
    EXPECT_EQ(n2, 4u);
    ASSERT_NE(p2, nullptr);
    std::memset(p1, 1, n1);
    std::memset(p2, 2, n2);
    void* q1;
    DWORD m1;
    EXPECT_EQ(b->Lock(0, 4, &q1, &m1, nullptr, nullptr, 0), DSERR_INVALIDCALL) << "one lock at a time";
    ASSERT_EQ(b->Unlock(p1, n1, p2, n2), DS_OK);
    ASSERT_EQ(b->Lock(0, 16, &p1, &n1, &p2, &n2, 0), DS_OK);
    const auto* bytes = static_cast<const std::uint8_t*>(p1);
    EXPECT_EQ(n1, 16u);
    EXPECT_EQ(p2, nullptr);
    EXPECT_EQ(bytes[0], 2);
    EXPECT_EQ(bytes[3], 2);
    EXPECT_EQ(bytes[4], 0);
    EXPECT_EQ(bytes[12], 1);
    EXPECT_EQ(b->Unlock(p1, 0, nullptr, 0), DS_OK) << "nothing written back";
    EXPECT_EQ(b->Lock(16, 4, &p1, &n1, &p2, &n2, 0), DSERR_INVALIDPARAM);
    EXPECT_EQ(b->Lock(0, 17, &p1, &n1, &p2, &n2, 0), DSERR_INVALIDPARAM);
    EXPECT_EQ(b->Unlock(p1, 4, nullptr, 0), DSERR_INVALIDCALL) << "not locked";
}

TEST_F(Sound, FullVolumeIsBitExactAndLowerVolumesScale) {
    const std::vector<std::int16_t> music = Pattern(44100 * 2, 5);
    LPDIRECTSOUNDBUFFER b = Make(static_cast<DWORD>(music.size() * 2), 2, 44100);
    Fill(b, music);
    EXPECT_EQ(Mix(100), std::vector<std::int16_t>(200, 0)) << "silent until it plays";
    ASSERT_EQ(b->Play(0, 0, DSBPLAY_LOOPING), DS_OK);
    std::vector<std::int16_t> out = Mix(44100 + 1000);
    for (std::size_t i = 0; i < out.size(); ++i) ASSERT_EQ(out[i], music[i % music.size()]) << i;
    DWORD play = 0;
    b->GetCurrentPosition(&play, nullptr);
    EXPECT_EQ(play, 1000u * 4) << "round the loop";
    ASSERT_EQ(b->SetVolume(-600), DS_OK);
    LONG volume = 0;
    b->GetVolume(&volume);
    EXPECT_EQ(volume, -600);
    b->SetCurrentPosition(0);
    out = Mix(2000);
    const double gain = std::pow(10.0, -600 / 2000.0);
    EXPECT_NEAR(gain, 0.501, 0.001);
    for (std::size_t i = 0; i < out.size(); ++i) ASSERT_NEAR(out[i], music[i] * gain, 1.0) << i;
    EXPECT_EQ(b->SetVolume(1), DSERR_INVALIDPARAM);
    EXPECT_EQ(b->SetVolume(-10001), DSERR_INVALIDPARAM);
    ASSERT_EQ(b->Stop(), DS_OK);
    DWORD status = 1;
    b->GetStatus(&status);
    EXPECT_EQ(status, 0u);
    EXPECT_EQ(Mix(10), std::vector<std::int16_t>(20, 0));
}

// 18500 Hz mono at 44100 Hz: each output frame lies between two samples,
// the last one's neighbour being the first again, and the buffer moves on
// 18500 samples a second.
TEST_F(Sound, SlowerMonoKeepsItsPitchAcrossTheLoop) {
    const std::vector<std::int16_t> steps = Pattern(7703, 9);
    LPDIRECTSOUNDBUFFER b = Make(static_cast<DWORD>(steps.size() * 2), 1, 18500);
    Fill(b, steps);
    ASSERT_EQ(b->Play(0, 0, DSBPLAY_LOOPING), DS_OK);
    const std::size_t frames = 44100 * 2;
    const std::vector<std::int16_t> out = Mix(frames);
    const std::size_t n = steps.size();
    for (std::size_t k = 0; k < frames; ++k) {
        const std::uint64_t at = static_cast<std::uint64_t>(k) * 18500;
        const std::size_t i = static_cast<std::size_t>(at / 44100) % n;
        const std::int64_t fraction = static_cast<std::int64_t>(at % 44100);
        const std::int32_t a = steps[i], c = steps[(i + 1) % n];
        const std::int32_t expected = a + static_cast<std::int32_t>((c - a) * fraction / 44100);
        ASSERT_EQ(out[2 * k], expected) << "frame " << k;
        ASSERT_EQ(out[2 * k + 1], expected);
    }
    DWORD play = 0;
    b->GetCurrentPosition(&play, nullptr);
    EXPECT_EQ(play, (2 * 18500 % n) * 2);
    // Played once it stops at its end.
    b->SetCurrentPosition(0);
    b->Play(0, 0, 0);
    Mix(44100);
    DWORD status = 1;
    b->GetStatus(&status);
    EXPECT_EQ(status, 0u);
}

TEST_F(Sound, BuffersTheMixerCannotPlayAreRefused) {
    LPDIRECTSOUNDBUFFER b = nullptr;
    WAVEFORMATEX eight{WAVE_FORMAT_PCM, 1, 8000, 8000, 1, 8, 0};
    DSBUFFERDESC desc{sizeof(DSBUFFERDESC), 0, 100, 0, &eight};
    EXPECT_EQ(ds->CreateSoundBuffer(&desc, &b, nullptr), DSERR_BADFORMAT);
    WAVEFORMATEX odd{WAVE_FORMAT_PCM, 2, 44100, 176400, 4, 16, 0};
    desc = {sizeof(DSBUFFERDESC), 0, 6, 0, &odd};
    EXPECT_EQ(ds->CreateSoundBuffer(&desc, &b, nullptr), DSERR_INVALIDPARAM) << "not whole frames";
    desc.lpwfxFormat = nullptr;
    EXPECT_EQ(ds->CreateSoundBuffer(&desc, &b, nullptr), DSERR_INVALIDPARAM);
    EXPECT_EQ(b, nullptr);
}

TEST(SdlSound, PlaysOnTheDeviceOrReportsThatThereIsNone) {
    Sound_Options() = SoundOptions{};
    const char* was = std::getenv("SDL_AUDIODRIVER");
    const std::string driver = was != nullptr ? was : "";
    ::setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    LPDIRECTSOUND ds = nullptr;
    EXPECT_EQ(DirectSoundCreate(nullptr, &ds, nullptr), DSERR_NODRIVER);
    EXPECT_EQ(ds, nullptr);
    ::setenv("SDL_AUDIODRIVER", "dummy", 1);
    ASSERT_EQ(DirectSoundCreate(nullptr, &ds, nullptr), DS_OK);
    WAVEFORMATEX f{WAVE_FORMAT_PCM, 2, 44100, 176400, 4, 16, 0};
    DSBUFFERDESC desc{sizeof(DSBUFFERDESC), 0, 176400, 0, &f};
    LPDIRECTSOUNDBUFFER b = nullptr;
    ASSERT_EQ(ds->CreateSoundBuffer(&desc, &b, nullptr), DS_OK);
    b->Play(0, 0, DSBPLAY_LOOPING);
    DWORD play = 0;
    for (int i = 0; i < 100 && play == 0; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        b->GetCurrentPosition(&play, nullptr);
    }
    EXPECT_GT(play, 0u) << "SDL's thread mixes the buffer";
    b->Release();
    ds->Release();
    if (was != nullptr)
        ::setenv("SDL_AUDIODRIVER", driver.c_str(), 1);
    else
        ::unsetenv("SDL_AUDIODRIVER");
}

}  // namespace
