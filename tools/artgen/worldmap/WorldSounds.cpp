#include "tools/artgen/worldmap/WorldSounds.h"

#include <algorithm>
#include <array>

#include "tools/writers/FileWrite.h"

namespace art::worldmap {

namespace {

// ---- integer building blocks ------------------------------------------------

constexpr int SINE_BITS = 12, SINE_SIZE = 1 << SINE_BITS, SINE_HALF = SINE_SIZE / 2;
constexpr int32_t SINE_PEAK = 32767;

// A sine period, by Bhaskara's approximation in integers.
std::array<int32_t, SINE_SIZE> Make_Sine() {
    std::array<int32_t, SINE_SIZE> table{};
    const int64_t h = SINE_HALF;
    for (int64_t p = 0; p < SINE_HALF; ++p) {
        const int64_t q = p * (h - p);
        const int32_t v = static_cast<int32_t>(SINE_PEAK * 4 * q / (5 * h * h / 4 - q));
        table[static_cast<size_t>(p)] = v;
        table[static_cast<size_t>(p + SINE_HALF)] = -v;
    }
    return table;
}
const std::array<int32_t, SINE_SIZE> SINE = Make_Sine();

int32_t Sine(uint32_t phase) { return SINE[phase >> (32 - SINE_BITS)]; }

// Equal-tempered semitones above A, times a million.
constexpr int64_t SEMITONE[12] = {1000000, 1059463, 1122462, 1189207, 1259921, 1334840,
                                  1414214, 1498307, 1587401, 1681793, 1781797, 1887749};

// The phase step per sample of a MIDI note (69 is the A of 440 Hz).
uint32_t Phase_Step(int note, int rate) {
    const int n = note - 69;
    const int octave = n >= 0 ? n / 12 : -((11 - n) / 12);
    const int semitone = n - 12 * octave;
    int64_t millihertz = 440000 * SEMITONE[semitone] / 1000000;
    millihertz = octave >= 0 ? millihertz << octave : millihertz >> -octave;
    return static_cast<uint32_t>((millihertz << 32) / (static_cast<int64_t>(rate) * 1000));
}

struct Noise {
    uint32_t state;
    int32_t Next() {
        state = state * 1103515245u + 12345u;
        return static_cast<int32_t>(state >> 16) - 32768;
    }
};

// ---- the music --------------------------------------------------------------

constexpr int BEAT = 22050;  // 120 beats a minute
constexpr int BAR = 4 * BEAT;
constexpr long LOOP_FRAME = MUSIC_LOOP_BYTE / 4;
constexpr int INTRO_BARS = 11;
constexpr long LEAD_IN = LOOP_FRAME - static_cast<long>(INTRO_BARS) * BAR;
constexpr int LOOP_BARS = 8;
// No note sounds longer than this, so that the tail of a bar reaches at
// most into the bar after next.
constexpr long LIFETIME = BAR + BAR / 2;
constexpr int FADE_END = 512;  // the last samples of a note fade to nothing

enum class Voice { Harp, Strings, Bass, Drum };

struct Note {
    long start;   // frame
    long length;  // frames it is held
    int pitch;    // MIDI
    int32_t level;
    int pan;  // 0 left .. 256 right
    Voice voice;
};

// The tone of a voice at a phase.
int32_t Tone(Voice v, uint32_t phase) {
    switch (v) {
        case Voice::Harp: return Sine(phase) + Sine(2 * phase) / 3 + Sine(3 * phase) / 8;
        case Voice::Bass: return Sine(phase) + Sine(2 * phase) / 4;
        default: return Sine(phase);
    }
}

// Adds one note to the stereo sums; the same note gives the same samples
// wherever it starts.
void Render(const Note& n, std::vector<int32_t>& sums) {
    const uint32_t step = Phase_Step(n.pitch, MUSIC_RATE);
    const uint32_t detuned = step + step / 400;  // the strings' second voice
    uint32_t phase = 0, phase2 = 0, drum_step = step;
    // The noise depends on where the note lies in its bar only, so that the
    // same bar sounds the same wherever it is played.
    Noise noise{static_cast<uint32_t>(((n.start - LEAD_IN) % BAR + BAR) % BAR) * 2654435761u + 1u};
    int64_t env = 0;  // 1 << 24 is full
    const int64_t full = int64_t{1} << 24;
    const long lifetime = std::min(LIFETIME, n.length + BAR / 2);
    for (long t = 0; t < lifetime; ++t) {
        const long at = n.start + t;
        if (at < 0 || at * 2 + 1 >= static_cast<long>(sums.size())) break;
        int32_t sample = 0;
        switch (n.voice) {
            case Voice::Harp:
                env = t < 200 ? full * t / 200 : env - (env >> 14);
                sample = Tone(n.voice, phase);
                break;
            case Voice::Strings:
                if (t < 8000)
                    env = full * t / 8000;
                else if (t >= n.length)
                    env -= env >> 12;
                sample = (Sine(phase) + Sine(phase2)) / 2;
                break;
            case Voice::Bass:
                env = t < 120 ? full * t / 120 : (t < n.length ? env - (env >> 15) : env - (env >> 10));
                sample = Tone(n.voice, phase);
                break;
            case Voice::Drum:
                env = t < 40 ? full * t / 40 : env - (env >> 10);
                sample = Sine(phase) * 3 / 4 + noise.Next() / 6;
                drum_step -= drum_step >> 12;
                break;
        }
        phase += n.voice == Voice::Drum ? drum_step : step;
        phase2 += detuned;
        int64_t v = static_cast<int64_t>(sample) * n.level / 32768 * env / full;
        if (t >= lifetime - FADE_END) v = v * (lifetime - t) / FADE_END;
        sums[static_cast<size_t>(at) * 2] += static_cast<int32_t>(v * (256 - n.pan) / 256);
        sums[static_cast<size_t>(at) * 2 + 1] += static_cast<int32_t>(v * n.pan / 256);
    }
}

struct Chord {
    int root;  // MIDI, the bass's
    int third, fifth;
};
const Chord A_MINOR{45, 60, 64}, F_MAJOR{41, 57, 60}, C_MAJOR{48, 64, 67}, G_MAJOR{43, 62, 67}, D_MINOR{50, 62, 65},
    E_MAJOR{40, 59, 68};

// A melody note: pitch, length in eighths (0 pitch: a rest).
struct Tune {
    int pitch, eighths;
};
using Bar_Tune = std::vector<Tune>;

struct Bar {
    Chord chord;
    Bar_Tune tune;
};

const Bar LOOP[LOOP_BARS] = {
    {A_MINOR, {{64, 2}, {69, 2}, {72, 2}, {71, 2}}},
    {F_MAJOR, {{69, 4}, {67, 2}, {65, 2}}},
    {C_MAJOR, {{64, 2}, {67, 2}, {72, 4}}},
    {G_MAJOR, {{71, 2}, {74, 2}, {71, 2}, {67, 2}}},
    {A_MINOR, {{69, 2}, {72, 1}, {71, 1}, {69, 2}, {64, 2}}},
    {D_MINOR, {{65, 2}, {69, 2}, {74, 4}}},
    {E_MAJOR, {{76, 2}, {74, 2}, {72, 2}, {71, 2}}},
    {E_MAJOR, {{68, 4}, {71, 2}, {64, 2}}},
};

struct Parts {
    bool strings, bass, drum, harp;
};

void Add_Bar(std::vector<Note>& notes, long start, const Bar& bar, Parts parts) {
    if (parts.strings)
        for (int p : {bar.chord.third, bar.chord.fifth, bar.chord.root + 12})
            notes.push_back({start, BAR, p, 5200, p % 2 == 0 ? 90 : 166, Voice::Strings});
    if (parts.bass)
        for (int half = 0; half < 2; ++half)
            notes.push_back({start + half * 2 * BEAT, 2 * BEAT - 800, bar.chord.root, 13000, 128, Voice::Bass});
    if (parts.drum)
        for (int beat : {0, 2})
            notes.push_back({start + beat * BEAT, BEAT / 2, 45, beat == 0 ? 11000 : 7500, 128, Voice::Drum});
    if (parts.harp) {
        long at = start;
        for (const Tune& t : bar.tune) {
            const long length = static_cast<long>(t.eighths) * BEAT / 2;
            if (t.pitch != 0) notes.push_back({at, length, t.pitch, 14000, 150, Voice::Harp});
            at += length;
        }
    }
}

std::vector<Note> Score(int loop_times) {
    std::vector<Note> notes;
    // The lead-in: the strings swell on the first chord.
    for (int p : {A_MINOR.third, A_MINOR.fifth}) notes.push_back({0, LEAD_IN, p, 4000, 128, Voice::Strings});
    const Parts all{true, true, true, true};
    for (int b = 0; b < INTRO_BARS; ++b) {
        const long start = LEAD_IN + static_cast<long>(b) * BAR;
        // The intro's last two bars are the loop's last two, so that what
        // sounds on into the loop's first bar is the same both times.
        if (b >= INTRO_BARS - 2) {
            Add_Bar(notes, start, LOOP[LOOP_BARS - (INTRO_BARS - b)], all);
            continue;
        }
        const Parts parts{true, b >= 2, b >= 1, b >= 4};
        Add_Bar(notes, start, LOOP[b % LOOP_BARS], parts);
    }
    for (int b = 0; b < LOOP_BARS * loop_times; ++b)
        Add_Bar(notes, LOOP_FRAME + static_cast<long>(b) * BAR, LOOP[b % LOOP_BARS], all);
    return notes;
}

// ---- the steps --------------------------------------------------------------

constexpr int STEP_SAMPLES = STEP_BYTES / 2;

// A footfall: a low thud falling in pitch and a crunch of gravel, added
// around the loop so that it sounds the same across the seam.
void Footfall(std::vector<int32_t>& ring, int start, uint32_t seed) {
    uint32_t phase = 0, step = Phase_Step(45, STEP_RATE);
    Noise noise{seed};
    int64_t thud = int64_t{1} << 24, crunch = 0;
    int32_t low = 0;
    for (int t = 0; t < STEP_SAMPLES / 2; ++t) {
        const int32_t body = static_cast<int32_t>(Sine(phase) * thud >> 24);
        phase += step;
        step -= step >> 10;
        thud -= thud >> 8;
        crunch = t < 60 ? (int64_t{1} << 24) * t / 60 : crunch - (crunch >> 9);
        low += (noise.Next() - low) / 3;  // the gravel's noise, dulled
        const int32_t grit = static_cast<int32_t>(low * crunch >> 24);
        int32_t v = body * 3 / 5 + grit / 2;
        if (t >= STEP_SAMPLES / 2 - 256) v = v * (STEP_SAMPLES / 2 - t) / 256;
        ring[static_cast<size_t>((start + t) % STEP_SAMPLES)] += v;
    }
}

std::vector<int16_t> Clamped(const std::vector<int32_t>& sums) {
    std::vector<int16_t> out(sums.size());
    for (size_t i = 0; i < sums.size(); ++i) out[i] = static_cast<int16_t>(std::clamp<int32_t>(sums[i], -32767, 32767));
    return out;
}

}  // namespace

std::vector<int16_t> Music_Samples(int loop_times) {
    const long frames = LOOP_FRAME + static_cast<long>(LOOP_BARS) * BAR * loop_times;
    std::vector<int32_t> sums(static_cast<size_t>(frames) * 2, 0);
    for (const Note& n : Score(loop_times)) Render(n, sums);
    return Clamped(sums);
}

std::vector<int16_t> Step_Samples() {
    std::vector<int32_t> ring(STEP_SAMPLES, 0);
    Footfall(ring, 0, 11);
    Footfall(ring, STEP_SAMPLES / 2, 23);
    return Clamped(ring);
}

std::vector<uint8_t> Sound_File_Bytes(const std::vector<int16_t>& samples) {
    std::vector<uint8_t> out;
    out.reserve(samples.size() * 2);
    for (int16_t s : samples) Put_U16(out, static_cast<uint16_t>(s));
    return out;
}

bool Write_Sounds(const std::filesystem::path& folder, std::string& error) {
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    const std::pair<const char*, std::vector<int16_t>> files[] = {{"MainMap.mus", Music_Samples()},
                                                                  {"MainMap.sfx", Step_Samples()}};
    for (const auto& [name, samples] : files)
        if (!Write_File_Atomic(folder / name, Sound_File_Bytes(samples))) {
            error = "cannot write " + (folder / name).string();
            return false;
        }
    return true;
}

}  // namespace art::worldmap
