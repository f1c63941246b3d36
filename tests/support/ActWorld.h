// Fixtures for starting and executing acts: a timed world with walkable
// floors, the spell animations, a recorded map cursor, and a probe act
// whose handler records every request and answers what a test tells it.
#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "Objects/Acts.h"
#include "Objects/ObjRef.h"

namespace fixture {

constexpr std::int8_t FLOOR_COST = 4;        // entry cost of the floor of slot 0
constexpr int FLASH_FRAMES = 6;              // frames of the spell animations 17..20
constexpr std::uint8_t BLOCKING_SLOT = 199;  // a fixitem that blocks sight

// Reset_Timed_World with path and relation arrays, floors that cost
// FLOOR_COST to enter, the anim types 17..20 with FLASH_FRAMES frames, the
// cursor hooks recorded in cursor_shown / cursor_changes, an empty targeting
// state and no held target lists, nobody acting for the AI.
void Reset_Act_World(std::uint32_t width, std::uint32_t height, std::uint32_t levels = 1);

extern std::uint16_t cursor_shown;
extern std::vector<std::uint16_t> cursor_changes;

// A character of the party (lobby 0) with an AI slot, facing 1, full mana.
std::uint16_t Place_Hero(std::uint16_t field, const std::string& name = "Hero");
// A character of another lobby with an AI slot.
std::uint16_t Place_Stranger(std::uint16_t field, const std::string& name = "Orc", std::uint8_t lobby = 4);

struct ActCall {
    obj_ref source, target;
    request_no request;
    RequestValue value;
};

// An act record of its own: its handler records every call and answers
// from `answers` (NO_VALUE for anything else). Live for the test.
class ProbeAct {
  public:
    explicit ProbeAct(std::uint32_t flags, std::uint8_t range = 0, std::uint8_t pattern = 1,
                      std::uint16_t action_points = 2);
    ~ProbeAct();
    ProbeAct(const ProbeAct&) = delete;
    ProbeAct& operator=(const ProbeAct&) = delete;

    act_desc desc;
    std::map<request_no, RequestValue> answers;
    std::vector<ActCall> calls;
    // Called on request 164 after recording it.
    void (*on_hit)(const ActCall&) = nullptr;

    // The calls with request r, in order.
    std::vector<ActCall> Calls(request_no r) const;
    // The targets hit with request r, in order.
    std::vector<obj_ref> Hit(request_no r = REQ_EFFECT_HIT) const;
};

// A one-field list for the field at (x, y) of level 0.
std::uint16_t Field_At(std::uint32_t x, std::uint32_t y);

}  // namespace fixture
