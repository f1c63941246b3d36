// Damage to characters and fixitems through request 129: the damage step,
// falling down, dying, the corpse and the scattered belongings.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

#include "Objects/AIData.h"
#include "Objects/AIDecisions.h"
#include "Objects/Char/Characters.h"
#include "Objects/Char/Party.h"
#include "Objects/Effects.h"
#include "Objects/FieldLists.h"
#include "Objects/GameClock.h"
#include "Objects/Geometry.h"
#include "Objects/Hooks.h"
#include "Objects/Item/Items.h"
#include "Objects/Map.h"
#include "Objects/MapAnims.h"
#include "Objects/ModifierKinds.h"
#include "Objects/Modifiers.h"
#include "Objects/Request.h"
#include "Objects/Requests.h"
#include "Objects/SpriteInfo.h"
#include "System/Random.h"
#include "support/LogSpy.h"
#include "support/RecordingHandler.h"
#include "support/WorldBuilder.h"

using namespace fixture;

namespace {

constexpr RequestValue NO_POOL = 10;  // Random(40) + 1 = 11: no blood pool

// The items lying on field, in list order.
std::vector<std::uint16_t> Items_On(std::uint16_t field) {
    std::vector<std::uint16_t> out;
    obj_ref cur = Fix_Ref(field);
    while (Next_Ground_Item(cur)) out.push_back(Obj_Index(cur));
    return out;
}

std::vector<std::uint16_t> Corpses() {
    std::vector<std::uint16_t> out;
    for (std::uint16_t i = 1; i < itemarray.Capacity(); ++i)
        if (!Item_Record_Is_Free(i) && itemarray[i].type == ITEM_TYPE_DEAD_BODY) out.push_back(i);
    return out;
}

bool On_Field_List(obj_ref obj, std::uint16_t field) {
    obj_ref cur = Fix_Ref(field);
    for (int steps = 0; steps < 1000; ++steps) {
        Next_Object(cur);
        if (Obj_Kind(cur) == OBJ_NONE) return false;
        if (cur == obj) return true;
    }
    return false;
}

class Falling : public ::testing::Test {
  protected:
    void SetUp() override { Build(); }
    void TearDown() override { Set_Random_Script(nullptr); }

    // A 5 x 5 map with the hero in the middle, its notices recorded.
    void Build() {
        Reset_World(5, 5);
        script = RandomScript{};
        Set_Random_Script(&script);
        field = Field_Index(2, 2, 0);
        char_record t = Char_Template("Hero");
        t.corpse_frame = 33;
        t.palette = 0x85;
        c = Place_Char(field, t);
        hero = Char_Ref(c);
        notices.emplace(MK_LIVING_TORCH, [](const HandlerCall& call) { return call.value; });
        Add_Modifier(0, hero, MK_LIVING_TORCH, 0, 0, 0, 0);
        dagger = Add_Item_Type("Dagger", CLASS_KNIFE);
        ring = Add_Item_Type("Ring", CLASS_RING);
        party_sight_distance = 3;
    }

    // The notices 124 and 125 the character was given, in order.
    std::vector<request_no> Notices() const {
        std::vector<request_no> out;
        for (const HandlerCall& call : notices->calls)
            if (call.request == REQ_DIED || call.request == REQ_FELL) out.push_back(call.request);
        return out;
    }

    RandomScript script;
    std::optional<ScopedHandler> notices;
    std::uint16_t field = 0, c = 0, dagger = 0, ring = 0;
    obj_ref hero = NOOBJ;
};

TEST_F(Falling, FallDownCases) {
    struct Case {
        const char* what;
        std::int16_t hp;
        RequestValue change;
        bool seen;
        const char* line;  // nullptr: nothing logged
        std::vector<request_no> notices;
        bool corpse;  // a body appears and the character leaves its field
    } cases[] = {
        {"5 - 5 falls unconscious", 5, -5, true, "Hero falls unconsious.", {REQ_FELL}, true},
        {"5 - 8 falls and is dying", 5, -8, true, "Hero falls unconsious and dying.", {REQ_FELL}, true},
        {"5 - 14 still dying at -9", 5, -14, true, "Hero falls unconsious and dying.", {REQ_FELL}, true},
        {"5 - 15 dies at once", 5, -15, true, "Hero died.", {REQ_DIED}, true},
        {"-3 - 10 dies, no second body", -3, -10, true, "Hero died.", {REQ_DIED}, false},
        {"-9 - 1 dies at exactly -10", -9, -1, true, "Hero died.", {REQ_DIED}, false},
        {"-12 - 5 only loses hit points", -12, -5, true, nullptr, {}, false},
        {"0 - 1 was down already", 0, -1, true, nullptr, {}, false},
        {"unseen fall logs nothing", 5, -5, false, nullptr, {REQ_FELL}, true},
        {"unseen death logs nothing", 5, -15, false, nullptr, {REQ_DIED}, true},
        {"healing -3 to 2 starts nothing", -3, 5, true, nullptr, {}, false},
        {"healthy hit", 20, -4, true, nullptr, {}, false},
    };
    for (const Case& k : cases) {
        Build();
        chararray[c].hp = k.hp;
        party_sight_distance = k.seen ? 11 : 12;
        std::uint16_t pack = Give_Item(c, dagger, 0);
        std::uint16_t worn = Give_Item(c, ring, SLOT_LEFT_RING);
        script.values = {NO_POOL, 0, 0};

        EXPECT_EQ(Object_Request(NOOBJ, hero, 0, REQ_CHANGE_HIT_POINTS, k.change), k.change) << k.what;

        EXPECT_EQ(chararray[c].hp, k.hp + k.change) << k.what;
        const auto& log = Logged_Messages();
        if (k.line == nullptr) {
            EXPECT_TRUE(log.empty()) << k.what;
        } else {
            ASSERT_EQ(log.size(), 1u) << k.what;
            EXPECT_EQ(log[0].text, k.line) << k.what;
            EXPECT_EQ(log[0].colour, RGB(40, 40, 40)) << k.what;
        }
        EXPECT_EQ(Notices(), k.notices) << k.what;
        EXPECT_EQ(Corpses().size(), k.corpse ? 1u : 0u) << k.what;
        EXPECT_EQ(On_Field_List(hero, field), !k.corpse) << k.what;
        // The record stays; the belongings lie on the field after a fall.
        EXPECT_TRUE(Char_In_Use(c)) << k.what;
        std::vector<std::uint16_t> lying = Items_On(field);
        bool scattered =
            std::count(lying.begin(), lying.end(), pack) == 1 && std::count(lying.begin(), lying.end(), worn) == 1;
        EXPECT_EQ(scattered, k.corpse) << k.what;
        EXPECT_EQ(chararray[c].slots[0] == 0 && chararray[c].slots[SLOT_LEFT_RING] == 0, k.corpse) << k.what;
    }
}

TEST_F(Falling, TheCorpseCarriesTheFallenCharactersLook) {
    ScopedHandler corpse(MK_CORPSE, [](const HandlerCall& call) { return call.value; });
    script.values = {NO_POOL};
    chararray[c].hp = 3;
    Object_Request(NOOBJ, hero, 0, REQ_CHANGE_HIT_POINTS, -3);
    std::vector<std::uint16_t> bodies = Corpses();
    ASSERT_EQ(bodies.size(), 1u);
    const item_record& body = itemarray[bodies[0]];
    EXPECT_EQ(body.owner, Fix_Ref(field));
    std::uint16_t m = body.first_mod;
    ASSERT_NE(m, NO_INDEX);
    EXPECT_EQ(mod_array[m].type, MK_CORPSE);
    EXPECT_EQ(mod_array[m].level, 0);
    EXPECT_EQ(mod_array[m].p1, c);
    EXPECT_EQ(mod_array[m].p2, 33);
    EXPECT_EQ(mod_array[m].p3, 0x85);
    EXPECT_EQ(mod_array[m].p4, 0);
    EXPECT_EQ(corpse.Applied(REQ_ATTACHED), (std::vector<std::uint16_t>{m}));
}

TEST_F(Falling, BelongingsGoToRandomNeighboursUnlessOffTheMapOrClosed) {
    // The hero stands in the top row: direction 5 (0, -1) is off the map.
    Reset_World(5, 5);
    Set_Random_Script(&script);
    Set_Fixitem_Type(1, 20, 1, -1);  // a wall: fixed cost below 0
    field = Field_Index(2, 0, 0);
    c = Place_Char(field);
    hero = Char_Ref(c);
    std::uint16_t east = Neighbour_Field(field, 1);
    std::uint16_t south = Neighbour_Field(field, 2);
    std::uint16_t west = Neighbour_Field(field, 4);
    Place_Fixitem(west, 1);
    std::uint16_t chest_plate = Add_Item_Type("Plate", CLASS_ARMOR, 0, 0, 0x23);
    std::uint16_t sword = Add_Item_Type("Sword", CLASS_SWORD);
    std::uint16_t gem = Add_Item_Type("Gem", CLASS_OTHER);
    std::uint16_t plate = Give_Item(c, chest_plate, 9);  // a 2 x 3 footprint from cell 9
    std::uint16_t pebble = Give_Item(c, gem, 40);
    std::uint16_t blade = Give_Item(c, sword, SLOT_RIGHT_HAND);
    std::uint16_t stone = Give_Item(c, gem, SLOT_QUICK_FIRST);
    // Slots in rising order: 9, 40, 60, 61.
    script.values = {NO_POOL, 1, 5, 2, 4};
    chararray[c].hp = 1;
    Object_Request(NOOBJ, hero, 0, REQ_CHANGE_HIT_POINTS, -1);

    EXPECT_EQ(script.calls, (std::vector<int>{40, 6, 6, 6, 6}));
    EXPECT_EQ(Object_Field(Item_Ref(plate)), east);
    EXPECT_EQ(Object_Field(Item_Ref(pebble)), field);  // off the map
    EXPECT_EQ(Object_Field(Item_Ref(blade)), south);
    EXPECT_EQ(Object_Field(Item_Ref(stone)), field);  // the wall's field is closed
    for (int s = 0; s < CHAR_SLOTS; ++s) EXPECT_EQ(chararray[c].slots[s], 0) << "slot " << s;
    EXPECT_EQ(itemarray[blade].owner, Fix_Ref(south));
}

TEST_F(Falling, TheDamageStepShowsTheHitAndMayLayABloodPool) {
    anim_types[17].sprite = Register_Sprite_Info(0, 9);
    Set_Fixitem_Type(SLOT_BLOOD_POOL, 1);
    struct Case {
        int random;
        bool pool;
    } cases[] = {{5, true}, {0, true}, {6, false}, {39, false}};
    for (const Case& k : cases) {
        script.values = {k.random};
        script.next = 0;
        anim_wait = 1;
        Object_Request(NOOBJ, hero, 0, REQ_CHANGE_HIT_POINTS, -1);
        EXPECT_EQ(anim_wait, 10u) << k.random;
        bool found = false;
        obj_ref cur = Fix_Ref(field);
        for (Next_Object(cur); Obj_Kind(cur) != OBJ_NONE; Next_Object(cur))
            if (Obj_Kind(cur) == OBJ_FIXITEM && maparray[Obj_Index(cur)].type == SLOT_BLOOD_POOL) {
                found = true;
                Destroy_Object(cur);
                break;
            }
        EXPECT_EQ(found, k.pool) << k.random;
    }
    // Healing shows nothing and draws no number.
    script.calls.clear();
    Object_Request(NOOBJ, hero, 0, REQ_CHANGE_HIT_POINTS, 3);
    EXPECT_TRUE(script.calls.empty());
}

TEST_F(Falling, InTurnModeAHitBreaksOffAnActInPreparation) {
    struct Case {
        std::uint32_t turn;
        std::uint16_t state, after;
    } cases[] = {{1, CS_EXECUTING, CS_WAITING},
                 {1, CS_ACT_PREPARED, CS_WAITING},
                 {1, CS_STEPPING, CS_STEPPING},
                 {0, CS_EXECUTING, CS_EXECUTING}};
    for (const Case& k : cases) {
        turn_mode = k.turn;
        chararray[c].state = k.state;
        chararray[c].frame = 5;
        script.values = {NO_POOL};
        script.next = 0;
        Object_Request(NOOBJ, hero, 0, REQ_CHANGE_HIT_POINTS, -1);
        EXPECT_EQ(chararray[c].state, k.after) << k.turn << " " << k.state;
        EXPECT_EQ(chararray[c].frame, k.after == k.state ? 5 : 0);
    }
}

std::uint16_t shown_cursor_type = 2;
std::vector<std::uint16_t> cursor_changes;

TEST_F(Falling, TheLeadingCharacterGoingDownEndsTheTargeting) {
    Objects_Hooks().cursor_type = [] { return shown_cursor_type; };
    Objects_Hooks().set_cursor_type = [](std::uint16_t t) { cursor_changes.push_back(t); };
    cursor_changes.clear();
    Select_Char(c);
    target_field = 7;
    script.values = {NO_POOL};
    chararray[c].hp = 2;
    Object_Request(NOOBJ, hero, 0, REQ_CHANGE_HIT_POINTS, -2);
    EXPECT_EQ(cursor_changes, (std::vector<std::uint16_t>{0}));
    EXPECT_EQ(target_field, NO_FIELD);
}

TEST_F(Falling, ModifiersChangeTheDamageThatIsSubtracted) {
    ScopedHandler skin(MK_IRON_SKIN, [](const HandlerCall& call) {
        return call.request == REQ_CHANGE_HIT_POINTS && call.value < 0 ? call.value + 2 : call.value;
    });
    Add_Modifier(0, hero, MK_IRON_SKIN, 0, 0, 0, 0);
    script.values = {NO_POOL};
    EXPECT_EQ(Object_Request(NOOBJ, hero, 0, REQ_CHANGE_HIT_POINTS, -5), -3);
    EXPECT_EQ(chararray[c].hp, 17);
}

TEST_F(Falling, HitPointsAreClampedToTheirField) {
    struct Case {
        request_no request;
        std::int16_t hp;
        RequestValue value;
        std::int16_t after;
    } cases[] = {
        {REQ_CHANGE_HIT_POINTS, 32000, 1000, 32767},       {REQ_CHANGE_HIT_POINTS, -32000, -1000, -32768},
        {REQ_CHANGE_HIT_POINTS, -20, -0x7FFFFFFF, -32768}, {REQ_SET_HIT_POINTS, 5, 40000, 32767},
        {REQ_SET_HIT_POINTS, 5, -40000, -32768},           {REQ_SET_HIT_POINTS, 5, -3, -3},
    };
    for (const Case& k : cases) {
        chararray[c].hp = k.hp;
        script.values = {NO_POOL};
        script.next = 0;
        Object_Request(NOOBJ, hero, 0, k.request, k.value);
        EXPECT_EQ(chararray[c].hp, k.after) << k.request << " " << k.hp << " " << k.value;
    }
    // Asked, the hit points never read below -10.
    chararray[c].hp = -15;
    EXPECT_EQ(Object_Request(NOOBJ, hero, 0, REQ_HIT_POINTS, NO_VALUE), -10);
}

TEST_F(Falling, FixitemHitPointsStayInTheirSignedByteAndBelowTheMaximum) {
    Set_Fixitem_Type(1, 5, 1, 0, 0, 0, 100);  // a door, 100 hit points at most
    Set_Fixitem_Type(2, 5, 1, 0, 0, 0, 100);  // what it turns into
    fixitem_types[1].amortized = 2;
    struct Case {
        std::int8_t hp;
        RequestValue change;
        std::int8_t after;
        bool worse;
    } cases[] = {{50, -200, -128, true}, {50, -20, 30, false}, {90, 30, 100, false},
                 {120, -5, 100, false},  {1, -1, 0, true},     {-100, 127, 27, false}};
    for (const Case& k : cases) {
        std::uint16_t door = Place_Fixitem(field, 1);
        maparray[door].hp = k.hp;
        EXPECT_EQ(Object_Request(NOOBJ, Fix_Ref(door), 0, REQ_CHANGE_HIT_POINTS, k.change), k.change);
        EXPECT_EQ(maparray[door].hp, k.after) << int(k.hp) << " " << k.change;
        EXPECT_EQ(maparray[door].type, k.worse ? 2 : 1) << int(k.hp) << " " << k.change;
        Destroy_Object(Fix_Ref(door));
    }
    // A field head loses hit points but never gets worse.
    maparray[field].type = 1;
    maparray[field].hp = 10;
    Object_Request(NOOBJ, Fix_Ref(field), 0, REQ_CHANGE_HIT_POINTS, -30);
    EXPECT_EQ(maparray[field].hp, -20);
    EXPECT_EQ(maparray[field].type, 1);
}

}  // namespace
