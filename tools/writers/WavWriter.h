// WAV files of 16-bit PCM (the runner's recordings of the sound output).
#pragma once
#include <cstdint>
#include <filesystem>
#include <vector>

// samples: frames of channels values each, interleaved. False when the
// file cannot be written.
std::vector<std::uint8_t> Encode_Wav(int rate, int channels, const std::vector<std::int16_t>& samples);
bool Write_Wav(const std::filesystem::path& path, int rate, int channels, const std::vector<std::int16_t>& samples);
