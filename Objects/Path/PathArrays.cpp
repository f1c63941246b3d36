// The path search's work arrays, shared with the reach, flight and sound
// floods, and the array of the found path.
#include "Objects/PathSearch.h"

#include <algorithm>
#include <new>

#include "Objects/Map.h"
#include "Objects/Path/PathWork.h"
#include "System/ErrorReport.h"

std::vector<std::uint32_t> path_nodes;
std::vector<std::uint8_t> field_cost;
std::vector<std::uint16_t> path_queue;
std::uint16_t path_queue_count = 0;

std::vector<std::uint32_t> pathdirs;
std::uint16_t pathdirs_capacity = 0;
std::uint16_t path_count = 0;
std::uint16_t path_cost = 0;

std::vector<std::uint8_t> danger_map;

namespace {
std::uint32_t path_nodes_generation = 0;
}

void Clear_Path_Nodes() {
    std::fill(path_nodes.begin(), path_nodes.end(), 0);
    ++path_nodes_generation;
}

std::uint32_t Path_Nodes_Generation() { return path_nodes_generation; }

void Init_Path_Arrays() {
    ++path_nodes_generation;
    try {
        path_nodes.assign(total_fields, 0);
        field_cost.assign(total_fields, 0);
        path_queue.assign(total_fields, 0);
        danger_map.assign(total_fields, 0);
    } catch (const std::bad_alloc&) {
        path_nodes.clear();
        field_cost.clear();
        path_queue.clear();
        danger_map.clear();
    }
    path_queue_count = 0;
    path_count = 0;
    path_cost = 0;
    try {
        pathdirs.assign(PATHDIRS_START, 0);
        pathdirs_capacity = PATHDIRS_START;
    } catch (const std::bad_alloc&) {
        pathdirs.clear();
        pathdirs_capacity = 0;
        Error_Query_Quit("Can't allocate pathdirs!");
    }
}

void Free_Path_Arrays() {
    ++path_nodes_generation;
    for (auto* v : {&path_nodes, &pathdirs}) {
        v->clear();
        v->shrink_to_fit();
    }
    for (auto* v : {&field_cost, &danger_map}) {
        v->clear();
        v->shrink_to_fit();
    }
    path_queue.clear();
    path_queue.shrink_to_fit();
    path_queue_count = 0;
    pathdirs_capacity = 0;
    path_count = 0;
}

bool Path_Arrays_Ready() {
    return total_fields > 0 && path_nodes.size() == total_fields && field_cost.size() == total_fields &&
           path_queue.size() == total_fields && danger_map.size() == total_fields;
}

bool Grow_Pathdirs() {
    const std::uint32_t grown = static_cast<std::uint32_t>(pathdirs_capacity) + PATHDIRS_STEP;
    if (grown > 0xFFFF) {
        Error_Query_Quit("Unsuccesfull pathdir realloc!");
        return false;
    }
    try {
        pathdirs.resize(grown);
    } catch (const std::bad_alloc&) {
        Error_Query_Quit("Unsuccesfull pathdir realloc!");
        return false;
    }
    pathdirs_capacity = static_cast<std::uint16_t>(grown);
    return true;
}
