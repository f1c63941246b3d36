// A working folder of its own for each test, the editor's status line
// recorded, and a byte-for-byte snapshot of every array and global a map
// file holds, taken straight from the world.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include <unistd.h>

#include "Objects/AIData.h"
#include "Objects/Char/Characters.h"
#include "Objects/Char/Party.h"
#include "Objects/CharTick.h"
#include "Objects/GameClock.h"
#include "Objects/Item/Items.h"
#include "Objects/Map.h"
#include "Objects/MapAnims.h"
#include "Objects/Modifiers.h"
#include "datafiles/Hooks.h"
#include "datafiles/ItemData.h"
#include "platform/PathResolver.h"
#include "platform/headless/HeadlessBackend.h"

namespace fixture {

using Bytes = std::vector<std::uint8_t>;

template <class T>
void Append(Bytes& out, const T* p, std::size_t n) {
    const auto* b = reinterpret_cast<const std::uint8_t*>(p);
    out.insert(out.end(), b, b + n * sizeof(T));
}
template <class T>
void Append(Bytes& out, const T& v) {
    Append(out, &v, 1);
}
template <class T>
void Append(Bytes& out, const std::vector<T>& v) {
    Append(out, v.data(), v.size());
}

// Every array and global of the world that a map file holds, by name.
inline std::map<std::string, Bytes> World_Snapshot() {
    std::map<std::string, Bytes> s;
    for (std::uint32_t v : {map_width, map_height, map_levels, fields_per_level, total_fields})
        Append(s["geometry"], v);
    Append(s["view"], scroll_x);
    Append(s["view"], scroll_y);
    Append(s["view"], shown_level);
    for (std::uint32_t v : {turn_mode, clock_step, game_speed}) Append(s["speed"], v);
    Append(s["maparray"], maparray.records);
    Append(s["maparray"], maparray.first_free);
    Append(s["fixitem_types"], fixitem_types, FIXITEM_SLOTS);
    Append(s["mapfield"], mapfield);
    Append(s["anim state"], anim_wait);
    Append(s["anim state"], anim_cycle);
    Append(s["mapanim"], mapanim.records);
    Append(s["mapanim"], mapanim.first_free);
    Append(s["animated_fixitems"], animated_fixitems.records);
    Append(s["animated_fixitems"], animated_fixitems.first_free);
    Append(s["animated_fixitems"], animated_fixitems.active);
    Append(s["anim_types"], anim_types, ANIM_TYPE_COUNT);
    Append(s["itemarray"], itemarray.records);
    Append(s["itemarray"], itemarray.first_free);
    Append(s["chararray"], chararray.records);
    Append(s["chararray"], chararray.first_free);
    Append(s["mod_array"], mod_array.records);
    Append(s["mod_array"], mod_array.first_free);
    Append(s["global_modifiers"], global_modifiers);
    Append(s["selection"], selected_count);
    Append(s["selection"], selected);
    Append(s["selection"], select_groups);
    Append(s["selection"], page_char);
    Append(s["selection"], decision_budget);
    Append(s["selection"], tick_cursor);
    Append(s["actarray"], actarray.records);
    Append(s["actarray"], actarray.first_free);
    Append(s["iqarray"], iqarray.records);
    Append(s["iqarray"], iqarray.used);
    Append(s["iqarray"], iqarray.free_count);
    Append(s["iqarray"], iqarray.free_stack);
    for (std::uint16_t v : {main_char, main_char_slot}) Append(s["party"], v);
    for (std::uint32_t v : {player_count, portrait_offset}) Append(s["party"], v);
    Append(s["party"], player_chars);
    Append(s["relations"], relationarray.cells);
    Append(s["relations"], relationarray.capacity);
    return s;
}

// The names of the parts that differ.
inline std::string Snapshot_Differences(const std::map<std::string, Bytes>& a, const std::map<std::string, Bytes>& b) {
    std::string out;
    for (const auto& [name, bytes] : a)
        if (b.at(name) != bytes) out += name + " ";
    return out;
}

inline Bytes File_Bytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

inline void Write_Bytes(const std::filesystem::path& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

class DataFolderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        static int counter = 0;
        folder_ = std::filesystem::temp_directory_path() /
                  ("orvex-datafiles-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
        Set_Working_Folder(folder_);
        messages().clear();
        Datafiles_Hooks() = DatafilesHooks{};
        Datafiles_Hooks().editor_message = [](const char* text) { messages().push_back(text); };
    }
    void TearDown() override {
        Datafiles_Hooks() = DatafilesHooks{};
        Set_Working_Folder({});
        std::filesystem::remove_all(folder_);
    }

    static std::vector<std::string>& messages() {
        static std::vector<std::string> m;
        return m;
    }
    std::filesystem::path Path(const std::string& name) const { return folder_ / name; }

    std::filesystem::path folder_;
};

}  // namespace fixture
