// A world built in memory plays by itself: a party of three and five
// monsters with their programs on a 20 x 20 map, first in real time, then
// round by round in turn mode with a scripted player.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Objects/AIData.h"
#include "Objects/Acts.h"
#include "Objects/Char/Characters.h"
#include "Objects/Char/Party.h"
#include "Objects/CharTick.h"
#include "Objects/Effects.h"
#include "Objects/FieldLists.h"
#include "Objects/GameClock.h"
#include "Objects/Geometry.h"
#include "Objects/Item/Items.h"
#include "Objects/Map.h"
#include "Objects/ModifierKinds.h"
#include "Objects/Request.h"
#include "Objects/Turns.h"
#include "System/Random.h"
#include "platform/headless/HeadlessBackend.h"
#include "support/ActWorld.h"
#include "support/PathWorld.h"
#include "support/TickWorld.h"
#include "support/WorldBuilder.h"

using namespace fixture;

namespace {

constexpr int REAL_TIME_TICKS = 2000;
constexpr std::uint32_t TURN_MODE_ROUNDS = 20;
constexpr int TURN_MODE_TICK_LIMIT = 60000;
constexpr int STALL_TICKS = 30;  // a leader that gets nowhere this long is told to guard
constexpr std::int32_t ATTACK_WITHIN = 6;

struct Cast {
    std::vector<std::uint16_t> party, monsters;
};

Cast Build_World(unsigned seed) {
    Reset_Tick_World(20, 20);
    Seed_Random(seed);
    Draw_Level({
        "....................", "....................", ".......#............", ".......#.....###....",
        ".......#............", "....................", "..........#.........", "..........#.........",
        "....##....#.........", "....................", "....................", "...........##.......",
        "....................", "......#.............", "......#.............", "....................",
        "..............#.....", "..............#.....", "....................", "....................",
    });
    const std::uint16_t sword = Add_Item_Type("Sword", CLASS_SWORD, 6);
    item_types[sword].damage_min = 2;
    item_types[sword].damage_max = 7;

    Cast cast;
    const std::uint16_t main = Place_Char(Field_At(2, 2), Char_Template("Leader", 0));
    Give_Program(main, MK_MAIN_CHAR);
    Alloc_IQ_Slot(Char_Ref(main));
    Give_Item(main, sword, SLOT_RIGHT_HAND);
    cast.party = {main, Place_Hero(Field_At(3, 2), "Second"), Place_Hero(Field_At(2, 3), "Third")};

    const std::uint16_t wanderer = Place_Stranger(Field_At(9, 7), "Wanderer");
    Give_Program(wanderer, MK_BASIC_MONSTER, 0, 0, 0, 15);
    const std::uint16_t prowler = Place_Stranger(Field_At(11, 2), "Prowler");
    Give_Program(prowler, MK_BASIC_MONSTER, 0, 0, 0, 15);
    const std::uint16_t swordsman = Place_Stranger(Field_At(6, 6), "Swordsman");
    Give_Program(swordsman, MK_BASIC_MONSTER, 0, 0, 0, 15);
    Give_Item(swordsman, sword, SLOT_RIGHT_HAND);
    const std::uint16_t patrol = Place_Stranger(Field_At(5, 15), "Patrol");
    Give_Program(patrol, MK_MOVING_GUARD, Field_At(5, 15), Field_At(14, 15), 20, 0);
    const std::uint16_t sentry = Place_Stranger(Field_At(10, 10), "Sentry");
    Give_Program(sentry, MK_STANDING_GUARD, 0, 0, 30, 0);
    cast.monsters = {wanderer, prowler, swordsman, patrol, sentry};
    return cast;
}

bool Active(std::uint16_t c) { return Object_Request(Char_Ref(c), Char_Ref(c), 0, REQ_ACTIVE, 0) != 0; }

bool Has_Command(std::uint16_t c) {
    const std::uint16_t slot = chararray.records[c].ai_slot;
    for (std::uint16_t a = iqarray.records[slot].first_act; a < actarray.Capacity(); a = actarray.records[a].next)
        if (actarray.records[a].type & ACT_USER_COMMAND) return true;
    return false;
}

// The player in turn mode: the leading party member attacks the nearest
// monster close by, or else guards; one that gets nowhere guards.
class Scripted_Player {
  public:
    explicit Scripted_Player(const Cast& cast) : cast_(cast) {}

    void Before_Tick() {
        if (selected_count == 0 || !Is_Active_Player_Char(current_object)) return;
        const std::uint16_t c = Obj_Index(current_object);
        const char_record& r = chararray.records[c];
        const Mark mark{c, r.action_points, r.x, r.y, r.state};
        stalled_ = mark == last_ ? stalled_ + 1 : 0;
        last_ = mark;
        if (Has_Command(c) && stalled_ < STALL_TICKS) return;
        const bool stuck = stalled_ >= STALL_TICKS;
        stalled_ = 0;
        const std::uint16_t target = stuck ? NO_INDEX : Nearest_Monster(c);
        if (target != NO_INDEX)
            Command_Char(c, ACT_ATTACK, OBJ_CHAR, target, 0, 0, -1);
        else
            Command_Char(c, ACT_START, OBJ_NONE, NO_INDEX, Act_Handle(&guard_act), 0, -1);
    }

  private:
    struct Mark {
        std::uint16_t c;
        std::int16_t points, x, y;
        std::uint16_t state;
        bool operator==(const Mark&) const = default;
    };

    std::uint16_t Nearest_Monster(std::uint16_t c) const {
        std::uint16_t best = NO_INDEX;
        std::int32_t best_distance = ATTACK_WITHIN + 1;
        for (std::uint16_t m : cast_.monsters) {
            if (!Active(m)) continue;
            const std::int32_t d = Field_Distance(Object_Field(Char_Ref(c)), Object_Field(Char_Ref(m)));
            if (d < best_distance) {
                best_distance = d;
                best = m;
            }
        }
        return best;
    }

    const Cast& cast_;
    Mark last_{NO_INDEX, 0, 0, 0, 0};
    int stalled_ = 0;
};

// Every field reserved by the blocked bit is the destination of a step that
// has not crossed into it yet, and every such destination is reserved.
std::vector<std::string> Reservation_Problems() {
    std::vector<std::string> out;
    std::vector<bool> stepping_into(total_fields, false);
    for (std::uint16_t c = 0; c < chararray.Capacity(); ++c)
        if (Char_In_Use(c) && chararray.records[c].state == CS_STEPPING &&
            chararray.records[c].target < static_cast<std::uint32_t>(STEP_CROSSING))
            stepping_into[chararray.records[c].act & 0xFFFF] = true;
    for (std::uint32_t f = 0; f < total_fields; ++f)
        if (((mapfield[f] & MF_BLOCKED) != 0) != stepping_into[f])
            out.push_back("field " + std::to_string(f) + " reserved wrongly");
    return out;
}

struct Outcome {
    std::string snapshot;
    int fallen = 0;
};

void Expect_Sound_World(const char* when) {
    for (const MessageBoxCall& box : Headless_Backend().boxes) ADD_FAILURE() << when << ": " << box.caption;
    for (const std::string& p : World_Problems()) ADD_FAILURE() << when << ": " << p;
    for (const std::string& p : Reservation_Problems()) ADD_FAILURE() << when << ": " << p;
}

Outcome Play(unsigned seed) {
    const Cast cast = Build_World(seed);
    Outcome out;
    for (int t = 0; t < REAL_TIME_TICKS; ++t) Main_Tick();
    Expect_Sound_World("real time");

    Enter_Turn_Mode();
    Scripted_Player player(cast);
    const std::uint32_t end = game_clock + TURN_MODE_ROUNDS * ROUND_TICKS;
    for (int t = 0; t < TURN_MODE_TICK_LIMIT && game_clock < end; ++t) {
        player.Before_Tick();
        Main_Tick();
    }
    EXPECT_GE(game_clock, end) << "the rounds did not pass";
    Expect_Sound_World("turn mode");
    for (std::uint16_t c = 0; c < chararray.Capacity(); ++c)
        if (Char_In_Use(c) && !Active(c)) ++out.fallen;
    out.snapshot = World_Snapshot();
    return out;
}

TEST(WorldPlay, APartyAndFiveMonstersPlayInRealTimeAndInTurnsAndTheSameSeedPlaysTheSame) {
    const Outcome first = Play(1234);
    const Outcome again = Play(1234);
    EXPECT_TRUE(first.snapshot == again.snapshot) << "two runs of the same seed differ";
    EXPECT_EQ(first.fallen, again.fallen);
    // Something happened: fights were fought, and another seed plays otherwise.
    EXPECT_GT(first.fallen, 0);
    const Outcome other = Play(99);
    EXPECT_FALSE(first.snapshot == other.snapshot);
}

}  // namespace
