// A character's slots: footprints in the backpack, equipping and
// unequipping on the body, what a placed item covers, fitting into the grid
// and repacking by the preference tables.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <vector>

#include "Objects/Char/CharSlots.h"
#include "Objects/Char/Characters.h"
#include "Objects/Item/Items.h"
#include "Objects/Map.h"
#include "Objects/ModifierKinds.h"
#include "Objects/Modifiers.h"
#include "platform/headless/HeadlessBackend.h"
#include "support/RecordingHandler.h"
#include "support/WorldBuilder.h"

using namespace fixture;

namespace {

class CharSlots : public ::testing::Test {
  protected:
    void SetUp() override {
        Reset_World(4, 4);
        hero = Place_Char(Field_Index(1, 1, 0));
    }
    // A new item type of the size.
    static std::uint16_t Type(std::uint8_t size, std::uint8_t item_class = CLASS_OTHER) {
        return Add_Item_Type("Thing", item_class, 0, 0, size);
    }
    // A new item of a new type of the size, lying on a field.
    static std::uint16_t Item(std::uint8_t size) { return Place_Item(Field_Index(0, 0, 0), Type(size)); }
    std::int16_t Slot(int s) const { return chararray.records[hero].slots[s]; }
    backpack_grid Pack() const { return Backpack_Of(chararray.records[hero]); }

    std::uint16_t hero = 0;
};

TEST_F(CharSlots, ABackpackItemWritesAndClearsItsFootprint) {
    const std::uint16_t big = Item(SIZE_2X3), small = Item(SIZE_1X1);
    Put_Item_To_Char_Slot(hero, big, 2);
    Put_Item_To_Char_Slot(hero, small, 4);
    const std::map<int, std::int16_t> footprint = {{2, big},  {3, -1},   {10, -8},  {11, -9},
                                                   {18, -16}, {19, -17}, {4, small}};
    for (int c = 0; c < BACKPACK_CELLS; ++c)
        EXPECT_EQ(Slot(c), footprint.contains(c) ? footprint.at(c) : 0) << "cell " << c;
    EXPECT_EQ(itemarray[big].owner, Char_Ref(hero));
    EXPECT_EQ(Obj_Kind(itemarray[big].link), OBJ_NONE);

    Remove_Item_From_Char(hero, big);
    for (int c = 0; c < BACKPACK_CELLS; ++c) EXPECT_EQ(Slot(c), c == 4 ? small : 0) << "cell " << c;
    EXPECT_EQ(Obj_Kind(itemarray[big].owner), OBJ_NONE);
    EXPECT_EQ(Obj_Index(itemarray[big].owner), hero) << "only the owner's kind changes";
    // Removing what the character does not hold changes nothing.
    Remove_Item_From_Char(hero, big);
    EXPECT_EQ(Slot(4), small);
}

TEST_F(CharSlots, RemovingClearsOnlyTheCellsThatLeadBackToTheItem) {
    // The item's type grew after it was packed: its old footprint is 1 x 1,
    // the neighbour's cells must survive.
    const std::uint16_t grown = Item(SIZE_1X1), neighbour = Item(SIZE_1X2);
    Put_Item_To_Char_Slot(hero, grown, 0);
    Put_Item_To_Char_Slot(hero, neighbour, 1);
    item_types[itemarray[grown].type].size = SIZE_2X2;
    Remove_Item_From_Char(hero, grown);
    EXPECT_EQ(Slot(0), 0);
    EXPECT_EQ(Slot(1), neighbour);
    EXPECT_EQ(Slot(9), -8);
}

TEST_F(CharSlots, ABodyItemIsEquippedAndUnequippedByTheCharacter) {
    const std::uint16_t sword = Item(SIZE_1X3);
    Add_Modifier(0, Item_Ref(sword), MK_HASTE, 0, 0, 0, 0);
    ScopedHandler handler(MK_HASTE);
    Put_Item_To_Char_Slot(hero, sword, SLOT_RIGHT_HAND);
    Remove_Item_From_Char(hero, sword);
    std::vector<request_no> asked;
    for (const HandlerCall& call : handler.calls) {
        if (call.request != REQ_EQUIP && call.request != REQ_UNEQUIP) continue;
        asked.push_back(call.request);
        EXPECT_EQ(call.subject, Char_Ref(hero));
        EXPECT_EQ(call.object, Item_Ref(sword));
    }
    EXPECT_EQ(asked, (std::vector<request_no>{REQ_EQUIP, REQ_UNEQUIP}));
    EXPECT_EQ(Slot(SLOT_RIGHT_HAND), 0);
    for (int c = 0; c < BACKPACK_CELLS; ++c) EXPECT_EQ(Slot(c), 0) << "a body item has no footprint";
}

TEST_F(CharSlots, ItemUnderPlaceNamesTheOneItemCovered) {
    // a: 2 x 2 at 0 (0, 1, 8, 9); b: 1 x 1 at 3; c: 1 x 2 at 10 (10, 18).
    const std::uint16_t a = Item(SIZE_2X2), b = Item(SIZE_1X1), c = Item(SIZE_1X2);
    Put_Item_To_Char_Slot(hero, a, 0);
    Put_Item_To_Char_Slot(hero, b, 3);
    Put_Item_To_Char_Slot(hero, c, 10);
    Put_Item_To_Char_Slot(hero, Item(SIZE_1X1), SLOT_HELM);
    struct probe {
        std::uint8_t hand_size;  // 0: an empty hand
        int cell;
        std::int16_t expected;
    };
    const std::int16_t A = static_cast<std::int16_t>(a), B = static_cast<std::int16_t>(b),
                       C = static_cast<std::int16_t>(c);
    const probe probes[] = {
        {0, 9, A},                            // a marker leads to its item
        {0, 2, 0},                            // an empty cell
        {SIZE_1X1, 3, B},  {SIZE_2X1, 2, B},  // 2, 3
        {SIZE_2X2, 1, -1},                    // 1, 2, 9, 10: a and c
        {SIZE_2X2, 2, -1},                    // 2, 3, 10, 11: b and c
        {SIZE_1X3, 11, 0},                    // 11, 19, 27
        {SIZE_2X1, 18, C},                    // 18, 19
    };
    for (const probe& p : probes) {
        const std::uint16_t hand = p.hand_size != 0 ? Item(p.hand_size) : 0;
        EXPECT_EQ(Item_Under_Place(hero, hand, p.cell), p.expected)
            << "cell " << p.cell << " size " << int(p.hand_size);
    }
    // The hand item's own cells count as nothing.
    EXPECT_EQ(Item_Under_Place(hero, a, 0), 0);
    EXPECT_EQ(Item_Under_Place(hero, a, 1), C);
    // A body slot: its content.
    EXPECT_EQ(Item_Under_Place(hero, a, SLOT_HELM), Slot(SLOT_HELM));
    EXPECT_EQ(Item_Under_Place(hero, 0, SLOT_BOOTS), 0);
}

// The size byte each top-left cell's type has, by cell.
std::map<int, std::uint8_t> Layout(const backpack_grid& types) {
    std::map<int, std::uint8_t> layout;
    for (int c = 0; c < BACKPACK_CELLS; ++c)
        if (types[static_cast<std::size_t>(c)] > 0)
            layout[c] = item_types[static_cast<std::size_t>(types[static_cast<std::size_t>(c)])].size;
    return layout;
}

TEST_F(CharSlots, AnItemFitsOnlyOnFreeCellsInsideTheGrid) {
    backpack_grid grid{};
    ASSERT_EQ(Fit_Item_In_Grid(grid, 6, SIZE_2X3), 1);
    const std::map<int, std::int16_t> written = {{6, SIZE_2X3}, {7, -1}, {14, -8}, {15, -9}, {22, -16}, {23, -17}};
    for (int c = 0; c < BACKPACK_CELLS; ++c)
        EXPECT_EQ(grid[static_cast<std::size_t>(c)], written.contains(c) ? written.at(c) : 0) << "cell " << c;
    const backpack_grid kept = grid;
    EXPECT_EQ(Fit_Item_In_Grid(grid, 7, SIZE_1X1), 0) << "taken";
    EXPECT_EQ(Fit_Item_In_Grid(grid, 5, SIZE_2X1), 0) << "overlaps";
    EXPECT_EQ(Fit_Item_In_Grid(grid, 31, SIZE_2X1), 0) << "past the right edge";
    EXPECT_EQ(Fit_Item_In_Grid(grid, 24, SIZE_2X4), 0) << "past the bottom";
    EXPECT_EQ(Fit_Item_In_Grid(grid, 48, SIZE_1X1), 0);
    EXPECT_EQ(grid, kept);
}

TEST_F(CharSlots, TwoByFourItemsGoOnlyToTheirFourPlacesAndAFifthIsRefused) {
    const std::uint16_t tall = Type(SIZE_2X4);
    backpack_grid grid{};
    for (int n = 0; n < 4; ++n) ASSERT_EQ(Repack_Backpack_Types(grid, tall), 1) << n;
    EXPECT_EQ(Layout(grid),
              (std::map<int, std::uint8_t>{{16, SIZE_2X4}, {18, SIZE_2X4}, {20, SIZE_2X4}, {22, SIZE_2X4}}));
    const backpack_grid full = grid;
    EXPECT_EQ(Repack_Backpack_Types(grid, tall), 0);
    EXPECT_EQ(grid, full);
    EXPECT_EQ(Repack_Backpack_Types(grid, 0), 1) << "nothing new always fits";
    EXPECT_EQ(grid, full);
}

TEST_F(CharSlots, RepackingPlacesTheSizesInOrderAtTheirPreferredCells) {
    // Added one at a time in a mixed order; every repack places them all anew.
    const std::uint8_t added[] = {SIZE_1X1, SIZE_2X3, SIZE_2X1, SIZE_2X2, SIZE_1X1, SIZE_1X2, SIZE_2X2, SIZE_1X1};
    backpack_grid grid{};
    std::vector<std::uint16_t> types;
    for (std::uint8_t size : added) {
        types.push_back(Type(size));
        ASSERT_EQ(Repack_Backpack_Types(grid, types.back()), 1);
    }
    // 2 x 2 at 38 and 22; 2 x 1 at 14; 1 x 2 at 37 (7 and 6 would cross
    // the 2 x 1); 2 x 3 at 0; the 1 x 1 items in the first free cells.
    EXPECT_EQ(Layout(grid), (std::map<int, std::uint8_t>{{0, SIZE_2X3},
                                                         {2, SIZE_1X1},
                                                         {3, SIZE_1X1},
                                                         {4, SIZE_1X1},
                                                         {14, SIZE_2X1},
                                                         {22, SIZE_2X2},
                                                         {37, SIZE_1X2},
                                                         {38, SIZE_2X2}}));
    std::vector<std::uint16_t> placed;
    for (int c = 0; c < BACKPACK_CELLS; ++c)
        if (grid[static_cast<std::size_t>(c)] > 0)
            placed.push_back(static_cast<std::uint16_t>(grid[static_cast<std::size_t>(c)]));
    std::sort(placed.begin(), placed.end());
    EXPECT_EQ(placed, types) << "every type once";
    // The markers lead back to their top-left cells.
    EXPECT_EQ(grid[47], -9);
    EXPECT_EQ(grid[45], -8);
}

TEST_F(CharSlots, RepackingMovesTheItemsAndKeepsEachOne) {
    const std::uint16_t tall = Item(SIZE_2X4), one = Item(SIZE_1X1);
    const std::uint16_t another = Place_Item(Field_Index(0, 0, 0), itemarray[one].type);
    Put_Item_To_Char_Slot(hero, tall, 0);
    Put_Item_To_Char_Slot(hero, one, 47);
    backpack_grid pack = Pack();
    ASSERT_EQ(Repack_Backpack(pack, another), 1);
    std::map<int, std::int16_t> items;
    for (int c = 0; c < BACKPACK_CELLS; ++c)
        if (pack[static_cast<std::size_t>(c)] > 0) items[c] = pack[static_cast<std::size_t>(c)];
    // The old item of a type comes first, in cell order; the new one after it.
    EXPECT_EQ(items, (std::map<int, std::int16_t>{{0, static_cast<std::int16_t>(one)},
                                                  {1, static_cast<std::int16_t>(another)},
                                                  {22, static_cast<std::int16_t>(tall)}}));
    EXPECT_EQ(Slot(0), tall) << "the character's slots are written by the caller";
}

TEST_F(CharSlots, AFullBackpackRefusesTheNewItemAndKeepsItsLayout) {
    // A layout made by hand that the tables would not make: a 2 x 4 item in
    // columns 1 and 2, single items in every other cell.
    Put_Item_To_Char_Slot(hero, Item(SIZE_2X4), 1);
    const std::uint16_t single = Type(SIZE_1X1);
    for (int c = 0; c < BACKPACK_CELLS; ++c)
        if (Slot(c) == 0) Put_Item_To_Char_Slot(hero, Place_Item(Field_Index(0, 0, 0), single), c);
    backpack_grid pack = Pack();
    const backpack_grid before = pack;
    EXPECT_EQ(Repack_Backpack(pack, Item(SIZE_1X1)), 0);
    EXPECT_EQ(pack, before);
}

TEST_F(CharSlots, WhatCannotBePackedIsRefusedRatherThanLost) {
    const std::uint16_t packed = Item(SIZE_1X1);
    Put_Item_To_Char_Slot(hero, packed, 5);
    backpack_grid pack = Pack();
    const backpack_grid before = pack;
    EXPECT_EQ(Repack_Backpack(pack, 0), 1) << "no item";
    EXPECT_EQ(Repack_Backpack(pack, packed), 0) << "already packed";
    EXPECT_EQ(Repack_Backpack(pack, Place_Item(Field_Index(0, 0, 0), ITEM_TYPE_EMPTY)), 0) << "the empty type";
    EXPECT_EQ(Repack_Backpack(pack, Item(0x31)), 0) << "a size the tables do not know";
    EXPECT_EQ(pack, before);
    // An item of the backpack whose type cannot be packed keeps the rest where it is.
    item_types[itemarray[packed].type].size = 0x14;
    EXPECT_EQ(Repack_Backpack(pack, Item(SIZE_1X1)), 0);
    EXPECT_EQ(pack, before);
}

}  // namespace
