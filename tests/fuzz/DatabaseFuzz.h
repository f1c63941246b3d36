// What the database fuzz targets share: message boxes answered with Cancel
// (a consistency report never starts a quit), file images read from the
// fuzzer's bytes, and the staged load's input: the five files one after
// another, each after a u32 length (0xFFFFFFFF: the file is missing).
#pragma once
#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <vector>

#include "datafiles/DatabaseFormat.h"
#include "datafiles/FileReader.h"
#include "datafiles/Hooks.h"
#include "platform/headless/HeadlessBackend.h"

using DatabaseInput = std::array<std::optional<std::vector<std::uint8_t>>, DATABASE_FILES>;

constexpr std::uint32_t MISSING_FILE = 0xFFFFFFFF;

inline bool Quiet_Database_Fuzzing() {
    Headless_Backend().answer = [](const MessageBoxCall&) { return IDCANCEL; };
    Datafiles_Hooks().editor_message = [](const char*) {};
    return true;
}

inline DatabaseInput Split_Database_Input(const std::uint8_t* data, std::size_t size) {
    DatabaseInput files;
    std::size_t at = 0;
    for (auto& file : files) {
        if (size - at < 4) break;
        std::uint32_t length;
        std::memcpy(&length, data + at, 4);
        at += 4;
        if (length == MISSING_FILE) continue;
        const std::size_t n = std::min<std::size_t>(length, size - at);
        file.emplace(data + at, data + at + n);
        at += n;
    }
    return files;
}

inline std::vector<std::uint8_t> Join_Database_Input(const DatabaseInput& files) {
    std::vector<std::uint8_t> out;
    for (const auto& file : files) {
        const std::uint32_t length = file ? static_cast<std::uint32_t>(file->size()) : MISSING_FILE;
        const auto* p = reinterpret_cast<const std::uint8_t*>(&length);
        out.insert(out.end(), p, p + 4);
        if (file) out.insert(out.end(), file->begin(), file->end());
    }
    return out;
}

// Reads one file image with parse(reader).
template <class Parse>
bool Parse_Image(const std::uint8_t* data, std::size_t size, Parse parse) {
    MemoryInput in(data, size);
    FileReader reader(in, size);
    return parse(reader);
}

// A writer's bytes must read again to the same bytes.
template <class Parse, class Write>
void Must_Read_Again(const std::vector<std::uint8_t>& bytes, Parse parse, Write write) {
    if (!Parse_Image(bytes.data(), bytes.size(), parse) || write() != bytes) std::abort();
}
