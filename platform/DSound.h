// The sound stand-in: a DirectSound-shaped object and its secondary buffers,
// mixed into one 44100 Hz 16-bit stereo output. Buffers of other rates and
// channel counts are resampled (linear between samples, the pitch exact);
// volumes are hundredths of a decibel (gain 10^(v / 2000), 0 unchanged).
// The output goes to SDL2's audio device, or with the manual driver to
// whoever asks for it (tests, the scripted runner). Values and declarations
// are this project's own.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/Win32Types.h"

struct GUID;

// Results.
constexpr HRESULT DS_OK = 0;
constexpr HRESULT DSERR_INVALIDPARAM = static_cast<HRESULT>(0x80070057);
constexpr HRESULT DSERR_INVALIDCALL = static_cast<HRESULT>(0x88780032);
constexpr HRESULT DSERR_BADFORMAT = static_cast<HRESULT>(0x88780064);
constexpr HRESULT DSERR_NODRIVER = static_cast<HRESULT>(0x88780078);
constexpr HRESULT DSERR_OUTOFMEMORY = static_cast<HRESULT>(0x8007000E);

// Cooperative levels, buffer capabilities, play flags and status.
constexpr DWORD DSSCL_NORMAL = 0x00000001;
constexpr DWORD DSSCL_PRIORITY = 0x00000002;
constexpr DWORD DSBCAPS_CTRLFREQUENCY = 0x00000020;
constexpr DWORD DSBCAPS_CTRLPAN = 0x00000040;
constexpr DWORD DSBCAPS_CTRLVOLUME = 0x00000080;
constexpr DWORD DSBPLAY_LOOPING = 0x00000001;
constexpr DWORD DSBSTATUS_PLAYING = 0x00000001;
constexpr DWORD DSBSTATUS_LOOPING = 0x00000004;
constexpr DWORD DSBLOCK_ENTIREBUFFER = 0x00000002;
constexpr LONG DSBVOLUME_MIN = -10000;
constexpr LONG DSBVOLUME_MAX = 0;

constexpr WORD WAVE_FORMAT_PCM = 1;

struct WAVEFORMATEX {
    WORD wFormatTag;
    WORD nChannels;
    DWORD nSamplesPerSec;
    DWORD nAvgBytesPerSec;
    WORD nBlockAlign;
    WORD wBitsPerSample;
    WORD cbSize;
};

struct DSBUFFERDESC {
    DWORD dwSize;
    DWORD dwFlags;
    DWORD dwBufferBytes;
    DWORD dwReserved;
    const WAVEFORMATEX* lpwfxFormat;
};

struct sound_device;
class IDirectSound;

// A secondary buffer: 16-bit PCM, mono or stereo, at any rate. Lock hands
// out one or two parts (two when the range wraps past the end); what is
// written into them counts from Unlock on. Every method may be called from
// any thread.
class IDirectSoundBuffer {
  public:
    ULONG AddRef();
    ULONG Release();
    HRESULT Lock(DWORD offset, DWORD bytes, void** part1, DWORD* bytes1, void** part2, DWORD* bytes2, DWORD flags);
    HRESULT Unlock(void* part1, DWORD bytes1, void* part2, DWORD bytes2);
    HRESULT Play(DWORD reserved, DWORD priority, DWORD flags);
    HRESULT Stop();
    // The play position in bytes; the write position is where it is safe to
    // write from (here the same).
    HRESULT GetCurrentPosition(DWORD* play, DWORD* write);
    HRESULT SetCurrentPosition(DWORD position);
    HRESULT SetVolume(LONG volume);  // DSBVOLUME_MIN..DSBVOLUME_MAX
    HRESULT GetVolume(LONG* volume);
    HRESULT GetStatus(DWORD* status);

  private:
    friend class IDirectSound;
    friend struct sound_device;
    IDirectSoundBuffer(IDirectSound* owner, sound_device* device, const WAVEFORMATEX& format, DWORD bytes);
    ~IDirectSoundBuffer() = default;
    // Adds frames of this buffer to the 44100 Hz stereo sums; with the
    // device's lock held.
    void Mix_Into(std::int32_t* sums, std::size_t frames);
    std::int32_t Sample(std::size_t frame, int channel) const;

    IDirectSound* owner_;  // held while the buffer lives
    sound_device* device_;
    ULONG refs_ = 1;
    WAVEFORMATEX format_;
    std::vector<std::uint8_t> data_;
    std::size_t frames_;
    std::size_t position_ = 0;    // in frames
    std::uint32_t fraction_ = 0;  // of the next frame, in 1/44100 of a second times the rate
    bool playing_ = false, looping_ = false;
    LONG volume_ = 0;
    std::int32_t gain_ = 1 << 16;  // 16.16
    bool locked_ = false;
    DWORD lock_offset_ = 0;
    std::vector<std::uint8_t> staging_;  // what Lock hands out
};

class IDirectSound {
  public:
    ULONG AddRef();
    ULONG Release();
    HRESULT SetCooperativeLevel(HWND window, DWORD level);
    HRESULT CreateSoundBuffer(const DSBUFFERDESC* desc, IDirectSoundBuffer** buffer, void* outer);

  private:
    friend HRESULT DirectSoundCreate(GUID*, IDirectSound**, void*);
    friend class IDirectSoundBuffer;
    explicit IDirectSound(sound_device* device) : device_(device) {}
    ~IDirectSound();
    sound_device* device_;
    ULONG refs_ = 1;
};

using LPDIRECTSOUND = IDirectSound*;
using LPDIRECTSOUNDBUFFER = IDirectSoundBuffer*;

// The default device: SDL2's, playing silence until a buffer plays (none
// when SDL's audio output cannot be opened: then DSERR_NODRIVER); or the
// manual driver's when the options ask for it.
HRESULT DirectSoundCreate(GUID* guid, IDirectSound** out, void* outer);

// The output's format.
constexpr int SOUND_OUTPUT_RATE = 44100;
constexpr int SOUND_OUTPUT_CHANNELS = 2;

struct SoundOptions {
    bool manual = false;  // mix only when Mix_Sound_Output asks
};
SoundOptions& Sound_Options();

// What SDL's audio keeps until the process ends (its D-Bus connection, for
// the audio thread's priority): not a leak of the program. A program that
// opens SDL's device without the wx backend (whose list holds it already)
// hands it to the leak checker itself:
//
//     extern "C" const char* __lsan_default_suppressions() { return SOUND_LEAK_SUPPRESSIONS; }
inline constexpr const char* SOUND_LEAK_SUPPRESSIONS = "leak:libdbus-1.so\n";

// With the manual driver: the next frames of the output (44100 Hz, left and
// right interleaved); silence when no manual device exists.
void Mix_Sound_Output(std::int16_t* out, std::size_t frames);
