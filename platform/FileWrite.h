// Writing a whole file safely: a temporary file beside the target, renamed
// over it only after a complete, checked write.
#pragma once
#include <cstdint>
#include <filesystem>
#include <vector>

#include "platform/FileFault.h"

// False when the file could not be written whole; the temporary is then
// removed and fault names the file (path) and the system's reason ("No
// space left on device", "File too large").
bool Write_File_Atomic(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes,
                       file_fault* fault = nullptr);

// Several files that belong together: each is written to a temporary beside
// it, and only when every temporary is complete are they renamed over their
// targets. False when one could not be written (its index in failed), with
// every temporary removed and every target as it was.
struct FileImage {
    std::filesystem::path path;
    const std::vector<std::uint8_t>* bytes;
};
bool Write_Files_Atomic(const std::vector<FileImage>& files, std::size_t& failed);

// Called with the path of each file once it stands complete in place (a
// test watches in which order files are written). None by default; nullptr
// removes it.
using file_written_hook = void (*)(const std::filesystem::path& path);
void Set_File_Written_Hook(file_written_hook hook);

// Little-endian appenders for building file images.
void Put_U8(std::vector<std::uint8_t>& out, unsigned value);
void Put_U16(std::vector<std::uint8_t>& out, unsigned value);
void Put_U32(std::vector<std::uint8_t>& out, std::uint32_t value);
void Put_Bytes(std::vector<std::uint8_t>& out, const void* data, std::size_t size);
void Set_U16(std::vector<std::uint8_t>& out, std::size_t at, unsigned value);
void Set_U32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t value);
