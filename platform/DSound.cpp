#include "platform/DSound.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <mutex>

// One output: the buffers that play into it, mixed under its lock, by SDL's
// audio thread or by whoever asks for the manual driver's output.
struct sound_device {
    std::mutex lock;
    std::vector<IDirectSoundBuffer*> buffers;
    SDL_AudioDeviceID sdl = 0;  // 0: the manual driver

    void Mix(std::int16_t* out, std::size_t frames) {
        std::vector<std::int32_t> sums(frames * SOUND_OUTPUT_CHANNELS, 0);
        {
            std::lock_guard<std::mutex> hold(lock);
            for (IDirectSoundBuffer* b : buffers) b->Mix_Into(sums.data(), frames);
        }
        for (std::size_t i = 0; i < sums.size(); ++i)
            out[i] = static_cast<std::int16_t>(std::clamp<std::int32_t>(sums[i], -32768, 32767));
    }
};

namespace {

SoundOptions sound_options;
sound_device* manual_device = nullptr;
std::mutex manual_lock;  // guards manual_device

constexpr int MAX_RATE = 192000;

void Sdl_Callback(void* device, Uint8* stream, int length) {
    static_cast<sound_device*>(device)->Mix(reinterpret_cast<std::int16_t*>(stream),
                                            static_cast<std::size_t>(length) / (2 * SOUND_OUTPUT_CHANNELS));
}

// Ends SDL's audio; SDL as a whole when nothing else of it is in use, so
// that what it set up for the audio (its D-Bus connection) goes too.
void Quit_Sdl_Audio() {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    if (SDL_WasInit(SDL_INIT_EVERYTHING) == 0) SDL_Quit();
}

// Opens SDL's default output at the mixer's format and starts it (silent
// until a buffer plays); 0 when there is none.
SDL_AudioDeviceID Open_Sdl(sound_device* device) {
    // SDL must not take SIGINT and SIGTERM from the program.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        if (SDL_WasInit(SDL_INIT_EVERYTHING) == 0) SDL_Quit();
        return 0;
    }
    SDL_AudioSpec want{}, have{};
    want.freq = SOUND_OUTPUT_RATE;
    want.format = AUDIO_S16LSB;
    want.channels = SOUND_OUTPUT_CHANNELS;
    want.samples = 1024;
    want.callback = Sdl_Callback;
    want.userdata = device;
    const SDL_AudioDeviceID id = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (id == 0) {
        Quit_Sdl_Audio();
        return 0;
    }
    SDL_PauseAudioDevice(id, 0);
    return id;
}

std::int32_t Gain_Of(LONG volume) {
    if (volume >= 0) return 1 << 16;
    return static_cast<std::int32_t>(std::lround(65536.0 * std::pow(10.0, volume / 2000.0)));
}

}  // namespace

SoundOptions& Sound_Options() { return sound_options; }

void Mix_Sound_Output(std::int16_t* out, std::size_t frames) {
    std::lock_guard<std::mutex> hold(manual_lock);
    if (manual_device == nullptr) {
        std::fill(out, out + frames * SOUND_OUTPUT_CHANNELS, std::int16_t{0});
        return;
    }
    manual_device->Mix(out, frames);
}

// ---- the DirectSound object -----------------------------------------------

HRESULT DirectSoundCreate(GUID* guid, IDirectSound** out, void*) {
    if (out == nullptr || guid != nullptr) return DSERR_INVALIDPARAM;
    *out = nullptr;
    auto* device = new sound_device();
    if (sound_options.manual) {
        std::lock_guard<std::mutex> hold(manual_lock);
        if (manual_device != nullptr) {
            delete device;
            return DSERR_INVALIDCALL;
        }
        manual_device = device;
    } else {
        device->sdl = Open_Sdl(device);
        if (device->sdl == 0) {
            delete device;
            return DSERR_NODRIVER;
        }
    }
    *out = new IDirectSound(device);
    return DS_OK;
}

IDirectSound::~IDirectSound() {
    if (device_->sdl != 0) {
        // Waits for SDL's audio thread to leave the callback.
        SDL_CloseAudioDevice(device_->sdl);
        Quit_Sdl_Audio();
    } else {
        std::lock_guard<std::mutex> hold(manual_lock);
        if (manual_device == device_) manual_device = nullptr;
    }
    delete device_;
}

ULONG IDirectSound::AddRef() {
    std::lock_guard<std::mutex> hold(device_->lock);
    return ++refs_;
}

ULONG IDirectSound::Release() {
    ULONG left;
    {
        std::lock_guard<std::mutex> hold(device_->lock);
        left = --refs_;
    }
    if (left == 0) delete this;
    return left;
}

HRESULT IDirectSound::SetCooperativeLevel(HWND, DWORD level) {
    return level == DSSCL_NORMAL || level == DSSCL_PRIORITY ? DS_OK : DSERR_INVALIDPARAM;
}

HRESULT IDirectSound::CreateSoundBuffer(const DSBUFFERDESC* desc, IDirectSoundBuffer** buffer, void*) {
    if (buffer == nullptr) return DSERR_INVALIDPARAM;
    *buffer = nullptr;
    if (desc == nullptr || desc->lpwfxFormat == nullptr || desc->dwBufferBytes == 0) return DSERR_INVALIDPARAM;
    const WAVEFORMATEX& f = *desc->lpwfxFormat;
    if (f.wFormatTag != WAVE_FORMAT_PCM || f.wBitsPerSample != 16 || (f.nChannels != 1 && f.nChannels != 2) ||
        f.nSamplesPerSec == 0 || f.nSamplesPerSec > MAX_RATE || f.nBlockAlign != f.nChannels * 2)
        return DSERR_BADFORMAT;
    if (desc->dwBufferBytes % f.nBlockAlign != 0) return DSERR_INVALIDPARAM;
    auto* made = new IDirectSoundBuffer(this, device_, f, desc->dwBufferBytes);
    AddRef();
    std::lock_guard<std::mutex> hold(device_->lock);
    device_->buffers.push_back(made);
    *buffer = made;
    return DS_OK;
}

// ---- buffers ---------------------------------------------------------------

IDirectSoundBuffer::IDirectSoundBuffer(IDirectSound* owner, sound_device* device, const WAVEFORMATEX& format,
                                       DWORD bytes)
    : owner_(owner), device_(device), format_(format), data_(bytes, 0), frames_(bytes / format.nBlockAlign) {}

ULONG IDirectSoundBuffer::AddRef() {
    std::lock_guard<std::mutex> hold(device_->lock);
    return ++refs_;
}

ULONG IDirectSoundBuffer::Release() {
    ULONG left;
    {
        std::lock_guard<std::mutex> hold(device_->lock);
        left = --refs_;
        if (left == 0) std::erase(device_->buffers, this);
    }
    if (left != 0) return left;
    IDirectSound* owner = owner_;
    delete this;
    owner->Release();
    return 0;
}

std::int32_t IDirectSoundBuffer::Sample(std::size_t frame, int channel) const {
    const std::size_t at = frame * format_.nBlockAlign + static_cast<std::size_t>(channel) * 2;
    return static_cast<std::int16_t>(data_[at] | (data_[at + 1] << 8));
}

void IDirectSoundBuffer::Mix_Into(std::int32_t* sums, std::size_t frames) {
    if (!playing_ || frames_ == 0) return;
    const std::uint32_t rate = format_.nSamplesPerSec;
    for (std::size_t i = 0; i < frames && playing_; ++i) {
        // Between this frame and the next one, the next wrapping to the
        // start of a looping buffer.
        std::size_t next = position_ + 1;
        if (next == frames_) next = looping_ ? 0 : position_;
        for (int c = 0; c < SOUND_OUTPUT_CHANNELS; ++c) {
            const int from = format_.nChannels == 1 ? 0 : c;
            const std::int32_t a = Sample(position_, from), b = Sample(next, from);
            const std::int32_t value =
                a + static_cast<std::int32_t>((static_cast<std::int64_t>(b - a) * fraction_) / SOUND_OUTPUT_RATE);
            // Rounded to the nearest: at full volume exactly the sample.
            sums[i * SOUND_OUTPUT_CHANNELS + c] +=
                static_cast<std::int32_t>((static_cast<std::int64_t>(value) * gain_ + 0x8000) >> 16);
        }
        fraction_ += rate;
        while (fraction_ >= static_cast<std::uint32_t>(SOUND_OUTPUT_RATE)) {
            fraction_ -= SOUND_OUTPUT_RATE;
            if (++position_ == frames_) {
                position_ = 0;
                if (!looping_) {
                    playing_ = false;
                    fraction_ = 0;
                    break;
                }
            }
        }
    }
}

HRESULT IDirectSoundBuffer::Lock(DWORD offset, DWORD bytes, void** part1, DWORD* bytes1, void** part2, DWORD* bytes2,
                                 DWORD flags) {
    if (part1 == nullptr || bytes1 == nullptr) return DSERR_INVALIDPARAM;
    std::lock_guard<std::mutex> hold(device_->lock);
    const DWORD size = static_cast<DWORD>(data_.size());
    if (flags & DSBLOCK_ENTIREBUFFER) {
        offset = 0;
        bytes = size;
    }
    if (locked_) return DSERR_INVALIDCALL;
    if (offset >= size || bytes == 0 || bytes > size) return DSERR_INVALIDPARAM;
    const DWORD first = std::min(bytes, size - offset);
    if (bytes > first && (part2 == nullptr || bytes2 == nullptr)) return DSERR_INVALIDPARAM;
    staging_.assign(data_.begin() + offset, data_.begin() + offset + first);
    staging_.insert(staging_.end(), data_.begin(), data_.begin() + (bytes - first));
    locked_ = true;
    lock_offset_ = offset;
    *part1 = staging_.data();
    *bytes1 = first;
    if (part2 != nullptr) *part2 = bytes > first ? staging_.data() + first : nullptr;
    if (bytes2 != nullptr) *bytes2 = bytes - first;
    return DS_OK;
}

HRESULT IDirectSoundBuffer::Unlock(void* part1, DWORD bytes1, void* part2, DWORD bytes2) {
    std::lock_guard<std::mutex> hold(device_->lock);
    if (!locked_) return DSERR_INVALIDCALL;
    const DWORD size = static_cast<DWORD>(data_.size());
    const DWORD first = std::min<DWORD>(static_cast<DWORD>(staging_.size()), size - lock_offset_);
    if (part1 != staging_.data() || bytes1 > first || (bytes2 > 0 && part2 != staging_.data() + first) ||
        bytes2 > staging_.size() - first)
        return DSERR_INVALIDPARAM;
    std::memcpy(data_.data() + lock_offset_, staging_.data(), bytes1);
    if (bytes2 > 0) std::memcpy(data_.data(), staging_.data() + first, bytes2);
    locked_ = false;
    return DS_OK;
}

HRESULT IDirectSoundBuffer::Play(DWORD, DWORD, DWORD flags) {
    std::lock_guard<std::mutex> hold(device_->lock);
    playing_ = true;
    looping_ = (flags & DSBPLAY_LOOPING) != 0;
    return DS_OK;
}

HRESULT IDirectSoundBuffer::Stop() {
    std::lock_guard<std::mutex> hold(device_->lock);
    playing_ = false;
    return DS_OK;
}

HRESULT IDirectSoundBuffer::GetCurrentPosition(DWORD* play, DWORD* write) {
    std::lock_guard<std::mutex> hold(device_->lock);
    const DWORD at = static_cast<DWORD>(position_ * format_.nBlockAlign);
    if (play != nullptr) *play = at;
    if (write != nullptr) *write = at;
    return DS_OK;
}

HRESULT IDirectSoundBuffer::SetCurrentPosition(DWORD position) {
    std::lock_guard<std::mutex> hold(device_->lock);
    if (position >= data_.size()) return DSERR_INVALIDPARAM;
    position_ = position / format_.nBlockAlign;
    fraction_ = 0;
    return DS_OK;
}

HRESULT IDirectSoundBuffer::SetVolume(LONG volume) {
    if (volume < DSBVOLUME_MIN || volume > DSBVOLUME_MAX) return DSERR_INVALIDPARAM;
    std::lock_guard<std::mutex> hold(device_->lock);
    volume_ = volume;
    gain_ = Gain_Of(volume);
    return DS_OK;
}

HRESULT IDirectSoundBuffer::GetVolume(LONG* volume) {
    if (volume == nullptr) return DSERR_INVALIDPARAM;
    std::lock_guard<std::mutex> hold(device_->lock);
    *volume = volume_;
    return DS_OK;
}

HRESULT IDirectSoundBuffer::GetStatus(DWORD* status) {
    if (status == nullptr) return DSERR_INVALIDPARAM;
    std::lock_guard<std::mutex> hold(device_->lock);
    *status = (playing_ ? DSBSTATUS_PLAYING : 0) | (playing_ && looping_ ? DSBSTATUS_LOOPING : 0);
    return DS_OK;
}
