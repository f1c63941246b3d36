// The relation matrix between AI slots. Minimal stand-in until the AI
// arrays are built: a zeroed square matrix sized by Alloc_Relations.
#include <vector>

#include "Objects/AIData.h"

namespace {
std::vector<std::int8_t> relationarray;
std::uint16_t relation_capacity = 0;
}  // namespace

std::int8_t* Relation_Cell(std::uint16_t a, std::uint16_t b) {
    if (a >= relation_capacity || b >= relation_capacity) return nullptr;
    return &relationarray[static_cast<std::size_t>(a) * relation_capacity + b];
}

void Alloc_Relations(std::uint16_t capacity) {
    relationarray.assign(static_cast<std::size_t>(capacity) * capacity, 0);
    relation_capacity = capacity;
}
