// AI slots, act lists, the act pool and relations.
#include <gtest/gtest.h>

#include <vector>

#include "Objects/AIData.h"
#include "Objects/Char/Characters.h"
#include "Objects/Char/Party.h"
#include "Objects/FieldLists.h"
#include "Objects/GameClock.h"
#include "Objects/Map.h"
#include "Objects/Modifiers.h"
#include "support/RecordingHandler.h"
#include "support/WorldBuilder.h"

using namespace fixture;

namespace {

class AIData : public ::testing::Test {
  protected:
    void SetUp() override { Reset_World(20, 10); }

    std::uint16_t Thinker(int x, std::uint8_t lobby = 0, std::uint16_t flags = 0) {
        char_record t = Char_Template("T", lobby);
        t.flags = flags;
        const std::uint16_t c = Place_Char(Field_Index(x, 0, 0), t);
        Alloc_IQ_Slot(Char_Ref(c));
        return c;
    }
    std::uint16_t Slot(std::uint16_t c) const { return chararray.records[c].ai_slot; }

    // (priority, arg1) of the slot's list in order.
    static std::vector<std::pair<std::int32_t, std::uint32_t>> List(std::uint16_t slot) {
        std::vector<std::pair<std::int32_t, std::uint32_t>> out;
        for (std::uint16_t a = iqarray.records[slot].first_act; a != NO_INDEX; a = actarray.records[a].next)
            out.push_back({std::int32_t{actarray.records[a].priority}, std::uint32_t{actarray.records[a].arg1}});
        return out;
    }
    static std::size_t Free_Acts() {
        std::size_t n = 0;
        for (std::uint16_t a = actarray.first_free; a < actarray.Capacity(); a = actarray.records[a].next) ++n;
        return n;
    }
};

TEST_F(AIData, InitSizesTheArraysFromTheCharactersAndChainsThePool) {
    EXPECT_EQ(iqarray.Capacity(), chararray.Capacity() + 16);
    EXPECT_EQ(iqarray.used, 0);
    EXPECT_EQ(actarray.Capacity(), iqarray.Capacity() * 16);
    EXPECT_EQ(actarray.first_free, 0);
    EXPECT_EQ(Free_Acts(), actarray.Capacity());
    EXPECT_EQ(actarray.records[actarray.Capacity() - 1].next, actarray.Capacity());
    EXPECT_EQ(relationarray.capacity, iqarray.Capacity());
    EXPECT_EQ(relationarray.cells.size(), std::size_t{iqarray.Capacity()} * iqarray.Capacity());
    EXPECT_EQ(main_char, NO_INDEX);
    EXPECT_EQ(main_char_slot, NO_INDEX);
}

TEST_F(AIData, InitRegistersLiveCharactersAfterADeletedOne) {
    const std::uint16_t a = Place_Char(Field_Index(1, 0, 0));
    const std::uint16_t b = Place_Char(Field_Index(2, 0, 0));
    const std::uint16_t c = Place_Char(Field_Index(3, 0, 0));
    Destroy_Object(Char_Ref(a));  // its record heads the free list now
    ASSERT_EQ(chararray.first_free, a);
    Init_AI_Arrays();
    EXPECT_EQ(iqarray.used, 2);
    EXPECT_EQ(iqarray.records[Slot(b)].object, Char_Ref(b));
    EXPECT_EQ(iqarray.records[Slot(c)].object, Char_Ref(c));
    EXPECT_EQ(chararray.records[c].state, CS_DECIDING);
    EXPECT_EQ(player_count, 2u);
}

TEST_F(AIData, InitRegistersFixitemsThatThink) {
    Set_Fixitem_Type(7, LAYER_WALL);
    const std::uint16_t plain = Place_Fixitem(Field_Index(4, 4, 0), 7);
    const std::uint16_t clever = Place_Fixitem(Field_Index(5, 4, 0), 7);
    Add_Modifier(0, Fix_Ref(clever), MK_HASTE, 0, 0, 0, 0);
    ScopedHandler iq(MK_HASTE, [](const HandlerCall& call) { return call.request == REQ_IQ ? 5 : call.value; });
    Init_AI_Arrays();
    ASSERT_EQ(iqarray.used, 1);
    EXPECT_EQ(iqarray.records[0].object, Fix_Ref(clever));
    (void)plain;
}

TEST_F(AIData, ALaterActOfEqualPriorityStandsFirst) {
    const std::uint16_t s = Slot(Thinker(1));
    struct Case {
        std::int32_t priority;
        std::uint32_t tag;
    };
    for (Case k : {Case{7, 1}, Case{7, 2}, Case{9, 3}, Case{3, 4}, Case{7, 5}, Case{3, 6}, Case{1, 7}}) {
        const std::uint16_t a = Alloc_Act(s, k.priority);
        actarray.records[a].arg1 = k.tag;
    }
    using P = std::pair<std::int32_t, std::uint32_t>;
    EXPECT_EQ(List(s), (std::vector<P>{{9, 3}, {7, 5}, {7, 2}, {7, 1}, {3, 6}, {3, 4}, {1, 7}}));
}

TEST_F(AIData, AnActIsStampedWithTheClock) {
    const std::uint16_t s = Slot(Thinker(1));
    game_clock = 12345;
    const std::uint16_t a = Add_Act(s, ACT_GO, Fix_Ref(3), 4, 5, 6);
    const act_entry& e = actarray.records[a];
    EXPECT_EQ(e.time, 12345u);
    EXPECT_EQ(e.type, ACT_GO);
    EXPECT_EQ(e.target, Fix_Ref(3));
    EXPECT_EQ(e.arg1, 4u);
    EXPECT_EQ(e.arg2, 5u);
    EXPECT_EQ(e.priority, 6);
}

TEST_F(AIData, TakeActsCopiesAHundredAndReturnsTheWholeList) {
    const std::uint16_t s = Slot(Thinker(1));
    const std::size_t free_before = Free_Acts();
    for (int i = 0; i < 120; ++i) actarray.records[Alloc_Act(s, 120 - i)].arg1 = static_cast<std::uint32_t>(i);
    EXPECT_EQ(Free_Acts(), free_before - 120);
    Take_Acts(s);
    EXPECT_EQ(act_buffer.count, 100);
    EXPECT_EQ(act_buffer.entries[0].arg1, 0u);
    EXPECT_EQ(act_buffer.entries[99].arg1, 99u);
    EXPECT_EQ(iqarray.records[s].first_act, NO_INDEX);
    EXPECT_EQ(Free_Acts(), free_before);
}

TEST_F(AIData, ThePoolGrowsBy256WhenFull) {
    const std::uint16_t s = Slot(Thinker(1));
    const std::uint16_t n = actarray.Capacity();
    for (std::uint16_t i = 0; i < n; ++i) Alloc_Act(s, 0);
    EXPECT_EQ(actarray.first_free, n);
    const std::uint16_t a = Alloc_Act(s, 0);
    EXPECT_EQ(a, n);
    EXPECT_EQ(actarray.Capacity(), n + 256);
    EXPECT_EQ(Free_Acts(), 255u);
    EXPECT_EQ(actarray.records[n + 255].next, n + 256);
}

TEST_F(AIData, ClearNegativeActsEmptiesUserCommandsInPlace) {
    const std::uint16_t s = Slot(Thinker(1));
    const std::uint16_t own = Add_Act(s, ACT_GO, NOOBJ, 0, 0, 5);
    const std::uint16_t user = Add_Act(s, ACT_GO | ACT_USER_COMMAND, NOOBJ, 0, 0, 9);
    Clear_Negative_Acts(s);
    EXPECT_EQ(actarray.records[user].type, ACT_NONE);
    EXPECT_EQ(actarray.records[user].priority, 0);
    EXPECT_EQ(actarray.records[own].type, ACT_GO);
    EXPECT_EQ(List(s).size(), 2u);
}

TEST_F(AIData, ResetActWatchesAnActiveCharacterElseEmpties) {
    const std::uint16_t me = Thinker(1);
    const std::uint16_t other = Thinker(5);
    const std::uint16_t watch = Add_Act(Slot(me), ACT_ATTACK, Char_Ref(other), 9, 9, 50);
    const std::uint16_t field = Add_Act(Slot(me), ACT_GO, Fix_Ref(4), 9, 9, 50);
    Reset_Act(watch);
    Reset_Act(field);
    EXPECT_EQ(actarray.records[watch].type, ACT_RELATION);
    EXPECT_EQ(actarray.records[watch].arg1, Field_Index(5, 0, 0));
    EXPECT_EQ(actarray.records[watch].arg2, 0u);
    EXPECT_EQ(actarray.records[watch].priority, 1);
    EXPECT_EQ(actarray.records[field].type, ACT_NONE);
    EXPECT_EQ(actarray.records[field].priority, 0);
}

TEST_F(AIData, NoteSeenObjectRaisesItsWatchOrStartsOne) {
    const std::uint16_t me = Thinker(1);
    const std::uint16_t other = Thinker(5);
    Note_Seen_Object(Slot(me), Char_Ref(other));
    ASSERT_EQ(List(Slot(me)).size(), 1u);
    const std::uint16_t a = iqarray.records[Slot(me)].first_act;
    EXPECT_EQ(actarray.records[a].type, ACT_RELATION);
    EXPECT_EQ(actarray.records[a].priority, 10);
    Remove_Object(Char_Ref(other));
    Put_Object_To_Field(Char_Ref(other), Field_Index(6, 0, 0));
    Note_Seen_Object(Slot(me), Char_Ref(other));
    EXPECT_EQ(List(Slot(me)).size(), 1u);
    EXPECT_EQ(actarray.records[a].priority, 11);
    EXPECT_EQ(actarray.records[a].arg1, Field_Index(6, 0, 0));
    // Only characters are watched.
    Note_Seen_Object(Slot(me), Fix_Ref(3));
    EXPECT_EQ(List(Slot(me)).size(), 1u);
}

TEST_F(AIData, FreedSlotsAreReusedFromAStackOf200) {
    const std::uint16_t a = Thinker(1);
    const std::uint16_t b = Thinker(2);
    const std::uint16_t slot_a = Slot(a);
    Add_Act(slot_a, ACT_GO, NOOBJ, 0, 0, 1);
    const std::size_t free_before = Free_Acts();
    Free_IQ_Slot(slot_a);
    EXPECT_EQ(iqarray.records[slot_a].object, NOOBJ);
    EXPECT_EQ(Free_Acts(), free_before + 1);
    EXPECT_EQ(player_count, 1u);
    EXPECT_EQ(player_chars[0], b);
    const std::uint16_t c = Thinker(3);
    EXPECT_EQ(Slot(c), slot_a);

    // A full stack keeps no more slots: they are never handed out again.
    iqarray.free_count = IQ_FREE_STACK_SIZE;
    const std::uint16_t used = iqarray.used;
    Free_IQ_Slot(Slot(b));
    EXPECT_EQ(iqarray.free_count, IQ_FREE_STACK_SIZE);
    iqarray.free_count = 0;
    Thinker(4);
    EXPECT_EQ(iqarray.used, used + 1);
}

TEST_F(AIData, SlotsBeyondTheCapacityGrowTheArraysAndKeepRelations) {
    const std::uint16_t first = Thinker(1, 0);
    const std::uint16_t capacity = iqarray.Capacity();
    *Relation_Cell(Slot(first), Slot(first)) = 42;
    iqarray.used = capacity;  // as if every slot had been handed out
    const std::uint16_t late = Thinker(2, 4);
    EXPECT_EQ(iqarray.Capacity(), capacity + 16);
    EXPECT_EQ(Slot(late), capacity);
    EXPECT_EQ(relationarray.capacity, capacity + 16);
    EXPECT_EQ(*Relation_Cell(Slot(first), Slot(first)), 42);
    EXPECT_EQ(*Relation_Cell(Slot(late), Slot(first)), -30);
}

TEST_F(AIData, RelationsComeFromTheLobbyTableAndRequest81Clamped) {
    struct Case {
        std::uint8_t lobby_a, lobby_b;
        RequestValue bonus;  // what a's own modifiers add towards b
        std::int8_t expected;
    };
    const Case cases[] = {
        {0, 0, 0, 100}, {0, 0, 50, 127}, {1, 0, 0, -50}, {4, 2, -100, -128},
        {2, 4, 0, -90}, {6, 6, 3, 13},   {7, 0, 0, 0},   {39, 5, -4, -4},
    };
    for (const Case& k : cases) {
        Reset_World(20, 10);
        const std::uint16_t a = Thinker(1, k.lobby_a);
        const std::uint16_t b = Thinker(2, k.lobby_b);
        Add_Modifier(0, Char_Ref(a), MK_HASTE, 0, 0, 0, 0);
        ScopedHandler bonus(MK_HASTE, [&](const HandlerCall& call) {
            return call.request == REQ_RELATION_BONUS ? call.value + k.bonus : call.value;
        });
        EXPECT_EQ(Compute_Relation(Slot(a), Slot(b)), k.expected) << int(k.lobby_a) << " to " << int(k.lobby_b);
        EXPECT_EQ(*Relation_Cell(Slot(a), Slot(b)), k.expected);
        EXPECT_EQ(Is_Hostile(Slot(a), Slot(b)), k.expected < -20);
    }
}

TEST_F(AIData, HostileIsBelowMinus20) {
    const std::uint16_t a = Slot(Thinker(1));
    const std::uint16_t b = Slot(Thinker(2));
    for (std::int8_t v : {-128, -21, -20, 0, 127}) {
        *Relation_Cell(a, b) = v;
        EXPECT_EQ(Is_Hostile(a, b), v < -20) << int(v);
    }
    EXPECT_FALSE(Is_Hostile(a, NO_INDEX));
}

TEST_F(AIData, RelationToMainChar) {
    const std::uint16_t orc = Thinker(1, 4);
    EXPECT_EQ(Relation_To_Main_Char(Char_Ref(orc)), -30);  // no main character: lobby 4 to lobby 0
    const std::uint16_t hero = Thinker(2, 0, CF_MAIN_CHAR);
    ASSERT_EQ(main_char, hero);
    EXPECT_EQ(main_char_slot, Slot(hero));
    EXPECT_EQ(player_chars[0], hero);
    EXPECT_EQ(Relation_To_Main_Char(Char_Ref(hero)), MAIN_CHAR_RELATION);
    *Relation_Cell(Slot(orc), Slot(hero)) = -77;
    EXPECT_EQ(Relation_To_Main_Char(Char_Ref(orc)), -77);
    // The main character leaving the map takes the main slot with it.
    Free_IQ_Slot(Slot(hero));
    EXPECT_EQ(main_char, NO_INDEX);
    EXPECT_EQ(Relation_To_Main_Char(Char_Ref(orc)), -30);
}

TEST_F(AIData, FreeingEmptiesEverything) {
    Thinker(1);
    Free_AI_Arrays();
    EXPECT_EQ(iqarray.Capacity(), 0);
    EXPECT_EQ(actarray.Capacity(), 0);
    EXPECT_EQ(relationarray.capacity, 0);
    EXPECT_EQ(player_count, 0u);
    EXPECT_EQ(Alloc_Act(0, 1), NO_INDEX);
}

}  // namespace
