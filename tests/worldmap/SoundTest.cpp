// The world map's music and steps: the music plays bit for bit from the
// start, the halves of its buffer are refilled in turn with what follows in
// the file, going on from the loop point as often as the file ends, and the
// steps sound from a click until the marker arrives. Without a device or a
// file the program runs silent; an exit ends the music thread at once.
#include <chrono>
#include <fstream>
#include <functional>
#include <iterator>
#include <thread>

#include "platform/VirtualKeys.h"
#include "worldmap/WorldMapFixture.h"

namespace {

namespace fs = std::filesystem;

std::vector<std::uint8_t> Read(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::int16_t> Samples(const std::vector<std::uint8_t>& bytes, std::size_t count) {
    std::vector<std::int16_t> out(count);
    for (std::size_t i = 0; i < count; ++i) out[i] = static_cast<std::int16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
    return out;
}

class MusicAndSteps : public WorldMapTest {
  protected:
    void TearDown() override {
        WorldMapTest::TearDown();
        if (!own_folder.empty()) fs::remove_all(own_folder);
    }

  public:
    // A folder with the generated steps and a music file of that length
    // whose every byte tells its place.
    void Use_Music_Of_Length(std::size_t length) {
        own_folder = fs::temp_directory_path() / ("worldmap-music-" + std::to_string(::getpid()));
        fs::create_directories(own_folder);
        fs::copy_file(Sound_Folder() / "MainMap.sfx", own_folder / "MainMap.sfx", fs::copy_options::overwrite_existing);
        music.resize(length);
        for (std::size_t i = 0; i < length; ++i) music[i] = static_cast<std::uint8_t>((i * 2654435761u) >> 13);
        std::ofstream(own_folder / "MainMap.mus", std::ios::binary)
            .write(reinterpret_cast<const char*>(music.data()), static_cast<std::streamsize>(length));
        Set_Working_Folder(own_folder);
    }
    // The music as it plays on: the file, then from the loop point again and
    // again.
    std::uint8_t Stream(std::size_t at) const {
        const std::size_t loop = static_cast<std::size_t>(MUSIC_LOOP_POINT);
        if (at < music.size()) return music[at];
        return music[loop + (at - music.size()) % (music.size() - loop)];
    }
    // Whether a half of the music buffer holds the stream from byte from.
    bool Half_Holds(DWORD half, std::size_t from) const {
        void *p1, *p2;
        DWORD n1, n2;
        if (music_buffer->Lock(half, MUSIC_HALF_BYTES, &p1, &n1, &p2, &n2, 0) != DS_OK) return false;
        bool same = true;
        for (DWORD i = 0; i < n1 && same; ++i) same = static_cast<const std::uint8_t*>(p1)[i] == Stream(from + i);
        music_buffer->Unlock(p1, 0, p2, 0);
        return same;
    }
    fs::path own_folder;
    std::vector<std::uint8_t> music;
};

TEST_F(MusicAndSteps, TheMusicPlaysBitForBitFromTheStart) {
    ASSERT_TRUE(Start());
    Ticks(30);
    const std::vector<std::int16_t> file = Samples(Read(Sound_Folder() / "MainMap.mus"), sound.size());
    EXPECT_TRUE(sound == file);
}

struct refill_case {
    const char* what;
    std::size_t length;
};

TEST_F(MusicAndSteps, RefillsTakeTurnsWithTheMusicThatFollows) {
    const std::size_t loop = static_cast<std::size_t>(MUSIC_LOOP_POINT);
    const refill_case cases[] = {
        {"wrapping in the middle of a refill", loop + 500000},
        {"wrapping twice in one refill", loop + 300000},
    };
    for (const refill_case& c : cases) {
        SCOPED_TRACE(c.what);
        Reset_Platform();
        Register_World_Map_Resources();
        ended = false;
        Use_Music_Of_Length(c.length);
        ASSERT_TRUE(Start());
        ASSERT_NE(music_buffer, nullptr);
        // The first half came with the start-up, the second with the thread's
        // first look.
        EXPECT_TRUE(Half_Holds(0, 0));
        EXPECT_TRUE(Half_Holds(MUSIC_HALF_BYTES, MUSIC_HALF_BYTES));
        std::size_t next = 2 * MUSIC_HALF_BYTES;
        for (int refill = 0; refill < 8; ++refill) {
            const DWORD playing = refill % 2 == 0 ? MUSIC_HALF_BYTES + 1000 : 1000;
            const DWORD refilled = refill % 2 == 0 ? 0 : MUSIC_HALF_BYTES;
            music_buffer->SetCurrentPosition(playing);
            Music_Poll();
            EXPECT_TRUE(Half_Holds(refilled, next)) << "refill " << refill;
            Music_Poll();
            EXPECT_TRUE(Half_Holds(refilled, next)) << "a second look fills nothing";
            next += MUSIC_HALF_BYTES;
        }
        EXPECT_GT(next, c.length + 2 * (c.length - loop)) << "the loop came round";
        PostMessageA(main_window, WM_CLOSE, 0, 0);
        EXPECT_FALSE(Pump());
    }
}

TEST_F(MusicAndSteps, TheStepsSoundFromAClickUntilTheArrival) {
    backend().cursor_pos = {320, 240};
    ASSERT_TRUE(Start());
    Ticks(5);
    const std::size_t click = sound.size();
    Click(150, 250);
    const std::uint32_t steps = walk_len;
    ASSERT_GT(steps, 10u);
    Ticks(static_cast<int>(steps) + 10);
    const std::vector<std::int16_t> file = Samples(Read(Sound_Folder() / "MainMap.mus"), sound.size());
    std::size_t first = sound.size(), last = 0;
    for (std::size_t i = 0; i < sound.size(); ++i)
        if (sound[i] != file[i]) {
            first = std::min(first, i);
            last = i;
        }
    EXPECT_EQ(first / 2 / TICK_FRAMES, click / 2 / TICK_FRAMES) << "from the click";
    // The walk takes a tick a step, the steps sounding through the tick of
    // the last; the next tick stops them.
    EXPECT_EQ(last / 2 / TICK_FRAMES, click / 2 / TICK_FRAMES + steps - 1) << "until the arrival";
}

TEST_F(MusicAndSteps, WithoutADeviceOrTheFilesTheMapIsSilent) {
    struct silent_case {
        const char* what;
        std::function<void(MusicAndSteps&)> set;
        const char* line;
    };
    const silent_case cases[] = {
        {"no device",
         [](MusicAndSteps&) {
             Sound_Options().manual = false;
             ::setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
         },
         "worldmap: no sound device: the map stays silent\n"},
        {"no step sound",
         [](MusicAndSteps& t) {
             t.Use_Music_Of_Length(static_cast<std::size_t>(MUSIC_LOOP_POINT) + 4);
             fs::remove(t.own_folder / "MainMap.sfx");
         },
         "worldmap: \"MainMap.sfx\" is missing or shorter than 15406 bytes: no step sound\n"},
        {"music too short", [](MusicAndSteps& t) { t.Use_Music_Of_Length(static_cast<std::size_t>(MUSIC_LOOP_POINT)); },
         "worldmap: \"MainMap.mus\" is missing or not longer than 3994512 bytes: no music\n"},
    };
    const char* was = std::getenv("SDL_AUDIODRIVER");
    const std::string driver = was != nullptr ? was : "";
    for (const silent_case& c : cases) {
        SCOPED_TRACE(c.what);
        Reset_Platform();
        Register_World_Map_Resources();
        ended = false;
        c.set(*this);
        testing::internal::CaptureStderr();
        const bool started = Start();
        const std::string said = testing::internal::GetCapturedStderr();
        ASSERT_TRUE(started);
        EXPECT_EQ(said, c.line);
        Click(150, 250);
        Ticks(3);
        PostMessageA(main_window, WM_KEYDOWN, VK_ESCAPE, 0);
        EXPECT_FALSE(Pump());
        EXPECT_EQ(Exit_Status(), 0);
        if (was != nullptr)
            ::setenv("SDL_AUDIODRIVER", driver.c_str(), 1);
        else
            ::unsetenv("SDL_AUDIODRIVER");
    }
}

// The workers run on their own clock; closing wakes and ends both at once.
TEST_F(MusicAndSteps, AnExitEndsTheWorkersWithoutWaitingOutTheirPauses) {
    Use_Own_Clock(true);
    ASSERT_TRUE(Start());
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    const auto before = std::chrono::steady_clock::now();
    PostMessageA(main_window, WM_CLOSE, 0, 0);
    EXPECT_FALSE(Pump());
    const auto took = std::chrono::steady_clock::now() - before;
    EXPECT_LT(took, std::chrono::milliseconds(90)) << "well within a tick's pause, let alone the music's";
    EXPECT_EQ(Exit_Status(), 0);
}

}  // namespace
