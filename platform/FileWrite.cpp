#include "platform/FileWrite.h"

#include <fstream>
#include <system_error>

bool Write_File_Atomic(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::filesystem::path temp = path;
    temp += ".tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out) return false;
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            std::error_code ignored;
            std::filesystem::remove(temp, ignored);
            return false;
        }
    }
    std::error_code ec;
    std::filesystem::rename(temp, path, ec);
    if (ec) {
        std::filesystem::remove(temp, ec);
        return false;
    }
    return true;
}

namespace {

std::filesystem::path Temporary_Of(const std::filesystem::path& path) {
    std::filesystem::path temp = path;
    temp += ".tmp";
    return temp;
}

bool Write_Whole(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return static_cast<bool>(out);
}

}  // namespace

bool Write_Files_Atomic(const std::vector<FileImage>& files, std::size_t& failed) {
    std::error_code ec;
    auto remove_temporaries = [&](std::size_t upto) {
        for (std::size_t k = 0; k <= upto && k < files.size(); ++k)
            std::filesystem::remove(Temporary_Of(files[k].path), ec);
    };
    for (std::size_t i = 0; i < files.size(); ++i) {
        // A target that is a folder could not be renamed over later.
        if (std::filesystem::is_directory(files[i].path, ec) ||
            !Write_Whole(Temporary_Of(files[i].path), *files[i].bytes)) {
            failed = i;
            remove_temporaries(i);
            return false;
        }
    }
    for (std::size_t i = 0; i < files.size(); ++i) {
        std::filesystem::rename(Temporary_Of(files[i].path), files[i].path, ec);
        if (ec) {
            failed = i;
            for (std::size_t k = i; k < files.size(); ++k) std::filesystem::remove(Temporary_Of(files[k].path), ec);
            return false;
        }
    }
    return true;
}

void Put_U8(std::vector<std::uint8_t>& out, unsigned value) { out.push_back(static_cast<std::uint8_t>(value)); }

void Put_U16(std::vector<std::uint8_t>& out, unsigned value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void Put_U32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    Put_U16(out, value & 0xFFFF);
    Put_U16(out, value >> 16);
}

void Put_Bytes(std::vector<std::uint8_t>& out, const void* data, std::size_t size) {
    const auto* p = static_cast<const std::uint8_t*>(data);
    out.insert(out.end(), p, p + size);
}

void Set_U16(std::vector<std::uint8_t>& out, std::size_t at, unsigned value) {
    out[at] = static_cast<std::uint8_t>(value);
    out[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

void Set_U32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t value) {
    Set_U16(out, at, value & 0xFFFF);
    Set_U16(out, at + 2, value >> 16);
}
