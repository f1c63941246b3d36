#pragma once
// The world map program's two sound files, made by integer synthesis (the
// same bytes on every build): "MainMap.mus", a piece for harp, strings,
// bass and frame drum, 16-bit stereo at 44100 Hz, whose part from byte
// 3994512 to the end loops seamlessly back to there; and "MainMap.sfx",
// two footfalls on gravel, 15406 bytes of 16-bit mono at 18500 Hz that loop
// seamlessly.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace art::worldmap {

constexpr int MUSIC_RATE = 44100;
constexpr long MUSIC_LOOP_BYTE = 3994512;
constexpr int STEP_RATE = 18500;
constexpr int STEP_BYTES = 15406;

// Left and right interleaved; with loop_times above 1 the looping part is
// played that many times over (what the file sounds like when it loops).
std::vector<int16_t> Music_Samples(int loop_times = 1);
std::vector<int16_t> Step_Samples();
// The files' bytes: the samples little-endian, no header.
std::vector<uint8_t> Sound_File_Bytes(const std::vector<int16_t>& samples);

// Writes "MainMap.mus" and "MainMap.sfx" into the folder (made when
// missing); false with the reason when a file cannot be written.
bool Write_Sounds(const std::filesystem::path& folder, std::string& error);

}  // namespace art::worldmap
