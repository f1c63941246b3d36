// The modifier page: a chain shown as 100 slots, the kinds offered by
// owner, what each kind shows, the checks of the entries, and Save for a
// type (the database's pool) and for a placed object (the map's array).
#include <cstring>

#include "editor/ModPage.h"
#include "editor/wx/ControlIds.h"
#include "support/RecordingHandler.h"
#include "tests/editor/EditorFixture.h"

namespace {

using ModPageTest = EditorTest;

// The kinds, values and order of the records of a type's chain in the pool.
std::vector<modifier> Type_Chain(obj_ref owner) {
    std::vector<modifier> out;
    for (std::uint16_t m = Get_Mod_Head(owner); m != NO_INDEX && out.size() < 1000; m = mod_data.records[m].next)
        out.push_back(mod_data.records[m]);
    return out;
}
std::vector<std::uint32_t> Kinds_Of(const std::vector<modifier>& chain) {
    std::vector<std::uint32_t> kinds;
    for (const modifier& m : chain) kinds.push_back(m.type);
    return kinds;
}
std::vector<std::uint16_t> P1_Of(const std::vector<modifier>& chain) {
    std::vector<std::uint16_t> p1;
    for (const modifier& m : chain) p1.push_back(m.p1);
    return p1;
}
std::vector<std::uint16_t> Live_Indexes(obj_ref owner) {
    std::vector<std::uint16_t> out;
    For_Each_In_Chain(Get_Mod_Index(owner), [&](std::uint16_t m) { out.push_back(m); });
    return out;
}
std::vector<modifier> Live_Chain(obj_ref owner) {
    std::vector<modifier> out;
    for (std::uint16_t m : Live_Indexes(owner)) out.push_back(mod_array.records[m]);
    return out;
}

// A type chain added in order first..last (each to the head, as the pool
// does): the chain runs last..first, so it is added reversed.
void Give_Type_Chain(obj_ref owner, const std::vector<std::pair<std::uint32_t, std::uint16_t>>& kinds_p1) {
    for (auto k = kinds_p1.rbegin(); k != kinds_p1.rend(); ++k)
        Add_Mod_To_Owner(0, owner, k->first, k->second, 0, 0, 0);
}

// The page's controls as it shows its slot, with the kind chosen by name.
mod_slot_entries Entries_With_Kind(const ModPage& page, const char* name) {
    mod_slot_entries e = page.Shown_Entries();
    const std::vector<mod_kind_entry> list = page.Kind_List();
    for (std::size_t i = 0; i < list.size(); ++i)
        if (list[i].text == name) e.kind_position = static_cast<int>(i);
    return e;
}

TEST_F(ModPageTest, TheCaptionSaysWhoseModifiersTheyAre) {
    const std::uint16_t item = fixture::Place_Item(F(1, 1), sword);
    const std::uint16_t c = fixture::Place_Char(F(2, 2), "Alda");
    const struct {
        std::uint16_t kind;
        std::uint16_t type;
        std::int32_t instance;
        const char* caption;
    } cases[] = {
        {OBJ_CHAR, CT_WARRIOR, c, "Modifiers on this character:"},
        {OBJ_CHAR, CT_WARRIOR, -1, "Modifiers of this character-type:"},
        {OBJ_ITEM, sword, item, "Modifiers on this item:"},
        {OBJ_ITEM, sword, -1, "Modifiers of this item-type:"},
        {OBJ_FIXITEM, DB_GRASS, F(3, 3), "Modifiers on this fixitem:"},
        {OBJ_FIXITEM, DB_DOOR, -1, "Modifiers of this fixitem-type:"},
    };
    for (const auto& k : cases) {
        const ModPage page(k.kind, k.type, k.instance);
        EXPECT_EQ(page.Caption(), k.caption);
        EXPECT_EQ(page.Live(), k.instance != -1) << k.caption;
    }
}

TEST_F(ModPageTest, EachOwnerIsOfferedItsKindsAndTheDumbModifier) {
    const auto names = [](std::uint16_t kind) {
        std::vector<std::string> out;
        for (const mod_kind_entry& e : ModPage(kind, 1, -1).Kind_List()) out.push_back(e.text);
        return out;
    };
    EXPECT_EQ(names(OBJ_CHAR), (std::vector<std::string>{" - Dumb modifier -", "Iron_Skin", "Haste", "Magic Armour",
                                                         "Giant_Strength", "Basic monster", "Standing guard",
                                                         "Moving guard", "MAIN CHAR", "Living Torch", "Charm"}));
    EXPECT_EQ(names(OBJ_ITEM), (std::vector<std::string>{" - Dumb modifier -", "Multiple items", "Magic Object"}));
    const std::vector<std::string> fixitem = names(OBJ_FIXITEM);
    EXPECT_EQ(fixitem.front(), " - Dumb modifier -");
    for (const char* name : {"Door prg.", "Fire", "Evil Fog", "Chest prg.", "Teleport prg.", "Silence"})
        EXPECT_NE(std::find(fixitem.begin(), fixitem.end(), name), fixitem.end()) << name;
    EXPECT_EQ(std::find(fixitem.begin(), fixitem.end(), "Haste"), fixitem.end());
    // Each entry carries its row of the table.
    for (const mod_kind_entry& e : ModPage(OBJ_FIXITEM, DB_DOOR, -1).Kind_List())
        EXPECT_EQ(e.text, mod_types[e.kind].name);
}

TEST_F(ModPageTest, TheLevelAndTheParametersShowAsTheKindHasThem) {
    ModPage fixitem(OBJ_FIXITEM, DB_DOOR, -1);
    const struct {
        const char* kind;
        bool level;
        bool params[4];
    } cases[] = {
        {"Evil Fog", true, {false, false, false, false}},
        {"Door prg.", false, {true, true, true, true}},
        {"Steps prg.", false, {true, true, false, false}},
        {"Silence", true, {true, false, false, false}},
    };
    for (const auto& k : cases) {
        fixitem.Kind_Changed(Entries_With_Kind(fixitem, k.kind).kind_position);
        EXPECT_EQ(fixitem.Level_Shown(), k.level) << k.kind;
        for (int p = 0; p < MOD_PARAMS; ++p) EXPECT_EQ(fixitem.Param_Shown(p), k.params[p]) << k.kind << " " << p;
    }
    EXPECT_EQ(fixitem.Param_Label(1), "");
    ModPage item(OBJ_ITEM, sword, -1);
    item.Kind_Changed(Entries_With_Kind(item, "Multiple items").kind_position);
    EXPECT_EQ(item.Param_Label(0), "Number of items");
    EXPECT_EQ(item.Param_Label(1), "Max number of items");
    EXPECT_FALSE(item.Param_Shown(2));
    EXPECT_FALSE(item.Param_Shown(3));
    ModPage character(OBJ_CHAR, CT_WARRIOR, -1);
    character.Kind_Changed(Entries_With_Kind(character, "Haste").kind_position);
    EXPECT_TRUE(character.Level_Shown());
}

TEST_F(ModPageTest, ThreeModifiersFillSlotsZeroToTwoAndAnEmptiedSlotIsSqueezedOut) {
    const obj_ref door = Make_Obj(OBJ_FIXITEM, DB_DOOR);
    Give_Type_Chain(door, {{MK_DOOR, 10}, {MK_FIRE, 20}, {MK_SILENCE, 30}});
    ModPage page(OBJ_FIXITEM, DB_DOOR, -1);
    EXPECT_EQ(page.Slot(0).type, MK_DOOR);
    EXPECT_EQ(page.Slot(1).type, MK_FIRE);
    EXPECT_EQ(page.Slot(2).type, MK_SILENCE);
    for (int s = 3; s < MOD_PAGE_SLOTS; ++s) EXPECT_EQ(page.Slot(s).type, MK_DUMB) << s;
    EXPECT_EQ(page.Shown_Entries().params[0], "10");

    // Slot 1 emptied: its kind becomes the dumb modifier.
    ASSERT_FALSE(page.Spin(+1, page.Shown_Entries()));
    ASSERT_EQ(page.Current_Slot(), 1);
    ASSERT_FALSE(page.Check(Entries_With_Kind(page, " - Dumb modifier -")));
    page.Save();
    const std::vector<modifier> chain = Type_Chain(door);
    EXPECT_EQ(Kinds_Of(chain), (std::vector<std::uint32_t>{MK_DOOR, MK_SILENCE}));
    EXPECT_EQ(P1_Of(chain), (std::vector<std::uint16_t>{10, 30}));
}

TEST_F(ModPageTest, TheSlotSpinStopsAtZeroAndAtNinetyNine) {
    ModPage page(OBJ_ITEM, sword, -1);
    ASSERT_FALSE(page.Spin(-1, page.Shown_Entries()));
    EXPECT_EQ(page.Current_Slot(), 0);
    for (int s = 0; s < 120; ++s) ASSERT_FALSE(page.Spin(+1, page.Shown_Entries()));
    EXPECT_EQ(page.Current_Slot(), 99);
    ASSERT_FALSE(page.Spin(-1, page.Shown_Entries()));
    EXPECT_EQ(page.Current_Slot(), 98);
}

TEST_F(ModPageTest, AStoredSlotKeepsItsValuesAcrossTheSpin) {
    ModPage page(OBJ_FIXITEM, DB_DOOR, -1);
    mod_slot_entries e = Entries_With_Kind(page, "Door prg.");
    page.Kind_Changed(e.kind_position);
    e.params[0] = "1";
    e.params[1] = "-1";
    e.params[2] = "65535";
    e.params[3] = " 7 ";
    ASSERT_FALSE(page.Spin(+1, e));
    ASSERT_FALSE(page.Spin(-1, page.Shown_Entries()));
    const modifier& s = page.Slot(0);
    EXPECT_EQ(s.type, MK_DOOR);
    EXPECT_EQ(s.p1, 1);
    EXPECT_EQ(s.p2, 0xFFFF);
    EXPECT_EQ(s.p3, 0xFFFF);
    EXPECT_EQ(s.p4, 7);
    EXPECT_EQ(page.Shown_Entries().params[2], "-1") << "a parameter shows signed";
}

TEST_F(ModPageTest, AnEntryOutOfItsRangeIsRefusedAndTheSlotKeepsItsValues) {
    ModPage page(OBJ_FIXITEM, DB_DOOR, -1);
    const struct {
        const char* kind;
        int field;  // -1 the level, else the parameter
        const char* text;
        field_fault fault;
    } cases[] = {
        {"Evil Fog", -1, "101", {IDC_MOD_LEVEL, "Please enter an integer between 0 and 100."}},
        {"Evil Fog", -1, "-1", {IDC_MOD_LEVEL, "Please enter an integer between 0 and 100."}},
        {"Evil Fog", -1, "", {IDC_MOD_LEVEL, "Please enter an integer."}},
        {"Door prg.", 0, "65536", {IDC_MOD_PARAM1, "Please enter an integer between -32768 and 65535."}},
        {"Door prg.", 3, "-32769", {IDC_MOD_PARAM4, "Please enter an integer between -32768 and 65535."}},
        {"Door prg.", 2, "1x", {IDC_MOD_PARAM3, "Please enter an integer."}},
    };
    for (const auto& k : cases) {
        const modifier before = page.Slot(0);
        mod_slot_entries e = Entries_With_Kind(page, k.kind);
        (k.field < 0 ? e.level : e.params[k.field]) = k.text;
        EXPECT_EQ(page.Spin(+1, e), k.fault) << k.kind << " " << k.text;
        EXPECT_EQ(page.Current_Slot(), 0) << "the spin stays on the slot";
        EXPECT_EQ(std::memcmp(&page.Slot(0), &before, sizeof before), 0) << k.text;
    }
    // A hidden entry is not taken: the level of a kind without one.
    mod_slot_entries e = Entries_With_Kind(page, "Door prg.");
    e.level = "999";
    EXPECT_FALSE(page.Store(e));
    EXPECT_EQ(page.Slot(0).type, MK_DOOR);
}

TEST_F(ModPageTest, AChainOfMoreThanAHundredKeepsEveryModifier) {
    const obj_ref door = Make_Obj(OBJ_FIXITEM, DB_DOOR);
    std::vector<std::pair<std::uint32_t, std::uint16_t>> kinds;
    for (std::uint16_t i = 0; i < 101; ++i) kinds.push_back({MK_DOOR, i});
    Give_Type_Chain(door, kinds);
    ModPage page(OBJ_FIXITEM, DB_DOOR, -1);
    EXPECT_EQ(page.Slot(99).p1, 99);
    ASSERT_EQ(page.Overflow().size(), 1u);
    // A change in slot 0 writes the chain again.
    mod_slot_entries e = page.Shown_Entries();
    e.params[0] = "500";
    ASSERT_FALSE(page.Check(e));
    page.Save();
    std::vector<std::uint16_t> expected(1, 500);
    for (std::uint16_t i = 1; i < 101; ++i) expected.push_back(i);
    EXPECT_EQ(P1_Of(Type_Chain(door)), expected);

    // The same on a placed fixitem.
    fixture::ScopedHandler quiet_doors(MK_DOOR);
    fixture::ScopedHandler quiet_chests(MK_CHEST);
    const std::uint16_t f = F(5, 5);
    for (std::uint16_t i = 0; i < 101; ++i) Add_Modifier(0, Field_Head(f), MK_CHEST, 0, i, 0, 0);
    ModPage live(OBJ_FIXITEM, DB_GRASS, f);
    live.Kind_Changed(Entries_With_Kind(live, "Door prg.").kind_position);
    ASSERT_FALSE(live.Check(live.Shown_Entries()));
    live.Save();
    const std::vector<modifier> chain = Live_Chain(Field_Head(f));
    ASSERT_EQ(chain.size(), 101u);
    EXPECT_EQ(chain[0].type, MK_DOOR);
    EXPECT_EQ(chain[100].p2, 100);
}

TEST_F(ModPageTest, AChainThroughRecordZeroEndsThere) {
    const obj_ref door = Make_Obj(OBJ_FIXITEM, DB_DOOR);
    Give_Type_Chain(door, {{MK_DOOR, 1}, {MK_FIRE, 2}});
    // The last record leads to the reserved record 0, which leads on.
    const std::uint16_t last = mod_data.records[Get_Mod_Head(door)].next;
    mod_data.records[last].next = 0;
    mod_data.records[0].next = Get_Mod_Head(Make_Obj(OBJ_ITEM, sword));
    ModPage page(OBJ_FIXITEM, DB_DOOR, -1);
    EXPECT_EQ(page.Slot(1).type, MK_FIRE);
    EXPECT_EQ(page.Slot(2).type, MK_DUMB);
    ASSERT_FALSE(page.Check(page.Shown_Entries()));
    page.Save();
    EXPECT_EQ(Kinds_Of(Type_Chain(door)), (std::vector<std::uint32_t>{MK_DOOR, MK_FIRE}));
    EXPECT_EQ(Kinds_Of(Type_Chain(Make_Obj(OBJ_ITEM, sword))), std::vector<std::uint32_t>{MK_IRON_SKIN})
        << "the chain the record 0 led to is untouched";

    // A placed field head whose chain loops back into itself.
    fixture::ScopedHandler quiet_doors(MK_DOOR);
    const std::uint16_t f = F(6, 6);
    const std::uint16_t a = Add_Modifier(0, Field_Head(f), MK_DOOR, 1, 0, 0, 0);
    const std::uint16_t b = Add_Modifier(0, Field_Head(f), MK_DOOR, 2, 0, 0, 0);
    mod_array.records[b].next = a;
    ModPage live(OBJ_FIXITEM, DB_GRASS, f);
    EXPECT_EQ(live.Slot(1).p1, 2);
    EXPECT_EQ(live.Slot(2).type, MK_DUMB);
    ASSERT_FALSE(live.Check(live.Shown_Entries()));
    live.Save();
    EXPECT_EQ(P1_Of(Live_Chain(Field_Head(f))), (std::vector<std::uint16_t>{1, 2}));
}

TEST_F(ModPageTest, ASlotOfAKindNotOfferedIsShownByItsNumberAndKept) {
    // The main character's program on an item type.
    const obj_ref type = Make_Obj(OBJ_ITEM, pack);
    Give_Type_Chain(type, {{MK_MAIN_CHAR, 4}, {MK_MULTIPLE_ITEMS, 5}});
    ModPage page(OBJ_ITEM, pack, -1);
    const std::vector<mod_kind_entry> list = page.Kind_List();
    EXPECT_EQ(list.back(), (mod_kind_entry{MK_MAIN_CHAR, "11"}));
    EXPECT_EQ(page.Kind_Position(), static_cast<int>(list.size() - 1));
    ASSERT_FALSE(page.Spin(+1, page.Shown_Entries()));
    EXPECT_EQ(page.Kind_List().back().text, "Magic Object") << "only the shown slot's kind is added";
    mod_slot_entries e = page.Shown_Entries();
    e.params[0] = "9";
    ASSERT_FALSE(page.Check(e));
    page.Save();
    const std::vector<modifier> chain = Type_Chain(type);
    EXPECT_EQ(Kinds_Of(chain), (std::vector<std::uint32_t>{MK_MAIN_CHAR, MK_MULTIPLE_ITEMS}));
    EXPECT_EQ(P1_Of(chain), (std::vector<std::uint16_t>{4, 9}));
}

TEST_F(ModPageTest, SaveOnAPlacedObjectLeavesAnUnchangedChainAlone) {
    const std::uint16_t f = F(4, 4);
    const obj_ref head = Field_Head(f);
    fixture::ScopedHandler door(MK_DOOR);
    fixture::ScopedHandler chest(MK_CHEST);
    Add_Modifier(3, head, MK_DOOR, 1, 0, 0, 0);
    Add_Modifier(4, head, MK_CHEST, 2, 0, 0, 0);
    const std::vector<std::uint16_t> before = Live_Indexes(head);
    door.calls.clear();
    ModPage page(OBJ_FIXITEM, DB_GRASS, f);
    ASSERT_FALSE(page.Check(page.Shown_Entries()));
    page.Save();
    EXPECT_EQ(Live_Indexes(head), before);
    EXPECT_TRUE(door.calls.empty()) << "nothing removed, nothing added";
}

TEST_F(ModPageTest, SaveOnAPlacedObjectWritesAChangedChainInSlotOrder) {
    const std::uint16_t item = fixture::Place_Item(F(2, 2), pack);
    const obj_ref it = Make_Obj(OBJ_ITEM, item);
    Add_Modifier(0, it, MK_MULTIPLE_ITEMS, 3, 10, 0, 0);
    Add_Modifier(0, it, MK_MAGIC_OBJECT, 2, 5, 0, 0);
    // Inactive, as a game may have left it: the rewrite gives it its kind's flags.
    mod_array.records[Live_Indexes(it)[1]].flags |= MOD_INACTIVE;
    fixture::ScopedHandler stack(MK_MULTIPLE_ITEMS);
    ModPage page(OBJ_ITEM, pack, item);
    ASSERT_FALSE(page.Spin(+1, page.Shown_Entries()));
    ASSERT_FALSE(page.Spin(+1, page.Shown_Entries()));
    mod_slot_entries e = Entries_With_Kind(page, "Multiple items");
    page.Kind_Changed(e.kind_position);
    e.params[0] = "7";
    e.params[1] = "8";
    ASSERT_FALSE(page.Check(e));
    page.Save();
    const std::vector<modifier> chain = Live_Chain(it);
    EXPECT_EQ(Kinds_Of(chain), (std::vector<std::uint32_t>{MK_MULTIPLE_ITEMS, MK_MAGIC_OBJECT, MK_MULTIPLE_ITEMS}));
    EXPECT_EQ(P1_Of(chain), (std::vector<std::uint16_t>{3, 2, 7}));
    for (const modifier& m : chain) {
        EXPECT_EQ(m.flags, mod_types[m.type].flags);
        EXPECT_EQ(m.owner, it);
    }
    // The two stacks were told: removed once, attached twice.
    int removed = 0, attached = 0;
    for (const auto& call : stack.calls) {
        removed += call.request == REQ_REMOVED;
        attached += call.request == REQ_ATTACHED;
    }
    EXPECT_EQ(removed, 1);
    EXPECT_EQ(attached, 2);
}

TEST_F(ModPageTest, AChainThePoolHasNoRoomForIsRefusedAndNothingChanges) {
    // A pool that cannot grow, with two free records: one can be taken (the
    // last one only with a growth).
    Free_Mod_Pool();
    const std::uint32_t capacity = 0xFFFF - 50;
    Alloc_Mod_Pool(capacity);
    Init_Mod_Free_List();
    mod_data.first_free = 1;
    const obj_ref door = Make_Obj(OBJ_FIXITEM, DB_DOOR);
    Set_Mod_Head(door, NO_INDEX);
    Add_Mod_To_Owner(0, door, MK_DOOR, 1, 0, 0, 0);
    mod_data.first_free = capacity - 2;
    const std::vector<modifier> pool = mod_data.records;

    ModPage page(OBJ_FIXITEM, DB_DOOR, -1);
    ASSERT_FALSE(page.Spin(+1, Entries_With_Kind(page, "Door prg.")));
    ASSERT_FALSE(page.Check(Entries_With_Kind(page, "Fire"))) << "its own record and one free: room for two";
    ASSERT_FALSE(page.Spin(+1, page.Shown_Entries()));
    EXPECT_EQ(page.Check(Entries_With_Kind(page, "Fire")), (field_fault{IDC_MOD_KIND, "Can't realloc modifier data!"}));
    EXPECT_EQ(std::memcmp(mod_data.records.data(), pool.data(), pool.size() * sizeof(modifier)), 0);
    EXPECT_EQ(mod_data.first_free, capacity - 2);
}

}  // namespace
