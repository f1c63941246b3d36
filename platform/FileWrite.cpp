#include "platform/FileWrite.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

namespace {

file_written_hook written_hook = nullptr;

void Tell_Written(const std::filesystem::path& path) {
    if (written_hook != nullptr) written_hook(path);
}

// Writes every byte to the open file; the system's error number, or 0.
int Write_All(int fd, const std::uint8_t* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return 0;
}

}  // namespace

bool Write_File_Atomic(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes, file_fault* fault) {
    std::filesystem::path temp = path;
    temp += ".tmp";
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) {
        Set_Fault(fault, path.string(), System_Reason(errno));
        return false;
    }
    int error = Write_All(fd, bytes.data(), bytes.size());
    if (::close(fd) != 0 && error == 0) error = errno;
    if (error != 0) {
        Set_Fault(fault, path.string(), System_Reason(error));
        ::unlink(temp.c_str());
        return false;
    }
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        Set_Fault(fault, path.string(), System_Reason(errno));
        ::unlink(temp.c_str());
        return false;
    }
    Tell_Written(path);
    return true;
}

void Set_File_Written_Hook(file_written_hook hook) { written_hook = hook; }

namespace {

std::filesystem::path Temporary_Of(const std::filesystem::path& path) {
    std::filesystem::path temp = path;
    temp += ".tmp";
    return temp;
}

bool Write_Whole(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) return false;
    const int error = Write_All(fd, bytes.data(), bytes.size());
    return ::close(fd) == 0 && error == 0;
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
        Tell_Written(files[i].path);
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
