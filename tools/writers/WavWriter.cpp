#include "tools/writers/WavWriter.h"

#include "tools/writers/FileWrite.h"

namespace {
constexpr unsigned PCM_FORMAT = 1;
constexpr unsigned FORMAT_CHUNK_SIZE = 16;
}  // namespace

std::vector<std::uint8_t> Encode_Wav(int rate, int channels, const std::vector<std::int16_t>& samples) {
    const std::uint32_t data_bytes = static_cast<std::uint32_t>(samples.size() * 2);
    const unsigned block = static_cast<unsigned>(channels) * 2;
    std::vector<std::uint8_t> out;
    Put_Bytes(out, "RIFF", 4);
    Put_U32(out, 36 + data_bytes);
    Put_Bytes(out, "WAVEfmt ", 8);
    Put_U32(out, FORMAT_CHUNK_SIZE);
    Put_U16(out, PCM_FORMAT);
    Put_U16(out, static_cast<unsigned>(channels));
    Put_U32(out, static_cast<std::uint32_t>(rate));
    Put_U32(out, static_cast<std::uint32_t>(rate) * block);
    Put_U16(out, block);
    Put_U16(out, 16);
    Put_Bytes(out, "data", 4);
    Put_U32(out, data_bytes);
    for (std::int16_t s : samples) Put_U16(out, static_cast<std::uint16_t>(s));
    return out;
}

bool Write_Wav(const std::filesystem::path& path, int rate, int channels, const std::vector<std::int16_t>& samples) {
    return Write_File_Atomic(path, Encode_Wav(rate, channels, samples));
}
