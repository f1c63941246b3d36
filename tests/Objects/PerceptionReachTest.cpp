// What the observers of an act are spared: those too far to see it and out
// of the sound's reach are passed over, which is sound only while no
// modifier kind can lift sight or hearing above the greatest values and no
// kind acts on a notice of what was neither seen nor heard; and an
// observer's act about a seen character is found through an index that
// must follow its list.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "Objects/AIData.h"
#include "Objects/AIDecisions.h"
#include "Objects/Char/Characters.h"
#include "Objects/FieldLists.h"
#include "Objects/Geometry.h"
#include "Objects/Item/Items.h"
#include "Objects/Map.h"
#include "Objects/ModifierKinds.h"
#include "Objects/Modifiers.h"
#include "Objects/ObserverGrid.h"
#include "Objects/Request.h"
#include "Objects/RequestNumbers.h"
#include "Objects/Requests.h"
#include "Objects/Sight.h"
#include "support/ActWorld.h"
#include "support/BattleWorld.h"
#include "support/RecordingHandler.h"
#include "support/TickWorld.h"
#include "support/WorldBuilder.h"

using namespace fixture;

namespace {

constexpr int BATTLE_SOLDIERS = 100;
constexpr int BATTLE_TICKS = 300;

// A character on a field with a fixitem, holding an item, with a modifier
// of the kind on whichever of them the kind may be given to.
std::uint16_t Char_With_Kind(std::uint32_t kind) {
    const std::uint16_t field = Field_At(5, 5);
    const std::uint16_t c = Place_Stranger(field, "Viewer");
    const std::uint16_t item = Give_Item(c, Add_Item_Type("Ring", CLASS_SWORD), SLOT_RIGHT_HAND);
    const std::uint8_t owners = mod_types[kind].owner_mask;
    if (owners & MO_CHARS) Add_Modifier(0, Char_Ref(c), kind, 1, 1, 1, 1);
    if (owners & MO_ITEMS) Add_Modifier(0, Item_Ref(item), kind, 1, 1, 1, 1);
    if (owners & MO_FIXITEMS) Add_Modifier(0, Fix_Ref(field), kind, 1, 1, 1, 1);
    return c;
}

// Tells character c of a hostile step by walker, seen and heard at the
// distance (NO_DISTANCE: neither).
void Tell_Of_Hostile_Step(std::uint16_t c, obj_ref walker, std::int32_t distance) {
    perception_record record{
        walker, walker, &step_act, 0, NOTICE_HOSTILE, ACT_HOSTILE, distance, distance, chararray.records[c].ai_slot,
        nullptr};
    record.slot_record = &iqarray.records[record.slot];
    Object_Request(Char_Ref(c), Char_Ref(c), 0, REQ_NOTICE_STEP, Pointer_Value(&record));
}

TEST(PerceptionReach, NoKindLiftsSightOrHearingAboveTheGreatestOrHeedsAnUnperceivedNotice) {
    for (std::uint32_t kind = 1; kind < MOD_KIND_COUNT; ++kind) {
        Reset_Act_World(12, 12);
        const std::uint16_t c = Char_With_Kind(kind);
        const obj_ref o = Char_Ref(c);
        EXPECT_LE(Object_Request(o, o, 0, REQ_SIGHT, NO_VALUE), Greatest_Sight()) << mod_types[kind].name;
        EXPECT_LE(Object_Request(o, o, 0, REQ_PERCENT, NO_VALUE), Greatest_Hearing()) << mod_types[kind].name;

        const std::uint16_t other = Place_Stranger(Field_At(9, 9), "Walker");
        const std::string before = World_Snapshot();
        Tell_Of_Hostile_Step(c, Char_Ref(other), NO_DISTANCE);
        EXPECT_TRUE(before == World_Snapshot()) << mod_types[kind].name;
    }
}

// The sight costs of every field as a viewer finds them.
std::vector<std::int32_t> Sight_Costs(obj_ref viewer) {
    std::vector<std::int32_t> costs;
    for (std::uint16_t f = 0; f < total_fields; ++f) costs.push_back(Field_Sight_Cost(viewer, Fix_Ref(f)));
    return costs;
}

// What lets the observers' loop take a character's facing from its record
// and keep the sight cost of a field while it runs.
TEST(PerceptionReach, NoKindAnswersFacingOrCoverByWhoAsksOrChangesSightCostsOnANotice) {
    for (std::uint32_t kind = 1; kind < MOD_KIND_COUNT; ++kind) {
        Reset_Act_World(12, 12);
        const std::uint16_t c = Char_With_Kind(kind);
        const obj_ref o = Char_Ref(c);
        chararray.records[c].facing = 3;
        const std::uint16_t other = Place_Stranger(Field_At(6, 5), "Walker");
        const obj_ref walker = Char_Ref(other);
        const std::string before = World_Snapshot();
        EXPECT_EQ(Object_Request(o, o, 0, REQ_FACING, NO_VALUE), 3) << mod_types[kind].name;
        EXPECT_EQ(Ask(o, o, REQ_COVER), Ask(walker, o, REQ_COVER)) << mod_types[kind].name;
        EXPECT_EQ(Ask(NOOBJ, o, REQ_COVER), Ask(walker, o, REQ_COVER)) << mod_types[kind].name;
        EXPECT_TRUE(before == World_Snapshot()) << mod_types[kind].name;

        const std::vector<std::int32_t> costs = Sight_Costs(walker);
        Tell_Of_Hostile_Step(c, walker, 1);
        EXPECT_EQ(Sight_Costs(walker), costs) << mod_types[kind].name;
    }
}

std::string Battle_End(bool every_observer_asked) {
    // A kind no soldier carries, stood in by a handler that passes every
    // question on: nothing changes but that every observer is asked and told.
    std::unique_ptr<ScopedHandler> stand_in;
    if (every_observer_asked)
        stand_in = std::make_unique<ScopedHandler>(MK_CHARM, [](const HandlerCall& call) { return call.value; });
    Build_Battle(BATTLE_SOLDIERS);
    for (int t = 0; t < BATTLE_TICKS; ++t) Main_Tick();
    EXPECT_EQ(World_Problems(), std::vector<std::string>{});
    return World_Snapshot();
}

TEST(PerceptionReach, PassingOverFarObserversEndsTheBattleAsAskingEveryone) {
    const std::string asking_everyone = Battle_End(true);
    EXPECT_TRUE(asking_everyone == Battle_End(false));
}

TEST(PerceptionReach, ASeenCharacterIsNotedInItsFirstActInListOrder) {
    Reset_Act_World(12, 12);
    const std::uint16_t watcher = Place_Stranger(Field_At(2, 2), "Watcher");
    const std::uint16_t seen = Place_Stranger(Field_At(4, 2), "Seen");
    const std::uint16_t slot = chararray.records[watcher].ai_slot;
    const obj_ref target = Char_Ref(seen);

    // An attack on it first, then an act of awareness of it.
    const std::uint16_t attack = Add_Act(slot, ACT_ATTACK, target, 0, 0, 20);
    Note_Seen_Object(slot, target);
    EXPECT_EQ(Act_List(slot), "6:20 11:10");
    Note_Seen_Object(slot, target);
    EXPECT_EQ(Act_List(slot), "6:20 11:11");

    // The attack reset becomes awareness of the same character, ahead of
    // the other: it is the one noted from now on.
    Reset_Act(attack);
    EXPECT_EQ(Act_List(slot), "11:1 11:11");
    Note_Seen_Object(slot, target);
    EXPECT_EQ(Act_List(slot), "11:2 11:11");

    // Taken away, the list starts afresh; a user command cleared is no
    // longer an act about anyone the watcher sees.
    Take_Acts(slot);
    const std::uint16_t command = Add_Act(slot, ACT_RELATION | ACT_USER_COMMAND, target, 0, 0, 30);
    Note_Seen_Object(slot, target);
    EXPECT_EQ(Act_List(slot), "11:31");
    EXPECT_EQ(actarray.records[command].priority, 31);
    Clear_Negative_Acts(slot);
    Note_Seen_Object(slot, target);
    EXPECT_EQ(Act_List(slot), "11:10 0:0");
    Note_Seen_Object(slot, target);
    EXPECT_EQ(Act_List(slot), "11:11 0:0");
}

TEST(PerceptionReach, TheGridFollowsThinkingObjectsThatMoveEnterAndLeave) {
    Reset_Act_World(30, 30);
    std::vector<std::uint16_t> chars;
    // One to a bucket of fields.
    for (std::uint32_t i = 0; i < 4; ++i) chars.push_back(Place_Stranger(Field_At(2 + 8 * i, 3), "O"));
    Observer_Grid_Problems();  // nothing built yet
    std::vector<std::uint16_t> near;
    Observers_Near(Field_At(2, 3), 1, 0, near);
    EXPECT_EQ(near.size(), 1u);
    // Moved across buckets, freed and new: the grid keeps up.
    Remove_Object(Char_Ref(chars[0]));
    Put_Object_To_Field(Char_Ref(chars[0]), Field_At(25, 25));
    Free_IQ_Slot(chararray.records[chars[1]].ai_slot);
    Place_Stranger(Field_At(3, 3), "New");
    EXPECT_EQ(Observer_Grid_Problems(), std::vector<std::uint16_t>{});
    near.clear();
    Observers_Near(Field_At(2, 3), 1, 0, near);
    ASSERT_EQ(near.size(), 1u);
    EXPECT_EQ(Obj_Index(iqarray.records[near[0]].object), chars.back() + 1u);
    // A new map of another size: built anew when next asked.
    Reset_Act_World(8, 8);
    const std::uint16_t alone = Place_Stranger(Field_At(7, 7), "Alone");
    near.clear();
    Observers_Near(Field_At(0, 0), 7, 0, near);
    ASSERT_EQ(near.size(), 1u);
    EXPECT_EQ(iqarray.records[near[0]].object, Char_Ref(alone));
}

}  // namespace
