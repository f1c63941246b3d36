// The inventory screen on the small map to play on, opened for the leading
// character: entering and leaving it, what each body slot takes, the
// backpack's footprints and refusals, swapping and equipping, the ground
// strip, the pack button, and that no sequence of moves loses or doubles an
// item.
#include <gtest/gtest.h>

#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "Objects/Char/CharSlots.h"
#include "Objects/FieldLists.h"
#include "Objects/Item/Items.h"
#include "Objects/ModifierKinds.h"
#include "Objects/Modifiers.h"
#include "platform/VirtualKeys.h"
#include "support/RecordingHandler.h"
#include "support/WorldBuilder.h"
#include "tests/frontend/HexamapFixture.h"
#include "tools/artgen/Items.h"

namespace {

using fixture::Add_Item_Type;

// An item type for a test: class, size and flags.
struct kind {
    const char* name;
    std::uint8_t item_class, size;
    std::uint16_t flags = 0;
};

class Inventory : public HexamapTest {
  protected:
    void SetUp() override {
        HexamapTest::SetUp();
        hero = Char_Named("Alric");
        ASSERT_NE(hero, NO_INDEX);
        Open_By_Key();
        ASSERT_EQ(ScreenType, SCREEN_INVENTORY);
    }
    void TearDown() override {
        hand_item = 0;
        HexamapTest::TearDown();
    }

    // I on the map gives the leader the act that opens the screen on its tick.
    void Open_By_Key() {
        Press('I');
        Tick();
    }
    // Opens the screen again at once, with the strip from the first item.
    void Reopen() { Open_Inventory_Screen(0); }

    std::uint16_t Ground() const { return Field_Of(hero); }
    std::int16_t Slot(int s) const { return chararray.records[hero].slots[s]; }
    static std::uint16_t Type(std::uint8_t size) { return Add_Item_Type("Stone", CLASS_OTHER, 0, 0, size); }
    static std::uint16_t New_Type(const kind& k, std::uint16_t picture = 0) {
        const std::uint16_t t = Add_Item_Type(k.name, k.item_class, 0, 0, k.size);
        item_types[t].flags = k.flags;
        item_types[t].picture = picture;
        return t;
    }
    // A new item of the kind lying on the hero's field.
    std::uint16_t Drop_New(const kind& k) { return Create_Item(New_Type(k), Ground()); }
    // Takes an item of the hero's field into the hand, as a click on the
    // strip does.
    static void Hold(std::uint16_t item) { Take_Item_In_Hand(item, HAND_FROM_GROUND); }

    // The centre of a control row's rectangle.
    static POINT Centre(int row) {
        const control_row& r = inventory_controls[row];
        return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    static POINT Slot_Point(int slot) {
        for (int row = 0; row < 19; ++row)
            if (Body_Slot_Of_Row(row) == slot) return Centre(row);
        ADD_FAILURE() << "no row for slot " << slot;
        return {0, 0};
    }
    // The middle of backpack cell (column, row).
    static POINT Cell_Point(int column, int row) {
        return {BACKPACK_X + CELL_PIXELS * column + CELL_PIXELS / 2, BACKPACK_Y + CELL_PIXELS * row + CELL_PIXELS / 2};
    }
    static POINT Strip_Point(int place) { return {STRIP_FIRST_X + STRIP_ITEM_STEP * place, STRIP_ITEM_Y}; }

    // The items of the hero's field in list order.
    std::vector<std::uint16_t> Ground_Items() const {
        std::vector<std::uint16_t> items;
        obj_ref o = Make_Obj(OBJ_FIXITEM, Ground());
        while (Next_Ground_Item(o)) items.push_back(Obj_Index(o));
        return items;
    }
    bool On_Ground(std::uint16_t item) const {
        for (std::uint16_t i : Ground_Items())
            if (i == item) return true;
        return false;
    }
    // Takes everything off the hero and lays it on the ground.
    void Undress() {
        for (int s = 0; s < CHAR_SLOTS; ++s)
            if (Slot(s) > 0) {
                const std::uint16_t item = static_cast<std::uint16_t>(Slot(s));
                Remove_Item_From_Char(hero, item);
                Put_Object_To_Field(Make_Obj(OBJ_ITEM, item), Ground());
            }
    }

    std::uint16_t hero = NO_INDEX;
};

TEST_F(Inventory, TheMapsButtonOpensItThroughTheLeadersActAndLeavesNoButtonDown) {
    Press(VK_ESCAPE);
    ASSERT_EQ(ScreenType, SCREEN_HEXAMAP);
    Click_At({27, 229});
    EXPECT_EQ(ScreenType, SCREEN_HEXAMAP) << "the leader carries the act out on its tick";
    EXPECT_EQ(Command_Kind(hero), ACT_SCREEN);
    EXPECT_EQ(pressed_control, nullptr);
    EXPECT_EQ(hexamap_controls[1].state, PRESS_UP) << "a forgotten button is not drawn down on the next visit";
    Tick();
    EXPECT_EQ(ScreenType, SCREEN_INVENTORY);
    EXPECT_EQ(page_char, static_cast<std::int16_t>(hero));
    EXPECT_EQ(ground_field, Make_Obj(OBJ_FIXITEM, Ground()));
    EXPECT_EQ(hand_item, 0);
    EXPECT_EQ(message_line.rect.left, 349);
    EXPECT_EQ(message_line.rect.bottom, 413);

    // Nobody the player may command: no act.
    Press(VK_ESCAPE);
    selected_count = 0;
    Press('I');
    Tick();
    EXPECT_EQ(ScreenType, SCREEN_HEXAMAP);
}

TEST_F(Inventory, BothExitsEmptyTheHandAndLeaveItsItemOnTheGround) {
    const std::uint16_t sword = static_cast<std::uint16_t>(Slot(SLOT_RIGHT_HAND));
    ASSERT_GT(sword, 0);
    Click_At(Slot_Point(SLOT_RIGHT_HAND));
    ASSERT_EQ(hand_item, static_cast<std::int16_t>(sword));
    EXPECT_TRUE(dd_cursor.shown) << "the hand item is the cursor";
    EXPECT_EQ(dd_cursor.frame, item_types[itemarray[sword].type].picture);

    // Tab asks for the character page, which opens on the leader's tick; its
    // own exit asks for the inventory again.
    Press(VK_TAB);
    EXPECT_EQ(hand_item, 0);
    EXPECT_FALSE(dd_cursor.shown);
    EXPECT_TRUE(On_Ground(sword));
    EXPECT_EQ(itemarray[sword].owner, Make_Obj(OBJ_FIXITEM, Ground()));
    ASSERT_NE(User_Command(hero), nullptr);
    EXPECT_EQ(Command_Kind(hero), ACT_SCREEN);
    EXPECT_EQ(User_Command(hero)->arg1, SCREEN_CHAR_PAGE);
    Tick();
    EXPECT_EQ(ScreenType, SCREEN_CHAR_PAGE);
    Press('I');
    Tick();
    ASSERT_EQ(ScreenType, SCREEN_INVENTORY);

    Click_At(Strip_Point(0));
    ASSERT_EQ(hand_item, static_cast<std::int16_t>(sword));
    Press('M');
    EXPECT_EQ(ScreenType, SCREEN_HEXAMAP);
    EXPECT_EQ(hand_item, 0);
    EXPECT_TRUE(On_Ground(sword)) << "an item left in the hand stays on the ground";
    EXPECT_EQ(Slot(SLOT_RIGHT_HAND), 0);
}

TEST_F(Inventory, EachBodySlotTakesOnlyWhatItsRuleAllows) {
    Undress();
    const std::set<int> hands = {SLOT_LEFT_HAND, SLOT_RIGHT_HAND};
    const std::set<int> rings = {SLOT_LEFT_RING, SLOT_RIGHT_RING, 63, 64, 65, 66};
    struct slot_case {
        kind k;
        std::set<int> slots;  // the body slots that take it
    };
    auto with = [](std::set<int> a, const std::set<int>& b) {
        a.insert(b.begin(), b.end());
        return a;
    };
    const slot_case cases[] = {
        {{"Helm", CLASS_HELM, 0x22}, with({SLOT_HELM}, hands)},
        {{"Armour", CLASS_ARMOR, 0x23}, with({SLOT_ARMOUR}, hands)},
        {{"Leggings", CLASS_LEGGINGS, 0x22}, with({SLOT_LEGGINGS}, hands)},
        {{"Boots", CLASS_BOOTS, 0x22}, with({SLOT_BOOTS}, hands)},
        {{"Gloves", CLASS_GLOVES, 0x11}, with({SLOT_GAUNTLETS, 61, 62}, hands)},
        {{"Bracers", CLASS_BRACERS, 0x22}, with({SLOT_BRACERS}, hands)},
        {{"Belt", CLASS_BELT, 0x21}, with({SLOT_BELT}, hands)},
        {{"Necklace", CLASS_NECKLACE, 0x11}, with({SLOT_NECKLACE, 61, 62}, hands)},
        {{"Cloak", CLASS_CLOAK, 0x23}, with({SLOT_CLOAK}, hands)},
        {{"Ring", CLASS_RING, 0x11}, with(with(rings, {61, 62}), hands)},
        {{"Dagger", CLASS_KNIFE, 0x12}, with({61, 62}, hands)},
        {{"Sword", CLASS_SWORD, 0x13}, hands},
        // A two-handed weapon goes into either hand like any other.
        {{"Great axe", CLASS_AXE, 0x23, ITEM_TWO_HANDED}, hands},
        {{"Pike", CLASS_PIKE, 0x24}, {}},
        {{"Wide scroll", CLASS_SCROLL, 0x21}, hands},
        {{"Body", CLASS_CORPSE, 0x23}, {}},
        {{"Pebble", CLASS_OTHER, 0x11}, with({61, 62}, hands)},
    };
    for (const slot_case& c : cases) {
        for (int slot = SLOT_HELM; slot <= SLOT_LAST; ++slot) {
            const std::uint16_t item = Drop_New(c.k);
            Reopen();
            Hold(item);
            Click_At(Slot_Point(slot));
            const bool taken = Slot(slot) == static_cast<std::int16_t>(item);
            EXPECT_EQ(taken, c.slots.contains(slot)) << c.k.name << " in slot " << slot;
            if (taken) {
                EXPECT_EQ(hand_item, 0);
                EXPECT_EQ(itemarray[item].owner, fixture::Char_Ref(hero));
                EXPECT_FALSE(On_Ground(item));
            } else {
                EXPECT_EQ(hand_item, static_cast<std::int16_t>(item)) << "a refused item stays in the hand";
                EXPECT_TRUE(On_Ground(item));
            }
            Clear_Hand();
            Destroy_Object(Make_Obj(OBJ_ITEM, item));
            ASSERT_EQ(Slot(slot), 0);
        }
    }
}

TEST_F(Inventory, ASwapOnABodySlotEquipsTheNewItemAndHandsOverTheOld) {
    const std::uint16_t old_sword = static_cast<std::uint16_t>(Slot(SLOT_RIGHT_HAND));
    const std::uint16_t axe = Drop_New({"Axe", CLASS_AXE, 0x13});
    Add_Modifier(0, fixture::Item_Ref(axe), MK_HASTE, 0, 0, 0, 0);
    Add_Modifier(0, fixture::Item_Ref(old_sword), MK_HASTE, 0, 0, 0, 0);
    Reopen();
    std::map<request_no, obj_ref> asked;
    {
        fixture::ScopedHandler handler(MK_HASTE);
        Hold(axe);
        Click_At(Slot_Point(SLOT_RIGHT_HAND));
        for (const fixture::HandlerCall& call : handler.calls)
            if (call.request == REQ_EQUIP || call.request == REQ_UNEQUIP) {
                EXPECT_EQ(call.subject, fixture::Char_Ref(hero));
                asked[call.request] = call.object;
            }
    }
    EXPECT_EQ(Slot(SLOT_RIGHT_HAND), static_cast<std::int16_t>(axe));
    EXPECT_EQ(hand_item, static_cast<std::int16_t>(old_sword));
    EXPECT_EQ(hand_source, HAND_FROM_GROUND);
    EXPECT_TRUE(On_Ground(old_sword)) << "the old item lies on the ground while it is in the hand";
    EXPECT_FALSE(On_Ground(axe));
    EXPECT_EQ(asked[REQ_UNEQUIP], fixture::Item_Ref(old_sword));
    EXPECT_EQ(asked[REQ_EQUIP], fixture::Item_Ref(axe));

    // Hovering names the slot's item; the hand's own item is not named.
    Move_To(Slot_Point(SLOT_RIGHT_HAND));
    EXPECT_STREQ(message_line.text, "Axe");
}

TEST_F(Inventory, TheBackpackPlacesTheFootprintUnderTheMouseAndRefusesAtItsEdges) {
    const std::uint16_t a = Drop_New({"Apple", CLASS_OTHER, 0x11});
    const std::uint16_t b = Drop_New({"Bread", CLASS_OTHER, 0x11});
    const std::uint16_t big = Drop_New({"Chest plate", CLASS_ARMOR, 0x23});
    for (int c = 0; c < BACKPACK_CELLS; ++c) ASSERT_EQ(Slot(c), 0) << "the hero's backpack starts empty";
    Reopen();
    Hold(a);
    Click_At(Cell_Point(0, 0));
    Hold(b);
    Click_At(Cell_Point(1, 1));
    ASSERT_EQ(Slot(0), static_cast<std::int16_t>(a));
    ASSERT_EQ(Slot(9), static_cast<std::int16_t>(b));

    // A 2 x 3 item is centred on the mouse: its top-left cell lies half a
    // cell left and a cell up; the divisions truncate toward zero.
    struct drop {
        POINT at;
        const char* why;
    };
    const drop refused[] = {
        {{BACKPACK_X + 7 * CELL_PIXELS + 16, BACKPACK_Y + 2 * CELL_PIXELS}, "past the right edge"},
        {{BACKPACK_X + 4 * CELL_PIXELS, BACKPACK_Y + 5 * CELL_PIXELS + 16}, "past the bottom"},
        {{BACKPACK_X + 5 * CELL_PIXELS + 16, BACKPACK_Y}, "above the top"},
        {{BACKPACK_X + CELL_PIXELS, BACKPACK_Y + CELL_PIXELS + 16}, "over two items"},
    };
    for (const drop& d : refused) {
        Hold(big);
        const backpack_grid before = Backpack_Of(chararray.records[hero]);
        Click_At(d.at);
        EXPECT_EQ(Backpack_Of(chararray.records[hero]), before) << d.why;
        EXPECT_EQ(hand_item, static_cast<std::int16_t>(big)) << d.why;
        EXPECT_TRUE(On_Ground(big)) << d.why;
    }
    // Over one item: a swap; the covered item goes to the ground and the hand.
    Click_At({BACKPACK_X + 2 * CELL_PIXELS, BACKPACK_Y + 2 * CELL_PIXELS + 16});  // top-left (1, 1)
    EXPECT_EQ(Slot(9), static_cast<std::int16_t>(big));
    EXPECT_EQ(Slot(26), -17) << "the footprint's far corner leads back";
    EXPECT_EQ(Slot(0), static_cast<std::int16_t>(a));
    EXPECT_EQ(hand_item, static_cast<std::int16_t>(b));
    EXPECT_TRUE(On_Ground(b));
    EXPECT_FALSE(On_Ground(big));
    Click_At(Cell_Point(6, 4));
    EXPECT_EQ(Slot(38), static_cast<std::int16_t>(b));
    EXPECT_EQ(hand_item, 0);
    // With an empty hand any cell of a footprint picks its item up.
    Move_To(Cell_Point(2, 3));
    EXPECT_STREQ(message_line.text, "Chest plate");
    Click_At(Cell_Point(2, 3));
    EXPECT_EQ(hand_item, static_cast<std::int16_t>(big));
    for (int c : {9, 10, 17, 18, 25, 26}) EXPECT_EQ(Slot(c), 0) << c;
    // A click on an empty cell with an empty hand does nothing.
    Clear_Hand();
    Click_At(Cell_Point(4, 0));
    EXPECT_EQ(hand_item, 0);
}

TEST_F(Inventory, TheGroundStripShowsFifteenItemsAndItsArrowsScrollOneAtATime) {
    // Twenty items, named A to T, so that no name begins another.
    std::vector<std::uint16_t> items;
    for (char letter = 'A'; letter < 'A' + 20; ++letter) {
        const std::string name(1, letter);
        items.push_back(Drop_New({name.c_str(), CLASS_OTHER, 0x11}));
    }
    Reopen();
    ASSERT_EQ(Ground_Items(), items);
    auto shown = [&](int place) {
        Move_To(Strip_Point(place));
        return std::string(message_line.text);
    };
    EXPECT_EQ(shown(0), "A");
    EXPECT_EQ(shown(14), "O");
    Move_To({inventory_controls[ROW_GROUND_STRIP].right, STRIP_ITEM_Y});
    EXPECT_STREQ(message_line.text, "") << "the strip's last pixel, where a sixteenth item would be, shows nothing";
    Press(VK_RIGHT);
    EXPECT_EQ(shown(0), "B");
    EXPECT_EQ(shown(14), "P");
    Press(VK_NUMPAD4);
    EXPECT_EQ(shown(0), "A");
    Press(VK_LEFT);
    EXPECT_EQ(shown(0), "A") << "the first item stays first";
    for (int i = 0; i < 25; ++i) Press(VK_NUMPAD6);
    EXPECT_EQ(Obj_Kind(ground_cursor), OBJ_NONE) << "past the last item the strip is empty";
    EXPECT_EQ(shown(0), "");
    Press(VK_LEFT);
    EXPECT_EQ(shown(0), "T") << "from the end back to the last item";
    for (int i = 0; i < 4; ++i) Press(VK_LEFT);
    // A click takes the strip item into the hand; the place shows nothing then.
    Click_At(Strip_Point(2));
    EXPECT_EQ(hand_item, static_cast<std::int16_t>(items[17]));
    EXPECT_EQ(shown(2), "");
    // Another click on the strip takes another item instead; the first
    // stays where it lay.
    Click_At(Strip_Point(0));
    EXPECT_EQ(hand_item, static_cast<std::int16_t>(items[15]));
    EXPECT_EQ(Ground_Items(), items);
    Click_At(Strip_Point(9));
    EXPECT_EQ(hand_item, 0) << "an empty place empties the hand";
}

TEST_F(Inventory, PackingPutsTheFirstGroundItemIntoTheRepackedBackpack) {
    Undress();
    const std::uint16_t sword = Ground_Items().front();
    const std::uint16_t tall = Drop_New({"Pike", CLASS_PIKE, 0x24});
    // The hero holds a 2 x 4 item where the packing would not put it.
    Remove_Object(Make_Obj(OBJ_ITEM, tall));
    Put_Item_To_Char_Slot(hero, tall, 0);
    Reopen();
    const std::vector<std::uint16_t> ground = Ground_Items();
    ASSERT_GE(ground.size(), 2u);
    ASSERT_EQ(ground.front(), sword);

    Click_At(Centre(ROW_PACK));
    EXPECT_EQ(Slot(22), static_cast<std::int16_t>(tall)) << "repacked";
    std::vector<std::uint16_t> packed;
    for (int c = 0; c < BACKPACK_CELLS; ++c)
        if (Slot(c) > 0) packed.push_back(static_cast<std::uint16_t>(Slot(c)));
    EXPECT_EQ(packed.size(), 2u);
    EXPECT_FALSE(On_Ground(sword));
    EXPECT_EQ(itemarray[sword].owner, fixture::Char_Ref(hero));
    EXPECT_EQ(ground_cursor, Make_Obj(OBJ_ITEM, ground[1])) << "the strip starts from the first item again";

    // The first ground item in the hand is packed too, and the hand empties.
    Click_At(Strip_Point(0));
    ASSERT_EQ(hand_item, static_cast<std::int16_t>(ground[1]));
    Click_At(Centre(ROW_PACK));
    EXPECT_EQ(hand_item, 0);
    EXPECT_FALSE(On_Ground(ground[1]));
    EXPECT_EQ(itemarray[ground[1]].owner, fixture::Char_Ref(hero));

    // A full backpack takes nothing.
    const std::uint16_t stone = Type(0x11);
    while (true) {
        const std::uint16_t item = Create_Item(stone, Ground());
        Reopen();
        const std::size_t before = Ground_Items().size();
        Press(VK_LEFT);  // keys reach no row: the pack button has none
        Click_At(Centre(ROW_PACK));
        if (Ground_Items().size() == before) {
            EXPECT_TRUE(On_Ground(item));
            break;
        }
    }
}

std::uint16_t Pixel(int x, int y) {
    return reinterpret_cast<const std::uint16_t*>(BACK->Bits() + y * BACK->Pitch())[x];
}

std::vector<std::uint16_t> Area(const RECT& r) {
    std::vector<std::uint16_t> out;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) out.push_back(Pixel(x, y));
    return out;
}

// A picture of the default artwork's catalogue of the size.
std::uint16_t Picture_Of_Size(std::uint8_t size) {
    for (const art::ItemArt& a : art::Item_Catalogue())
        if (a.size == size) return static_cast<std::uint16_t>(a.picture);
    return 0;
}

TEST_F(Inventory, DrawsTheItemsWhereTheyLieButNotTheOneInTheHand) {
    Undress();
    // A small helm: its picture leaves the slot's corners free.
    const std::uint16_t helm = Create_Item(New_Type({"Cap", CLASS_HELM, 0x11}, Picture_Of_Size(0x11)), Ground());
    const std::uint16_t box = Create_Item(New_Type({"Box", CLASS_OTHER, 0x22}, Picture_Of_Size(0x22)), Ground());
    for (std::uint16_t item : Ground_Items()) Remove_Object(Make_Obj(OBJ_ITEM, item));
    Reopen();
    // The helm slot's picture area (its rectangle less 5 pixels a side) and
    // the backpack's cells 9, 10, 17, 18, empty.
    const RECT helm_area{162 + 5, 54 + 5, 226 + 1 - 5, 118 + 1 - 5};
    const RECT box_area{BACKPACK_X + 32, BACKPACK_Y + 32, BACKPACK_X + 96, BACKPACK_Y + 96};
    const RECT strip_area{33, 440, 604, 466};
    const auto empty_helm = Area(helm_area), empty_box = Area(box_area), empty_strip = Area(strip_area);

    Remove_Object(Make_Obj(OBJ_ITEM, helm));
    Put_Item_To_Char_Slot(hero, helm, SLOT_HELM);
    Put_Item_To_Char_Slot(hero, box, 9);
    Reopen();
    EXPECT_EQ(Pixel(helm_area.left, helm_area.top), ui_background) << "an occupied slot is cleared";
    EXPECT_NE(Pixel(194, 86), ui_background) << "and shows the picture at its centre";
    EXPECT_NE(Area(box_area), empty_box);
    EXPECT_EQ(Area(strip_area), empty_strip);

    // In the hand an item is the cursor only; it lies on the ground, but
    // the strip leaves its place empty.
    Click_At(Slot_Point(SLOT_HELM));
    ASSERT_EQ(hand_item, static_cast<std::int16_t>(helm));
    EXPECT_EQ(Area(helm_area), empty_helm);
    EXPECT_EQ(Area(strip_area), empty_strip);
    EXPECT_TRUE(dd_cursor.shown);
    EXPECT_EQ(dd_cursor.frame, Picture_Of_Size(0x11));
    Click_At(Strip_Point(5));
    EXPECT_EQ(hand_item, 0);
    EXPECT_NE(Area(strip_area), empty_strip) << "out of the hand it shows in the strip";
    EXPECT_FALSE(dd_cursor.shown);
}

TEST_F(Inventory, AStackShowsItsCountInTheHand) {
    const std::uint16_t arrows = Drop_New({"Arrows", CLASS_ARROW, 0x12});
    Add_Modifier(0, fixture::Item_Ref(arrows), MK_MULTIPLE_ITEMS, 12, 20, 0, 0);
    const std::uint16_t single = Drop_New({"Arrow", CLASS_ARROW, 0x12});
    Add_Modifier(0, fixture::Item_Ref(single), MK_MULTIPLE_ITEMS, 1, 1, 0, 0);
    Reopen();
    Hold(arrows);
    EXPECT_EQ(dd_cursor.count, 12);
    EXPECT_EQ(dd_cursor.count_x, 16 - 5);
    EXPECT_EQ(dd_cursor.count_y, 32 - 8);
    Hold(single);
    EXPECT_EQ(dd_cursor.count, 0) << "an item whose stack holds one at most shows no count";
}

// Where every item of the world lies: in a character's slot (a backpack
// item at its top-left cell) or on a field. Reports an item found in no
// place or in more than one, an owner that does not match its place, and a
// backpack cell that leads to no footprint.
std::string Misplaced_Items() {
    std::map<std::uint16_t, std::vector<obj_ref>> places;
    for (std::uint16_t c = 0; c < chararray.Capacity(); ++c) {
        if (!Char_In_Use(c)) continue;
        const char_record& r = chararray.records[c];
        for (int s = 0; s < CHAR_SLOTS; ++s)
            if (r.slots[s] > 0) places[static_cast<std::uint16_t>(r.slots[s])].push_back(Make_Obj(OBJ_CHAR, c));
    }
    for (std::uint16_t f = 0; f < total_fields; ++f) {
        obj_ref o = Make_Obj(OBJ_FIXITEM, f);
        while (Next_Ground_Item(o)) places[Obj_Index(o)].push_back(Make_Obj(OBJ_FIXITEM, f));
    }
    std::string faults;
    for (std::uint16_t i = 1; i < itemarray.Capacity(); ++i) {
        if (Item_Record_Is_Free(i)) continue;
        const std::vector<obj_ref>& at = places[i];
        if (at.size() != 1)
            faults += "item " + std::to_string(i) + " in " + std::to_string(at.size()) + " places; ";
        else if (itemarray[i].owner != at.front())
            faults += "item " + std::to_string(i) + " owned by another than its place; ";
    }
    // Every backpack cell belongs to exactly the footprint that covers it.
    for (std::uint16_t c = 0; c < chararray.Capacity(); ++c) {
        if (!Char_In_Use(c)) continue;
        const backpack_grid pack = Backpack_Of(chararray.records[c]);
        backpack_grid expected{};
        for (int cell = 0; cell < BACKPACK_CELLS; ++cell) {
            if (pack[static_cast<std::size_t>(cell)] <= 0) continue;
            const std::uint8_t size = Item_Size(static_cast<std::uint16_t>(pack[static_cast<std::size_t>(cell)]));
            for (int dy = 0; dy < Size_Height(size); ++dy)
                for (int dx = 0; dx < Size_Width(size); ++dx) {
                    const int k = cell + dx + BACKPACK_COLUMNS * dy;
                    if (cell % BACKPACK_COLUMNS + dx >= BACKPACK_COLUMNS || k >= BACKPACK_CELLS ||
                        expected[static_cast<std::size_t>(k)] != 0)
                        faults += "footprint of cell " + std::to_string(cell) + " leaves the grid or overlaps; ";
                    else
                        expected[static_cast<std::size_t>(k)] = dx + dy == 0
                                                                    ? pack[static_cast<std::size_t>(cell)]
                                                                    : static_cast<std::int16_t>(-(dx + 8 * dy));
                }
        }
        if (expected != pack) faults += "backpack cells of character " + std::to_string(c) + " lead nowhere; ";
    }
    return faults;
}

TEST_F(Inventory, NoSequenceOfMovesLosesOrDoublesAnItem) {
    std::mt19937 random(20);
    auto below = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    const kind kinds[] = {
        {"Helm", CLASS_HELM, 0x22},   {"Armour", CLASS_ARMOR, 0x23},      {"Leggings", CLASS_LEGGINGS, 0x22},
        {"Boots", CLASS_BOOTS, 0x22}, {"Gloves", CLASS_GLOVES, 0x11},     {"Bracers", CLASS_BRACERS, 0x22},
        {"Belt", CLASS_BELT, 0x21},   {"Necklace", CLASS_NECKLACE, 0x11}, {"Ring", CLASS_RING, 0x11},
        {"Cloak", CLASS_CLOAK, 0x23}, {"Dagger", CLASS_KNIFE, 0x12},      {"Sword", CLASS_SWORD, 0x13},
        {"Pike", CLASS_PIKE, 0x24},   {"Bow", CLASS_BOW, 0x13},           {"Scroll", CLASS_SCROLL, 0x21},
        {"Body", CLASS_CORPSE, 0x23}, {"Pebble", CLASS_OTHER, 0x11},
    };
    std::vector<std::uint16_t> types;
    for (const kind& k : kinds) types.push_back(New_Type(k));
    // A full backpack: items of every size until not even a small one fits;
    // what did not fit stays on the ground.
    for (int misses = 0; misses < 3;) {
        const std::uint16_t item =
            Create_Item(types[static_cast<std::size_t>(below(static_cast<int>(types.size())))], Ground());
        backpack_grid pack = Backpack_Of(chararray.records[hero]);
        if (Repack_Backpack(pack, item)) {
            Remove_Object(Make_Obj(OBJ_ITEM, item));
            itemarray[item].owner = fixture::Char_Ref(hero);
            Set_Backpack(chararray.records[hero], pack);
        } else if (Item_Size(item) == 0x11) {
            ++misses;
        }
    }
    for (int n = 0; n < 20; ++n)
        Create_Item(types[static_cast<std::size_t>(below(static_cast<int>(types.size())))], Ground());
    Reopen();
    ASSERT_EQ(Misplaced_Items(), "");

    auto inside = [&](int row) {
        const control_row& r = inventory_controls[row];
        return POINT{r.left + below(r.right - r.left + 1), r.top + below(r.bottom - r.top + 1)};
    };
    std::map<std::string, int> moves;
    constexpr int MOVE_COUNT = 3000;
    for (int n = 0; n < MOVE_COUNT; ++n) {
        const int pick = below(100);
        std::string move;
        if (pick < 30) {
            move = "body slot";
            Click_At(inside(below(19)));
        } else if (pick < 60) {
            move = "backpack";
            Click_At(inside(ROW_BACKPACK));
        } else if (pick < 80) {
            move = "strip";
            Click_At(inside(ROW_GROUND_STRIP));
        } else if (pick < 87) {
            move = "pack";
            Click_At(inside(ROW_PACK));
        } else if (pick < 95) {
            move = "arrow";
            Press(below(2) ? VK_LEFT : VK_RIGHT);
        } else {
            move = hand_item != 0 ? "leave holding an item" : "leave";
            Press(VK_ESCAPE);
            ASSERT_EQ(ScreenType, SCREEN_HEXAMAP);
            Reopen();
        }
        ++moves[move];
        const std::string faults = Misplaced_Items();
        ASSERT_EQ(faults, "") << "after move " << n << ": " << move;
        ASSERT_TRUE(hand_item == 0 || On_Ground(static_cast<std::uint16_t>(hand_item))) << "move " << n << ": " << move;
    }
    // Every kind of move happened, swaps among them.
    EXPECT_GT(moves["leave holding an item"], 0);
    EXPECT_EQ(moves.size(), 7u);
}

}  // namespace
