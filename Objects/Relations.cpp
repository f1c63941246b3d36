// The relation matrix between AI slots and the lobby table that seeds it.
#include <algorithm>

#include "Objects/AIData.h"
#include "Objects/Char/Party.h"
#include "Objects/Request.h"

RelationArray relationarray;

namespace {

// The lobby table's value; a lobby outside 0..39 has no entry and reads 0.
std::int8_t Lobby_Relation(RequestValue a, RequestValue b) {
    if (a < 0 || a >= LOBBY_COUNT || b < 0 || b >= LOBBY_COUNT) return 0;
    return lobby_relations[a][b];
}

RequestValue Lobby_Of(obj_ref object) { return Ask_Self(object, REQ_LOBBY); }

}  // namespace

// Only lobbies 0 to 6 have values; every other entry is 0.
const std::int8_t lobby_relations[LOBBY_COUNT][LOBBY_COUNT] = {
    {100, 0, 0, 0, -15, -15, 0},  {-50, 80, -50, -50, -50, -50, 0}, {20, 0, 60, 20, -90, -15, 0},
    {20, 0, 20, 50, -90, -15, 0}, {-30, 0, -50, 0, 60, 10, 0},      {-60, 0, 0, 0, 10, 60, 0},
    {-45, 0, 0, 0, 0, 0, 10},
};

std::int8_t* Relation_Cell(std::uint16_t a, std::uint16_t b) {
    if (a >= relationarray.capacity || b >= relationarray.capacity) return nullptr;
    return &relationarray.cells[static_cast<std::size_t>(a) * relationarray.capacity + b];
}

std::int8_t Compute_Relation(std::uint16_t a, std::uint16_t b) {
    std::int8_t* cell = Relation_Cell(a, b);
    if (cell == nullptr || !IQ_Slot_In_Use(a) || !IQ_Slot_In_Use(b)) return 0;
    const obj_ref oa = iqarray.records[a].object;
    const obj_ref ob = iqarray.records[b].object;
    const RequestValue lobby_a = Lobby_Of(oa);
    const RequestValue lobby_b = Ask(oa, ob, REQ_LOBBY);
    const RequestValue bonus = Object_Request(ob, oa, 0, REQ_RELATION_BONUS, 0);
    *cell = static_cast<std::int8_t>(std::clamp<RequestValue>(Lobby_Relation(lobby_a, lobby_b) + bonus, -128, 127));
    return *cell;
}

bool Is_Hostile(std::uint16_t a, std::uint16_t b) {
    const std::int8_t* cell = Relation_Cell(a, b);
    return cell != nullptr && *cell < HOSTILE_BELOW;
}

void Update_Relations_To(std::uint16_t slot) {
    for (std::uint16_t s = 0; s < iqarray.used; ++s)
        if (IQ_Slot_In_Use(s)) Compute_Relation(s, slot);
}

void Update_Relations_From(std::uint16_t slot) {
    for (std::uint16_t s = 0; s < iqarray.used; ++s)
        if (IQ_Slot_In_Use(s)) Compute_Relation(slot, s);
}

std::int32_t Relation_To_Main_Char(obj_ref object) {
    if (main_char == NO_INDEX || main_char_slot == NO_INDEX) return Lobby_Relation(Lobby_Of(object), 0);
    const std::uint16_t slot = Object_IQ_Slot(object);
    if (slot == main_char_slot) return MAIN_CHAR_RELATION;
    const std::int8_t* cell = Relation_Cell(slot, main_char_slot);
    return cell != nullptr ? *cell : 0;
}
