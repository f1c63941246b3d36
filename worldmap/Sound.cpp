#include "worldmap/Sound.h"

#include "platform/PathResolver.h"
#include "worldmap/Threads.h"
#include "worldmap/WorldMap.h"

LPDIRECTSOUND direct_sound = nullptr;
LPDIRECTSOUNDBUFFER music_buffer = nullptr;
LPDIRECTSOUNDBUFFER step_buffer = nullptr;

namespace {

constexpr DWORD MUSIC_RATE = 44100, STEP_RATE = 18500;
constexpr DWORD BUFFER_CAPS = DSBCAPS_CTRLFREQUENCY | DSBCAPS_CTRLPAN | DSBCAPS_CTRLVOLUME;

// Read by the music thread alone once it runs.
std::FILE* music_file = nullptr;
// The half that was playing at the last refill: 0 the first, 1 the second.
int refilled_while = -1;

void Say(const char* text) {
    std::fprintf(stderr, "worldmap: %s\n", text);
    std::fflush(stderr);
}

LPDIRECTSOUNDBUFFER Make_Buffer(DWORD bytes, WORD channels, DWORD rate) {
    WAVEFORMATEX format{};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = channels;
    format.nSamplesPerSec = rate;
    format.wBitsPerSample = 16;
    format.nBlockAlign = static_cast<WORD>(channels * 2);
    format.nAvgBytesPerSec = rate * format.nBlockAlign;
    DSBUFFERDESC desc{};
    desc.dwSize = sizeof desc;
    desc.dwFlags = BUFFER_CAPS;
    desc.dwBufferBytes = bytes;
    desc.lpwfxFormat = &format;
    LPDIRECTSOUNDBUFFER buffer = nullptr;
    if (direct_sound->CreateSoundBuffer(&desc, &buffer, nullptr) != DS_OK) return nullptr;
    return buffer;
}

// The file a game path names, opened for reading, with its size; null when
// it is missing.
std::FILE* Open_Sound_File(const char* name, long& size) {
    const std::optional<std::filesystem::path> path = Resolve_Path(name);
    if (!path) return nullptr;
    std::FILE* f = std::fopen(path->c_str(), "rb");
    if (f == nullptr) return nullptr;
    size = -1;
    if (std::fseek(f, 0, SEEK_END) == 0) size = std::ftell(f);
    std::fseek(f, 0, SEEK_SET);
    return f;
}

void Release(LPDIRECTSOUNDBUFFER& buffer) {
    if (buffer != nullptr) buffer->Release();
    buffer = nullptr;
}

bool Load_Steps() {
    long size = 0;
    std::FILE* f = Open_Sound_File(STEP_FILE_NAME, size);
    bool loaded = false;
    if (f != nullptr && size >= static_cast<long>(STEP_SOUND_BYTES)) {
        void *part1, *part2;
        DWORD bytes1, bytes2;
        if (step_buffer->Lock(0, STEP_SOUND_BYTES, &part1, &bytes1, &part2, &bytes2, 0) == DS_OK) {
            loaded = std::fread(part1, 1, bytes1, f) == bytes1;
            step_buffer->Unlock(part1, bytes1, part2, bytes2);
        }
    }
    if (f != nullptr) std::fclose(f);
    return loaded;
}

bool Open_Music() {
    long size = 0;
    music_file = Open_Sound_File(MUSIC_FILE_NAME, size);
    if (music_file != nullptr && size > MUSIC_LOOP_POINT) return true;
    if (music_file != nullptr) std::fclose(music_file);
    music_file = nullptr;
    return false;
}

// Reads bytes of music into p, from the loop point on whenever the file ends.
void Read_Music(std::uint8_t* p, DWORD bytes) {
    bool seeked = false;
    while (bytes > 0) {
        const std::size_t got = std::fread(p, 1, bytes, music_file);
        p += got;
        bytes -= static_cast<DWORD>(got);
        if (bytes == 0) break;
        // Twice at the loop point without a byte read: the file is broken.
        if (got == 0 && seeked) break;
        seeked = got == 0;
        std::clearerr(music_file);
        std::fseek(music_file, MUSIC_LOOP_POINT, SEEK_SET);
    }
    std::fill(p, p + bytes, std::uint8_t{0});
}

}  // namespace

void Init_Sound() {
    if (DirectSoundCreate(nullptr, &direct_sound, nullptr) != DS_OK) {
        direct_sound = nullptr;
        Say("no sound device: the map stays silent");
        return;
    }
    direct_sound->SetCooperativeLevel(main_window, DSSCL_NORMAL);
    music_buffer = Make_Buffer(MUSIC_BUFFER_BYTES, 2, MUSIC_RATE);
    step_buffer = Make_Buffer(STEP_SOUND_BYTES, 1, STEP_RATE);
    if (step_buffer != nullptr) {
        step_buffer->SetVolume(STEP_SOUND_VOLUME);
        if (!Load_Steps()) {
            Say("\"MainMap.sfx\" is missing or shorter than 15406 bytes: no step sound");
            Release(step_buffer);
        }
    }
    if (music_buffer != nullptr) {
        if (!Open_Music()) {
            Say("\"MainMap.mus\" is missing or not longer than 3994512 bytes: no music");
            Release(music_buffer);
        } else {
            refilled_while = -1;
            Refill_Music(0, MUSIC_HALF_BYTES);
            music_buffer->Play(0, 0, DSBPLAY_LOOPING);
        }
    }
}

void Release_Sound() {
    Release(step_buffer);
    Release(music_buffer);
    if (direct_sound != nullptr) direct_sound->Release();
    direct_sound = nullptr;
    if (music_file != nullptr) std::fclose(music_file);
    music_file = nullptr;
    refilled_while = -1;
}

void Refill_Music(DWORD offset, DWORD bytes) {
    if (music_buffer == nullptr || music_file == nullptr) return;
    void *part1, *part2;
    DWORD bytes1, bytes2;
    if (music_buffer->Lock(offset, bytes, &part1, &bytes1, &part2, &bytes2, 0) != DS_OK) return;
    Read_Music(static_cast<std::uint8_t*>(part1), bytes1);
    if (part2 != nullptr) Read_Music(static_cast<std::uint8_t*>(part2), bytes2);
    music_buffer->Unlock(part1, bytes1, part2, bytes2);
}

void Music_Poll() {
    if (music_buffer == nullptr) return;
    DWORD play = 0;
    music_buffer->GetCurrentPosition(&play, nullptr);
    const int playing = play < MUSIC_HALF_BYTES ? 0 : 1;
    if (playing == refilled_while) return;
    Refill_Music(playing == 0 ? MUSIC_HALF_BYTES : 0, MUSIC_HALF_BYTES);
    refilled_while = playing;
}

void Music_Stream_Start() { Music_Poll(); }

void Music_Stream_Thread() {
    Music_Stream_Start();
    while (Wait_Unless_Exit(MUSIC_POLL_MS)) Music_Poll();
}

void Start_Step_Sound() {
    if (step_buffer != nullptr) step_buffer->Play(0, 0, DSBPLAY_LOOPING);
}

void Stop_Step_Sound() {
    if (step_buffer != nullptr) step_buffer->Stop();
}

void Set_Sound_Volumes(LONG music, LONG steps) {
    if (music_buffer != nullptr) music_buffer->SetVolume(music);
    if (step_buffer != nullptr) step_buffer->SetVolume(steps);
}
